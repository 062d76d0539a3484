#pragma once
// A comctl32 image list of small images drawn from pixel art in code.
#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace fw {

// One character a pixel; the palette maps characters to colours and
// '.' is transparent.
struct TPixelArtColor {
  char Key;
  COLORREF Color;
};

class TImageList {
 public:
  TImageList(int width, int height);
  ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  HIMAGELIST Handle() const noexcept { return FHandle; }
  int Count() const noexcept { return ::ImageList_GetImageCount(FHandle); }
  // rows: height strings of width characters each.
  int AddPixelArt(const std::string_view* rows, const TPixelArtColor* palette, size_t paletteSize);

 private:
  HIMAGELIST FHandle = nullptr;
  int FWidth, FHeight;
};

}  // namespace fw
