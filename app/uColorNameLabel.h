#pragma once
// The current colour's name beside its swatch: the CSS name, or "≈" and the
// nearest one; and under the editors a note about how the colour came in
// (brought into sRGB, or a text that was no colour), gone with the next colour.
#include <functional>
#include <string>

#include "core/color/uColor.h"
#include "framework/Handles.h"
#include "framework/Panel.h"
#include "framework/Timer.h"

class TColorNameLabel {
  fw::TUniqueFont FFont;  // outlives the label that shows with it

 public:
  void Create(fw::TWindow& parent);
  // The font again at the label's DPI, after the window went to another.
  void DpiChanged();
  // Cheap for the eyedropper's every move: a new name is written at once
  // when the last one is older than kInterval, otherwise when that time is
  // up, so a drag across many colours writes the label ten times a second.
  void SetColor(TColor color);
  static constexpr unsigned kInterval = 100;  // ms
  // Empty clears it.
  void SetNote(const std::wstring& note);
  fw::TLabel lblColorNote;

  class TNameStatic : public fw::TLabel {
   public:
    std::function<void()> OnTick;

   protected:
    void WMTimer(UINT_PTR) override {
      if (OnTick) OnTick();
    }
  } lblColorName;

 private:
  void Write();

  bool FKnown = false;
  TColor FColor = 0;
  std::wstring FText, FShown;
  unsigned long FLastWrite = 0;
  fw::TWindowTimer FTimer{1};
};
