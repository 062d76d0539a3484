#include "framework/ImageList.h"

#include <vector>

#include "core/controls/uDpiScale.h"
#include "core/support/Exception.h"
#include "framework/Handles.h"

namespace fw {

namespace {
constexpr COLORREF kTransparent = RGB(255, 0, 255);
}

TImageList::TImageList(int width, int height)
    : FWidth(width), FHeight(height), FArtWidth(width), FArtHeight(height) {
  FHandle = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 16, 4);
  if (!FHandle) throw Exception(L"TImageList: ImageList_Create failed");
}

TImageList::~TImageList() {
  if (FHandle) ::ImageList_Destroy(FHandle);
}

int TImageList::AddPixelArt(const std::string_view* rows, const TPixelArtColor* palette, size_t paletteSize) {
  TArt art;
  for (int y = 0; y < FArtHeight; ++y) art.Rows.emplace_back(rows[y]);
  art.Palette.assign(palette, palette + paletteSize);
  AddArt(art);
  FArt.push_back(std::move(art));
  return static_cast<int>(FArt.size()) - 1;
}

void TImageList::SetImageSize(int width, int height) {
  if (width == FWidth && height == FHeight) return;
  HIMAGELIST list = ::ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, static_cast<int>(FArt.size()), 4);
  if (!list) throw Exception(L"TImageList: ImageList_Create failed");
  ::ImageList_Destroy(FHandle);
  FHandle = list;
  FWidth = width;
  FHeight = height;
  for (const TArt& art : FArt) AddArt(art);
}

void TImageList::AddArt(const TArt& art) {
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
    const std::string& row = art.Rows[static_cast<size_t>(NearestSourcePixel(y, FHeight, FArtHeight))];
    for (int x = 0; x < FWidth; ++x) {
      COLORREF c = kTransparent;
      const auto sx = static_cast<size_t>(NearestSourcePixel(x, FWidth, FArtWidth));
      const char key = sx < row.size() ? row[sx] : '.';
      for (const TPixelArtColor& p : art.Palette)
        if (p.Key == key) c = p.Color;
      // DIB pixels are blue, green, red from the low byte.
      px[y * FWidth + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  ::GdiFlush();
  if (::ImageList_AddMasked(FHandle, bmp.Get(), kTransparent) < 0)
    throw Exception(L"TImageList.AddPixelArt: ImageList_AddMasked failed");
}

}  // namespace fw
