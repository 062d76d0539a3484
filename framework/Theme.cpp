#include "framework/Theme.h"

#include "framework/Handles.h"

namespace fw {

namespace {

constexpr int kSystem[] = {COLOR_BTNFACE,   COLOR_BTNTEXT,       COLOR_WINDOW,      COLOR_WINDOWTEXT,
                           COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,    COLOR_BTNHIGHLIGHT,
                           COLOR_BTNSHADOW, COLOR_INFOBK,        COLOR_INFOTEXT,    COLOR_HOTLIGHT,
                           COLOR_3DHIGHLIGHT, COLOR_3DLIGHT,     COLOR_3DSHADOW,    COLOR_3DDKSHADOW,
                           COLOR_WINDOWTEXT};
static_assert(std::size(kSystem) == static_cast<std::size_t>(TThemeRole::Count));

struct TTheme {
  TThemePalette Palette;
  const TThemePalette* Override = nullptr;
  std::array<TUniqueBrush, static_cast<std::size_t>(TThemeRole::Count)> Brushes;
  bool Read = false;
};

TTheme& Theme() {
  static TTheme theme;
  return theme;
}

bool SystemHighContrast() noexcept {
  HIGHCONTRASTW hc{sizeof(hc)};
  return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(hc), &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

const TThemePalette& Current() noexcept {
  TTheme& theme = Theme();
  if (theme.Override) return *theme.Override;
  if (!theme.Read) {
    theme.Palette = SystemHighContrast() ? HighContrastPalette() : UsualPalette();
    theme.Read = true;
  }
  return theme.Palette;
}

std::size_t Index(TThemeRole role) noexcept { return static_cast<std::size_t>(role); }

}  // namespace

TThemePalette HighContrastPalette() noexcept {
  TThemePalette palette;
  for (std::size_t i = 0; i < palette.Colors.size(); ++i) palette.Colors[i] = ::GetSysColor(kSystem[i]);
  palette.HighContrast = true;
  return palette;
}

TThemePalette UsualPalette() noexcept {
  TThemePalette palette = HighContrastPalette();
  palette.HighContrast = false;
  // The design's own: the classic frame and a link in plain blue.
  palette.Colors[Index(TThemeRole::Link)] = RGB(0, 0, 255);
  palette.Colors[Index(TThemeRole::FrameOuterLight)] = RGB(255, 255, 255);
  palette.Colors[Index(TThemeRole::FrameInnerLight)] = RGB(192, 192, 192);
  palette.Colors[Index(TThemeRole::FrameInnerShadow)] = RGB(128, 128, 128);
  palette.Colors[Index(TThemeRole::FrameOuterShadow)] = RGB(0, 0, 0);
  palette.Colors[Index(TThemeRole::InvalidText)] = RGB(192, 0, 0);
  return palette;
}

COLORREF ThemeColor(TThemeRole role) noexcept { return Current().Colors[Index(role)]; }

bool ThemeHighContrast() noexcept { return Current().HighContrast; }

HBRUSH ThemeBrush(TThemeRole role) noexcept {
  TUniqueBrush& brush = Theme().Brushes[Index(role)];
  if (!brush) brush.Reset(::CreateSolidBrush(ThemeColor(role)));
  return brush.Get();
}

void DrawThemeEdge(HDC dc, const RECT& r, bool raised) noexcept {
  const HBRUSH topLeft = ThemeBrush(raised ? TThemeRole::Light : TThemeRole::Shadow),
               bottomRight = ThemeBrush(raised ? TThemeRole::Shadow : TThemeRole::Light);
  const RECT top{r.left, r.top, r.right - 1, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom - 1},
      bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
  ::FillRect(dc, &top, topLeft);
  ::FillRect(dc, &left, topLeft);
  ::FillRect(dc, &bottom, bottomRight);
  ::FillRect(dc, &right, bottomRight);
}

void RefreshTheme() noexcept {
  TTheme& theme = Theme();
  theme.Read = false;
  for (TUniqueBrush& brush : theme.Brushes) brush.Reset();
}

void SetThemePalette(const TThemePalette* palette) noexcept {
  Theme().Override = palette;
  RefreshTheme();
}

}  // namespace fw
