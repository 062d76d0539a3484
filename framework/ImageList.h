#pragma once
// A comctl32 image list of small images drawn from pixel art in code.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

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

  // The handle changes when the images change size.
  HIMAGELIST Handle() const noexcept { return FHandle; }
  int Count() const noexcept { return ::ImageList_GetImageCount(FHandle); }
  // rows: height strings of width characters each.
  // At another size the art is drawn again, each pixel repeated or dropped.
  int AddPixelArt(const std::string_view* rows, const TPixelArtColor* palette, size_t paletteSize);

  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  // Draws every image again at this size; the art keeps its designed size.
  void SetImageSize(int width, int height);

 private:
  struct TArt {
    std::vector<std::string> Rows;
    std::vector<TPixelArtColor> Palette;
  };
  void AddArt(const TArt& art);

  HIMAGELIST FHandle = nullptr;
  int FWidth, FHeight;
  int FArtWidth, FArtHeight;
  std::vector<TArt> FArt;
};

}  // namespace fw
