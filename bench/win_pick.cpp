// The pick mode's two costs against floors measured in the same run, under
// Wine on a virtual display: the frozen screen's copy of the whole screen
// against one BitBlt of the screen into a DIB section (target 1.2 x), and
// one loupe update a pointer move (move the loupe, copy what it shows, take
// the colour, paint it) against the eyedropper move's floor of win_sampling
// (target 1.5 x), live and with the screen frozen (target: no more than live).
#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/uFrozenScreen.h"
#include "app/uPickMode.h"
#include "bench/WinBench.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"

namespace {

constexpr int kRounds = 15;

POINT MovePoint(int i) { return POINT{300 + (i * 7) % 600, 200 + (i * 3) % 400}; }

// The floor of the copy: the screen into a section made once, as a copy of one monitor at most can be.
class TScreenBlt {
 public:
  explicit TScreenBlt(const TRectI& screen) : FScreen(screen), FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), screen.Width(), -screen.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    FBitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FOld = ::SelectObject(FDC.Get(), FBitmap.Get());
  }
  ~TScreenBlt() { ::SelectObject(FDC.Get(), FOld); }
  void Copy() {
    fw::TWindowDC screen(nullptr);
    ::BitBlt(FDC.Get(), 0, 0, FScreen.Width(), FScreen.Height(), screen.Get(), FScreen.Left, FScreen.Top, SRCCOPY);
    ::GdiFlush();
  }

 private:
  TRectI FScreen;
  fw::TUniqueMemDC FDC;
  fw::TUniqueBitmap FBitmap;
  HGDIOBJ FOld = nullptr;
};

template <typename F>
double PerCall(int calls, F&& f) {
  const double t0 = Now();
  for (int i = 0; i < calls; ++i) f(i);
  return (Now() - t0) / calls;
}

}  // namespace

int wmain() {
  TBenchProgram program;
  const TMonitorLayout monitors = fw::DisplayMonitors();
  if (monitors.empty()) return 1;
  const TRectI screen = monitors.front().Bounds;

  TScreenBlt blt(screen);
  TScreenSnapshot snapshot;
  std::vector<double> bltTimes, copyTimes;
  for (int r = 0; r < kRounds; ++r) {
    bltTimes.push_back(PerCall(4, [&](int) { blt.Copy(); }));
    copyTimes.push_back(PerCall(4, [&](int) { snapshot.Take(monitors); }));
  }
  const double bltMs = Median(bltTimes) * 1e3, copyMs = Median(copyTimes) * 1e3;
  std::printf("frozen screen copy of %dx%d: %.3f ms; floor (one BitBlt into a DIB section) %.3f ms; ratio %.2f (target 1.2)\n",
              screen.Width(), screen.Height(), copyMs, bltMs, copyMs / bltMs);

  // A window for the floor's StretchDIBits, as the magnifier is.
  HWND zoom = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 40, 40, 104, 72, nullptr,
                                nullptr, ::GetModuleHandleW(nullptr), nullptr);
  TSamplingFloor floor(zoom);
  TPickMode live, frozen;
  int move = 0;
  for (TPickMode* mode : {&live, &frozen}) mode->CursorPos = [&] { return MovePoint(move); };
  if (!live.Start(TPickRequest{})) return 1;
  constexpr int kMoves = 200;
  std::vector<double> floorTimes, liveTimes, frozenTimes;
  COLORREF sink = 0;
  for (int r = 0; r < kRounds; ++r) {
    floorTimes.push_back(PerCall(kMoves, [&](int i) { sink ^= floor.Move(MovePoint(i)); }));
    liveTimes.push_back(PerCall(kMoves, [&](int) {
      ++move;
      live.PointerMoved();
    }));
  }
  live.Cancel();
  TPickRequest freeze;
  freeze.Freeze = true;
  if (!frozen.Start(freeze)) return 1;
  for (int r = 0; r < kRounds; ++r)
    frozenTimes.push_back(PerCall(kMoves, [&](int) {
      ++move;
      frozen.PointerMoved();
    }));
  frozen.Cancel();
  const double floorUs = Median(floorTimes) * 1e6, liveUs = Median(liveTimes) * 1e6, frozenUs = Median(frozenTimes) * 1e6;
  std::printf("loupe update a move: live %.1f us, frozen %.1f us; floor (win_sampling's move) %.1f us\n", liveUs,
              frozenUs, floorUs);
  std::printf("ratio live / floor %.2f (target 1.5), frozen / live %.2f (target 1.0) [%lu]\n", liveUs / floorUs,
              frozenUs / liveUs, static_cast<unsigned long>(sink & 1));
  ::DestroyWindow(zoom);
  return 0;
}
