#include "app/uColorVision.h"

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "core/shell/uIntToken.h"
#include "framework/support/uRegistry.h"

namespace {

constexpr UINT kCaptions[] = {IDS_CVD_NONE, IDS_CVD_PROTAN, IDS_CVD_DEUTAN, IDS_CVD_TRITAN, IDS_CVD_ACHROMA};
constexpr UINT kShortCaptions[] = {0, IDS_CVD_MARK_PROTAN, IDS_CVD_MARK_DEUTAN, IDS_CVD_MARK_TRITAN,
                                   IDS_CVD_MARK_ACHROMA};

// Apart from the other radio groups of the menus (1 hex order, 2 language, 3 pick area).
constexpr int kCvdGroup = 25;

}  // namespace

TColorVisionPart::TColorVisionPart(fw::TActionList& actions)
    : actsmCvd(actions.Add<TActionSubMenu>(L"actsmCvdSimulation")) {
  actsmCvd.SetCategory(L"030_表示");
  actsmCvd.SetCaption(UiText(IDS_ACT_CVD));
  for (std::size_t i = 0; i < actCvd.size(); ++i) {
    fw::TAction& a = actions.Add(L"actCvd" + std::to_wstring(i));
    a.SetCategory(L"030_表示");
    a.SetCaption(UiText(kCaptions[i]));
    a.SetGroupIndex(kCvdGroup);
    a.OnExecute = [this, i](fw::TObject*) { SetKind(CvdKindFromSetting(static_cast<int>(i))); };
    actCvd[i] = &a;
  }
  actCvd[0]->SetChecked(true);
}

void TColorVisionPart::AddToMenu(fw::TMenuItem& view) {
  fw::TMenuItem& sub = view.Add(fw::TMenuItem::Submenu(L""));
  sub.SetAction(&actsmCvd);
  actsmCvd.SetLinkSubitems(&sub);
  for (fw::TAction* a : actCvd) sub.AddAction(*a);
}

void TColorVisionPart::Create(fw::TWindow& parent) {
  lblCvdMark.SetControlId(ControlIds::lblCvdMark);
  // Under the swatch's label, left of the swatch: clear of every designed control.
  lblCvdMark.SetBounds(0, 58, 38, 26);
  lblCvdMark.Create(&parent, ShortMarker(), fw::TAlignment::taRightJustify);
}

void TColorVisionPart::LoadSettings(const std::wstring& key) {
  FKey.clear();
  if (!key.empty())
    SetKind(CvdKindFromSetting(TextToInt(GetRegistryVal(HKEY_CURRENT_USER, key, L"CvdSimulation")).value_or(0)));
  // From here on every choice is written at once, so a crash keeps it.
  FKey = key;
}

void TColorVisionPart::SetKind(TCvdKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  if (index >= actCvd.size()) return;
  actCvd[index]->SetChecked(true);
  if (kind == FKind) return;
  FKind = kind;
  if (lblCvdMark.HandleAllocated()) lblCvdMark.SetText(ShortMarker());
  if (OnChange) OnChange(nullptr);
  if (!FKey.empty()) SetRegistryVal(HKEY_CURRENT_USER, FKey, L"CvdSimulation", std::to_wstring(index));
}

TColor TColorVisionPart::Shown(TColor color) const {
  return FKind == TCvdKind::None ? color : SimulateCvd(color & 0xFFFFFFu, FKind);
}

TDisplayColor TColorVisionPart::DisplayColor() const {
  if (FKind == TCvdKind::None) return {};
  return [kind = FKind](TColor color) { return SimulateCvd(color & 0xFFFFFFu, kind); };
}

std::wstring TColorVisionPart::Marker() const {
  return FKind == TCvdKind::None ? std::wstring() : UiText(kCaptions[static_cast<std::size_t>(FKind)]);
}

std::wstring TColorVisionPart::ShortMarker() const {
  return FKind == TCvdKind::None ? std::wstring() : UiText(kShortCaptions[static_cast<std::size_t>(FKind)]);
}
