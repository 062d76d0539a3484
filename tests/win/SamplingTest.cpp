// The eyedropper and the magnifier of the main window, with real messages
// and an injected screen-pixel source.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/GdiCount.h"
#include "tests/win/PatternWindow.h"

namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192), kGrey = RGB(128, 128, 128), kWhite = RGB(255, 255, 255);

std::wstring gLastError;
void RecordError(const std::wstring& text) { gLastError = text; }

COLORREF PictureAt(const TRecPicture& p, int x, int y) {
  const std::uint8_t* px = RecPicturePixel(p, x, y);
  return px ? RGB(px[2], px[1], px[0]) : CLR_INVALID;
}

class SamplingTest : public testing::Test {
 protected:
  void SetUp() override { Form.CreateForm(); }
  TMainWindowOptions Options() {
    TMainWindowOptions options;
    options.ReadScreenPixel = [this](HDC screen, int x, int y) { return Reader(screen, x, y); };
    return options;
  }
  void TearDown() override {
    if (::GetCapture()) ::ReleaseCapture();
  }

  void Send(HWND wnd, UINT msg, WPARAM keys, int x, int y) {
    ::SendMessageW(wnd, msg, keys, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
  }
  // Client coordinates of pboxSpoit for a screen point.
  POINT SpoitClient(int screenX, int screenY) {
    POINT p{screenX, screenY};
    ::ScreenToClient(Form.Sampler.pboxSpoit.Handle(), &p);
    return p;
  }
  void DragTo(int screenX, int screenY) {
    const POINT p = SpoitClient(screenX, screenY);
    Send(Form.Sampler.pboxSpoit.Handle(), WM_MOUSEMOVE, MK_LBUTTON, p.x, p.y);
  }
  COLORREF Current() const { return static_cast<COLORREF>(Form.ChannelPanel.Factors().Color); }
  // One move of the real eyedropper to a screen point, as the user drags.
  COLORREF PickAt(int screenX, int screenY) {
    Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    DragTo(screenX, screenY);
    Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
    return Current();
  }
  std::unique_ptr<TDibCanvas> PaintZoom() {
    auto canvas = std::make_unique<TDibCanvas>(104, 72);
    ::SendMessageW(Form.Sampler.pboxZoom.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->DC()), PRF_CLIENT);
    return canvas;
  }

  std::vector<POINT> Reads;
  COLORREF NextColour = RGB(0x12, 0x34, 0x56);
  // The screen as the window reads it; a test may put the real one here.
  TScreenSampler::TPixelReader Reader = [this](HDC screen, int x, int y) {
    EXPECT_NE(screen, nullptr);
    Reads.push_back(POINT{x, y});
    return NextColour;
  };
  TfrmTintra Form{Options()};
};

TEST_F(SamplingTest, LayoutAndStartState) {
  EXPECT_EQ(::GetParent(Form.Sampler.pboxSpoit.Handle()), ::GetDlgItem(Form.Handle(), ControlIds::Panel2));
  EXPECT_EQ(Form.Sampler.pboxSpoit.Left(), 9);
  EXPECT_EQ(Form.Sampler.pboxSpoit.Top(), 6);
  EXPECT_EQ(Form.Sampler.pboxSpoit.Width(), 24);
  EXPECT_EQ(Form.Sampler.pboxSpoit.Height(), 24);
  EXPECT_FALSE(Form.Sampler.ImageSpoit.Visible());
  EXPECT_EQ(Form.Sampler.ImageSpoit.PictureWidth(), 24);
  EXPECT_EQ(Form.Sampler.ImageSpoit.TransparentColor(), RGB(255, 0, 255));
  EXPECT_EQ(Form.Sampler.pnlZoom.Left(), 96);
  EXPECT_EQ(Form.Sampler.pnlZoom.Top(), 8);
  EXPECT_EQ(Form.Sampler.pnlZoom.Width(), 106);
  EXPECT_EQ(Form.Sampler.pnlZoom.Height(), 74);
  EXPECT_EQ(Form.Sampler.pnlZoom.BevelOuter(), fw::TBevel::bvLowered);
  EXPECT_EQ(Form.Sampler.pboxZoom.Parent(), &Form.Sampler.pnlZoom);
  EXPECT_EQ(Form.Sampler.pboxZoom.Left(), 1);
  EXPECT_EQ(Form.Sampler.pboxZoom.Width(), 104);
  EXPECT_EQ(Form.Sampler.pboxZoom.Height(), 72);
  EXPECT_TRUE(Form.Sampler.pboxZoom.Opaque());
  EXPECT_NE(fw::CursorEntry(crSpoit), nullptr);
  EXPECT_EQ(Form.Sampler.pboxZoom.Cursor(), fw::CursorEntry(crSpoit));
  EXPECT_FALSE(Form.Sampler.SpoitDragging());

  // The magnifier's picture: 13 x 9, 24 bits, all button face.
  const BITMAPINFOHEADER* h = RecPictureHeader(Form.Sampler.ZoomPicture());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->biWidth, 13);
  EXPECT_EQ(h->biHeight, 9);
  EXPECT_EQ(h->biBitCount, 24);
  EXPECT_NE(Form.Sampler.ZoomPicture().Bitmap, nullptr);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) ASSERT_EQ(PictureAt(Form.Sampler.ZoomPicture(), x, y), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(SamplingTest, TheCursorResourceHasItsHotSpotAtTheTip) {
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(fw::CursorEntry(crSpoit), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_EQ(info.yHotspot, 14u);
  BITMAP mask{};
  ::GetObjectW(info.hbmMask, sizeof(mask), &mask);
  EXPECT_EQ(mask.bmWidth, 32);
  EXPECT_EQ(mask.bmHeight, 64);  // monochrome: AND and XOR masks in one
  EXPECT_EQ(info.hbmColor, nullptr);
  // The hot spot is drawn (AND bit 0), not transparent.
  EXPECT_EQ(BitmapPixel(info.hbmMask, 1, 14), RGB(0, 0, 0));
  if (info.hbmMask) ::DeleteObject(info.hbmMask);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
}

TEST_F(SamplingTest, DragReadsThePixelUnderThePointerAtEveryMove) {
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  EXPECT_TRUE(Form.Sampler.SpoitDragging());
  EXPECT_EQ(::GetCapture(), Form.Sampler.pboxSpoit.Handle());
  EXPECT_TRUE(Reads.empty()) << "no colour is read on press";

  DragTo(700, 500);
  ASSERT_EQ(Reads.size(), 1u);
  EXPECT_EQ(Reads[0].x, 700);
  EXPECT_EQ(Reads[0].y, 500);
  EXPECT_EQ(Current(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(Form.ChannelPanel.edtBlu.Text(), L"86");

  NextColour = RGB(240, 0, 128);
  DragTo(-20, 3000);  // far outside the box, still captured
  EXPECT_EQ(Current(), RGB(240, 0, 128));
  EXPECT_EQ(Form.ChannelPanel.edtHue.Text(), L"328");

  const POINT up = SpoitClient(-20, 3000);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, up.x, up.y);
  EXPECT_FALSE(Form.Sampler.SpoitDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_EQ(Reads.size(), 2u) << "no colour is read on release";
  // Idle moves read nothing.
  DragTo(10, 10);
  EXPECT_EQ(Reads.size(), 2u);
  EXPECT_EQ(Current(), RGB(240, 0, 128));
}

TEST_F(SamplingTest, PressAndReleaseWithoutMovingKeepTheColour) {
  Form.ChannelPanel.SetColor(RGB(1, 2, 3));
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 5, 5);
  EXPECT_TRUE(Reads.empty());
  EXPECT_EQ(Current(), RGB(1, 2, 3));
}

TEST_F(SamplingTest, RightPressSamplesWithoutCapture) {
  Send(Form.Sampler.pboxSpoit.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
  EXPECT_TRUE(Form.Sampler.SpoitDragging());
  EXPECT_EQ(::GetCapture(), nullptr);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_MOUSEMOVE, MK_RBUTTON, 6, 6);
  EXPECT_EQ(Reads.size(), 1u);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_RBUTTONUP, 0, 6, 6);
  EXPECT_FALSE(Form.Sampler.SpoitDragging());
}

// An unreadable pixel (GetPixel's CLR_INVALID, as off every screen) used to
// make the current colour white.
TEST_F(SamplingTest, AFailedScreenReadKeepsTheColourButRefreshesTheMagnifier) {
  Form.ChannelPanel.SetColor(RGB(10, 20, 30));
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  // A sentinel in the picture shows whether the capture ran.
  std::uint8_t* centre = RecPicturePixel(Form.Sampler.ZoomPicture(), 6, 4);
  ASSERT_NE(centre, nullptr);
  centre[0] = 1, centre[1] = 2, centre[2] = 3;
  NextColour = CLR_INVALID;
  DragTo(-5000, -5000);
  EXPECT_EQ(Reads.size(), 1u);
  EXPECT_EQ(Current(), RGB(10, 20, 30));
  EXPECT_EQ(Form.ChannelPanel.edtRed.Text(), L"10");
  // The capture ran: off the screen the copy leaves the button-face fill,
  // or (under Wine) black.
  const COLORREF refreshed = PictureAt(Form.Sampler.ZoomPicture(), 6, 4);
  EXPECT_TRUE(refreshed == ::GetSysColor(COLOR_BTNFACE) || refreshed == RGB(0, 0, 0)) << refreshed;
  // The real reader answers CLR_INVALID there too.
  fw::TWindowDC screen(nullptr);
  EXPECT_EQ(TScreenSampler::DefaultScreenPixel(screen.Get(), -5000, -5000), CLR_INVALID);
}

TEST_F(SamplingTest, AFailingColourChangeStillReleasesTheScreen) {
  auto* old = fw::Application().OnExceptionHook;
  fw::Application().OnExceptionHook = RecordError;
  Reader = [](HDC, int, int) -> COLORREF { throw std::runtime_error("read failed"); };
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  // The first move makes the memory DC the captures keep.
  DragTo(699, 500);
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 50; ++i) DragTo(700 + i, 500);
  fw::Application().OnExceptionHook = old;
  EXPECT_EQ(gLastError, L"read failed");
  EXPECT_LE(GdiObjectCount(), before);
  // The sampling goes on after the failure.
  EXPECT_TRUE(Form.Sampler.SpoitDragging());
}

TEST_F(SamplingTest, BoxIsSunkenWhileSamplingAndShowsTheInnerRingAfterTheFirstRelease) {
  auto paint = [&] {
    auto canvas = std::make_unique<TDibCanvas>(24, 24, RGB(1, 2, 3));
    ::SendMessageW(Form.Sampler.pboxSpoit.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->DC()), PRF_CLIENT);
    return canvas;
  };
  auto raised = paint();
  EXPECT_EQ(raised->At(0, 0), kWhite);
  EXPECT_EQ(raised->At(1, 1), kSilver);
  EXPECT_EQ(raised->At(23, 23), RGB(0, 0, 0));
  EXPECT_EQ(raised->At(3, 3), RGB(1, 2, 3)) << "magenta is transparent";
  EXPECT_NE(raised->At(2, 5), kSilver) << "no inner ring before the first drag";
  EXPECT_NE(raised->At(21, 5), kGrey);

  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  auto sunken = paint();
  EXPECT_EQ(sunken->At(0, 0), kGrey);
  EXPECT_EQ(sunken->At(1, 1), RGB(0, 0, 0));
  EXPECT_EQ(sunken->At(23, 23), kWhite);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 5, 5);

  auto ringed = paint();
  EXPECT_EQ(ringed->At(0, 0), kWhite);
  for (int i = 2; i <= 20; ++i) {
    EXPECT_EQ(ringed->At(2, i), kSilver) << i;
    EXPECT_EQ(ringed->At(i, 2), kSilver) << i;
    EXPECT_EQ(ringed->At(21, i + 1), kGrey) << i;
    EXPECT_EQ(ringed->At(i + 1, 21), kGrey) << i;
  }
  EXPECT_EQ(BitmapPixel(Form.Sampler.ImageSpoit.Picture(), 0, 23), RGB(255, 0, 255)) << "still the transparent colour";
}

TEST_F(SamplingTest, CapturesTheThirteenByNinePixelsAroundThePointerAndEnlargesThem) {
  Form.Show();
  TPatternWindow pattern(700, 500, 60, 40);
  Reader = &TScreenSampler::DefaultScreenPixel;
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  DragTo(700 + 20, 500 + 15);
  EXPECT_EQ(Current(), Pattern(20, 15));
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 13; ++i)
      ASSERT_EQ(PictureAt(Form.Sampler.ZoomPicture(), i, j), Pattern(20 - 6 + i, 15 - 4 + j)) << i << "," << j;

  TDibCanvas canvas(104, 72);
  ::SendMessageW(Form.Sampler.pboxZoom.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
  // Every cell but the centre one, whose edge carries the mark.
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 104; ++x)
      if (x / 8 != 6 || y / 8 != 4) {
        ASSERT_EQ(canvas.At(x, y), Pattern(20 - 6 + x / 8, 15 - 4 + y / 8)) << x << "," << y;
      }
  EXPECT_EQ(canvas.At(48, 32), RGB(0, 0, 0));
  EXPECT_EQ(canvas.At(49, 33), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(50, 34), Pattern(20, 15));
  EXPECT_EQ(canvas.At(53, 37), Pattern(20, 15));

  // The window on screen shows it too: the move repainted the magnifier at once.
  fw::TWindowDC zoom(Form.Sampler.pboxZoom.Handle());
  EXPECT_EQ(::GetPixel(zoom.Get(), 50, 35), Pattern(20, 15));
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
}

TEST_F(SamplingTest, MagnifierPicksWithTheLeftButtonOnly) {
  const POINT origin = [&] {
    POINT p{0, 0};
    ::ClientToScreen(Form.Sampler.pboxZoom.Handle(), &p);
    return p;
  }();
  Send(Form.Sampler.pboxZoom.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, 50, 35);
  Send(Form.Sampler.pboxZoom.Handle(), WM_RBUTTONUP, 0, 50, 35);
  EXPECT_TRUE(Reads.empty());
  Send(Form.Sampler.pboxZoom.Handle(), WM_MOUSEMOVE, 0, 50, 35);
  EXPECT_TRUE(Reads.empty());

  Send(Form.Sampler.pboxZoom.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 50, 35);
  ASSERT_EQ(Reads.size(), 1u);
  EXPECT_EQ(Reads[0].x, origin.x + 50);
  EXPECT_EQ(Reads[0].y, origin.y + 35);
  EXPECT_EQ(Current(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(::GetCapture(), Form.Sampler.pboxZoom.Handle());
  // Dragged away, it reads wherever the pointer is, and captures nothing.
  std::uint8_t* centre = RecPicturePixel(Form.Sampler.ZoomPicture(), 6, 4);
  centre[0] = 1, centre[1] = 2, centre[2] = 3;
  NextColour = RGB(7, 8, 9);
  Send(Form.Sampler.pboxZoom.Handle(), WM_MOUSEMOVE, MK_LBUTTON, -400, 900);
  EXPECT_EQ(Reads.back().x, origin.x - 400);
  EXPECT_EQ(Current(), RGB(7, 8, 9));
  EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 6, 4), RGB(3, 2, 1));
  NextColour = CLR_INVALID;
  Send(Form.Sampler.pboxZoom.Handle(), WM_MOUSEMOVE, MK_LBUTTON, -9000, 900);
  EXPECT_EQ(Current(), RGB(7, 8, 9));
  Send(Form.Sampler.pboxZoom.Handle(), WM_LBUTTONUP, 0, -9000, 900);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SamplingTest, ActZoomTogglesThePanelAndItsCheckMark) {
  ASSERT_TRUE(Form.actZoom.Checked());
  ASSERT_TRUE(Form.Sampler.pnlZoom.Visible());
  const RECT before = [&] {
    RECT r;
    ::GetWindowRect(Form.Sampler.pboxSpoit.Handle(), &r);
    return r;
  }();
  Form.actZoom.Execute();
  EXPECT_FALSE(Form.Sampler.pnlZoom.Visible());
  EXPECT_FALSE(::IsWindowVisible(Form.Sampler.pnlZoom.Handle()));
  EXPECT_FALSE(Form.actZoom.Checked());
  RECT after;
  ::GetWindowRect(Form.Sampler.pboxSpoit.Handle(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(Form.Sampler.pnlZoom.Left(), 96);
  // Hidden, the eyedropper still captures into the picture.
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  DragTo(-5000, -5000);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
  Form.actZoom.Execute();
  EXPECT_TRUE(Form.Sampler.pnlZoom.Visible());
  EXPECT_TRUE(Form.actZoom.Checked());
}

TEST_F(SamplingTest, MovesLeaveNoGdiObjectsBehind) {
  Form.Show();
  Reader = &TScreenSampler::DefaultScreenPixel;
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  DragTo(10, 10);
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 200; ++i) DragTo(100 + i % 300, 100 + i % 200);
  EXPECT_LE(GdiObjectCount(), before);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
}

// Under Wine a copy that reaches off the screen came back black all over,
// so the magnifier went black near every screen edge.
TEST_F(SamplingTest, AtTheScreensCornerTheMagnifierShowsWhatIsOnTheScreen) {
  Form.Show();
  TPatternWindow corner(0, 0, 60, 40, Checker);
  Reader = &TScreenSampler::DefaultScreenPixel;
  EXPECT_EQ(PickAt(0, 0), RGB(255, 255, 255));
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) {
      // The picture's (6, 4) is the screen's (0, 0).
      const COLORREF want = x < 6 || y < 4 ? face : Checker(x - 6, y - 4);
      ASSERT_EQ(PictureAt(Form.Sampler.ZoomPicture(), x, y), want) << x << "," << y;
    }
  // Three pixels in and two down the copy starts inside the picture.
  PickAt(3, 2);
  EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 2, 4), face);
  EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 3, 2), RGB(255, 255, 255));
  EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 4, 2), RGB(0, 0, 0));
  EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 3, 1), face);
}

// A move takes its pixel from the magnifier's capture instead of a second
// screen read: the same pixel GetPixel reads and the pattern shows, up to
// the screen's last row and column; off the screen, no colour.
TEST_F(SamplingTest, ThePixelFromTheCaptureIsTheOneGetPixelReadsUpToTheScreensEdges) {
  Form.Show();
  const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
  constexpr int kSide = 5;
  const POINT corners[] = {{0, 0}, {w - kSide, h - kSide}};
  // Two windows at opposite corners reach all four edges.
  TPatternWindow first(corners[0].x, corners[0].y, kSide, kSide), last(corners[1].x, corners[1].y, kSide, kSide);
  Form.Sampler.ReadScreenPixel = nullptr;
  fw::TWindowDC screen(nullptr);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  for (const POINT& corner : corners)
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) {
        const int sx = corner.x + x, sy = corner.y + y;
        DragTo(sx, sy);
        ASSERT_EQ(Current(), Pattern(x, y)) << sx << "," << sy;
        ASSERT_EQ(Current(), ::GetPixel(screen.Get(), sx, sy)) << sx << "," << sy;
      }
  for (const POINT off : {POINT{-1, 5}, POINT{w, 5}, POINT{5, h}, POINT{w, h}}) {
    Form.ChannelPanel.SetColor(RGB(1, 2, 3));
    DragTo(off.x, off.y);
    EXPECT_EQ(Current(), RGB(1, 2, 3)) << off.x << "," << off.y;
  }
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
  EXPECT_TRUE(Reads.empty());
}

// Area sampling reads the square from the magnifier's own capture: on a
// one-pixel checkerboard every mode has a known answer, and at the screen's
// corner only the pixels on the screen count (the capture holds button face
// or black beyond it).
TEST_F(SamplingTest, AreaModesPickKnownColoursInsideAndAtTheScreensCorner) {
  Form.Show();
  TPatternWindow corner(0, 0, 60, 40, Checker);
  TPatternWindow inside(700, 500, 60, 40, Checker);
  Reader = &TScreenSampler::DefaultScreenPixel;
  struct Case {
    TSampling sampling;
    COLORREF inside, corner;
  } cases[] = {
      {{1, TSampleMode::Mean}, RGB(255, 255, 255), RGB(255, 255, 255)},
      {{3, TSampleMode::Mean}, RGB(142, 142, 142), RGB(128, 128, 128)},  // 5 of 9 white; 2 of 4, half up
      {{5, TSampleMode::Mean}, RGB(133, 133, 133), RGB(142, 142, 142)},  // 13 of 25; 5 of 9
      {{9, TSampleMode::Mean}, RGB(129, 129, 129), RGB(133, 133, 133)},  // 41 of 81; 13 of 25
      {{5, TSampleMode::MostFrequent}, RGB(255, 255, 255), RGB(255, 255, 255)},
  };
  for (const Case& c : cases) {
    Form.Sampler.SetSampling(c.sampling);
    EXPECT_EQ(Form.Sampler.Sampling(), c.sampling);
    Form.ChannelPanel.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(PickAt(720, 514), c.inside) << c.sampling.Size << " " << static_cast<int>(c.sampling.Mode);
    Form.ChannelPanel.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(PickAt(0, 0), c.corner) << c.sampling.Size << " " << static_cast<int>(c.sampling.Mode);
    // The pixel the magnifier shows in its centre is the one GetPixel reads.
    EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 6, 4), RGB(255, 255, 255));
  }

  // Just off the corner a single pixel is no colour, but the 3 x 3 still
  // holds the corner pixel.
  Form.Sampler.SetSampling({1, TSampleMode::Mean});
  Form.ChannelPanel.SetColor(RGB(1, 2, 3));
  EXPECT_EQ(PickAt(-1, -1), RGB(1, 2, 3));
  Form.Sampler.SetSampling({3, TSampleMode::Mean});
  EXPECT_EQ(PickAt(-1, -1), RGB(255, 255, 255));
  Form.ChannelPanel.SetColor(RGB(1, 2, 3));
  EXPECT_EQ(PickAt(-5000, -5000), RGB(1, 2, 3)) << "nothing on a screen: no colour";
}

TEST_F(SamplingTest, AreaModesOutlineTheSampledSquare) {
  Form.Show();
  TPatternWindow pattern(700, 500, 60, 40);
  Reader = &TScreenSampler::DefaultScreenPixel;
  Form.Sampler.SetSampling({3, TSampleMode::Mean});
  PickAt(720, 515);
  auto canvas = PaintZoom();
  // Cells 5 to 7 across and 3 to 5 down: black outside, white inside.
  EXPECT_EQ(canvas->At(40, 24), RGB(0, 0, 0));
  EXPECT_EQ(canvas->At(63, 47), RGB(0, 0, 0));
  EXPECT_EQ(canvas->At(41, 25), RGB(255, 255, 255));
  EXPECT_EQ(canvas->At(62, 46), RGB(255, 255, 255));
  EXPECT_EQ(canvas->At(50, 35), Pattern(20, 15));
  EXPECT_EQ(canvas->At(39, 23), Pattern(18, 13)) << "just outside the outline";
  EXPECT_EQ(canvas->At(64, 48), Pattern(22, 17));

  // Clicking the outline picks the captured pixel under it, not the line
  // read back from the screen.
  Reader = [](HDC, int, int) { return RGB(0, 0, 0); };
  Send(Form.Sampler.pboxZoom.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 40, 24);
  EXPECT_EQ(Current(), Pattern(19, 14));
  Send(Form.Sampler.pboxZoom.Handle(), WM_MOUSEMOVE, MK_LBUTTON, 62, 46);
  EXPECT_EQ(Current(), Pattern(21, 16));
  Send(Form.Sampler.pboxZoom.Handle(), WM_LBUTTONUP, 0, 62, 46);

  Form.Sampler.SetSampling({9, TSampleMode::Mean});
  canvas = PaintZoom();
  EXPECT_EQ(canvas->At(16, 0), RGB(0, 0, 0));
  EXPECT_EQ(canvas->At(87, 71), RGB(0, 0, 0));
  EXPECT_EQ(canvas->At(15, 10), Pattern(15, 12));

  // An unknown choice is one pixel: no outline at all.
  Form.Sampler.SetSampling({7, TSampleMode::MostFrequent});
  EXPECT_EQ(Form.Sampler.Sampling(), (TSampling{1, TSampleMode::Mean}));
  canvas = PaintZoom();
  EXPECT_EQ(canvas->At(40, 24), Pattern(19, 14));
  EXPECT_EQ(canvas->At(16, 0), Pattern(16, 11));
}

TEST_F(SamplingTest, ZoomShowsFewerPixelsAtLargerFactorsAndFollowsTheWheel) {
  Form.Show();
  TPatternWindow pattern(700, 500, 120, 80);
  Reader = &TScreenSampler::DefaultScreenPixel;
  EXPECT_EQ(Form.Sampler.Zoom(), 8);
  PickAt(760, 540);

  // 16 x: 7 x 5 pixels, the centre one from (44, 28) to (59, 43).
  Form.Sampler.SetZoom(16);
  auto canvas = PaintZoom();
  EXPECT_EQ(canvas->At(46, 30), Pattern(60, 40));
  EXPECT_EQ(canvas->At(57, 41), Pattern(60, 40));
  EXPECT_EQ(canvas->At(43, 27), Pattern(59, 39));
  EXPECT_EQ(canvas->At(0, 0), Pattern(57, 38));
  EXPECT_EQ(canvas->At(103, 71), Pattern(63, 42));

  // 2 x: 53 x 37, the centre pixel at (51, 35).
  Form.Sampler.SetZoom(2);
  canvas = PaintZoom();
  EXPECT_EQ(canvas->At(51, 35), Pattern(60, 40));
  EXPECT_EQ(canvas->At(52, 36), Pattern(60, 40));
  EXPECT_EQ(canvas->At(0, 0), Pattern(34, 22));
  EXPECT_EQ(canvas->At(103, 71), Pattern(86, 58));

  // The wheel over the magnifier: the paint box hands it to its panel.
  Form.Sampler.SetZoom(8);
  POINT centre{50, 35};
  ::ClientToScreen(Form.Sampler.pboxZoom.Handle(), &centre);
  auto wheel = [&](int delta) {
    ::SendMessageW(Form.Sampler.pboxZoom.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                   MAKELPARAM(static_cast<WORD>(centre.x), static_cast<WORD>(centre.y)));
  };
  wheel(120);
  EXPECT_EQ(Form.Sampler.Zoom(), 16);
  wheel(120);
  wheel(120);
  EXPECT_EQ(Form.Sampler.Zoom(), 32);
  canvas = PaintZoom();
  EXPECT_EQ(canvas->At(38, 22), Pattern(60, 40));  // 32 x: 5 x 3, the centre from (36, 20) to (67, 51)
  EXPECT_EQ(canvas->At(65, 49), Pattern(60, 40));
  EXPECT_EQ(canvas->At(35, 19), Pattern(59, 39));
  wheel(-120 * 3);
  EXPECT_EQ(Form.Sampler.Zoom(), 4);
  wheel(-120 * 5);
  EXPECT_EQ(Form.Sampler.Zoom(), 2);
  Form.Sampler.SetZoom(5);
  EXPECT_EQ(Form.Sampler.Zoom(), 8);
  // Back at 8 x, the view is today's 13 x 9.
  canvas = PaintZoom();
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 104; ++x)
      if (x / 8 != 6 || y / 8 != 4) {
        ASSERT_EQ(canvas->At(x, y), Pattern(60 - 6 + x / 8, 40 - 4 + y / 8)) << x << "," << y;
      }
}

TEST_F(SamplingTest, ArrowKeysNudgeThePointerWhileTheEyedropperIsHeld) {
  Form.Show();
  TPatternWindow pattern(700, 500, 60, 40);
  Reader = &TScreenSampler::DefaultScreenPixel;
  ASSERT_TRUE(::SetCursorPos(720, 515));
  EXPECT_FALSE(Form.Sampler.SpoitNudge(VK_RIGHT, false)) << "only while held";
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
  DragTo(720, 515);
  EXPECT_EQ(Current(), Pattern(20, 15));
  struct Step {
    WORD key;
    bool shift;
    int x, y;  // in the pattern window
  } steps[] = {{VK_RIGHT, false, 21, 15}, {VK_DOWN, true, 21, 25}, {VK_LEFT, true, 11, 25}, {VK_UP, false, 11, 24}};
  for (const Step& s : steps) {
    EXPECT_TRUE(Form.Sampler.SpoitNudge(s.key, s.shift));
    POINT at{};
    ::GetCursorPos(&at);
    EXPECT_EQ(at.x, 700 + s.x);
    EXPECT_EQ(at.y, 500 + s.y);
    EXPECT_EQ(Current(), Pattern(s.x, s.y)) << s.x << "," << s.y;
    EXPECT_EQ(PictureAt(Form.Sampler.ZoomPicture(), 6, 4), Pattern(s.x, s.y)) << "the magnifier follows";
  }
  EXPECT_FALSE(Form.Sampler.SpoitNudge('A', false));
  // At the screen's edge the pointer stops.
  ASSERT_TRUE(::SetCursorPos(3, 3));
  EXPECT_TRUE(Form.Sampler.SpoitNudge(VK_LEFT, true));
  POINT at{};
  ::GetCursorPos(&at);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, 3);
  Send(Form.Sampler.pboxSpoit.Handle(), WM_LBUTTONUP, 0, 0, 0);
  EXPECT_FALSE(Form.Sampler.SpoitNudge(VK_RIGHT, false));
}

TEST_F(SamplingTest, PickAtAScreenPointWithoutTheEyedropper) {
  Form.Show();
  TPatternWindow pattern(700, 500, 60, 40, Checker);
  Reader = &TScreenSampler::DefaultScreenPixel;
  Form.Sampler.PickAtScreenPoint(POINT{721, 514});
  EXPECT_EQ(Current(), RGB(0, 0, 0));
  Form.Sampler.SetSampling({3, TSampleMode::Mean});
  Form.Sampler.PickAtScreenPoint(POINT{721, 514});
  EXPECT_EQ(Current(), RGB(113, 113, 113));  // 4 of 9 white: 113.33
  EXPECT_FALSE(Form.Sampler.SpoitDragging());
}

TEST_F(SamplingTest, MagnifierCellsScaleWithTheViewsDpi) {
  Form.Show();
  TPatternWindow pattern(700, 500, 60, 40);
  Reader = &TScreenSampler::DefaultScreenPixel;
  PickAt(720, 515);
  // 12-pixel cells at 144 DPI: 9 x 7 of them, the centre from (46, 30) to
  // (57, 41), its edge marked.
  Form.Sampler.SetViewDpi(144);
  auto canvas = PaintZoom();
  EXPECT_EQ(canvas->At(46, 30), RGB(0, 0, 0));
  EXPECT_EQ(canvas->At(48, 32), Pattern(20, 15));
  EXPECT_EQ(canvas->At(55, 39), Pattern(20, 15));
  EXPECT_EQ(canvas->At(45, 29), Pattern(19, 14));
  EXPECT_EQ(canvas->At(0, 0), Pattern(16, 12));
  Form.Sampler.SetViewDpi(0);
  EXPECT_EQ(Form.Sampler.ViewDpi(), 96);
  canvas = PaintZoom();
  EXPECT_EQ(canvas->At(50, 34), Pattern(20, 15));
  EXPECT_EQ(canvas->At(47, 31), Pattern(19, 14));
}

}  // namespace
