#pragma once
// The colours of the program's own drawing, one per role. The usual palette
// is the system's colours with the few fixed ones the design has (the 3D
// frame, the link); in high contrast every role is a system colour, so the
// user's theme decides all that is drawn. Another palette (a dark theme) is
// one more table.
#include <windows.h>

#include <array>

namespace fw {

enum class TThemeRole {
  Face,            // panels, header cells, buttons
  FaceText,
  Window,          // the list's cells, edits
  WindowText,      // also the frame around every colour swatch in high contrast
  Selection,
  SelectionText,
  GrayText,
  Light,           // the lit edge of a raised button face
  Shadow,          // its shaded edge, the header grid lines
  InfoBack,        // tool tips
  InfoText,
  Link,
  FrameOuterLight,  // the 3D frame around the eyedropper box and the swatch
  FrameInnerLight,
  FrameInnerShadow,
  FrameOuterShadow,
  InvalidText,     // text an edit could not read; the window text in high contrast, where a note says it
  Count
};

struct TThemePalette {
  std::array<COLORREF, static_cast<std::size_t>(TThemeRole::Count)> Colors{};
  bool HighContrast = false;
};

// The palette in use, read again after each system colour or setting change.
COLORREF ThemeColor(TThemeRole role) noexcept;
bool ThemeHighContrast() noexcept;
// A brush of the role's colour, owned by the theme (never deleted by the caller).
HBRUSH ThemeBrush(TThemeRole role) noexcept;
// The one-pixel raised or lowered edge of DrawEdge (BDR_RAISEDINNER,
// BDR_SUNKENOUTER), in the theme's colours.
void DrawThemeEdge(HDC dc, const RECT& r, bool raised) noexcept;
// The system colours changed, or high contrast went on or off.
void RefreshTheme() noexcept;
// The palettes: the usual one and the high-contrast one of the system's colours now.
TThemePalette UsualPalette() noexcept;
TThemePalette HighContrastPalette() noexcept;
// Draws with palette until the next call with null (tests render off screen).
void SetThemePalette(const TThemePalette* palette) noexcept;

}  // namespace fw
