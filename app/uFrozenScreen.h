#pragma once
// The frozen screen: the whole virtual screen (every monitor, physical
// pixels) copied once, and a full-screen, topmost window that shows the copy
// for the length of a pick. Nothing under it sees the pointer, so hover
// states, menus, tool tips and videos stay as they were, and every read of
// the pick comes from the copy.
#include <windows.h>

#include <optional>
#include <string>

#include "app/uScreenCapture.h"
#include "core/sampling/uMonitorLayout.h"
#include "framework/Handles.h"
#include "framework/Window.h"

// The copy alone, without a window: the command line and the benchmarks use it too.
class TScreenSnapshot {
 public:
  // Copies what every monitor shows now; false when GDI refuses. A copy
  // already taken of the same screens is overwritten in place.
  bool Take(const TMonitorLayout& monitors);
  void Free() noexcept;
  bool Taken() const noexcept { return static_cast<bool>(FDC); }
  // Where the eyedropper and the loupe read while the screen is frozen.
  TPixelSource Source() const noexcept { return TPixelSource{FDC.Get(), POINT{FBounds.Left, FBounds.Top}}; }
  const TRectI& Bounds() const noexcept { return FBounds; }

 private:
  TRectI FBounds{};
  fw::TUniqueBitmap FBitmap;
  // Declared after the bitmap, so it lets go of it first.
  fw::TUniqueMemDC FDC;
  HGDIOBJ FOld = nullptr;
};

class TFrozenScreen : public fw::TWindow {
 public:
  TFrozenScreen() = default;
  ~TFrozenScreen() override { Thaw(); }

  // Takes the copy and shows it over everything, not activated; the cursor
  // over it is cursor. False, and nothing shown, when the copy failed.
  bool Freeze(const TMonitorLayout& monitors, HCURSOR cursor, const std::wstring& title);
  void Thaw() noexcept;
  bool Frozen() const noexcept { return FSnapshot.Taken(); }
  std::optional<TPixelSource> Source() const;

 protected:
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMEraseBkgnd(HDC) override { return true; }
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  TScreenSnapshot FSnapshot;
};
