#pragma once
// Plain rectangles and points for layout maths that must not see <windows.h>.
// Right and Bottom are exclusive, as in a Windows RECT.

struct TPointI {
  int X, Y;
  bool operator==(const TPointI&) const = default;
};

struct TRectI {
  int Left, Top, Right, Bottom;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRectI&) const = default;
};
