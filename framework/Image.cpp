#include "framework/Image.h"

#include "framework/Dpi.h"

namespace fw {

TUniqueBitmap CreateTransparencyMask(HDC src, int width, int height, COLORREF transparent) {
  TUniqueBitmap mask(::CreateBitmap(width, height, 1, 1, nullptr));
  TUniqueMemDC maskDC(::CreateCompatibleDC(src));
  if (!mask || !maskDC) return {};
  TSelectObject selectMask(maskDC.Get(), mask.Get());
  // Colour to monochrome: pixels of the source's background colour become 1.
  const COLORREF oldBk = ::SetBkColor(src, transparent);
  ::BitBlt(maskDC.Get(), 0, 0, width, height, src, 0, 0, SRCCOPY);
  ::SetBkColor(src, oldBk);
  return mask;
}

void DrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent) {
  BITMAP info{};
  if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return;
  const int w = info.bmWidth, h = info.bmHeight;
  TUniqueMemDC src(::CreateCompatibleDC(dc));
  if (!src) return;
  TSelectObject selectSrc(src.Get(), bitmap);
  TUniqueBitmap mask = CreateTransparencyMask(src.Get(), w, h, transparent);
  if (!mask) return;
  // Where the mask is 1 the destination stays, elsewhere the source is copied.
  ::MaskBlt(dc, x, y, w, h, src.Get(), 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

void TImage::Create(TWindow* parent) {
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  CreateHandle(parent, p);
}

void TImage::SetPicture(HBITMAP bitmap) {
  FDesignedPicture.Reset();
  if (FScalesWithDpi && bitmap && Dpi() != 96) {
    FDesignedPicture.Reset(bitmap);
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof(info), &info);
    bitmap = StretchBitmapNearest(bitmap, Scaled(info.bmWidth), Scaled(info.bmHeight));
  }
  ShowPicture(bitmap);
}

void TImage::DpiChanged(int, int) {
  if (!FScalesWithDpi || !FPicture) return;
  if (!FDesignedPicture) FDesignedPicture = std::move(FPicture);
  BITMAP info{};
  if (!::GetObjectW(FDesignedPicture.Get(), sizeof(info), &info)) return;
  ShowPicture(StretchBitmapNearest(FDesignedPicture.Get(), Scaled(info.bmWidth), Scaled(info.bmHeight)));
}

void TImage::ShowPicture(HBITMAP bitmap) {
  FPicture.Reset(bitmap);
  BITMAP info{};
  if (bitmap && ::GetObjectW(bitmap, sizeof(info), &info)) {
    FPictureWidth = info.bmWidth;
    FPictureHeight = info.bmHeight;
  } else {
    FPictureWidth = FPictureHeight = 0;
  }
  Invalidate(true);
}

void TImage::SetTransparent(bool transparent) {
  FTransparent = transparent;
  Invalidate(true);
}

void TImage::SetTransparentColor(COLORREF colour) {
  FTransparentColor = colour;
  Invalidate(true);
}

COLORREF TImage::TransparentColor() const {
  if (FTransparentColor) return *FTransparentColor;
  if (!FPicture || FPictureHeight <= 0) return CLR_INVALID;
  TUniqueMemDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return CLR_INVALID;
  TSelectObject select(dc.Get(), FPicture.Get());
  return ::GetPixel(dc.Get(), 0, FPictureHeight - 1);
}

void TImage::DrawPicture(HDC dc, int x, int y) const {
  if (!FPicture) return;
  if (FTransparent) {
    DrawTransparentBitmap(dc, x, y, FPicture.Get(), TransparentColor());
    return;
  }
  TUniqueMemDC src(::CreateCompatibleDC(dc));
  if (!src) return;
  TSelectObject select(src.Get(), FPicture.Get());
  ::BitBlt(dc, x, y, FPictureWidth, FPictureHeight, src.Get(), 0, 0, SRCCOPY);
}

bool TImage::Paint(HDC dc, const RECT&) {
  DrawPicture(dc, 0, 0);
  return true;
}

bool TImage::WMEraseBkgnd(HDC dc) {
  TWindow* parent = Parent();
  if (!FTransparent || !parent || !parent->HandleAllocated()) return false;
  // The parent paints its own background under the control.
  POINT offset{0, 0};
  ::MapWindowPoints(Handle(), parent->Handle(), &offset, 1);
  POINT old{};
  ::SetViewportOrgEx(dc, -offset.x, -offset.y, &old);
  ::SendMessageW(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ::SendMessageW(parent->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
  return true;
}

}  // namespace fw
