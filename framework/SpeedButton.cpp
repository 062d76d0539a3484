#include "framework/SpeedButton.h"

#include <optional>
#include <span>
#include <utility>

#include "framework/Handles.h"
#include "framework/Image.h"
#include "framework/Theme.h"

namespace fw {

void DrawTransparentGlyph(HDC dc, HBITMAP glyph, int x, int y, bool enabled) {
  BITMAP bm{};
  if (!glyph || !::GetObjectW(glyph, sizeof(bm), &bm)) return;
  const int w = bm.bmWidth, h = bm.bmHeight;
  TUniqueMemDC image(::CreateCompatibleDC(dc));
  if (!image) return;
  std::optional<TSelectObject> selectImage(std::in_place, image.Get(), glyph);
  const COLORREF transparent = ::GetPixel(image.Get(), 0, h - 1);
  // In high contrast a glyph takes the text colour of the user's theme, not its own.
  if (enabled && !ThemeHighContrast()) {
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
  // Disabled: the glyph's shape twice, highlight one pixel down-right, shadow on top.
  constexpr DWORD kPSDPxax = 0x00B8074A;  // brush where the source is 0
  const std::pair<int, TThemeRole> enabledShape[] = {{0, TThemeRole::FaceText}};
  const std::pair<int, TThemeRole> disabledShape[] = {{1, TThemeRole::Light}, {0, TThemeRole::Shadow}};
  using TShape = std::span<const std::pair<int, TThemeRole>>;
  for (auto [dx, role] : enabled ? TShape(enabledShape) : TShape(disabledShape)) {
    HGDIOBJ old = ::SelectObject(dc, ThemeBrush(role));
    ::BitBlt(dc, x + dx, y + dx, w, h, maskDC.Get(), 0, 0, kPSDPxax);
    ::SelectObject(dc, old);
  }
  ::SetTextColor(dc, oldText);
  ::SetBkColor(dc, oldBk);
}

}  // namespace fw
