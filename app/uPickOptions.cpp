#include "app/uPickOptions.h"

#include <windowsx.h>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "app/ufrmHotKey.h"
#include "framework/Application.h"
#include "framework/support/uAppMessage.h"
#include "framework/support/uRegistry.h"

namespace {

const UINT kSamplingCaptions[] = {IDS_ACT_SAMPLING_1, IDS_ACT_SAMPLING_3, IDS_ACT_SAMPLING_5, IDS_ACT_SAMPLING_9,
                                  IDS_ACT_SAMPLING_5_MODE};
static_assert(std::size(kSamplingCaptions) == std::size(kSamplingChoices));

// Its own radio group beside the hexadecimal order's (1) and the language's (2).
constexpr int kSamplingGroup = 3;

}  // namespace

TPickOptions::TPickOptions(fw::TWindow& window, TScreenSampler& sampler, fw::TActionList& actions)
    : actsmSampling(actions.Add<TActionSubMenu>(L"actsmSampling")),
      actHotKey(actions.Add(L"actHotKey")),
      FWindow(window),
      FSampler(sampler) {
  actsmSampling.SetCategory(L"070_設定");
  actsmSampling.SetCaption(UiText(IDS_ACT_SAMPLING));
  actHotKey.SetCategory(L"070_設定");
  actHotKey.SetCaption(UiText(IDS_ACT_HOT_KEY));
  actHotKey.OnExecute = [this](fw::TObject* s) { actHotKeyExecute(s); };
  for (size_t i = 0; i < std::size(kSamplingChoices); ++i) {
    fw::TAction& a = actions.Add(L"actSampling" + std::to_wstring(i));
    a.SetCategory(L"070_設定");
    a.SetCaption(UiText(kSamplingCaptions[i]));
    a.SetGroupIndex(kSamplingGroup);
    a.OnExecute = [this, i](fw::TObject*) {
      SetSampling(kSamplingChoices[i]);
      Store();
    };
    actSampling[i] = &a;
  }
  actSampling[0]->SetChecked(true);
}

TPickOptions::~TPickOptions() { Unregister(); }

void TPickOptions::AddMenuItems(fw::TMenuItem& settings) {
  fw::TMenuItem& sub = settings.Add(fw::TMenuItem::Submenu(L""));
  sub.SetAction(&actsmSampling);
  actsmSampling.SetLinkSubitems(&sub);
  for (fw::TAction* a : actSampling) sub.AddAction(*a);
  settings.AddAction(actHotKey);
}

void TPickOptions::SetSampling(const TSampling& sampling) {
  FSampler.SetSampling(sampling);
  for (size_t i = 0; i < std::size(kSamplingChoices); ++i)
    if (kSamplingChoices[i] == FSampler.Sampling()) actSampling[i]->SetChecked(true);
}

void TPickOptions::Load(const std::wstring& key) {
  if (key.empty()) return;
  auto read = [&](const wchar_t* name) { return GetRegistryVal(HKEY_CURRENT_USER, key, name); };
  SetSampling(ParseSampling(read(L"SampleSize"), read(L"SampleMode")));
  FSampler.SetZoom(ParseZoomFactor(read(L"ZoomFactor")));
  FKey = key;
  // Kept at once, so that a crash loses no choice of the user's.
  FSampler.OnZoomChange = [this](fw::TObject*) { Store(); };
  FAddToList = read(L"PickHotKeyAdd") == L"1";
  FStartsPickMode = read(L"PickHotKeyMode") != L"0";
  // A key another program took meanwhile stays chosen, unregistered, so it
  // is not lost from the settings; the dialog shows it and can try again.
  const THotKey stored = ParseHotKey(read(L"PickHotKey"));
  if (!SetHotKey(stored)) FHotKey = stored;
}

void TPickOptions::SaveAndRelease(const std::wstring& key) {
  Unregister();
  Store(key);
}

void TPickOptions::Store() const { Store(FKey); }

void TPickOptions::Store(const std::wstring& key) const {
  if (key.empty()) return;
  auto write = [&](const wchar_t* name, const std::wstring& text) {
    fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, key, name, text); });
  };
  write(L"SampleSize", SampleSizeText(FSampler.Sampling()));
  write(L"SampleMode", SampleModeText(FSampler.Sampling()));
  write(L"ZoomFactor", ZoomFactorText(FSampler.Zoom()));
  write(L"PickHotKey", HotKeyText(FHotKey));
  write(L"PickHotKeyAdd", FAddToList ? L"1" : L"0");
  write(L"PickHotKeyMode", FStartsPickMode ? L"1" : L"0");
}

bool TPickOptions::OverMagnifier(POINT screen) const {
  const HWND zoom = FSampler.pnlZoom.Handle();
  if (!zoom || !::IsWindowVisible(zoom)) return false;
  RECT r{};
  return ::GetWindowRect(zoom, &r) && ::PtInRect(&r, screen);
}

bool TPickOptions::PreTranslateMessage(const MSG& msg) {
  // The keys go to the focused control, not to the box that has the capture.
  if (msg.message == WM_KEYDOWN && FSampler.SpoitDragging())
    return FSampler.SpoitNudge(static_cast<WORD>(msg.wParam), ::GetKeyState(VK_SHIFT) < 0);
  if (msg.message != WM_MOUSEWHEEL) return false;
  const POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (!FSampler.SpoitDragging() && !OverMagnifier(at)) return false;
  FSampler.ZoomWheel(GET_WHEEL_DELTA_WPARAM(msg.wParam));
  return true;
}

void TPickOptions::WmHotKey(WPARAM id) {
  if (id != kHotKeyId) return;
  if (FStartsPickMode && OnStartPickMode) {
    OnStartPickMode(this);
    return;
  }
  POINT at{};
  if (!::GetCursorPos(&at)) return;
  FSampler.PickAtScreenPoint(at);
  if (FAddToList && OnAddToList) OnAddToList(this);
}

bool TPickOptions::Register(const THotKey& key) {
  if (!ValidHotKey(key) || !FWindow.Handle()) return false;
  return ::RegisterHotKey(FWindow.Handle(), kHotKeyId, key.Modifiers | MOD_NOREPEAT, key.Key) != FALSE;
}

void TPickOptions::Unregister() {
  if (!FRegistered) return;
  if (FWindow.Handle()) ::UnregisterHotKey(FWindow.Handle(), kHotKeyId);
  FRegistered = false;
}

bool TPickOptions::SetHotKey(const THotKey& key) {
  if (key == FHotKey && (FRegistered || key.IsNone())) return true;
  const bool hadOld = FRegistered;
  Unregister();
  if (!key.IsNone() && !Register(key)) {
    if (hadOld) FRegistered = Register(FHotKey);
    return false;
  }
  FHotKey = key;
  FRegistered = !key.IsNone();
  return true;
}

void TPickOptions::actHotKeyExecute(fw::TObject*) {
  TfrmHotKey dialog(&FWindow);
  dialog.SetKey(FHotKey);
  dialog.SetAddToList(FAddToList);
  dialog.SetStartsPickMode(FStartsPickMode);
  dialog.OnAccept = [this](const THotKey& key) {
    if (SetHotKey(key)) return true;
    if (ShowMessage)
      ShowMessage(UiText(IDS_HOT_KEY_TAKEN));
    else
      ShowAppMessage(UiText(IDS_HOT_KEY_TAKEN));
    return false;
  };
  if (dialog.ShowModal() != fw::TForm::mrOk) return;
  FAddToList = dialog.AddToList();
  FStartsPickMode = dialog.StartsPickMode();
  Store();
}
