#pragma once
// 配色: the tonal scale and the five harmonies of a colour as swatches with
// their hex text, one add button a set (each set goes into the list as one
// step of its history, with its comments), and a click, Enter or Space on a
// swatch making that colour current. The sets stay those of the colour the
// dialog was opened for, so several of them can be taken from one source.
#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/color/uColor.h"
#include "core/colorout/uColorHarmonies.h"
#include "core/colorout/uPalette.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/PaintBox.h"
#include "framework/Panel.h"

// One colour of a set: the true colour in a frame of the window-text colour,
// its hex text below. It takes the focus; its window text (hex and comment)
// is what a screen reader reads.
class THarmonySwatch : public fw::TPaintBox {
 public:
  static constexpr int kWidth = 62, kHeight = 48;

  void Create(fw::TWindow* parent, const THarmonyColor& color);
  TColor Color() const noexcept { return FColor.color; }
  const std::wstring& Comment() const noexcept { return FColor.comment; }

  fw::TNotifyEvent OnChoose;

 protected:
  void CreateParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMKeyDown(WORD& key, fw::TShiftState shift) override;
  void WMSetFocus(HWND) override { Invalidate(); }
  void WMKillFocus(HWND) override { Invalidate(); }

 private:
  void Choose();

  THarmonyColor FColor;
};

class TfrmHarmonies : public fw::TDialog {
 public:
  // The sets in the order of their rows.
  static constexpr std::array<THarmonySet, 6> kSets{THarmonySet::Scale,   THarmonySet::Complementary,
                                                    THarmonySet::Analogous, THarmonySet::Triadic,
                                                    THarmonySet::SplitComplementary, THarmonySet::Tetradic};

  TfrmHarmonies(fw::TWindow* owner, TColor color);
  ~TfrmHarmonies() override;

  // An add button: the set's colours with their comments, to be appended as one step.
  std::function<void(std::span<const TPaletteEntry> entries)> OnAdd;
  // A swatch was chosen: its colour becomes current.
  std::function<void(TColor color)> OnChoose;

  struct TRow {
    std::vector<std::unique_ptr<THarmonySwatch>> Swatches;
    fw::TButton btnAdd;
  };
  std::array<TRow, kSets.size()> Rows;
  fw::TLabel lblSource;
  fw::TButton btnClose;

  TColor SourceColor() const noexcept { return FColor; }

 private:
  void FormCreate(fw::TObject* sender);
  void AddSet(std::size_t row);

  TColor FColor;
};
