// A form and its controls taken to other DPIs with real windows: bounds
// from the designed numbers, the form's font, WM_DPICHANGED and the button
// images. The Wine prefix of these tests runs at 96 DPI, so the changes
// are asked for directly, as the system asks when a window changes monitor.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string_view>

#include "app/ControlIds.h"
#include "app/ufrmTintra.h"
#include "controls/uControlGlyphs.h"
#include "controls/uEditTrackBarVel.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/Panel.h"
#include "framework/Theme.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/GdiCount.h"

namespace {

RECT BoundsInParent(const fw::TWindow& w) {
  RECT r{};
  ::GetWindowRect(w.Handle(), &r);
  ::MapWindowPoints(nullptr, ::GetParent(w.Handle()), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

LONG FontHeight(const fw::TWindow& w) {
  auto font = reinterpret_cast<HFONT>(::SendMessageW(w.Handle(), WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (!font || !::GetObjectW(font, sizeof(lf), &lf)) return 0;
  return lf.lfHeight;
}

// The right-hand panel's shape: an aligned panel 205 wide holding the
// colour name between the eyedropper (bottom 30) and the swatch (top 42).
class DpiScaling : public testing::Test {
 protected:
  void SetUp() override {
    Form.SetBounds(40, 40, 500, 320);
    Form.SetFontFace(L"Tahoma", 13, DEFAULT_CHARSET);
    Form.Create(nullptr, WS_POPUP);
    Panel.SetWidth(205);
    Panel.SetAlign(fw::TAlign::alRight);
    Panel.Create(&Form);
    Spoit.SetBounds(9, 6, 24, 24);
    Spoit.Create(&Panel);
    Name.SetBounds(2, 30, 92, 12);
    Name.Create(&Panel, L"black");
    Swatch.SetBounds(40, 42, 41, 42);
    Swatch.Create(&Panel);
  }

  fw::TForm Form;
  fw::TPanel Panel, Spoit, Swatch;
  fw::TLabel Name;
};

TEST_F(DpiScaling, ControlsGrowFromTheirDesignedBoundsAndComeBackExactly) {
  const struct {
    int Dpi;
    RECT Spoit, Name, Swatch;
    int PanelWidth;
  } steps[] = {
      {144, {14, 9, 50, 45}, {3, 45, 141, 63}, {60, 63, 122, 126}, 308},
      {192, {18, 12, 66, 60}, {4, 60, 188, 84}, {80, 84, 162, 168}, 410},
      {120, {11, 8, 41, 38}, {3, 38, 118, 53}, {50, 53, 101, 105}, 256},
      {96, {9, 6, 33, 30}, {2, 30, 94, 42}, {40, 42, 81, 84}, 205},
      {144, {14, 9, 50, 45}, {3, 45, 141, 63}, {60, 63, 122, 126}, 308},
  };
  const RECT form = BoundsInParent(Form);
  for (const auto& s : steps) {
    SCOPED_TRACE(s.Dpi);
    Form.ChangeDpi(s.Dpi);
    EXPECT_EQ(Form.Dpi(), s.Dpi);
    EXPECT_EQ(Name.Dpi(), s.Dpi);
    EXPECT_TRUE(Same(BoundsInParent(Spoit), s.Spoit)) << Text(BoundsInParent(Spoit));
    EXPECT_TRUE(Same(BoundsInParent(Name), s.Name)) << Text(BoundsInParent(Name));
    EXPECT_TRUE(Same(BoundsInParent(Swatch), s.Swatch)) << Text(BoundsInParent(Swatch));
    EXPECT_EQ(Panel.Width(), s.PanelWidth);
    EXPECT_EQ(Panel.Left() + Panel.Width(), Form.ClientWidth()) << "still aligned right";
    // The form's own size is the system's business (WM_DPICHANGED).
    EXPECT_TRUE(Same(BoundsInParent(Form), form));
  }
}

TEST_F(DpiScaling, BoundsSetAtAnotherDpiAreKeptAtThatDpi) {
  Form.ChangeDpi(144);
  Spoit.SetBounds(10, 10, 33, 33);
  Form.ChangeDpi(192);
  EXPECT_TRUE(Same(BoundsInParent(Spoit), RECT{13, 13, 57, 57})) << Text(BoundsInParent(Spoit));
  Form.ChangeDpi(96);
  Form.ChangeDpi(144);
  EXPECT_TRUE(Same(BoundsInParent(Spoit), RECT{10, 10, 43, 43})) << Text(BoundsInParent(Spoit));
}

TEST_F(DpiScaling, AControlMadeLaterTakesItsParentsDpi) {
  Form.ChangeDpi(144);
  fw::TPanel designed, placed;
  designed.SetBounds(9, 6, 24, 24);  // before Create: designed at 96 DPI
  designed.Create(&Panel);
  placed.Create(&Panel);
  placed.SetBounds(9, 6, 24, 24);  // after Create: pixels at 144 DPI
  EXPECT_EQ(designed.Dpi(), 144);
  EXPECT_TRUE(Same(BoundsInParent(designed), RECT{14, 9, 50, 45})) << Text(BoundsInParent(designed));
  EXPECT_TRUE(Same(BoundsInParent(placed), RECT{9, 6, 33, 30})) << Text(BoundsInParent(placed));
  Form.ChangeDpi(96);
  EXPECT_TRUE(Same(BoundsInParent(designed), RECT{9, 6, 33, 30})) << Text(BoundsInParent(designed));
  EXPECT_TRUE(Same(BoundsInParent(placed), RECT{6, 4, 22, 20})) << Text(BoundsInParent(placed));
}

TEST_F(DpiScaling, TheFormFontFollowsAndTheOldFontIsDeleted) {
  EXPECT_EQ(FontHeight(Name), 13);
  const DWORD before = GdiObjectCount();
  for (int round = 0; round < 3; ++round) {
    const struct {
      int Dpi;
      LONG Height;
    } steps[] = {{144, 20}, {192, 26}, {120, 16}, {96, 13}};
    for (const auto& s : steps) {
      Form.ChangeDpi(s.Dpi);
      EXPECT_EQ(FontHeight(Name), s.Height) << s.Dpi;
      EXPECT_EQ(Panel.Font(), Form.FormFont()) << s.Dpi;
      EXPECT_EQ(Form.FormFont(), reinterpret_cast<HFONT>(::SendMessageW(Name.Handle(), WM_GETFONT, 0, 0)));
    }
  }
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(DpiScaling, WmDpiChangedTakesTheSuggestedRectangleAndScalesTheControls) {
  int changes = 0;
  Form.OnDpiChange = [&](fw::TObject*) {
    ++changes;
    EXPECT_EQ(Form.Dpi(), 144);
    EXPECT_EQ(Panel.Width(), 308) << "the controls are scaled before the event";
  };
  RECT suggested{100, 80, 850, 560};
  ::SendMessageW(Form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(changes, 1);
  RECT r{};
  ::GetWindowRect(Form.Handle(), &r);
  EXPECT_TRUE(Same(r, suggested)) << Text(r);
  EXPECT_TRUE(Same(BoundsInParent(Name), RECT{3, 45, 141, 63})) << Text(BoundsInParent(Name));
  EXPECT_EQ(Panel.Left(), 750 - 308) << "aligned to the new client area";
  // A repeated message for the same DPI changes nothing more.
  ::SendMessageW(Form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(changes, 1);
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

TEST_F(DpiScaling, AChannelEditorsButtonsAndTheirGlyphsGrow) {
  TEditTrackBarVel edit;
  edit.SetBounds(40, 92, 60, 21);
  edit.SetButtons({etbvbUpDown, etbvbTrackBar});
  edit.Create(&Panel);
  const SIZE up = BitmapSize(ControlGlyphs().SpinUp), divider = BitmapSize(ControlGlyphs().TrackBarDivider);
  ASSERT_GT(up.cx, 0);
  const struct {
    int Dpi;
    int ButtonWidth;  // 12 at 96 DPI
    int Factor2;      // twice the glyph's growth
  } steps[] = {{144, 18, 3}, {192, 24, 4}, {96, 12, 2}, {144, 18, 3}};
  for (const auto& s : steps) {
    SCOPED_TRACE(s.Dpi);
    Form.ChangeDpi(s.Dpi);
    EXPECT_EQ(edit.UpButton().Width(), s.ButtonWidth);
    EXPECT_EQ(edit.Button().Width(), s.ButtonWidth);
    EXPECT_EQ(edit.UpButton().Left() + s.ButtonWidth, edit.Button().Left()) << "side by side";
    EXPECT_EQ(BitmapSize(edit.UpButton().Glyph()).cx, (up.cx * s.Factor2 + 1) / 2);
    EXPECT_EQ(BitmapSize(edit.Button().Glyph()).cy, (divider.cy * s.Factor2 + 1) / 2);
  }
  // Each DPI's copy is made once and shared.
  EXPECT_EQ(edit.UpButton().Glyph(), GlyphAtDpi(ControlGlyphs().SpinUp, 144));
}

// A red first column and a blue last row in 16 x 16 pixel art.
constexpr std::string_view kArt[16] = {
    "r...............", "r...............", "r...............", "r...............", "r...............",
    "r...............", "r...............", "r...............", "r...............", "r...............",
    "r...............", "r...............", "r...............", "r...............", "r...............",
    "bbbbbbbbbbbbbbbb",
};
constexpr fw::TPixelArtColor kPalette[] = {{'r', RGB(255, 0, 0)}, {'b', RGB(0, 0, 255)}};

TEST(ImageListScaling, PixelArtIsRedrawnCrispAtEachSize) {
  fw::TImageList images(16, 16);
  images.AddPixelArt(kArt, kPalette, std::size(kPalette));
  const struct {
    int Size;
    int RedColumns, BlueRows;  // a pixel of the art becomes one or two at 1.5 times
  } cases[] = {{16, 1, 1}, {24, 1, 2}, {32, 2, 2}, {20, 1, 1}, {16, 1, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Size);
    images.SetImageSize(c.Size, c.Size);
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(images.Handle(), &cx, &cy));
    EXPECT_EQ(cx, c.Size);
    EXPECT_EQ(images.Count(), 1);
    TDibCanvas canvas(c.Size, c.Size, RGB(255, 255, 255));
    ASSERT_TRUE(::ImageList_Draw(images.Handle(), 0, canvas.DC(), 0, 0, ILD_TRANSPARENT));
    ::GdiFlush();
    const int middle = c.Size / 2;
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(canvas.At(x, middle), x < c.RedColumns ? RGB(255, 0, 0) : RGB(255, 255, 255)) << "x " << x;
    for (int y = c.Size - 4; y < c.Size; ++y)
      EXPECT_EQ(canvas.At(middle, y), y >= c.Size - c.BlueRows ? RGB(0, 0, 255) : RGB(255, 255, 255)) << "y " << y;
  }
}

// The main window's button bar: the strip drawn for its size at each DPI,
// pixel for pixel, and in high contrast the same shapes in the text colour.
TEST(ToolBarImages, EachDpiShowsTheStripDrawnForItsSizeAndHighContrastOnlyTheTextColour) {
  TfrmTintra form;
  form.CreateForm();
  HWND bar = ::FindWindowExW(::GetDlgItem(::GetDlgItem(form.Handle(), ControlIds::Panel3), ControlIds::TBXDock),
                             nullptr, TOOLBARCLASSNAMEW, nullptr);
  ASSERT_NE(bar, nullptr);
  fw::TThemePalette contrast = fw::HighContrastPalette();
  contrast.Colors[static_cast<std::size_t>(fw::TThemeRole::FaceText)] = RGB(0, 255, 255);
  const struct {
    int Dpi, Side;
    const wchar_t* Strip;
    bool HighContrast;
  } cases[] = {{144, 24, L"TOOLBAR24", false}, {192, 32, L"TOOLBAR32", false}, {120, 16, L"TOOLBAR16", false},
               {144, 24, nullptr, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Dpi);
    fw::SetThemePalette(c.HighContrast ? &contrast : nullptr);
    form.ChangeDpi(c.Dpi);
    const auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(bar, TB_GETIMAGELIST, 0, 0));
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(images, &cx, &cy));
    EXPECT_EQ(cx, c.Side);
    ASSERT_EQ(::ImageList_GetImageCount(images), 13);
    TDibCanvas drawn(13 * c.Side, c.Side, RGB(255, 0, 255));
    for (int i = 0; i < 13; ++i) ::ImageList_Draw(images, i, drawn.DC(), i * c.Side, 0, ILD_TRANSPARENT);
    ::GdiFlush();
    fw::TUniqueBitmap strip(static_cast<HBITMAP>(
        ::LoadImageW(::GetModuleHandleW(nullptr), c.Strip ? c.Strip : L"TOOLBAR24", IMAGE_BITMAP, 0, 0, 0)));
    fw::TUniqueMemDC source(::CreateCompatibleDC(nullptr));
    fw::TSelectObject selected(source.Get(), strip.Get());
    int differ = 0, ink = 0;
    for (int y = 0; y < c.Side; ++y)
      for (int x = 0; x < 13 * c.Side; ++x) {
        const COLORREF seen = drawn.At(x, y);
        ink += seen == RGB(0, 255, 255);
        differ += c.HighContrast ? seen != RGB(255, 0, 255) && seen != RGB(0, 255, 255) : seen != ::GetPixel(source.Get(), x, y);
      }
    EXPECT_EQ(differ, 0);
    if (c.HighContrast) {
      EXPECT_GT(ink, 13 * c.Side);
    }
  }
  fw::SetThemePalette(nullptr);
}

}  // namespace
