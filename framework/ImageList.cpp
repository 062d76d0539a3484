#include "framework/ImageList.h"

#include <vector>

#include "core/support/Exception.h"
#include "framework/Handles.h"

namespace fw {

namespace {
constexpr COLORREF kTransparent = RGB(255, 0, 255);
}

TImageList::TImageList(int width, int height) : FWidth(width), FHeight(height) {
  FHandle = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 16, 4);
  if (!FHandle) throw Exception(L"TImageList: ImageList_Create failed");
}

TImageList::~TImageList() {
  if (FHandle) ::ImageList_Destroy(FHandle);
}

int TImageList::AddPixelArt(const std::string_view* rows, const TPixelArtColor* palette, size_t paletteSize) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = FWidth;
  bi.bmiHeader.biHeight = -FHeight;  // top-down, as the art is written
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TWindowDC screen(nullptr);
  TUniqueBitmap bmp(::CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp) throw Exception(L"TImageList.AddPixelArt: CreateDIBSection failed");
  auto* px = static_cast<DWORD*>(bits);
  for (int y = 0; y < FHeight; ++y) {
    for (int x = 0; x < FWidth; ++x) {
      COLORREF c = kTransparent;
      char key = static_cast<size_t>(x) < rows[y].size() ? rows[y][static_cast<size_t>(x)] : '.';
      for (size_t i = 0; i < paletteSize; ++i)
        if (palette[i].Key == key) c = palette[i].Color;
      // DIB pixels are blue, green, red from the low byte.
      px[y * FWidth + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  ::GdiFlush();
  int index = ::ImageList_AddMasked(FHandle, bmp.Get(), kTransparent);
  if (index < 0) throw Exception(L"TImageList.AddPixelArt: ImageList_AddMasked failed");
  return index;
}

}  // namespace fw
