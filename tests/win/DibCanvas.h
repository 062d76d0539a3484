#pragma once
// A top-down 24-bit DIB section in a memory DC, for reading back exactly
// what drawing code put there.
#include <windows.h>

#include <cstdint>

#include "framework/Handles.h"

class TDibCanvas {
 public:
  TDibCanvas(int width, int height, COLORREF background = RGB(1, 2, 3))
      : FWidth(width), FHeight(height), FDC(::CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap.Reset(::CreateDIBSection(FDC.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    FBits = static_cast<std::uint8_t*>(bits);
    FOld = ::SelectObject(FDC.Get(), FBitmap.Get());
    Clear(background);
  }
  ~TDibCanvas() { ::SelectObject(FDC.Get(), FOld); }
  TDibCanvas(const TDibCanvas&) = delete;
  TDibCanvas& operator=(const TDibCanvas&) = delete;

  HDC DC() const { return FDC.Get(); }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Valid() const { return FBits != nullptr; }

  void Clear(COLORREF c) {
    ::GdiFlush();
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) Set(x, y, c);
  }
  void Set(int x, int y, COLORREF c) {
    std::uint8_t* p = Pixel(x, y);
    p[0] = GetBValue(c);
    p[1] = GetGValue(c);
    p[2] = GetRValue(c);
  }
  COLORREF At(int x, int y) const {
    ::GdiFlush();
    const std::uint8_t* p = const_cast<TDibCanvas*>(this)->Pixel(x, y);
    return RGB(p[2], p[1], p[0]);
  }

 private:
  std::uint8_t* Pixel(int x, int y) {
    const int stride = (FWidth * 3 + 3) & ~3;
    return FBits + y * stride + x * 3;
  }
  int FWidth, FHeight;
  fw::TUniqueMemDC FDC;
  fw::TUniqueBitmap FBitmap;
  std::uint8_t* FBits = nullptr;
  HGDIOBJ FOld = nullptr;
};

// One pixel of a bitmap that is selected into no DC.
inline COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  fw::TUniqueMemDC dc(::CreateCompatibleDC(nullptr));
  fw::TSelectObject select(dc.Get(), bitmap);
  return ::GetPixel(dc.Get(), x, y);
}
