#include "framework/SpeedButton.h"

#include <optional>
#include <utility>

#include "framework/Handles.h"
#include "framework/Image.h"

namespace fw {

void DrawTransparentGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled) {
  BITMAP bm{};
  if (!glyph || !::GetObjectW(glyph, sizeof(bm), &bm)) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  TUniqueMemDC image(::CreateCompatibleDC(dc));
  if (!image) return;
  std::optional<TSelectObject> selectImage(std::in_place, image.Get(), glyph);
  const COLORREF transparent = ::GetPixel(image.Get(), 0, h - 1);
  if (enabled) {
    // A bitmap is selected into one DC at a time: the blit selects it again.
    selectImage.reset();
    DrawTransparentBitmap(dc, x, y, glyph, transparent);
    return;
  }
  TUniqueMemDC maskDC(::CreateCompatibleDC(dc));
  TUniqueBitmap mask = CreateTransparencyMask(image.Get(), w, h, transparent);
  if (!maskDC || !mask) return;
  TSelectObject selectMask(maskDC.Get(), mask.Get());
  const COLORREF oldText = ::SetTextColor(dc, RGB(0, 0, 0));
  const COLORREF oldBk = ::SetBkColor(dc, RGB(255, 255, 255));
  // The glyph's shape twice: highlight one pixel down-right, shadow on top.
  constexpr DWORD kPSDPxax = 0x00B8074A;  // brush where the source is 0
  for (auto [dx, colour] : {std::pair{1, COLOR_BTNHIGHLIGHT}, std::pair{0, COLOR_BTNSHADOW}}) {
    HGDIOBJ old = ::SelectObject(dc, ::GetSysColorBrush(colour));
    ::BitBlt(dc, x + dx, y + dx, w, h, maskDC.Get(), 0, 0, kPSDPxax);
    ::SelectObject(dc, old);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

}  // namespace fw
