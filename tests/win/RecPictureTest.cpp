#include "framework/support/uRecPicture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/support/uUserError.h"
#include "tests/win/DibCanvas.h"
#include "tests/win/GdiCount.h"

namespace {

std::wstring FailureText(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"(nothing raised)";
}

// A distinct colour for every source pixel, so a wrong mapping shows.
COLORREF Pattern(int x, int y) { return RGB(10 + x * 17, 20 + y * 23, (x * 7 + y * 13) & 0xFF); }

void SetPixel24(TRecPicture& p, int x, int y, COLORREF c) {
  std::uint8_t* px = RecPicturePixel(p, x, y);
  ASSERT_NE(px, nullptr);
  px[0] = GetBValue(c);
  px[1] = GetGValue(c);
  px[2] = GetRValue(c);
}

COLORREF GetPixel24(const TRecPicture& p, int x, int y) {
  const std::uint8_t* px = RecPicturePixel(p, x, y);
  return px ? RGB(px[2], px[1], px[0]) : CLR_INVALID;
}

void FillPattern(TRecPicture& p, int width, int height) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel24(p, p.OriginX + x, p.OriginY + y, Pattern(x, y));
}

struct HeaderCase {
  int depth;
  SIZE_T blockSize;
  DWORD compression;
  DWORD masks[3];
};

TEST(RecPictureCreate, WritesTheHeaderTableAndMasks) {
  const HeaderCase cases[] = {
      {1, 40 + 8, BI_RGB, {}},    {4, 40 + 64, BI_RGB, {}},
      {8, 40 + 1024, BI_RGB, {}}, {16, 52, BI_BITFIELDS, {0x7C00, 0x03E0, 0x001F}},
      {24, 40, BI_RGB, {}},       {32, 52, BI_BITFIELDS, {0xFF0000, 0x00FF00, 0x0000FF}},
  };
  for (bool section : {true, false}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(testing::Message() << "depth " << c.depth << (section ? " section" : " plain"));
      TRecPictureHolder p;
      RecPictureCreate(p, POINT{0, 0}, 13, section, c.depth, 9);
      const BITMAPINFOHEADER* h = RecPictureHeader(p);
      ASSERT_NE(h, nullptr);
      EXPECT_GE(::GlobalSize(p.Header), c.blockSize);
      EXPECT_EQ(h->biSize, 40u);
      EXPECT_EQ(h->biWidth, 13);
      EXPECT_EQ(h->biHeight, 9);
      EXPECT_EQ(h->biPlanes, 1);
      EXPECT_EQ(h->biBitCount, c.depth);
      EXPECT_EQ(h->biCompression, c.compression);
      const DWORD stride = static_cast<DWORD>((13 * c.depth + 31) / 32 * 4);
      EXPECT_EQ(h->biSizeImage, stride * 9);
      EXPECT_EQ(h->biXPelsPerMeter, 0);
      EXPECT_EQ(h->biYPelsPerMeter, 0);
      EXPECT_EQ(h->biClrUsed, 0u);
      EXPECT_EQ(h->biClrImportant, 0u);
      EXPECT_EQ(p.Bitmap != nullptr, section);
      EXPECT_NE(p.Bits, nullptr);
      const auto* after = reinterpret_cast<const std::uint8_t*>(h) + 40;
      if (c.compression == BI_BITFIELDS) {
        DWORD m[3];
        std::memcpy(m, after, sizeof(m));
        EXPECT_EQ(m[0], c.masks[0]);
        EXPECT_EQ(m[1], c.masks[1]);
        EXPECT_EQ(m[2], c.masks[2]);
      }
      if (c.depth == 8) {
        for (int i = 0; i < 256; ++i) {
          const auto* q = after + i * 4;
          ASSERT_TRUE(q[0] == i && q[1] == i && q[2] == i && q[3] == 0) << "entry " << i;
        }
      }
      if (!section) {
        EXPECT_GE(::GlobalSize(static_cast<HGLOBAL>(p.Bits)), h->biSizeImage);
      }
    }
  }
}

TEST(RecPictureCreate, MagnifierPictureHasFortyByteRows) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  EXPECT_EQ(RecPictureHeader(p)->biSizeImage, 360u);
  EXPECT_EQ(RecPicturePixel(p, 0, 8), p.Bits);  // the bottom row comes first
  EXPECT_EQ(RecPicturePixel(p, 0, 7), p.Bits + 40);
  EXPECT_EQ(RecPicturePixel(p, 12, 0), p.Bits + 8 * 40 + 36);
}

TEST(RecPictureCreate, SameArgumentsKeepThePixelsAndMoveTheOrigin) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  SetPixel24(p, 3, 4, RGB(9, 8, 7));
  const HBITMAP bitmap = p.Bitmap;
  const HGLOBAL header = p.Header;
  RecPictureCreate(p, POINT{100, -50}, 13, true, 24, 9);
  EXPECT_EQ(p.Bitmap, bitmap);
  EXPECT_EQ(p.Header, header);
  EXPECT_EQ(p.OriginX, 100);
  EXPECT_EQ(p.OriginY, -50);
  EXPECT_EQ(GetPixel24(p, 103, -46), RGB(9, 8, 7));
}

TEST(RecPictureCreate, OtherDimensionsOrKindReplaceThePixels) {
  struct TCase {
    int width, depth, height;
    bool section;
  };
  const TCase cases[] = {{14, 24, 9, true}, {13, 24, 10, true}, {13, 8, 9, true}, {13, 24, 9, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.depth << (c.section ? " s" : " p"));
    TRecPictureHolder p;
    RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
    RecPictureFill(p, RGB(9, 8, 7));
    RecPictureCreate(p, POINT{0, 0}, c.width, c.section, c.depth, c.height);
    const BITMAPINFOHEADER* h = RecPictureHeader(p);
    EXPECT_EQ(h->biWidth, c.width);
    EXPECT_EQ(h->biHeight, c.height);
    EXPECT_EQ(h->biBitCount, c.depth);
    EXPECT_EQ(p.Bitmap != nullptr, c.section);
    // New sections and GMEM_FIXED blocks are not the old pixels.
    if (c.section && c.depth == 24) {
      EXPECT_EQ(GetPixel24(p, 0, 0), RGB(0, 0, 0));
    }
  }
}

TEST(RecPictureCreate, GrowingTheTableReplacesTheHeaderBlock) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 4, false, 24, 4);
  RecPictureCreate(p, POINT{0, 0}, 4, false, 8, 4);
  EXPECT_GE(::GlobalSize(p.Header), 40u + 1024u);
  const auto* table = reinterpret_cast<const std::uint8_t*>(RecPictureHeader(p)) + 40;
  EXPECT_EQ(table[255 * 4], 255);
  // Shrinking keeps the big block, but the header still says 24 bits, BI_RGB.
  RecPictureCreate(p, POINT{0, 0}, 4, false, 24, 4);
  EXPECT_EQ(RecPictureHeader(p)->biBitCount, 24);
  EXPECT_EQ(RecPictureHeader(p)->biCompression, static_cast<DWORD>(BI_RGB));
  EXPECT_EQ(RecPictureHeader(p)->biClrUsed, 0u);
}

TEST(RecPictureCreate, RaisesOnBadArgumentsWithTheExactTexts) {
  struct TCase {
    int width, height, depth;
    const wchar_t* text;
  };
  const TCase cases[] = {
      {0, 9, 24, L"RecPictureCreate(): (iWidth  <= 0)"},
      {-5, 9, 24, L"RecPictureCreate(): (iWidth  <= 0)"},
      {0, 0, 24, L"RecPictureCreate(): (iWidth  <= 0)"},
      {13, 0, 24, L"RecPictureCreate(): (iHeight <= 0)"},
      {13, -1, 24, L"RecPictureCreate(): (iHeight <= 0)"},
      {13, 9, 0, L"RecPictureCreate(): biBitCount not in [1, 4, 8, 16, 24, 32]"},
      {13, 9, -8, L"RecPictureCreate(): biBitCount not in [1, 4, 8, 16, 24, 32]"},
      {13, 9, 12, L"RecPictureCreate(): biBitCount not in [1, 4, 8, 16, 24, 32]"},
      {0x10000, 0x10000, 24, L"メモリが足りません"},
  };
  for (const auto& c : cases) {
    TRecPictureHolder p;
    EXPECT_EQ(FailureText([&] { RecPictureCreate(p, POINT{0, 0}, c.width, true, c.depth, c.height); }), c.text);
    EXPECT_EQ(p.Header, nullptr);
    EXPECT_EQ(p.Bits, nullptr);
  }
}

TEST(RecPictureCreate, ReportsAFailedDeleteOfTheOldSection) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  ASSERT_TRUE(::DeleteObject(p.Bitmap));  // someone else deleted it already
  EXPECT_EQ(FailureText([&] {
              RecPictureCreate(p, POINT{0, 0}, 14, true, 24, 9);
            }),
            L"RecPictureCreate(): DeleteObject() Failure");
  // The record does not keep the dead handle, and the next create works.
  EXPECT_EQ(p.Bitmap, nullptr);
  EXPECT_EQ(p.Bits, nullptr);
  RecPictureCreate(p, POINT{0, 0}, 14, true, 24, 9);
  EXPECT_NE(p.Bitmap, nullptr);
}

TEST(RecPictureFree, EmptiesTheRecordOfBothKinds) {
  for (bool section : {true, false}) {
    TRecPicture p;
    RecPictureCreate(p, POINT{5, 6}, 13, section, 24, 9);
    const HBITMAP bitmap = p.Bitmap;
    RecPictureFree(p);
    EXPECT_EQ(p.Bitmap, nullptr);
    EXPECT_EQ(p.Header, nullptr);
    EXPECT_EQ(p.Bits, nullptr);
    EXPECT_EQ(p.OriginX, 0);
    EXPECT_EQ(p.OriginY, 0);
    if (section) {
      EXPECT_FALSE(::DeleteObject(bitmap)) << "the section was not deleted";
    }
    RecPictureFree(p);  // again, on the empty record
  }
}

TEST(RecPictureFree, DoesNotLeakGdiObjects) {
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 200; ++i) {
    TRecPicture p;
    RecPictureCreate(p, POINT{0, 0}, 13 + i % 3, true, 24, 9);
    RecPictureCreate(p, POINT{0, 0}, 20, true, 24, 9);
    RecPictureFree(p);
  }
  EXPECT_LE(GdiObjectCount(), before);
}

TEST(RecPicturePixel, NoneOutsideThePicture) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{10, 20}, 13, true, 24, 9);
  EXPECT_EQ(RecPicturePixel(p, 10 + 13, 20), nullptr);
  EXPECT_EQ(RecPicturePixel(p, 9, 20), nullptr);
  EXPECT_EQ(RecPicturePixel(p, 10, 19), nullptr);
  EXPECT_EQ(RecPicturePixel(p, 10, 29), nullptr);
  EXPECT_NE(RecPicturePixel(p, 10, 20), nullptr);
  EXPECT_NE(RecPicturePixel(p, 22, 28), nullptr);
  TRecPicture empty;
  EXPECT_EQ(RecPicturePixel(empty, 0, 0), nullptr);

  TRecPictureHolder q;
  RecPictureCreate(q, POINT{0, 0}, 13, true, 24, 9);
  EXPECT_EQ(RecPicturePixel(q, 13, 0), nullptr);
  EXPECT_EQ(RecPicturePixel(q, -1, 0), nullptr);
}

TEST(RecPictureFill, SetsEveryPixelOfA24BitPicture) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{-3, 7}, 13, true, 24, 9);
  RecPictureFill(p, RGB(0x12, 0x34, 0x56));
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 13; ++x) {
      const std::uint8_t* px = RecPicturePixel(p, x - 3, y + 7);
      ASSERT_TRUE(px[0] == 0x56 && px[1] == 0x34 && px[2] == 0x12) << x << "," << y;
    }
  // The padding byte of each row is left alone.
  EXPECT_EQ(p.Bits[39], 0);
}

TEST(RecPictureFill, SetsEveryByteOfAn8BitPictureToTheLowByte) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, false, 8, 9);
  RecPictureFill(p, 0x00ABCD7F);
  const DWORD n = RecPictureHeader(p)->biSizeImage;
  for (DWORD i = 0; i < n; ++i) ASSERT_EQ(p.Bits[i], 0x7F) << i;
}

TEST(RecPictureFill, WithARectangleSetsOnlyThePixelsInside) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{10, 10}, 6, true, 24, 5);
  RecPictureFill(p, RGB(1, 1, 1));
  const RECT r{8, 12, 13, 100};  // sticks out left and below
  RecPictureFill(p, RGB(200, 100, 50), &r);
  for (int y = 10; y < 15; ++y)
    for (int x = 10; x < 16; ++x) {
      const bool inside = x < 13 && y >= 12;
      EXPECT_EQ(GetPixel24(p, x, y), inside ? RGB(200, 100, 50) : RGB(1, 1, 1)) << x << "," << y;
    }
  const RECT outside{0, 0, 10, 10};
  RecPictureFill(p, RGB(9, 9, 9), &outside);
  EXPECT_EQ(GetPixel24(p, 10, 10), RGB(1, 1, 1));
}

TEST(RecPictureFill, DoesNothingOnAnEmptyRecord) {
  TRecPicture p;
  RecPictureFill(p, RGB(1, 2, 3));
  EXPECT_EQ(p.Header, nullptr);
}

// Every destination pixel against the floor formula.
void ExpectStretched(const TDibCanvas& canvas, const TRecPicture& p, int dx, int dy, int dw, int dh, int sx, int sy,
                     int sw, int sh, COLORREF background) {
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      COLORREF expected = background;
      if (x >= dx && x < dx + dw && y >= dy && y < dy + dh)
        expected = GetPixel24(p, sx + (x - dx) * sw / dw, sy + (y - dy) * sh / dh);
      ASSERT_EQ(canvas.At(x, y), expected) << "at " << x << "," << y;
    }
}

TEST(RecPictureStretchBlt, TwoByTwoIntoSixteenGivesFourBlocks) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 2, true, 24, 2);
  const COLORREF c[2][2] = {{RGB(255, 0, 0), RGB(0, 255, 0)}, {RGB(0, 0, 255), RGB(255, 255, 0)}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) SetPixel24(p, x, y, c[y][x]);
  TDibCanvas canvas(16, 16);
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 16, 16, 0, 0, 2, 2, SRCCOPY);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(canvas.At(x, y), c[y / 8][x / 8]) << x << "," << y;
}

TEST(RecPictureStretchBlt, MapsColumnsByTheFloorFormula) {
  struct TCase {
    int sw, dw;
    std::vector<int> columns;
  };
  const TCase cases[] = {{3, 10, {0, 0, 0, 0, 1, 1, 1, 2, 2, 2}}, {9, 5, {0, 1, 3, 5, 7}}};
  for (const auto& c : cases) {
    TRecPictureHolder p;
    RecPictureCreate(p, POINT{0, 0}, c.sw, true, 24, 1);
    FillPattern(p, c.sw, 1);
    TDibCanvas canvas(c.dw, 1);
    RecPictureStretchBlt(p, canvas.DC(), 0, 0, c.dw, 1, 0, 0, c.sw, 1, SRCCOPY);
    for (int j = 0; j < c.dw; ++j)
      EXPECT_EQ(canvas.At(j, 0), Pattern(c.columns[static_cast<size_t>(j)], 0)) << c.sw << "->" << c.dw << " " << j;
  }
}

TEST(RecPictureStretchBlt, MagnifiesThirteenByNineIntoEightByEightBlocks) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  FillPattern(p, 13, 9);
  TDibCanvas canvas(120, 80);
  RecPictureStretchBlt(p, canvas.DC(), 5, 3, 104, 72, 0, 0, 13, 9, SRCCOPY);
  ExpectStretched(canvas, p, 5, 3, 104, 72, 0, 0, 13, 9, RGB(1, 2, 3));
  EXPECT_EQ(canvas.At(5 + 48, 3 + 32), Pattern(6, 4));
  EXPECT_EQ(canvas.At(5 + 55, 3 + 39), Pattern(6, 4));
}

TEST(RecPictureStretchBlt, ShrinksAndStretchesUnevenly) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 9, false, 24, 7);  // plain bits draw the same
  FillPattern(p, 9, 7);
  TDibCanvas canvas(11, 11);
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 5, 11, 0, 0, 9, 7, SRCCOPY);
  ExpectStretched(canvas, p, 0, 0, 5, 11, 0, 0, 9, 7, RGB(1, 2, 3));
}

TEST(RecPictureStretchBlt, ClipsTheSourceToThePicture) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{100, 200}, 4, true, 24, 4);
  FillPattern(p, 4, 4);
  TDibCanvas canvas(8, 8);
  // Two columns and one row hang off the top left; three columns off the right.
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 8, 8, 98, 199, 9, 3, SRCCOPY);
  // What is left is source (100..103, 200..201), drawn over the whole destination.
  ExpectStretched(canvas, p, 0, 0, 8, 8, 100, 200, 4, 2, RGB(1, 2, 3));
}

TEST(RecPictureStretchBlt, DrawsNothingForEmptyRectangles) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 4, true, 24, 4);
  RecPictureFill(p, RGB(9, 9, 9));
  struct TCase {
    int dw, dh, sx, sy, sw, sh;
  };
  const TCase cases[] = {{0, 4, 0, 0, 4, 4},  {4, -1, 0, 0, 4, 4}, {4, 4, 4, 0, 4, 4},
                         {4, 4, 0, -4, 4, 4}, {4, 4, 0, 0, 0, 4},  {4, 4, -10, 0, 5, 4}};
  for (const auto& c : cases) {
    TDibCanvas canvas(4, 4);
    RecPictureStretchBlt(p, canvas.DC(), 0, 0, c.dw, c.dh, c.sx, c.sy, c.sw, c.sh, SRCCOPY);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) ASSERT_EQ(canvas.At(x, y), RGB(1, 2, 3));
  }
  TRecPicture empty;
  TDibCanvas canvas(4, 4);
  RecPictureStretchBlt(empty, canvas.DC(), 0, 0, 4, 4, 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(canvas.At(0, 0), RGB(1, 2, 3));
}

TEST(RecPictureStretchBlt, EightBitIndexesTheGreyTable) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 4, true, 8, 2);
  const BYTE index[2][4] = {{0, 64, 128, 255}, {1, 2, 3, 200}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) *RecPicturePixel(p, x, y) = index[y][x];
  TDibCanvas canvas(8, 4);
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 8, 4, 0, 0, 4, 2, SRCCOPY);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) {
      const BYTE v = index[y / 2][x / 2];
      ASSERT_EQ(canvas.At(x, y), RGB(v, v, v)) << x << "," << y;
    }
}

TEST(RecPictureStretchBlt, RaisesForDepthsItCannotDraw) {
  for (int depth : {1, 16, 32}) {
    TRecPictureHolder p;
    RecPictureCreate(p, POINT{0, 0}, 4, true, depth, 4);
    TDibCanvas canvas(4, 4);
    EXPECT_EQ(FailureText([&] { RecPictureStretchBlt(p, canvas.DC(), 0, 0, 4, 4, 0, 0, 4, 4, SRCCOPY); }),
              L"RecPictureStretchBlt: biBitCount not in [4, 8, 24]")
        << depth;
  }
  TRecPictureHolder four;
  RecPictureCreate(four, POINT{0, 0}, 4, true, 4, 4);
  std::memset(four.Bits, 0x11, RecPictureHeader(four)->biSizeImage);
  TDibCanvas canvas(4, 4);
  RecPictureStretchBlt(four, canvas.DC(), 0, 0, 4, 4, 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(canvas.At(0, 0), RGB(1, 2, 3));
}

TEST(RecPictureStretchBlt, AppliesTheRasterOperation) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 1, true, 24, 1);
  RecPictureFill(p, RGB(0xF0, 0x0F, 0x55));
  TDibCanvas canvas(2, 2, RGB(0xFF, 0xFF, 0x00));
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 2, 2, 0, 0, 1, 1, SRCINVERT);
  EXPECT_EQ(canvas.At(1, 1), RGB(0x0F, 0xF0, 0x55));
}

TEST(RecPictureStretchBlt, WithAClipRectangleDrawsOnlyInside) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  FillPattern(p, 13, 9);
  TDibCanvas canvas(104, 72);
  const RECT clip{20, 10, 50, 200};
  RecPictureStretchBlt(p, canvas.DC(), 0, 0, 104, 72, 0, 0, 13, 9, SRCCOPY, &clip);
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 104; ++x) {
      const bool inside = x >= 20 && x < 50 && y >= 10;
      ASSERT_EQ(canvas.At(x, y), inside ? Pattern(x / 8, y / 8) : RGB(1, 2, 3)) << x << "," << y;
    }
}

// An enhanced metafile records every drawing call, so the block transfers
// can be counted: one per source row, each repeating a one-row buffer down
// the destination rows that share it. Per-pixel drawing or a transfer of
// several source rows would count 1000.
int CALLBACK CountRecord(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) {
  auto* n = reinterpret_cast<int*>(data);
  int sourceRows = 1000;
  if (r->iType == EMR_STRETCHDIBITS) sourceRows = reinterpret_cast<const EMRSTRETCHDIBITS*>(r)->cySrc;
  if (r->iType == EMR_BITBLT || r->iType == EMR_STRETCHDIBITS || r->iType == EMR_SETDIBITSTODEVICE ||
      r->iType == EMR_STRETCHBLT || r->iType == EMR_SETPIXELV)
    *n += sourceRows == 1 ? 1 : 1000;
  return 1;
}

int CountRowTransfers(HENHMETAFILE emf) {
  int count = 0;
  ::EnumEnhMetaFile(nullptr, emf, CountRecord, &count, nullptr);
  return count;
}

TEST(RecPictureStretchBlt, OneOneRowTransferPerSourceRow) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  FillPattern(p, 13, 9);
  HDC meta = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(meta, nullptr);
  RecPictureStretchBlt(p, meta, 0, 0, 104, 72, 0, 0, 13, 9, SRCCOPY);
  HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
  ASSERT_NE(emf, nullptr);
  EXPECT_EQ(CountRowTransfers(emf), 9);
  ::DeleteEnhMetaFile(emf);
}

TEST(RecPictureStretchBlt, LeavesNoGdiObjectsBehind) {
  TRecPictureHolder p;
  RecPictureCreate(p, POINT{0, 0}, 13, true, 24, 9);
  TDibCanvas canvas(104, 72);
  const DWORD before = GdiObjectCount();
  for (int i = 0; i < 300; ++i) RecPictureStretchBlt(p, canvas.DC(), 0, 0, 104, 72, 0, 0, 13, 9, SRCCOPY);
  EXPECT_LE(GdiObjectCount(), before);
}

}  // namespace
