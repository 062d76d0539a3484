#include "app/uContrastPanel.h"

#include <utility>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorChannels.h"
#include "core/colorout/uContrast.h"
#include "framework/Handles.h"
#include "framework/support/uRegistry.h"

namespace {

std::wstring Mark(bool pass) { return UiText(pass ? IDS_CONTRAST_PASS : IDS_CONTRAST_FAIL); }

std::wstring HexOf(TColor color) { return ColorToHexText(RedOf(color), GreenOf(color), BlueOf(color), 0); }

// "#RRGGBB" as stored; none for anything else.
bool ParseStoredColor(const std::wstring& text, TColor& color) {
  if (text.size() != 7 || text[0] != L'#') return false;
  TColor rgb = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const wchar_t c = text[i];
    int d = c >= L'0' && c <= L'9'   ? c - L'0'
            : c >= L'A' && c <= L'F' ? c - L'A' + 10
            : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                     : -1;
    if (d < 0) return false;
    rgb = rgb << 4 | static_cast<TColor>(d);
  }
  color = MakeColor(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8 & 0xFF), static_cast<int>(rgb & 0xFF));
  return true;
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
  pnlContrast.SetHeight(56);
  pnlContrast.SetAlign(fw::TAlign::alBottom);
  pnlContrast.SetVisible(actShowContrast.Checked());
  pnlContrast.Create(&parent);
  pboxSample.SetControlId(ControlIds::pboxContrastSample);
  pboxSample.SetBounds(4, 4, 48, 48);
  pboxSample.OnPaint = [this](fw::TObject*, HDC dc) { pboxSamplePaint(dc); };
  pboxSample.Create(&pnlContrast);
  const struct {
    fw::TLabel& Label;
    int Id, Left, Top, Width;
  } labels[] = {
      {lblRatio, ControlIds::lblContrastRatio, 58, 4, 60},
      {lblApca, ControlIds::lblContrastApca, 120, 4, 100},
      {lblWcag, ControlIds::lblContrastWcag, 58, 21, 170},
  };
  for (const auto& l : labels) {
    l.Label.SetControlId(l.Id);
    l.Label.SetBounds(l.Left, l.Top, l.Width, l.Id == ControlIds::lblContrastWcag ? 32 : 14);
    l.Label.Create(&pnlContrast, L"");
  }
  btnSwap.SetControlId(ControlIds::btnContrastSwap);
  btnSwap.SetBounds(230, 16, 56, 23);
  btnSwap.OnClick = [this](fw::TObject*) { Swap(); };
  btnSwap.Create(&pnlContrast, UiText(IDS_CONTRAST_SWAP));
  Show();
}

void TContrastPanel::SetTextColor(TColor color) {
  color &= 0xFFFFFFu;
  if (color == FText) return;
  FText = color;
  if (actShowContrast.Checked()) Show();
}

void TContrastPanel::SetCompareColor(TColor color) {
  FCompare = color & 0xFFFFFFu;
  Show();
}

void TContrastPanel::SetShown(bool shown) {
  actShowContrast.SetChecked(shown);
  pnlContrast.SetVisible(shown);
  if (shown) Show();
}

void TContrastPanel::Swap() {
  std::swap(FText, FCompare);
  if (SetCurrentColor) SetCurrentColor(FText);
  Show();
}

void TContrastPanel::Show() {
  if (!pnlContrast.HandleAllocated()) return;
  const TContrastReport r = MeasureContrast(FText, FCompare);
  const std::wstring ratio = r.ratioText;
  const std::wstring normal = UiText(IDS_CONTRAST_NORMAL), large = UiText(IDS_CONTRAST_LARGE);
  const std::wstring wcag = L"AA " + normal + Mark(r.verdict.aaNormal) + L" " + large + Mark(r.verdict.aaLarge) +
                            L"\r\nAAA " + normal + Mark(r.verdict.aaaNormal) + L" " + large + Mark(r.verdict.aaaLarge);
  const std::wstring apca = L"APCA Lc " + r.apcaText;
  if (lblRatio.Text() != ratio) lblRatio.SetText(ratio);
  if (lblWcag.Text() != wcag) lblWcag.SetText(wcag);
  if (lblApca.Text() != apca) lblApca.SetText(apca);
  pboxSample.Invalidate();
}

void TContrastPanel::pboxSamplePaint(HDC dc) {
  RECT r{0, 0, pboxSample.ClientWidth(), pboxSample.ClientHeight()};
  fw::TUniqueBrush back(::CreateSolidBrush(FCompare));
  ::FillRect(dc, &r, back.Get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, FText);
  ::DrawTextW(dc, L"Aa", 2, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TContrastPanel::LoadSettings(const std::wstring& key) {
  FSettingsKey = key;
  if (key.empty()) return;
  TColor color = 0;
  if (ParseStoredColor(GetRegistryVal(HKEY_CURRENT_USER, key, L"CompareColor"), color)) SetCompareColor(color);
  SetShown(GetRegistryVal(HKEY_CURRENT_USER, key, L"ContrastReadout") == L"1");
}

void TContrastPanel::SaveSettings() const {
  if (FSettingsKey.empty()) return;
  SetRegistryVal(HKEY_CURRENT_USER, FSettingsKey, L"CompareColor", HexOf(FCompare));
  SetRegistryVal(HKEY_CURRENT_USER, FSettingsKey, L"ContrastReadout", actShowContrast.Checked() ? L"1" : L"0");
}
