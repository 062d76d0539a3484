#include "app/uContrastPanel.h"

#include <commctrl.h>

#include <utility>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorChannels.h"
#include "core/colorout/uContrast.h"
#include "core/colorout/uContrastFix.h"
#include "core/colorout/uCssColor.h"
#include "core/colorout/uCvdSimulation.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "framework/Theme.h"
#include "framework/support/uRegistry.h"

namespace {

constexpr double kAA = 4.5, kAAA = 7.0;

std::wstring Mark(bool pass) { return UiText(pass ? IDS_CONTRAST_PASS : IDS_CONTRAST_FAIL); }

std::wstring HexOf(TColor color) { return ColorToHexText(RedOf(color), GreenOf(color), BlueOf(color), 0); }

const wchar_t* CvdLetter(TCvdKind kind) {
  switch (kind) {
    case TCvdKind::Protanopia:
      return L"P";
    case TCvdKind::Deuteranopia:
      return L"D";
    case TCvdKind::Tritanopia:
      return L"T";
    default:
      return L"";
  }
}

}  // namespace

TContrastPanel::TContrastPanel(fw::TActionList& actions)
    : actSetCompare(actions.Add(L"actSetCompareColor")), actShowContrast(actions.Add(L"actShowContrast")) {
  actSetCompare.SetCategory(L"020_編集");
  actSetCompare.SetCaption(UiText(IDS_ACT_SET_COMPARE));
  actSetCompare.OnExecute = [this](fw::TObject*) {
    if (CurrentColor) SetCompareColor(CurrentColor());
  };
  actShowContrast.SetCategory(L"030_表示");
  actShowContrast.SetCaption(UiText(IDS_ACT_SHOW_CONTRAST));
  actShowContrast.OnExecute = [this](fw::TObject*) { SetShown(!actShowContrast.Checked()); };
}

void TContrastPanel::Create(fw::TWindow& parent) {
  pnlContrast.SetControlId(ControlIds::pnlContrast);
  pnlContrast.SetHeight(104);
  pnlContrast.SetAlign(fw::TAlign::alBottom);
  pnlContrast.SetVisible(actShowContrast.Checked());
  pnlContrast.Create(&parent);
  pboxSample.SetControlId(ControlIds::pboxContrastSample);
  pboxSample.SetBounds(4, 4, 48, 48);
  pboxSample.OnPaint = [this](fw::TObject*, HDC dc) { pboxSamplePaint(dc); };
  pboxSample.Create(&pnlContrast);
  const struct {
    fw::TLabel& Label;
    int Id, Left, Top, Width, Height;
  } labels[] = {
      {lblRatio, ControlIds::lblContrastRatio, 58, 4, 60, 14},
      {lblApca, ControlIds::lblContrastApca, 120, 4, 100, 14},
      {lblWcag, ControlIds::lblContrastWcag, 58, 21, 170, 32},
  };
  for (const auto& l : labels) {
    l.Label.SetControlId(l.Id);
    l.Label.SetBounds(l.Left, l.Top, l.Width, l.Height);
    l.Label.Create(&pnlContrast, L"");
  }
  btnSwap.SetControlId(ControlIds::btnContrastSwap);
  btnSwap.SetBounds(230, 16, 56, 23);
  btnSwap.OnClick = [this](fw::TObject*) { Swap(); };
  btnSwap.Create(&pnlContrast, UiText(IDS_CONTRAST_SWAP));

  // The label first: it names the edit for screen readers and precedes it in the tab order.
  lblCompare.SetControlId(ControlIds::lblContrastCompare);
  lblCompare.SetBounds(4, 60, 57, 14);
  lblCompare.Create(&pnlContrast, UiText(IDS_CONTRAST_COMPARE));
  edtCompare.SetControlId(ControlIds::edtContrastCompare);
  edtCompare.SetBounds(61, 56, 61, 21);
  edtCompare.SetMaxLength(200);
  edtCompare.AccessibleName = UiText(IDS_CONTRAST_COMPARE);
  edtCompare.OnApply = [this](const std::wstring& text) {
    const std::optional<TColor> color = ReadColorText ? ReadColorText(text) : std::nullopt;
    if (color) SetCompareColor(*color);
    return color.has_value();
  };
  edtCompare.Create(&pnlContrast);
  edtCompare.SetColor(FCompare);
  btnFixAA.SetControlId(ControlIds::btnContrastFixAA);
  btnFixAA.SetBounds(128, 55, 96, 23);
  btnFixAA.OnClick = [this](fw::TObject*) { Fix(kAA); };
  btnFixAA.Create(&pnlContrast, UiText(IDS_CONTRAST_FIX_AA));
  btnFixAAA.SetControlId(ControlIds::btnContrastFixAAA);
  btnFixAAA.SetBounds(230, 55, 104, 23);
  btnFixAAA.OnClick = [this](fw::TObject*) { Fix(kAAA); };
  btnFixAAA.Create(&pnlContrast, UiText(IDS_CONTRAST_FIX_AAA));
  lblCvd.SetControlId(ControlIds::lblContrastCvd);
  lblCvd.SetBounds(4, 84, 330, 14);
  lblCvd.Create(&pnlContrast, L"");
  CreateTips();
  Show();
}

void TContrastPanel::CreateTips() {
  FTips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, pnlContrast.Handle(), nullptr,
                                fw::Application().Handle(), nullptr);
  if (!FTips) return;
  fw::Application().ApplyHintSettings(FTips);
  // Tools of the panel over each button's rectangle: a disabled button's
  // mouse moves reach the panel, never the button.
  for (fw::TButton* b : {&btnFixAA, &btnFixAAA}) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = pnlContrast.Handle();
    tool.uId = static_cast<UINT_PTR>(b->ControlId());
    ::GetWindowRect(b->Handle(), &tool.rect);
    ::MapWindowPoints(nullptr, pnlContrast.Handle(), reinterpret_cast<POINT*>(&tool.rect), 2);
    tool.lpszText = const_cast<wchar_t*>(L"");
    ::SendMessageW(FTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TContrastPanel::SetTextColor(TColor color) {
  color &= 0xFFFFFFu;
  if (color == FText) return;
  FText = color;
  if (actShowContrast.Checked()) Show();
}

void TContrastPanel::SetCompareColor(TColor color) {
  FCompare = color & 0xFFFFFFu;
  edtCompare.SetColor(FCompare);
  Show();
}

void TContrastPanel::SetShown(bool shown) {
  actShowContrast.SetChecked(shown);
  pnlContrast.SetVisible(shown);
  if (shown) Show();
}

void TContrastPanel::Swap() {
  std::swap(FText, FCompare);
  edtCompare.SetColor(FCompare);
  if (SetCurrentColor) SetCurrentColor(FText);
  Show();
}

std::optional<TColor> TContrastPanel::FixFor(double ratio) const { return NearestPassingColor(FText, FCompare, ratio); }

std::wstring TContrastPanel::FixTip(const fw::TButton& button) const {
  return &button == &btnFixAA ? FTipAA : &button == &btnFixAAA ? FTipAAA : std::wstring();
}

void TContrastPanel::Fix(double ratio) {
  // Computed again: the colours may have changed since the buttons were set.
  if (const std::optional<TColor> fixed = FixFor(ratio); fixed && SetCurrentColor) SetCurrentColor(*fixed);
}

void TContrastPanel::Show() {
  if (!pnlContrast.HandleAllocated()) return;
  const TContrastReport r = MeasureContrast(FText, FCompare);
  const std::wstring ratio = ContrastRatioText(r.ratio);
  const std::wstring normal = UiText(IDS_CONTRAST_NORMAL), large = UiText(IDS_CONTRAST_LARGE);
  const std::wstring wcag = L"AA " + normal + Mark(r.verdict.aaNormal) + L" " + large + Mark(r.verdict.aaLarge) +
                            L"\r\nAAA " + normal + Mark(r.verdict.aaaNormal) + L" " + large + Mark(r.verdict.aaaLarge);
  const std::wstring apca = L"APCA Lc " + r.apcaText;
  std::wstring kinds;
  for (TCvdKind kind : HardToTellApart(FText, FCompare)) kinds += (kinds.empty() ? L"" : L"/") + std::wstring(CvdLetter(kind));
  const std::wstring cvd = kinds.empty() ? std::wstring() : UiText(IDS_CONTRAST_CVD, kinds);
  if (lblRatio.Text() != ratio) lblRatio.SetText(ratio);
  if (lblWcag.Text() != wcag) lblWcag.SetText(wcag);
  if (lblApca.Text() != apca) lblApca.SetText(apca);
  if (lblCvd.Text() != cvd) lblCvd.SetText(cvd);
  ShowFixes();
  pboxSample.Invalidate();
}

void TContrastPanel::ShowFixes() {
  const struct {
    fw::TButton& Button;
    double Ratio;
    std::wstring& Tip;
  } fixes[] = {{btnFixAA, kAA, FTipAA}, {btnFixAAA, kAAA, FTipAAA}};
  for (const auto& f : fixes) {
    const bool reachable = FixFor(f.Ratio).has_value();
    std::wstring tip = reachable ? std::wstring() : UiText(IDS_CONTRAST_FIX_NONE, f.Ratio == kAA ? L"4.5" : L"7");
    if (f.Button.Enabled() != reachable) f.Button.SetEnabled(reachable);
    if (tip == f.Tip) continue;
    f.Tip = std::move(tip);
    if (!FTips) continue;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = pnlContrast.Handle();
    tool.uId = static_cast<UINT_PTR>(f.Button.ControlId());
    tool.lpszText = f.Tip.data();
    ::SendMessageW(FTips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

void TContrastPanel::pboxSamplePaint(HDC dc) {
  const int w = pboxSample.ClientWidth(), h = pboxSample.ClientHeight();
  RECT r{0, 0, w, h};
  fw::TUniqueBrush back(::CreateSolidBrush(FCompare));
  ::FillRect(dc, &r, back.Get());
  // Which is which, in the sample's own colours: the word for text above, the word for background below.
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, FText);
  fw::TSelectObject font(dc, pboxSample.Font() ? pboxSample.Font() : ::GetStockObject(DEFAULT_GUI_FONT));
  const std::wstring text = UiText(IDS_CONTRAST_TEXT), background = UiText(IDS_CONTRAST_BACKGROUND);
  RECT top{0, 0, w, h * 3 / 5}, bottom{0, h * 3 / 5, w, h};
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &top, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::DrawTextW(dc, background.c_str(), static_cast<int>(background.size()), &bottom,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  // A frame of the window-text colour keeps the sample apart from the panel in any theme.
  ::FrameRect(dc, &r, fw::ThemeBrush(fw::TThemeRole::WindowText));
}

void TContrastPanel::LoadSettings(const std::wstring& key) {
  FSettingsKey = key;
  if (key.empty()) return;
  // Stored as "#RRGGBB"; read with the one colour reader, and anything it does not take leaves white.
  const TCssColor stored = ParseCssColor(GetRegistryVal(HKEY_CURRENT_USER, key, L"CompareColor"));
  if (stored.status == TCssColorStatus::Color) SetCompareColor(stored.color);
  SetShown(GetRegistryVal(HKEY_CURRENT_USER, key, L"ContrastReadout") == L"1");
}

void TContrastPanel::SaveSettings() const {
  if (FSettingsKey.empty()) return;
  SetRegistryVal(HKEY_CURRENT_USER, FSettingsKey, L"CompareColor", HexOf(FCompare));
  SetRegistryVal(HKEY_CURRENT_USER, FSettingsKey, L"ContrastReadout", actShowContrast.Checked() ? L"1" : L"0");
}
