// In high contrast every own-drawn part of the main window draws with the
// theme's colours only, rendered off screen with a palette of colours no
// other drawing uses; the swatches keep their true colour in a text-coloured frame.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Theme.h"
#include "tests/win/DibCanvas.h"

namespace {

// The pixels of a window's client as its erase and paint routines draw them.
std::vector<COLORREF> Render(HWND window, int& width, int& height) {
  RECT r{};
  ::GetClientRect(window, &r);
  width = r.right;
  height = r.bottom;
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;
  TDibCanvas canvas(width, height);
  ::SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.DC()), 0);
  ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()), PRF_CLIENT);
  ::GdiFlush();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(canvas.At(x, y));
  return pixels;
}

BOOL CALLBACK Collect(HWND window, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
  return TRUE;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

TEST(HighContrast, OwnDrawnPartsUseOnlyTheThemesColours) {
  // Colours no usual palette has, one a role.
  fw::TThemePalette palette;
  palette.HighContrast = true;
  for (std::size_t i = 0; i < palette.Colors.size(); ++i)
    palette.Colors[i] = RGB(17 + 13 * static_cast<int>(i), 201 - 11 * static_cast<int>(i), 99 + 7 * static_cast<int>(i));
  const std::set<COLORREF> allowed(palette.Colors.begin(), palette.Colors.end());
  fw::SetThemePalette(&palette);

  TfrmTintra form;
  form.CreateForm();
  form.SetBounds(4000, 4000, 580, 304);
  form.Show();
  const TColor rows[] = {0x563412, 0x0080FF};
  form.ColorList.AppendColors(std::vector<TPaletteEntry>{{rows[0], L"sea"}, {rows[1], L""}}, IDS_STEP_IMPORT);
  form.ChannelPanel.SetColor(0x563412);
  fw::Application().ProcessMessages();

  std::vector<HWND> windows;
  ::EnumChildWindows(form.Handle(), Collect, reinterpret_cast<LPARAM>(&windows));
  int checked = 0;
  for (HWND w : windows) {
    const int id = ::GetDlgCtrlID(w);
    // Screen pixels and the dropper's picture are content, not drawing.
    if (!::IsWindowVisible(w) || id == ControlIds::pboxZoom || id == ControlIds::pboxSpoit) continue;
    if (ClassOf(w).rfind(L"Tintra", 0) != 0) continue;
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels = Render(w, width, height);
    if (pixels.empty()) continue;
    std::size_t foreign = 0;
    for (COLORREF c : pixels)
      if (!allowed.count(c) && c != rows[0] && c != rows[1]) ++foreign;
    // Text edges may blend two theme colours; a part drawn in other colours fills far more.
    EXPECT_LE(foreign * 50, pixels.size()) << "control " << id << " draws " << foreign << " of " << pixels.size()
                                           << " pixels in other colours";
    ++checked;
    if (id == ControlIds::pboxColor) {
      EXPECT_EQ(pixels[0], palette.Colors[static_cast<std::size_t>(fw::TThemeRole::WindowText)]);
      EXPECT_EQ(pixels[static_cast<std::size_t>(height / 2 * width + width / 2)], RGB(0x12, 0x34, 0x56));
    }
  }
  EXPECT_GE(checked, 8);
  fw::SetThemePalette(nullptr);
}

}  // namespace
