#pragma once
// The eyedropper's settings part of the main window: the sampled area
// (settings menu), the magnifier's zoom, the arrow keys and wheel while the
// eyedropper is held, and the system-wide pick hot key.
#include <windows.h>

#include <functional>
#include <iterator>
#include <string>

#include "app/shell/uActionSubMenu.h"
#include "app/uScreenSampler.h"
#include "core/sampling/uPickSettings.h"
#include "framework/Action.h"
#include "framework/Menu.h"

class TPickOptions : public fw::TObject {
 public:
  // window receives WM_HOTKEY and owns the hot-key dialog.
  TPickOptions(fw::TWindow& window, TScreenSampler& sampler, fw::TActionList& actions);
  ~TPickOptions() override;

  // In kSamplingChoices' order; a radio group.
  fw::TAction* actSampling[std::size(kSamplingChoices)] = {};
  TActionSubMenu& actsmSampling;
  fw::TAction& actHotKey;

  // The 取得範囲 submenu and the hot-key item.
  void AddMenuItems(fw::TMenuItem& settings);

  // Reads the settings (an empty key keeps the defaults) and registers the
  // hot key; the window must exist.
  void Load(const std::wstring& key);
  // Writes them (not for an empty key) and lets the hot key go.
  void SaveAndRelease(const std::wstring& key);

  // Arrow keys and the wheel while the eyedropper is held, and the wheel
  // over the magnifier: true when the message was used.
  bool PreTranslateMessage(const MSG& msg);
  // WM_HOTKEY: picks under the pointer, and adds to the list when asked.
  void WmHotKey(WPARAM id);

  void SetSampling(const TSampling& sampling);

  const THotKey& HotKey() const noexcept { return FHotKey; }
  bool HotKeyRegistered() const noexcept { return FRegistered; }
  // Registers key (none: no hot key) in place of the current one. A key the
  // system refuses (another program holds it) changes nothing: false.
  bool SetHotKey(const THotKey& key);
  bool HotKeyAddsToList() const noexcept { return FAddToList; }
  void SetHotKeyAddsToList(bool add) noexcept { FAddToList = add; }
  // "PickHotKeyMode": 1 (the default) starts the pick mode, 0 picks at once.
  bool HotKeyStartsPickMode() const noexcept { return FStartsPickMode; }
  void SetHotKeyStartsPickMode(bool starts) noexcept { FStartsPickMode = starts; }

  static constexpr int kHotKeyId = 1;

  // The hot key added a colour to the list (as 追加 does).
  fw::TNotifyEvent OnAddToList;
  // The hot key asks for the pick mode.
  fw::TNotifyEvent OnStartPickMode;
  // The refusal of a taken key; the plain message box when unset.
  std::function<void(const std::wstring& text)> ShowMessage;

 private:
  void actHotKeyExecute(fw::TObject* sender);
  // Every setting of the eyedropper and the hot key, under key (the loaded one by default).
  void Store() const;
  void Store(const std::wstring& key) const;
  bool Register(const THotKey& key);
  void Unregister();
  bool OverMagnifier(POINT screen) const;

  fw::TWindow& FWindow;
  TScreenSampler& FSampler;
  THotKey FHotKey;
  bool FRegistered = false;
  bool FAddToList = false;
  bool FStartsPickMode = true;
  std::wstring FKey;
};
