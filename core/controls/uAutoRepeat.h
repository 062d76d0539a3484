#pragma once
// The timer of an auto-repeating spin button: one click at the press, the
// next after 400 ms, then every 100 ms while the pointer stays on the held
// button. The Windows side owns the real timer and follows Enabled() and
// Interval() after each call.

class TAutoRepeat {
 public:
  static constexpr unsigned kFirstDelay = 400;
  static constexpr unsigned kRepeatInterval = 100;

  // Returns true: a press always clicks once at once.
  bool Press();
  // A timer tick; returns whether to click. shownDown and hasCapture say
  // whether the button is still drawn pressed and holds the mouse, i.e.
  // whether the pointer is on it.
  bool Tick(bool shownDown, bool hasCapture);
  // The release adds no click of its own.
  void Release() { FEnabled = false; }
  // A click raised an exception: the repeat stops before it passes on.
  void ClickFailed() { FEnabled = false; }

  bool Enabled() const { return FEnabled; }
  unsigned Interval() const { return FInterval; }

 private:
  bool FEnabled = false;
  unsigned FInterval = kFirstDelay;
};
