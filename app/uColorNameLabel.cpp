#include "app/uColorNameLabel.h"

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/colorout/uColorNames.h"

void TColorNameLabel::Create(fw::TWindow& parent) {
  const LOGFONTW lf = UiFont(IDS_FONT_UI, 12);
  FFont.Reset(::CreateFontIndirectW(&lf));
  lblColorName.SetControlId(ControlIds::lblColorName);
  // Above the swatch, below the eyedropper, clear of the magnifier.
  lblColorName.SetBounds(2, 29, 92, 13);
  lblColorName.SetFont(FFont.Get());
  lblColorName.Create(&parent, FText);
}

void TColorNameLabel::SetColor(TColor color) {
  color &= 0xFFFFFFu;
  if (FKnown && color == FColor) return;
  FKnown = true;
  FColor = color;
  std::wstring text = ColorNameText(color);
  if (text == FText) return;
  FText = std::move(text);
  if (lblColorName.HandleAllocated()) lblColorName.SetText(FText);
}
