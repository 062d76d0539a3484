#include "core/controls/uEditButtonLayout.h"

// The 4 pixels are the edit's border, which the outer size includes.

TRectI EmbeddedButtonRect(int width, int height, bool rightToLeft, int buttonWidth) {
  if (rightToLeft) return {0, 0, buttonWidth, height - 4};
  return {width - buttonWidth - 4, 0, width - 4, height - 4};
}

TRectI EditVelFormatRect(int width, int height, int buttonWidth, bool rightToLeft) {
  TRectI r{0, 0, width - 4, height - 4};
  if (rightToLeft)
    r.Left += buttonWidth - 2;
  else
    r.Right -= buttonWidth;
  return r;
}

TSpinButtonRects SpinButtonRects(int width, int height, bool trackBarShown, bool rightToLeft, int buttonWidth) {
  const int w = trackBarShown ? buttonWidth : 0;
  const int left = rightToLeft ? w : width - w - 4 - buttonWidth;
  const int right = left + buttonWidth;
  const int middle = (height - 4) / 2;
  return {{left, 0, right, middle}, {left, middle, right, height - 4}};
}

TRectI EditTrackBarFormatRect(int width, int height, bool upDownShown, bool trackBarShown, bool rightToLeft,
                              int buttonWidth) {
  const int inset = buttonWidth * ((upDownShown ? 1 : 0) + (trackBarShown ? 1 : 0));
  TRectI r{0, 0, width - 4, height - 4};
  if (rightToLeft)
    r.Left += inset;
  else
    r.Right -= inset;
  return r;
}
