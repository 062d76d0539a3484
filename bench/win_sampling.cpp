// One eyedropper move (capture 13 x 9, take the centre pixel, SetColor,
// repaint the magnifier at once) against its floor: one GetPixel, one
// 13 x 9 BitBlt and one StretchDIBits of 13 x 9 to 104 x 72, with the same
// per-move DCs; also against the same floor without the GetPixel. Run
// under Wine on a virtual display; prints per-move times and GDI counts.
// The channel editors take their new text when they next paint; a last
// figure gives moves with every paint in between, the cost a user sees
// when the pointer moves slower than the screen repaints. The 9 x 9 mean
// is measured against the single-pixel move: it reads the magnifier's
// capture, so it should cost little more.
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "app/uProgramResources.h"
#include "app/ufrmTintra.h"
#include "bench/WinBench.h"
#include "framework/Application.h"
#include "framework/Handles.h"
#include "tests/win/GdiCount.h"

namespace {

constexpr int kPatternLeft = 700, kPatternTop = 400, kPatternWidth = 400, kPatternHeight = 300;

COLORREF Pattern(int x, int y) { return RGB((x * 37) & 0xFF, (y * 53) & 0xFF, (x * 11 + y * 29) & 0xFF); }

LRESULT CALLBACK PatternProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(w, &ps);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kPatternWidth, -kPatternHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(kPatternWidth) * kPatternHeight);
    for (int y = 0; y < kPatternHeight; ++y)
      for (int x = 0; x < kPatternWidth; ++x) {
        const COLORREF c = Pattern(x, y);
        bits[static_cast<size_t>(y) * kPatternWidth + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      }
    ::SetDIBitsToDevice(dc, 0, 0, kPatternWidth, kPatternHeight, 0, 0, 0, kPatternHeight, bits.data(), &info,
                        DIB_RGB_COLORS);
    ::EndPaint(w, &ps);
    return 0;
  }
  if (m == WM_ERASEBKGND) return 1;
  return ::DefWindowProcW(w, m, wp, lp);
}

// A new pattern pixel at every move, so the colour changes every time.
POINT MovePoint(int i) {
  return POINT{kPatternLeft + 10 + (i * 7) % (kPatternWidth - 20), kPatternTop + 10 + (i * 3) % (kPatternHeight - 20)};
}

void SpoitMove(TfrmTintra& form, POINT screen) {
  ::ScreenToClient(form.Sampler.pboxSpoit.Handle(), &screen);
  ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_MOUSEMOVE, MK_LBUTTON,
                 MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
}

DWORD GdiObjects() { return GdiObjectCount(); }

// Moves between two markers in the debug output, so that a run under
// WINEDEBUG=+server,+debugstr shows the server requests one move makes.
void TraceMoves(TfrmTintra& form, int moves, int& move) {
  ::OutputDebugStringA("tintra-trace-begin\n");
  for (int i = 0; i < moves; ++i) SpoitMove(form, MovePoint(move++));
  ::OutputDebugStringA("tintra-trace-end\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int traceMoves = argc > 2 && std::wcscmp(argv[1], L"--trace") == 0 ? std::max(1, _wtoi(argv[2])) : 0;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
  // As the program does: the main window registers its file drop target.
  ::OleInitialize(nullptr);
  fw::Application().Initialize(::GetModuleHandleW(nullptr));
  InstallProgramResources(::GetModuleHandleW(nullptr));

  WNDCLASSW wc{};
  wc.lpfnWndProc = PatternProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TintraBenchPattern";
  ::RegisterClassW(&wc);
  HWND pattern =
      ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, kPatternLeft,
                        kPatternTop, kPatternWidth, kPatternHeight, nullptr, nullptr, wc.hInstance, nullptr);

  TfrmTintra form;  // no settings: a last file or a hidden magnifier would change what is measured
  form.CreateForm();
  form.Show();
  for (int i = 0; i < 20; ++i) {
    fw::Application().ProcessMessages();
    ::Sleep(20);
  }
  // The pattern must really be on screen, or the colour would not change.
  {
    fw::TWindowDC screen(nullptr);
    const POINT p = MovePoint(1);
    if (::GetPixel(screen.Get(), p.x, p.y) != Pattern(p.x - kPatternLeft, p.y - kPatternTop)) {
      std::printf("pattern window not on screen (is DISPLAY a virtual display?)\n");
      return 1;
    }
  }

  ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  TSamplingFloor floor(form.Sampler.pboxZoom.Handle());
  if (traceMoves) {
    int move = 0;
    for (const TSampling sampling : {TSampling{}, TSampling{9, TSampleMode::Mean}}) {
      form.Sampler.SetSampling(sampling);
      for (int i = 0; i < 50; ++i) SpoitMove(form, MovePoint(move++));  // settle caches first
      TraceMoves(form, traceMoves, move);
    }
    ::OutputDebugStringA("tintra-trace-begin\n");
    for (int i = 0; i < traceMoves; ++i) floor.Move(MovePoint(move++), false);
    ::OutputDebugStringA("tintra-trace-end\n");
    ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0);
    ::DestroyWindow(pattern);
    return 0;
  }

  // Short interleaved rounds, so a busy machine slows all three alike.
  constexpr int kRounds = 25, kMovesPerRound = 200;
  std::vector<double> floorTimes, bareTimes, moveTimes, areaTimes, sameTimes, handlerTimes;
  int move = 0, mismatches = 0;
  COLORREF sink = 0;
  const auto realReader = form.Sampler.ReadScreenPixel;
  for (int r = 0; r < kRounds; ++r) {
    double t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) sink ^= floor.Move(MovePoint(move + i));
    floorTimes.push_back((Now() - t0) / kMovesPerRound);
    t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) sink ^= floor.Move(MovePoint(move + i), false);
    bareTimes.push_back((Now() - t0) / kMovesPerRound);

    t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) SpoitMove(form, MovePoint(move++));
    moveTimes.push_back((Now() - t0) / kMovesPerRound);
    const POINT last = MovePoint(move - 1);
    if (form.ChannelPanel.Factors().Color != Pattern(last.x - kPatternLeft, last.y - kPatternTop)) ++mismatches;

    form.Sampler.SetSampling({9, TSampleMode::Mean});
    t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) SpoitMove(form, MovePoint(move++));
    areaTimes.push_back((Now() - t0) / kMovesPerRound);
    form.Sampler.SetSampling({});

    // The same moves with a colour that does not change: everything but the
    // editors' refresh, which SetColor skips for an equal colour.
    form.Sampler.ReadScreenPixel = [](HDC, int, int) -> COLORREF { return RGB(1, 2, 3); };
    t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) SpoitMove(form, MovePoint(move++));
    sameTimes.push_back((Now() - t0) / kMovesPerRound);
    // The handler itself, without the framework's message dispatch.
    t0 = Now();
    for (int i = 0; i < kMovesPerRound; ++i) {
      POINT p = MovePoint(move++);
      ::ScreenToClient(form.Sampler.pboxSpoit.Handle(), &p);
      form.Sampler.pboxSpoitMouseMove(&form.Sampler.pboxSpoit, fw::TShiftState{false, false, false, true}, p.x, p.y);
    }
    handlerTimes.push_back((Now() - t0) / kMovesPerRound);
    form.Sampler.ReadScreenPixel = realReader;
    fw::Application().ProcessMessages();
  }
  std::vector<double> setColorTimes;
  for (int r = 0; r < 5; ++r) {
    const double t0 = Now();
    for (int i = 0; i < 100; ++i) {
      const POINT p = MovePoint(move++);
      form.ChannelPanel.SetColor(Pattern(p.x - kPatternLeft, p.y - kPatternTop));
    }
    setColorTimes.push_back((Now() - t0) / 100);
  }

  // Every move followed by the paints it caused: editors, swatch, box;
  // next to twelve plain system edits written and painted the same way.
  std::vector<double> paintedTimes, plainTimes;
  {
    TPlainEdits plain(form.FormFont(), ES_MULTILINE, 20, 600, 220, 160, POINT{4, 4}, SIZE{104, 25});
    for (int r = 0; r < 5; ++r) {
      fw::Application().ProcessMessages();
      double t0 = Now();
      for (int i = 0; i < 40; ++i) {
        SpoitMove(form, MovePoint(move++));
        fw::Application().ProcessMessages();
      }
      paintedTimes.push_back((Now() - t0) / 40);
      t0 = Now();
      for (int i = 0; i < 40; ++i) {
        const int n = move++;
        int values[12];
        for (int k = 0; k < 12; ++k) values[k] = (n * 7 + k * 31) % 256;
        plain.Write(values);
        fw::Application().ProcessMessages();
      }
      plainTimes.push_back((Now() - t0) / 40);
    }
  }

  fw::Application().ProcessMessages();
  const DWORD gdiBefore = GdiObjects();
  const DWORD userBefore = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 10000; ++i) {
    SpoitMove(form, MovePoint(move++));
    if (i % 500 == 0) fw::Application().ProcessMessages();
  }
  fw::Application().ProcessMessages();
  const DWORD gdiAfter = GdiObjects();
  const DWORD userAfter = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  ::SendMessageW(form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0);

  const double f = Median(floorTimes), m = Median(moveTimes);
  std::printf("eyedropper move: %.1f us per move (median of %d rounds of %d moves)\n", m * 1e6, kRounds,
              kMovesPerRound);
  std::printf("floor (GetPixel + 13x9 BitBlt + StretchDIBits 104x72): %.1f us per move\n", f * 1e6);
  std::printf("ratio: %.2f (target <= 1.50)\n", m / f);
  const double bare = Median(bareTimes);
  std::printf("floor without GetPixel (13x9 BitBlt + StretchDIBits): %.1f us per move, ratio %.2f\n", bare * 1e6,
              m / bare);
  const double area = Median(areaTimes);
  std::printf("9x9 mean move: %.1f us per move, %.2f x the single-pixel move (target <= 1.20)\n", area * 1e6, area / m);
  const double same = Median(sameTimes), setColor = Median(setColorTimes);
  std::printf("eyedropper move, colour unchanged: %.1f us per move, ratio %.2f\n", same * 1e6, same / f);
  const double handler = Median(handlerTimes);
  std::printf("the move handler called directly, colour unchanged: %.1f us per move, ratio %.2f\n", handler * 1e6,
              handler / f);
  std::printf("SetColor alone, colour changed: %.1f us\n", setColor * 1e6);
  std::printf("move with all the paints it causes before the next one: %.1f us per move\n", Median(paintedTimes) * 1e6);
  std::printf("  for comparison, 12 plain EDIT controls written and painted: %.1f us\n", Median(plainTimes) * 1e6);
  std::printf("colour after each round matched the pattern: %s\n", mismatches ? "NO" : "yes");
  std::printf("GDI objects before/after 10000 moves: %lu/%lu; USER objects: %lu/%lu\n",
              static_cast<unsigned long>(gdiBefore), static_cast<unsigned long>(gdiAfter),
              static_cast<unsigned long>(userBefore), static_cast<unsigned long>(userAfter));
  ::DestroyWindow(pattern);
  (void)sink;
  return gdiAfter > gdiBefore || mismatches ? 1 : 0;
}
