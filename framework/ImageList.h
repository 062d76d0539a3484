#pragma once
// A comctl32 image list of small images: pixel art in code, or bitmap
// strips drawn for several sizes.
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

  // Square images side by side in bitmap resources, one strip a drawn
  // size, the key colour transparent. The list shows the strip of its own
  // size, or the largest smaller one centred. In high contrast the images
  // turn into the text colour with their light parts left out, so they read
  // on any high-contrast face.
  struct TStrip {
    int Size;
    const wchar_t* Name;
  };
  void SetStrips(HINSTANCE instance, std::vector<TStrip> strips, COLORREF key);

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
  void AddStrip();

  HIMAGELIST FHandle = nullptr;
  int FWidth, FHeight;
  int FArtWidth, FArtHeight;
  std::vector<TArt> FArt;
  HINSTANCE FInstance = nullptr;
  std::vector<TStrip> FStrips;
  COLORREF FKey = 0;
};

}  // namespace fw
