#include "controls/uColorEditVel.h"

#include "core/color/uHexColor.h"
#include "framework/Theme.h"

namespace {

std::wstring HexText(TColor c) {
  return ColorToHexText(static_cast<int>(c & 0xFF), static_cast<int>(c >> 8 & 0xFF), static_cast<int>(c >> 16 & 0xFF),
                        0);
}

}  // namespace

TColorEditVel::TColorEditVel() {
  SetAutoSelect(true);
  SetAccessibleSource(&FAccessible);
}

TColorEditVel::~TColorEditVel() {
  // Cut off before the source goes, not when the window does after it.
  SetAccessibleSource(nullptr);
}

void TColorEditVel::Create(fw::TWindow* parent) {
  fw::TCustomEdit::Create(parent);
  // Narrow margins: "#RRGGBB" fits the room the designed controls leave.
  ::SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
  FShown = HexText(FColor);
  SetText(FShown);
}

void TColorEditVel::SetColor(TColor color) {
  FColor = color & 0xFFFFFFu;
  FShown = HexText(FColor);
  SetInvalid(false);
  if (HandleAllocated() && Text() != FShown) SetText(FShown);
}

void TColorEditVel::Apply() {
  const std::wstring text = Text();
  // Leaving an edit that still shows the colour is no new input.
  if (text == FShown && !FInvalid) return;
  const bool read = OnApply && OnApply(text);
  if (read) {
    // The colour came back through SetColor, or was the same: show its text.
    SetInvalid(false);
    if (Text() != FShown) SetText(FShown);
  } else {
    SetInvalid(true);
  }
}

void TColorEditVel::KeyDown(WORD& key, fw::TShiftState shift) {
  if (key == VK_RETURN) {
    Apply();
    SelectAll();
    key = 0;
    return;
  }
  if (key == VK_ESCAPE && (Text() != FShown || FInvalid)) {
    SetInvalid(false);
    SetText(FShown);
    SelectAll();
    key = 0;
    return;
  }
  fw::TCustomEdit::KeyDown(key, shift);
}

void TColorEditVel::KeyPress(wchar_t& key) {
  // The system edit beeps at the characters of Enter and Esc.
  if (key == L'\r' || key == 27) {
    key = 0;
    return;
  }
  fw::TCustomEdit::KeyPress(key);
}

void TColorEditVel::DoExit() {
  Apply();
  fw::TCustomEdit::DoExit();
}

HBRUSH TColorEditVel::CNCtlColor(HDC dc) {
  if (!FInvalid) return fw::TCustomEdit::CNCtlColor(dc);
  ::SetTextColor(dc, fw::ThemeColor(fw::TThemeRole::InvalidText));
  ::SetBkColor(dc, fw::ThemeColor(fw::TThemeRole::Window));
  return fw::ThemeBrush(fw::TThemeRole::Window);
}

void TColorEditVel::SetInvalid(bool invalid) {
  if (invalid == FInvalid) return;
  FInvalid = invalid;
  Invalidate(true);
  if (OnInvalidChange) OnInvalidChange(this);
}
