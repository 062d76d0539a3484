#include "framework/support/uDraw3DFrame.h"

#include "framework/Handles.h"
#include "framework/Theme.h"

namespace {


// Three points, two segments; LineTo leaves each end point unpainted.
void Stroke(HDC dc, COLORREF colour, POINT a, POINT b, POINT c) {
  fw::TUniquePen pen(::CreatePen(PS_SOLID, 1, colour));
  if (!pen) return;
  fw::TSelectObject select(dc, pen.Get());
  ::MoveToEx(dc, a.x, a.y, nullptr);
  ::LineTo(dc, b.x, b.y);
  ::LineTo(dc, c.x, c.y);
}

}  // namespace

void Draw3DFrame(HDC dc, const RECT& rect, bool raised, std::optional<COLORREF> fill) {
  const LONG l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  if (r <= l || b <= t) return;
  POINT oldPosition{};
  ::GetCurrentPositionEx(dc, &oldPosition);

  // Under three pixels a side the strokes would run back out of rect.
  const int saved = ::SaveDC(dc);
  ::IntersectClipRect(dc, l, t, r, b);
  using fw::TThemeRole;
  // In high contrast a swatch keeps its true colour inside a frame of the
  // text colour, which stands out against any colour the theme has.
  const bool plain = fill && fw::ThemeHighContrast();
  const auto role = [plain](TThemeRole r) { return fw::ThemeColor(plain ? TThemeRole::WindowText : r); };
  const COLORREF outerLight = role(TThemeRole::FrameOuterLight), innerLight = role(TThemeRole::FrameInnerLight),
                 innerShadow = role(TThemeRole::FrameInnerShadow), outerShadow = role(TThemeRole::FrameOuterShadow);
  Stroke(dc, raised ? outerLight : innerShadow, {l, b - 2}, {l, t}, {r - 1, t});
  Stroke(dc, raised ? innerLight : outerShadow, {l + 1, b - 3}, {l + 1, t + 1}, {r - 2, t + 1});
  Stroke(dc, raised ? outerShadow : outerLight, {l, b - 1}, {r - 1, b - 1}, {r - 1, t});
  Stroke(dc, raised ? innerShadow : innerLight, {l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t + 1});
  if (saved) ::RestoreDC(dc, saved);
  ::MoveToEx(dc, oldPosition.x, oldPosition.y, nullptr);

  // GDI fills an inverted rectangle too, which would paint over the frame and
  // beyond rect when it is narrower than the two rings.
  const RECT inside{l + 2, t + 2, r - 2, b - 2};
  if (fill && inside.right > inside.left && inside.bottom > inside.top) {
    fw::TUniqueBrush brush(::CreateSolidBrush(*fill));
    if (brush) ::FillRect(dc, &inside, brush.Get());
  }
}
