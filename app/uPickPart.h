#pragma once
// The main window's side of the pick mode: 画面から取得 (Ctrl+K, also
// Space or Enter on the eyedropper box and the pick hot key), the
// 画面を固定して取得 option ("PickFreeze", written when it changes) and the
// frozen screen under the eyedropper's drag.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "app/uFrozenScreen.h"
#include "app/uPickMode.h"
#include "app/uScreenSampler.h"
#include "framework/Action.h"

class TPickPart {
 public:
  TPickPart(fw::TActionList& actions, TScreenSampler& sampler);

  fw::TAction& actPickFromScreen;
  fw::TAction& actPickFreeze;
  TPickMode Mode;

  void LoadSettings(const std::wstring& key);
  bool Freeze() const noexcept { return FFreeze; }
  void SetFreeze(bool freeze);

  // With the sampler's area mode and zoom and the freeze option; at: where
  // the pointer goes first.
  void StartPick(std::optional<POINT> at = std::nullopt);

  // A pick's colour; the zoom it ended at is the sampler's from then on.
  std::function<void(TColor color)> OnPicked;

 private:
  void EndPick();

  TScreenSampler& FSampler;
  TFrozenScreen FDragFrozen;
  std::wstring FKey;
  bool FFreeze = false;
};
