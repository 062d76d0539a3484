#pragma once
// The contrast readout under the list: the current colour as text on the
// comparison colour, the WCAG 2.x ratio (rounded down) with its pass marks
// at normal and large text, the APCA Lc, a button that swaps text and
// background, the comparison colour as text that can be typed, the two
// buttons that make the nearest passing colour current, and the colour
// vision deficiencies under which the two are hard to tell apart.
// Its texts are static controls, so screen readers read them.
#include <functional>
#include <optional>
#include <string>

#include "controls/uColorEditVel.h"
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

  // The current colour, and how the swap and the fixes make a colour current.
  std::function<TColor()> CurrentColor;
  std::function<void(TColor color)> SetCurrentColor;

  // Creates the hidden readout at the bottom of parent.
  void Create(fw::TWindow& parent);
  // Reads a typed comparison colour; none when the text is no colour.
  std::function<std::optional<TColor>(const std::wstring& text)> ReadColorText;

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
  fw::TLabel lblCompare, lblCvd;
  TColorEditVel edtCompare;
  fw::TButton btnFixAA, btnFixAAA;

  // What a fix button would make current; none when no lightness reaches its ratio.
  std::optional<TColor> FixFor(double ratio) const;
  // The tip of a fix button: empty while it is enabled.
  std::wstring FixTip(const fw::TButton& button) const;

 private:
  void Show();
  void ShowFixes();
  void Fix(double ratio);
  void pboxSamplePaint(HDC dc);
  // The tool tip of the fix buttons, on the panel: a disabled button gets no mouse.
  void CreateTips();

  TColor FText = 0;
  TColor FCompare = 0xFFFFFF;
  std::wstring FSettingsKey;
  std::wstring FTipAA, FTipAAA;
  // Owned by the panel's window, which takes it along when it goes.
  HWND FTips = nullptr;
};
