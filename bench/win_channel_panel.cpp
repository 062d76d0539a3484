// SetColor with a new colour at every call (derive the colour spaces, write
// the twelve channel editors, paint the swatch at once) against its floor:
// writing the texts of twelve plain EDIT controls of the same size and
// filling one rectangle through a window DC. Also SetColor with the colour
// it already has, which the eyedropper calls on every mouse move. The
// editors take their new text when they next paint, so the main figure
// lets every call be followed by its paints, and so does the floor. Run
// under Wine on a virtual display; prints microseconds per call.
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "bench/WinBench.h"
#include "framework/Application.h"
#include "framework/Handles.h"

namespace {

// Colours that change every channel from one call to the next.
COLORREF ColourOf(int i) {
  const unsigned x = static_cast<unsigned>(i) * 2654435761u;
  return RGB((x >> 5) & 0xFF, (x >> 13) & 0xFF, (x >> 21) & 0xFF);
}

// Twelve single-line edits and a swatch window, on a window like the panel.
class TFloor {
 public:
  explicit TFloor(HFONT font)
      : FEdits(font, ES_AUTOHSCROLL, 560, 60, 220, 300, POINT{40, 90}, SIZE{100, 24}),
        FSwatch(::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 40, 42, 41, 42, FEdits.Host(), nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr)) {}
  void Write(COLORREF c) {
    const int values[12] = {GetRValue(c),     GetGValue(c),     GetBValue(c),         GetRValue(c) + 100,
                            GetGValue(c) / 3, GetBValue(c) / 3, GetRValue(c) + 99,    GetGValue(c) / 2,
                            GetBValue(c) / 2, GetRValue(c) / 2, GetGValue(c) / 2 + 1, GetBValue(c) / 2 + 2};
    FEdits.Write(values);
    fw::TWindowDC dc(FSwatch);
    fw::TUniqueBrush brush(::CreateSolidBrush(c));
    const RECT r{2, 2, 39, 40};
    ::FillRect(dc.Get(), &r, brush.Get());
  }

 private:
  TPlainEdits FEdits;
  HWND FSwatch = nullptr;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  // As the program does: the main window registers its file drop target.
  ::OleInitialize(nullptr);
  fw::Application().Initialize(::GetModuleHandleW(nullptr));
  InstallProgramResources(::GetModuleHandleW(nullptr));
  const int calls = argc > 1 ? std::max(10000, _wtoi(argv[1])) : 20000;
  constexpr int kBlock = 500;

  TfrmTintra form;  // no settings: a last file or a hidden magnifier would change what is measured
  form.CreateForm();
  form.Show();
  TFloor floor(form.FormFont());
  fw::Application().ProcessMessages();

  // Alternating blocks, so both see the same machine state; every call is
  // followed by the paints it caused.
  const int paintedCalls = std::max(400, calls / 50);
  double panel = 0, base = 0;
  int i = 0;
  for (int done = 0; done < paintedCalls; done += 50) {
    double t = Now();
    for (int k = 0; k < 50; ++k) {
      form.ChannelPanel.SetColor(ColourOf(++i));
      fw::Application().ProcessMessages();
    }
    panel += Now() - t;
    t = Now();
    for (int k = 0; k < 50; ++k) {
      floor.Write(ColourOf(++i));
      fw::Application().ProcessMessages();
    }
    base += Now() - t;
  }
  const double panelUs = panel / paintedCalls * 1e6, floorUs = base / paintedCalls * 1e6;

  // The calls alone, painting left to the pump between blocks.
  double alone = 0, aloneBase = 0;
  for (int done = 0; done < calls; done += kBlock) {
    double t = Now();
    for (int k = 0; k < kBlock; ++k) form.ChannelPanel.SetColor(ColourOf(++i));
    alone += Now() - t;
    fw::Application().ProcessMessages();
    t = Now();
    for (int k = 0; k < kBlock; ++k) floor.Write(ColourOf(++i));
    aloneBase += Now() - t;
    fw::Application().ProcessMessages();
  }

  const COLORREF same = ColourOf(++i);
  form.ChannelPanel.SetColor(same);
  const int sameCalls = calls * 50;
  double t = Now();
  for (int k = 0; k < sameCalls; ++k) form.ChannelPanel.SetColor(same);
  const double sameUs = (Now() - t) / sameCalls * 1e6;

  std::printf("calls            %d, each followed by its paints\n", paintedCalls);
  std::printf("SetColor new     %.2f us/call\n", panelUs);
  std::printf("floor            %.2f us/call (12 edit texts + 1 rectangle, painted)\n", floorUs);
  std::printf("ratio            %.2f (target <= 1.5)\n", panelUs / floorUs);
  std::printf("without paints   %.2f us/call against %.2f (%d calls in blocks of %d)\n", alone / calls * 1e6,
              aloneBase / calls * 1e6, calls, kBlock);
  std::printf("SetColor same    %.4f us/call (%d calls)\n", sameUs, sameCalls);
  std::fflush(stdout);
  return 0;
}
