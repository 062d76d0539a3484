#pragma once
// 色覚シミュレーション (表示 menu): the one place that knows what the user
// sees. The list's swatches, the current swatch, the magnifier and the loupe
// ask it for the colour to paint; numbers, texts and copies never do, so
// they stay the true colour. The choice is kept as "CvdSimulation" (0..4),
// written when it changes.
#include <array>
#include <string>

#include "app/shell/uActionSubMenu.h"
#include "app/uScreenCapture.h"
#include "core/color/uColor.h"
#include "core/colorout/uCvdSimulation.h"
#include "framework/Action.h"
#include "framework/Menu.h"
#include "framework/Panel.h"

class TColorVisionPart {
 public:
  explicit TColorVisionPart(fw::TActionList& actions);

  TActionSubMenu& actsmCvd;
  // なし, 1型 (P), 2型 (D), 3型 (T), 全色盲: in the order of TCvdKind.
  std::array<fw::TAction*, 5> actCvd{};

  void AddToMenu(fw::TMenuItem& view);
  // The marker left of the current swatch, on the channel panel.
  void Create(fw::TWindow& parent);
  fw::TLabel lblCvdMark;
  void LoadSettings(const std::wstring& key);

  TCvdKind Kind() const noexcept { return FKind; }
  void SetKind(TCvdKind kind);
  // The colour as painted: simulated while a simulation is chosen.
  TColor Shown(TColor color) const;
  // For the views that take a function; empty while nothing is simulated,
  // so they paint the true colours without a per-pixel call.
  TDisplayColor DisplayColor() const;
  // The simulation's name as the menu has it (the loupe), and its short
  // form beside the swatch; empty for none.
  std::wstring Marker() const;
  std::wstring ShortMarker() const;

  // After the choice changed: every view paints again.
  fw::TNotifyEvent OnChange;

 private:
  TCvdKind FKind = TCvdKind::None;
  std::wstring FKey;
};
