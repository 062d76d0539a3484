// The combo grid with 100,000 rows against the same grid with 10: a full
// paint, and adding one row (row count, seven cell texts, the paint that
// follows). Also the cost per row of filling 100,000 rows against 1,000.
// Run under Wine on a virtual display; prints microseconds per call.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "bench/WinBench.h"
#include "controls/grid/CmbGrid.h"
#include "framework/Application.h"
#include "framework/Form.h"

namespace {

struct TGridHost {
  explicit TGridHost(int left) {
    Form.SetBounds(left, 40, 420, 200);
    Form.SetFontFace(L"ＭＳ ゴシック", 13, SHIFTJIS_CHARSET);
    Form.Create(nullptr, WS_POPUP);
    Grid.SetColCount(7);
    Grid.SetDefaultRowHeight(17);
    Grid.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goDrawFocusSelected | goEditing);
    Grid.SetBounds(0, 0, 420, 200);
    Grid.Create(&Form);
    Form.Show();
  }
  void Fill(int rows) {
    Grid.SetRowCount(rows + 1);
    for (int r = 1; r <= rows; ++r) Row(r);
  }
  void Row(int r) {
    const std::wstring n = std::to_wstring(r);
    Grid.SetCells(0, r, n);
    Grid.SetCells(2, r, L"#12AB34");
    Grid.SetCells(3, r, L"18");
    Grid.SetCells(4, r, L"171");
    Grid.SetCells(5, r, L"52");
    Grid.SetCells(6, r, L"comment " + n);
  }
  void Paint() {
    Grid.Invalidate();
    Grid.Update();
  }
  void AddRow() {
    const int r = Grid.RowCount();
    Grid.SetRowCount(r + 1);
    Row(r);
    // Selected as the list's add selects it: the grid scrolls to it.
    Grid.FocusCell(1, r);
    Grid.Update();
  }
  fw::TForm Form;
  TComboGrid Grid;
};

double FillPerRow(int rows) {
  TGridHost host(500);
  fw::Application().ProcessMessages();
  const double t = Now();
  host.Grid.SetRowCount(rows + 1);
  for (int r = 1; r <= rows; ++r) host.Row(r);
  fw::Application().ProcessMessages();
  host.Grid.Update();
  return (Now() - t) / rows * 1e6;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  fw::Application().Initialize(::GetModuleHandleW(nullptr));
  const int rounds = argc > 1 ? std::max(3, _wtoi(argv[1])) : 9;
  constexpr int kCalls = 100;

  TGridHost small(0), large(0);
  small.Fill(10);
  large.Fill(100000);
  fw::Application().ProcessMessages();

  std::vector<double> paintSmall, paintLarge, addSmall, addLarge;
  for (int round = 0; round < rounds; ++round) {
    for (auto [host, paint, add] : {std::tuple{&small, &paintSmall, &addSmall}, {&large, &paintLarge, &addLarge}}) {
      ::SetWindowPos(host->Form.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      fw::Application().ProcessMessages();
      double t = Now();
      for (int k = 0; k < kCalls; ++k) host->Paint();
      paint->push_back((Now() - t) / kCalls * 1e6);
      const int before = host->Grid.RowCount();
      t = Now();
      for (int k = 0; k < kCalls; ++k) host->AddRow();
      fw::Application().ProcessMessages();
      add->push_back((Now() - t) / kCalls * 1e6);
      host->Grid.SetRowCount(before);
      fw::Application().ProcessMessages();
    }
  }
  const double ps = Median(paintSmall), pl = Median(paintLarge), as = Median(addSmall), al = Median(addLarge);
  std::printf("full paint       %.1f us with 10 rows, %.1f us with 100,000; ratio %.2f (target <= 1.5)\n", ps, pl,
              pl / ps);
  std::printf("add one row      %.1f us with 10 rows, %.1f us with 100,000; ratio %.2f (target <= 1.5)\n", as, al,
              al / as);
  const double f1 = FillPerRow(1000), f100 = FillPerRow(100000);
  std::printf("fill per row     %.2f us at 1,000 rows, %.2f us at 100,000; ratio %.2f (target <= 1.5)\n", f1, f100,
              f100 / f1);
  std::fflush(stdout);
  return 0;
}
