// The main window's copy and paste of colour text.
#include <string>

#include "app/ufrmTintra.h"
#include "core/color/uColorText.h"
#include "core/color/uHexColor.h"
#include "framework/Clipboard.h"

void TfrmTintra::SetUpClipboardActions() {
  actCopy.OnExecute = [this](fw::TObject* s) { actCopyExecute(s); };
  actPaste.OnExecute = [this](fw::TObject* s) { actPasteExecute(s); };
}

void TfrmTintra::CopyColorToClipboard(TColor color, std::uint8_t order) {
  const std::wstring text = ColorToHexText(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF, order);
  if (text.empty()) return;
  // "#" and hexadecimal digits only, so each character is one ANSI byte.
  fw::ClipboardSetText(Handle(), std::string(text.begin(), text.end()));
}

void TfrmTintra::actCopyExecute(fw::TObject*) {
  EndListEdit();
  CopyColorToClipboard(RowColor(gridItem.Row()), FHexOrder);
}

void TfrmTintra::actPasteExecute(fw::TObject*) {
  if (const auto color = PastedTextToColor(fw::ClipboardGetText(Handle()), FHexOrder)) SetColor(*color);
}
