#include "app/uColorNameLabel.h"

#include <commctrl.h>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/colorout/uColorNames.h"
#include "framework/Application.h"

TColorNameLabel::~TColorNameLabel() {
  if (FToolTip) ::DestroyWindow(FToolTip);
}

void TColorNameLabel::Create(fw::TWindow& parent) {
  lblColorName.SetControlId(ControlIds::lblColorName);
  // Above the swatch, below the eyedropper, clear of the magnifier.
  lblColorName.SetBounds(2, 30, 92, 12);
  lblColorName.SetFont(FontOfHeight(kFontHeight));
  lblColorName.OnTick = [this] { Write(); };
  lblColorName.Create(&parent, FText);
  FShown = FText;
  FToolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent.Handle(), nullptr,
                               fw::Application().Handle(), nullptr);
  if (FToolTip) {
    TTTOOLINFOW tool = ToolInfo();
    ::SendMessageW(FToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  lblColorNote.SetControlId(ControlIds::lblColorNote);
  // The strip under the lowest editors, left of the size grip.
  lblColorNote.SetBounds(2, 243, 186, 13);
  lblColorNote.SetFont(FontOfHeight(kFontHeight));
  lblColorNote.Create(&parent, L"");
}

void TColorNameLabel::SetNote(const std::wstring& note) {
  if (lblColorNote.HandleAllocated() && lblColorNote.Text() != note) lblColorNote.SetText(note);
}

TTTOOLINFOW TColorNameLabel::ToolInfo() const noexcept {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = ::GetParent(lblColorName.Handle());
  tool.uId = ControlIds::lblColorName;
  tool.lpszText = const_cast<wchar_t*>(FShown.c_str());
  ::GetWindowRect(lblColorName.Handle(), &tool.rect);
  ::MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
  return tool;
}

HFONT TColorNameLabel::FontOfHeight(int height) {
  fw::TUniqueFont& font = FFonts[static_cast<std::size_t>(kFontHeight - height)];
  if (!font) {
    LOGFONTW lf = UiFont(IDS_FONT_UI, height);
    lf.lfHeight = lblColorName.Scaled(lf.lfHeight);
    font.Reset(::CreateFontIndirectW(&lf));
  }
  return font.Get();
}

void TColorNameLabel::DpiChanged() {
  // The label still shows one of the old fonts: they go once it holds a new one.
  const std::array<fw::TUniqueFont, 5> old = std::move(FFonts);
  lblColorName.SetFont(FontOfHeight(kFontHeight));
  lblColorNote.SetFont(FontOfHeight(kFontHeight));
  FitFont();
  if (FToolTip) {
    TTTOOLINFOW tool = ToolInfo();
    ::SendMessageW(FToolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TColorNameLabel::FitFont() {
  if (!lblColorName.HandleAllocated()) return;
  fw::TWindowDC dc(lblColorName.Handle());
  const int room = lblColorName.ClientRect().right;
  for (int height = kFontHeight; height >= kSmallestFontHeight; --height) {
    const HFONT font = FontOfHeight(height);
    fw::TSelectObject selected(dc.Get(), font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.Get(), FShown.c_str(), static_cast<int>(FShown.size()), &extent);
    if (extent.cx <= room || height == kSmallestFontHeight) {
      if (lblColorName.Font() != font) lblColorName.SetFont(font);
      return;
    }
  }
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
  FitFont();
  lblColorName.SetText(FShown);
  if (FToolTip) {
    TTTOOLINFOW tool = ToolInfo();
    ::SendMessageW(FToolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}
