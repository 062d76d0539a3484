#pragma once
// The off-screen picture of the magnifier: a bottom-up device-independent
// bitmap with its header in global memory, and its nearest-neighbour
// enlargement onto a device context.
#include <windows.h>

#include <cstdint>

// All fields zero is an empty record. The record does not free itself:
// its owner calls RecPictureFree (or holds it in a TRecPictureHolder).
struct TRecPicture {
  HBITMAP Bitmap = nullptr;      // the section, or null when Bits is plain global memory
  HGLOBAL Header = nullptr;      // fixed block: BITMAPINFOHEADER, then colour table or masks
  std::uint8_t* Bits = nullptr;  // first byte of the bottom row
  std::int32_t OriginX = 0;      // caller's coordinates of the top-left pixel
  std::int32_t OriginY = 0;
};

// Frees the picture when it goes out of scope; for owners that must not
// leak it when an exception passes.
struct TRecPictureHolder : TRecPicture {
  TRecPictureHolder() = default;
  ~TRecPictureHolder();
  TRecPictureHolder(const TRecPictureHolder&) = delete;
  TRecPictureHolder& operator=(const TRecPictureHolder&) = delete;
};

// The header of a picture, or null for an empty record.
BITMAPINFOHEADER* RecPictureHeader(const TRecPicture& picture) noexcept;

// Bytes per row: rows are padded to whole 32-bit words.
std::int64_t RecPictureStride(int width, int depth) noexcept;

// Makes picture a width x height picture of depth bits per pixel at origin,
// as a DIB section or as plain global memory. Unchanged dimensions and kind
// only move the origin and keep the pixels.
void RecPictureCreate(TRecPicture& picture, POINT origin, int width, bool asSection, int depth, int height);

// Releases everything and leaves an empty record; safe on an empty record.
void RecPictureFree(TRecPicture& picture);

// Sets every pixel (depths 8 and 24), or only those inside rect, which is in
// the picture's coordinates with right and bottom exclusive. Depth 24 takes
// the colour's three bytes, depth 8 its low byte as the palette index.
void RecPictureFill(TRecPicture& picture, COLORREF colour, const RECT* rect = nullptr);

// Address of the first byte of pixel (x, y), or null outside the picture.
std::uint8_t* RecPicturePixel(const TRecPicture& picture, int x, int y) noexcept;

// Draws the source rectangle (picture coordinates) scaled into the destination
// rectangle of dc, nearest neighbour, one block transfer per destination row.
// With clip, only the destination pixels inside clip are drawn.
void RecPictureStretchBlt(const TRecPicture& picture, HDC dc, int dstX, int dstY, int dstWidth, int dstHeight, int srcX,
                          int srcY, int srcWidth, int srcHeight, DWORD rop, const RECT* clip = nullptr);

// Draws the source rectangle of a 24-bit picture enlarged cell times each
// way with a single transfer (one trip to the X server under Wine, where
// the row by row drawing takes one a source row). False, and nothing
// drawn, for other depths or a rectangle outside the picture.
bool RecPictureBlowUp(const TRecPicture& picture, HDC dc, int dstX, int dstY, int cell, int srcX, int srcY, int srcWidth,
                      int srcHeight);
