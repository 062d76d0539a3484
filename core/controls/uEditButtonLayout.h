#pragma once
// Where the buttons inside an edit go and what is left for the text. Sizes
// are the edit's outer width and height; right-to-left reading mirrors.

#include "core/support/uGeometry.h"

// At 96 DPI; the controls pass the width scaled to theirs.
constexpr int kEditButtonWidth = 12;

// The embedded button of the button edit base (the track-bar button of an
// edit-trackbar).
TRectI EmbeddedButtonRect(int width, int height, bool rightToLeft, int buttonWidth = kEditButtonWidth);

// The base's formatting rectangle with its embedded button shown.
TRectI EditVelFormatRect(int width, int height, int buttonWidth, bool rightToLeft);

struct TSpinButtonRects {
  TRectI Up, Down;
};

// The spin buttons stand just inside the track-bar button, when it is shown.
TSpinButtonRects SpinButtonRects(int width, int height, bool trackBarShown, bool rightToLeft,
                                 int buttonWidth = kEditButtonWidth);

// The edit-trackbar's formatting rectangle: one button width less per shown group.
TRectI EditTrackBarFormatRect(int width, int height, bool upDownShown, bool trackBarShown, bool rightToLeft,
                              int buttonWidth = kEditButtonWidth);
