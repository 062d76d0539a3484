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
  lblColorName.SetBounds(2, 30, 92, 12);
  lblColorName.SetFont(FFont.Get());
  lblColorName.OnTick = [this] { Write(); };
  lblColorName.Create(&parent, FText);
  FShown = FText;
  lblColorNote.SetControlId(ControlIds::lblColorNote);
  // The strip under the lowest editors, left of the size grip.
  lblColorNote.SetBounds(2, 243, 186, 13);
  lblColorNote.SetFont(FFont.Get());
  lblColorNote.Create(&parent, L"");
}

void TColorNameLabel::SetNote(const std::wstring& note) {
  if (lblColorNote.HandleAllocated() && lblColorNote.Text() != note) lblColorNote.SetText(note);
}

void TColorNameLabel::DpiChanged() {
  LOGFONTW lf = UiFont(IDS_FONT_UI, 12);
  lf.lfHeight = lblColorName.Scaled(lf.lfHeight);
  fw::TUniqueFont font(::CreateFontIndirectW(&lf));
  if (!font) return;
  lblColorName.SetFont(font.Get());
  lblColorNote.SetFont(font.Get());
  FFont = std::move(font);
}

void TColorNameLabel::SetColor(TColor color) {
  color &= 0xFFFFFFu;
  if (FKnown && color == FColor) return;
  SetNote(L"");
  FKnown = true;
  FColor = color;
  FText = ColorNameText(color);
  if (FText == FShown || !lblColorName.HandleAllocated() || FTimer.Enabled()) return;
  // A label's new text costs a round trip to the window system; under Wine
  // that alone was most of an eyedropper move.
  if (::GetTickCount() - FLastWrite >= kInterval)
    Write();
  else
    FTimer.Start(lblColorName.Handle(), kInterval);
}

void TColorNameLabel::Write() {
  FTimer.Stop();
  FLastWrite = ::GetTickCount();
  if (FText == FShown) return;
  FShown = FText;
  lblColorName.SetText(FShown);
}
