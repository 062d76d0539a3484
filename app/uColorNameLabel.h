#pragma once
// The current colour's name beside its swatch: the CSS name, or "≈" and the
// nearest one, in a font small enough for the longest names, with the whole
// name as its tool tip; and under the editors a note about how the colour
// came in (brought into sRGB, or a text that was no colour), gone with the
// next colour.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <functional>
#include <string>

#include "core/color/uColor.h"
#include "framework/Handles.h"
#include "framework/Panel.h"
#include "framework/Timer.h"

class TColorNameLabel {
  // Heights 12 down to 8 at the label's DPI, made when first needed; they
  // outlive the label that shows with them.
  std::array<fw::TUniqueFont, 5> FFonts;

 public:
  TColorNameLabel() = default;
  ~TColorNameLabel();
  TColorNameLabel(const TColorNameLabel&) = delete;
  TColorNameLabel& operator=(const TColorNameLabel&) = delete;

  void Create(fw::TWindow& parent);
  // The fonts again at the label's DPI, after the window went to another.
  void DpiChanged();
  // Cheap for the eyedropper's every move: a new name is written at once
  // when the last one is older than kInterval, otherwise when that time is
  // up, so a drag across many colours writes the label ten times a second.
  void SetColor(TColor color);
  static constexpr unsigned kInterval = 100;  // ms
  // The designed font height, and the smallest one a long name may take.
  static constexpr int kFontHeight = 12, kSmallestFontHeight = 8;
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
  // The tool tip over the label, which shows the whole name.
  HWND ToolTip() const noexcept { return FToolTip; }

 private:
  void Write();
  // The largest of the fonts in which the shown name fits the label.
  void FitFont();
  HFONT FontOfHeight(int height);
  // The label lets the pointer through, so the tip is the parent's, over the label's place.
  TTTOOLINFOW ToolInfo() const noexcept;

  bool FKnown = false;
  TColor FColor = 0;
  std::wstring FText, FShown;
  unsigned long FLastWrite = 0;
  fw::TWindowTimer FTimer{1};
  HWND FToolTip = nullptr;
};
