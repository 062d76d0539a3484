#include "framework/PaintBox.h"

namespace fw {

void TPaintBox::Create(TWindow* parent) {
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  CreateHandle(parent, p);
}

bool TPaintBox::Paint(HDC dc, const RECT&) {
  if (OnPaint) OnPaint(this, dc);
  return true;
}

}  // namespace fw
