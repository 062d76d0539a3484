#include "controls/uSpeedButtonVel.h"

void TSpeedButtonVel::PaintButton(HDC dc) {
  fw::TSpeedButton::PaintButton(dc);
  if (OnPaint) OnPaint(this);
}
