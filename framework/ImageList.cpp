#include "framework/ImageList.h"

#include <algorithm>
#include <vector>

#include "core/controls/uDpiScale.h"
#include "core/support/Exception.h"
#include "framework/Handles.h"
#include "framework/Theme.h"

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

void TImageList::SetStrips(HINSTANCE instance, std::vector<TStrip> strips, COLORREF key) {
  FInstance = instance;
  FStrips = std::move(strips);
  FKey = key;
  ::ImageList_RemoveAll(FHandle);
  AddStrip();
}

void TImageList::AddStrip() {
  if (FStrips.empty()) return;
  const TStrip* pick = &FStrips.front();
  for (const TStrip& s : FStrips)
    if (s.Size <= FWidth && s.Size <= FHeight && (pick->Size > FWidth || s.Size > pick->Size)) pick = &s;
  TUniqueBitmap source(static_cast<HBITMAP>(::LoadImageW(FInstance, pick->Name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  BITMAP info{};
  if (!source || !::GetObjectW(source.Get(), sizeof(info), &info) || info.bmHeight != pick->Size)
    throw Exception(L"TImageList.SetStrips: no bitmap strip " + std::wstring(pick->Name));
  const int count = info.bmWidth / pick->Size;

  // Both as top-down 32-bit pixels, blue, green, red from the low byte.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -pick->Size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> from(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(pick->Size));
  TWindowDC screen(nullptr);
  if (!::GetDIBits(screen.Get(), source.Get(), 0, static_cast<UINT>(pick->Size), from.data(), &bi, DIB_RGB_COLORS))
    throw Exception(L"TImageList.SetStrips: GetDIBits failed");
  bi.bmiHeader.biWidth = FWidth * count;
  bi.bmiHeader.biHeight = -FHeight;
  void* bits = nullptr;
  TUniqueBitmap bmp(::CreateDIBSection(screen.Get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bmp) throw Exception(L"TImageList.SetStrips: CreateDIBSection failed");
  auto* to = static_cast<DWORD*>(bits);
  const DWORD key = (GetRValue(FKey) << 16) | (GetGValue(FKey) << 8) | GetBValue(FKey);
  const COLORREF ink = ThemeColor(TThemeRole::FaceText);
  const DWORD inkBits = (GetRValue(ink) << 16) | (GetGValue(ink) << 8) | GetBValue(ink);
  const bool highContrast = ThemeHighContrast();
  std::fill(to, to + static_cast<size_t>(FWidth) * count * FHeight, key);
  const int dx = (FWidth - pick->Size) / 2, dy = (FHeight - pick->Size) / 2;
  for (int i = 0; i < count; ++i) {
    for (int y = 0; y < pick->Size && y + dy < FHeight; ++y) {
      for (int x = 0; x < pick->Size && x + dx < FWidth; ++x) {
        DWORD c = from[static_cast<size_t>(y) * info.bmWidth + i * pick->Size + x] & 0xFFFFFFu;
        if (highContrast && c != key) {
          const int luma = (299 * ((c >> 16) & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * (c & 0xFF)) / 1000;
          c = luma < 160 ? inkBits : key;
        }
        to[static_cast<size_t>(y + dy) * FWidth * count + i * FWidth + x + dx] = c;
      }
    }
  }
  ::GdiFlush();
  if (::ImageList_AddMasked(FHandle, bmp.Get(), FKey) < 0) throw Exception(L"TImageList.SetStrips: ImageList_AddMasked failed");
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
  AddStrip();
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
