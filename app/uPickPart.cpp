#include "app/uPickPart.h"

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "framework/Cursors.h"
#include "framework/support/uRegistry.h"

TPickPart::TPickPart(fw::TActionList& actions, TScreenSampler& sampler)
    : actPickFromScreen(actions.Add(L"actPickFromScreen")),
      actPickFreeze(actions.Add(L"actPickFreeze")),
      FSampler(sampler) {
  actPickFromScreen.SetCategory(L"020_編集");
  actPickFromScreen.SetCaption(UiText(IDS_ACT_PICK_SCREEN));
  actPickFromScreen.SetShortCut(fw::TShortCut{'K', true, false, false});
  actPickFromScreen.SetImageIndex(12);
  actPickFromScreen.OnExecute = [this](fw::TObject*) { StartPick(); };
  actPickFreeze.SetCategory(L"070_設定");
  actPickFreeze.SetCaption(UiText(IDS_ACT_PICK_FREEZE));
  actPickFreeze.OnExecute = [this](fw::TObject*) { SetFreeze(!FFreeze); };

  Mode.OnPick = [this](TColor color) {
    EndPick();
    if (OnPicked) OnPicked(color);
  };
  Mode.OnCancel = [this] { EndPick(); };
  sampler.OnSpoitBegin = [this](fw::TObject*) {
    if (FFreeze) FDragFrozen.Freeze(FSampler.Monitors(), fw::CursorEntry(crSpoit), UiText(IDS_PICK_FROZEN_TITLE));
  };
  sampler.OnSpoitEnd = [this](fw::TObject*) { FDragFrozen.Thaw(); };
  sampler.FrozenSource = [this] { return FDragFrozen.Source(); };
  sampler.pboxSpoit.OnKeyPick = [this](fw::TObject*) {
    RECT r{};
    ::GetWindowRect(FSampler.pboxSpoit.Handle(), &r);
    StartPick(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  };
}

void TPickPart::LoadSettings(const std::wstring& key) {
  FKey = key;
  FFreeze = !key.empty() && GetRegistryVal(HKEY_CURRENT_USER, key, L"PickFreeze") == L"1";
  actPickFreeze.SetChecked(FFreeze);
}

void TPickPart::SetFreeze(bool freeze) {
  FFreeze = freeze;
  actPickFreeze.SetChecked(freeze);
  if (!FKey.empty()) SetRegistryVal(HKEY_CURRENT_USER, FKey, L"PickFreeze", freeze ? L"1" : L"0");
}

void TPickPart::StartPick(std::optional<POINT> at) {
  if (Mode.Active() || FSampler.SpoitDragging()) return;
  Mode.Start(TPickRequest{FSampler.Sampling(), FSampler.Zoom(), FFreeze, at});
}

void TPickPart::EndPick() { FSampler.SetZoom(Mode.Zoom()); }
