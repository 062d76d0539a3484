#pragma once
// The current colour's name beside its swatch: the CSS name, or "≈" and the
// nearest one.
#include "core/color/uColor.h"
#include "framework/Handles.h"
#include "framework/Panel.h"

class TColorNameLabel {
  fw::TUniqueFont FFont;  // outlives the label that shows with it

 public:
  void Create(fw::TWindow& parent);
  // Cheap for the eyedropper's every move: the text is written only when the
  // name changes.
  void SetColor(TColor color);

  fw::TLabel lblColorName;

 private:
  bool FKnown = false;
  TColor FColor = 0;
  std::wstring FText;
};
