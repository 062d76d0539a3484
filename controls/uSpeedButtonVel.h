#pragma once
// The speed button embedded in the program's edits.
#include "framework/SpeedButton.h"

class TSpeedButtonVel : public fw::TSpeedButton {
 public:
  // After the button has painted itself.
  fw::TNotifyEvent OnPaint;

 protected:
  void PaintButton(HDC dc) override;
};
