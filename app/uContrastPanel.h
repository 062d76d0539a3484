#pragma once
// The contrast readout under the list: the current colour as text on the
// comparison colour, the WCAG 2.x ratio with its pass marks at normal and
// large text, the APCA Lc, and a button that swaps text and background.
// Its texts are static controls, so screen readers read them.
#include <functional>
#include <string>

#include "core/color/uColor.h"
#include "framework/Action.h"
#include "framework/Button.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"

class TContrastPanel {
 public:
  explicit TContrastPanel(fw::TActionList& actions);

  // 比較色に設定: the current colour becomes the comparison colour.
  fw::TAction& actSetCompare;
  // コントラストの表示: shows or hides the readout.
  fw::TAction& actShowContrast;

  // The current colour, and how the swap makes a colour current.
  std::function<TColor()> CurrentColor;
  std::function<void(TColor color)> SetCurrentColor;

  // Creates the hidden readout at the bottom of parent.
  void Create(fw::TWindow& parent);
  // The text colour changed.
  void SetTextColor(TColor color);
  TColor CompareColor() const noexcept { return FCompare; }
  void SetCompareColor(TColor color);
  void SetShown(bool shown);
  void Swap();

  void LoadSettings(const std::wstring& key);
  void SaveSettings() const;

  fw::TPanel pnlContrast;
  fw::TPaintBox pboxSample;
  fw::TLabel lblRatio, lblWcag, lblApca;
  fw::TButton btnSwap;

 private:
  void Show();
  void pboxSamplePaint(HDC dc);

  TColor FText = 0;
  TColor FCompare = 0xFFFFFF;
  std::wstring FSettingsKey;
};
