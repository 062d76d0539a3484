#include "framework/support/uRecPicture.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "framework/Handles.h"
#include "framework/OSError.h"
#include "framework/support/uGlobalMem.h"
#include "core/support/uStretchMap.h"
#include "core/support/uUserError.h"

namespace {

constexpr DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
static_assert(kHeaderSize == 40);

bool UsesMasks(int depth) noexcept { return depth == 16 || depth == 32; }

SIZE_T HeaderBlockSize(int depth) noexcept {
  if (depth <= 8) return kHeaderSize + 4u * (SIZE_T{1} << depth);
  if (UsesMasks(depth)) return kHeaderSize + 3 * sizeof(DWORD);
  return kHeaderSize;
}

DWORD* MasksOf(BITMAPINFOHEADER* header) noexcept {
  return reinterpret_cast<DWORD*>(reinterpret_cast<std::uint8_t*>(header) + kHeaderSize);
}

RGBQUAD* ColourTableOf(const BITMAPINFOHEADER* header) noexcept {
  return reinterpret_cast<RGBQUAD*>(const_cast<std::uint8_t*>(reinterpret_cast<const std::uint8_t*>(header)) +
                                    kHeaderSize);
}

// Both data blocks are GMEM_FIXED, whose handle is the address.
HGLOBAL AsGlobal(void* p) noexcept { return static_cast<HGLOBAL>(p); }

void WriteColourFormat(BITMAPINFOHEADER* header, int depth) {
  if (depth == 8) {
    RGBQUAD* table = ColourTableOf(header);
    for (int i = 0; i < 256; ++i) {
      const BYTE v = static_cast<BYTE>(i);
      table[i] = RGBQUAD{v, v, v, 0};
    }
  } else if (depth == 16) {
    DWORD* m = MasksOf(header);
    m[0] = 0x7C00;
    m[1] = 0x03E0;
    m[2] = 0x001F;
  } else if (depth == 32) {
    DWORD* m = MasksOf(header);
    m[0] = 0xFF0000;
    m[1] = 0x00FF00;
    m[2] = 0x0000FF;
  }
}

// Releases the pixels only; the record is consistent again before any failure is raised.
void ReleaseBits(TRecPicture& picture, const wchar_t* deleteFailure) {
  if (picture.Bitmap) {
    HBITMAP bitmap = picture.Bitmap;
    picture.Bitmap = nullptr;
    picture.Bits = nullptr;
    if (!::DeleteObject(bitmap) && deleteFailure) throw EUserError(deleteFailure);
  } else if (picture.Bits) {
    HGLOBAL bits = AsGlobal(picture.Bits);
    picture.Bits = nullptr;
    GlobalFreeK(bits);
  }
}

}  // namespace

TRecPictureHolder::~TRecPictureHolder() {
  try {
    RecPictureFree(*this);
  } catch (...) {
    // A destructor cannot report; the record is empty either way.
  }
}

BITMAPINFOHEADER* RecPictureHeader(const TRecPicture& picture) noexcept {
  return static_cast<BITMAPINFOHEADER*>(picture.Header);
}

std::int64_t RecPictureStride(int width, int depth) noexcept {
  return (static_cast<std::int64_t>(width) * depth + 31) / 32 * 4;
}

void RecPictureCreate(TRecPicture& picture, POINT origin, int width, bool asSection, int depth, int height) {
  if (width <= 0) throw EUserError(L"RecPictureCreate(): (iWidth  <= 0)");
  if (height <= 0) throw EUserError(L"RecPictureCreate(): (iHeight <= 0)");
  // Other depths would shift the table size by a negative or huge amount.
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
    throw EUserError(L"RecPictureCreate(): biBitCount not in [1, 4, 8, 16, 24, 32]");

  if (BITMAPINFOHEADER* old = RecPictureHeader(picture); old && picture.Bits && old->biWidth == width &&
                                                         old->biHeight == height && old->biBitCount == depth &&
                                                         (picture.Bitmap != nullptr) == asSection) {
    picture.OriginX = origin.x;
    picture.OriginY = origin.y;
    return;
  }

  const std::int64_t imageSize = RecPictureStride(width, depth) * height;
  if (imageSize > 0x7FFFFFFF) throw EUserError(OutOfMemoryText());

  const SIZE_T headerSize = HeaderBlockSize(depth);
  if (!picture.Header)
    picture.Header = GlobalAllocK(GPTR, headerSize);
  else
    GlobalEnsureSize(picture.Header, headerSize);
  BITMAPINFOHEADER* header = RecPictureHeader(picture);
  if (!header) throw EUserError(L"RecPictureCreate(): pBIHeader = nil");

  WriteColourFormat(header, depth);
  ReleaseBits(picture, L"RecPictureCreate(): DeleteObject() Failure");

  std::memset(header, 0, kHeaderSize);
  header->biSize = kHeaderSize;
  header->biWidth = width;
  header->biHeight = height;
  header->biPlanes = 1;
  header->biBitCount = static_cast<WORD>(depth);
  header->biCompression = UsesMasks(depth) ? BI_BITFIELDS : BI_RGB;
  header->biSizeImage = static_cast<DWORD>(imageSize);

  if (asSection) {
    void* bits = nullptr;
    HBITMAP bitmap =
        ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
      if (bitmap) ::DeleteObject(bitmap);
      fw::RaiseLastOSError();
    }
    picture.Bitmap = bitmap;
    picture.Bits = static_cast<std::uint8_t*>(bits);
  } else {
    picture.Bits = static_cast<std::uint8_t*>(GlobalAllocK(GMEM_FIXED, imageSize));
  }
  picture.OriginX = origin.x;
  picture.OriginY = origin.y;
}

void RecPictureFree(TRecPicture& picture) {
  HGLOBAL header = picture.Header;
  picture.Header = nullptr;
  picture.OriginX = 0;
  picture.OriginY = 0;
  std::exception_ptr failure;
  try {
    ReleaseBits(picture, nullptr);
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    GlobalFreeK(header);
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  if (failure) std::rethrow_exception(failure);
}

void RecPictureFill(TRecPicture& picture, COLORREF colour, const RECT* rect) {
  const BITMAPINFOHEADER* header = RecPictureHeader(picture);
  if (!header || !picture.Bits) return;
  const int depth = header->biBitCount;
  if (depth != 8 && depth != 24) return;
  const int width = header->biWidth, height = header->biHeight;
  const auto stride = static_cast<size_t>(RecPictureStride(width, depth));

  // Columns and rows to set, relative to the picture's top-left pixel.
  int left = 0, top = 0, right = width, bottom = height;
  if (rect) {
    left = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{rect->left} - picture.OriginX));
    top = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{rect->top} - picture.OriginY));
    right = static_cast<int>(std::min<std::int64_t>(width, std::int64_t{rect->right} - picture.OriginX));
    bottom = static_cast<int>(std::min<std::int64_t>(height, std::int64_t{rect->bottom} - picture.OriginY));
    if (left >= right || top >= bottom) return;
  }

  // GDI may still be drawing into the section.
  if (picture.Bitmap) ::GdiFlush();
  auto row = [&](int y) { return picture.Bits + static_cast<size_t>(height - y - 1) * stride; };

  if (depth == 8) {
    const auto index = static_cast<std::uint8_t>(colour & 0xFF);
    if (!rect) {
      std::memset(picture.Bits, index, static_cast<size_t>(header->biSizeImage));
      return;
    }
    for (int y = top; y < bottom; ++y) std::memset(row(y) + left, index, static_cast<size_t>(right - left));
    return;
  }

  const std::uint8_t bgr[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
  std::uint8_t* first = row(top) + static_cast<size_t>(left) * 3;
  const auto span = static_cast<size_t>(right - left) * 3;
  for (size_t i = 0; i < span; i += 3) std::memcpy(first + i, bgr, 3);
  for (int y = top + 1; y < bottom; ++y) std::memcpy(row(y) + static_cast<size_t>(left) * 3, first, span);
}

std::uint8_t* RecPicturePixel(const TRecPicture& picture, int x, int y) noexcept {
  const BITMAPINFOHEADER* header = RecPictureHeader(picture);
  if (!header || !picture.Bits) return nullptr;
  const std::int64_t px = std::int64_t{x} - picture.OriginX, py = std::int64_t{y} - picture.OriginY;
  if (px < 0 || py < 0 || px >= header->biWidth || py >= header->biHeight) return nullptr;
  const std::int64_t stride = RecPictureStride(header->biWidth, header->biBitCount);
  return picture.Bits + (header->biHeight - py - 1) * stride + px * header->biBitCount / 8;
}

void RecPictureStretchBlt(const TRecPicture& picture, HDC dc, int dstX, int dstY, int dstWidth, int dstHeight, int srcX,
                          int srcY, int srcWidth, int srcHeight, DWORD rop, const RECT* clip) {
  const BITMAPINFOHEADER* header = RecPictureHeader(picture);
  if (!header || !picture.Bits) return;
  const int depth = header->biBitCount;
  if (depth != 4 && depth != 8 && depth != 24) throw EUserError(L"RecPictureStretchBlt: biBitCount not in [4, 8, 24]");
  if (dstWidth <= 0 || dstHeight <= 0) return;

  // The source is clipped to the picture; the destination keeps its size.
  const int width = header->biWidth, height = header->biHeight;
  std::int64_t sx = std::int64_t{srcX} - picture.OriginX, sy = std::int64_t{srcY} - picture.OriginY;
  std::int64_t sw = srcWidth, sh = srcHeight;
  if (sx < 0) {
    sw += sx;
    sx = 0;
  }
  if (sy < 0) {
    sh += sy;
    sy = 0;
  }
  sw = std::min<std::int64_t>(sw, width - sx);
  sh = std::min<std::int64_t>(sh, height - sy);
  if (sw <= 0 || sh <= 0) return;
  if (depth == 4) return;  // admitted, but nothing draws it

  // Destination columns [colFrom, colTo) and rows [rowFrom, rowTo) to draw.
  int colFrom = 0, colTo = dstWidth, rowFrom = 0, rowTo = dstHeight;
  if (clip) {
    colFrom = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{clip->left} - dstX));
    colTo = static_cast<int>(std::min<std::int64_t>(dstWidth, std::int64_t{clip->right} - dstX));
    rowFrom = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{clip->top} - dstY));
    rowTo = static_cast<int>(std::min<std::int64_t>(dstHeight, std::int64_t{clip->bottom} - dstY));
    if (colFrom >= colTo || rowFrom >= rowTo) return;
  }

  const std::vector<int> columns = StretchMap(static_cast<int>(sx), static_cast<int>(sw), dstWidth);
  const std::vector<int> rows = StretchMap(static_cast<int>(sy), static_cast<int>(sh), dstHeight);

  // The row lives in plain memory and goes out with StretchDIBits at 1:1:
  // a fresh section and memory DC per call cost more than all 72 rows of
  // the magnifier under Wine, and the pixels are the same.
  TRecPictureHolder line;
  RecPictureCreate(line, POINT{0, 0}, dstWidth, false, 24, 1);
  const auto* lineInfo = reinterpret_cast<const BITMAPINFO*>(RecPictureHeader(line));

  const auto stride = static_cast<size_t>(RecPictureStride(width, depth));
  const RGBQUAD* table = ColourTableOf(header);
  // A copy into the picture's section may still be on its way.
  if (picture.Bitmap) ::GdiFlush();
  for (int k = rowFrom; k < rowTo;) {
    const int sourceRow = rows[static_cast<size_t>(k)];
    const std::uint8_t* src = picture.Bits + static_cast<size_t>(height - sourceRow - 1) * stride;
    std::uint8_t* out = line.Bits + static_cast<size_t>(colFrom) * 3;
    for (int j = colFrom; j < colTo; ++j, out += 3) {
      const auto c = static_cast<size_t>(columns[static_cast<size_t>(j)]);
      if (depth == 24) {
        std::memcpy(out, src + c * 3, 3);
      } else {
        const RGBQUAD& q = table[src[c]];
        out[0] = q.rgbBlue;
        out[1] = q.rgbGreen;
        out[2] = q.rgbRed;
      }
    }
    // The destination rows that share this source row get the same buffer;
    // one transfer repeats it down them. Under Wine each transfer to a
    // window is a trip to the X server, and the magnifier has 72 rows.
    int run = 1;
    while (k + run < rowTo && rows[static_cast<size_t>(k + run)] == sourceRow) ++run;
    ::StretchDIBits(dc, dstX + colFrom, dstY + k, colTo - colFrom, run, colFrom, 0, colTo - colFrom, 1, line.Bits,
                    lineInfo, DIB_RGB_COLORS, rop);
    k += run;
  }
}

bool RecPictureBlowUp(const TRecPicture& picture, HDC dc, int dstX, int dstY, int cell, int srcX, int srcY, int srcWidth,
                      int srcHeight) {
  const BITMAPINFOHEADER* header = RecPictureHeader(picture);
  if (!header || header->biBitCount != 24 || cell < 1 || cell > 256) return false;
  const int width = header->biWidth, height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  if (srcX < 0 || srcY < 0 || srcWidth <= 0 || srcHeight <= 0 || srcWidth > width - srcX || srcHeight > height - srcY)
    return false;
  // A copy into the picture's section may still be on its way.
  if (picture.Bitmap) ::GdiFlush();
  // A bottom-up picture counts its source rows from the bottom.
  const int fromBottom = header->biHeight > 0 ? height - srcY - srcHeight : srcY;
  const int lines = ::StretchDIBits(dc, dstX, dstY, srcWidth * cell, srcHeight * cell, srcX, fromBottom, srcWidth,
                                    srcHeight, picture.Bits, reinterpret_cast<const BITMAPINFO*>(header),
                                    DIB_RGB_COLORS, SRCCOPY);
  return lines > 0 && static_cast<unsigned long>(lines) != static_cast<unsigned long>(GDI_ERROR);
}
