#pragma once
// The main window's channel editor panel: the twelve editors, the swatch and
// the update paths that keep every channel in step.
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/color/uColorFactors.h"
#include "controls/uColorEditVel.h"
#include "controls/uEditTrackBarVel.h"
#include "framework/Accessible.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"

class TChannelPanel {
 public:
  // Creates the controls on parent, in tab order.
  void Create(fw::TWindow& parent);

  // The twelve editors, in factor order: the index is each one's Tag.
  TEditTrackBarVel edtRed, edtGrn, edtBlu, edtHue, edtSat, edtBri;
  TEditTrackBarVel edtHSLHue, edtHSLSat, edtHSLBri, edtY, edtCb, edtCr;
  std::array<fw::TLabel, ColorFactorCount> lblFactors;
  // Before the swatch, which reads it until its window goes.
  fw::TPlainAccessible SwatchAccessible{ROLE_SYSTEM_GRAPHIC};
  fw::TPaintBox pboxColor;
  fw::TLabel lblColor;
  // The swatch's spoken name for a colour (its hex text and nearest name).
  std::function<std::wstring(TColor color)> SwatchName;
  // The current colour as text: typed or pasted in any form the paste reads
  // (the owner's OnApply reads it). Named by lblColor, which precedes it.
  TColorEditVel edtColorText;

  // What the swatch paints for the current colour; empty paints it as it is.
  std::function<TColor(TColor color)> DisplayColor;
  // The swatch again, after DisplayColor changed.
  void RepaintSwatch();

  // The current colour. Code that stores Red, Grn and Blu (0..255) runs
  // UpdateFromRGB afterwards.
  TColorFactors& Factors() noexcept { return FFactors; }
  const TColorFactors& Factors() const noexcept { return FFactors; }
  std::int32_t Updating() const noexcept { return FUpdating; }
  TEditTrackBarVel& FactorEditor(int index);

  void SetColor(TColor color);
  // After every update of the current colour, with the colour.
  std::function<void(TColor color)> OnColorChange;
  void UpdateFromRGB();
  void UpdateFromHSV();
  void UpdateFromHSL();
  void UpdateFromYCbCr();
  void ShowFactors();
  void SetEditValue(TEditTrackBarVel& editor, int value);

  void edtFactorChange(fw::TObject* sender);
  void edtRedKeyPress(fw::TObject* sender, wchar_t& key);
  void edtEnter(fw::TObject* sender);
  void pboxColorPaint(fw::TObject* sender, HDC dc);

 private:
  // Derives the rest from one group, shows it and paints the swatch.
  void RunUpdatePath(void (*derive)(TColorFactors&));
  void PaintSwatchNow();
  TColor ShownColor() const;

  TColorFactors FFactors;
  std::int32_t FUpdating = 0;

};
