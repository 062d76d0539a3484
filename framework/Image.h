#pragma once
// A picture control: shows one bitmap, optionally with one colour left
// transparent so the parent shows through.
#include <windows.h>

#include <optional>

#include "framework/Handles.h"
#include "framework/Window.h"

namespace fw {

// A monochrome mask of the bitmap selected into src: 1 where its pixels have
// the transparent colour, 0 elsewhere; null when GDI refuses.
TUniqueBitmap CreateTransparencyMask(HDC src, int width, int height, COLORREF transparent);
// Draws bitmap at (x, y) of dc, leaving the pixels of the transparent colour alone.
void DrawTransparentBitmap(HDC dc, int x, int y, HBITMAP bitmap, COLORREF transparent);

class TImage : public TWindow {
 public:
  void Create(TWindow* parent);

  HBITMAP Picture() const noexcept { return FPicture.Get(); }
  // Takes ownership of bitmap.
  void SetPicture(HBITMAP bitmap);
  int PictureWidth() const noexcept { return FPictureWidth; }
  int PictureHeight() const noexcept { return FPictureHeight; }

  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool transparent);
  // Unless set, the colour of the picture's bottom-left pixel.
  COLORREF TransparentColor() const;
  void SetTransparentColor(COLORREF colour);

  // The picture is redrawn at the control's DPI, each pixel repeated or
  // dropped; the one given stays the source.
  void SetScalesWithDpi(bool scales) noexcept { FScalesWithDpi = scales; }

  // Draws the picture as the control shows it.
  void DrawPicture(HDC dc, int x, int y) const;

 protected:
  bool Paint(HDC dc, const RECT& clip) override;
  bool WMEraseBkgnd(HDC dc) override;
  void DpiChanged(int oldDpi, int newDpi) override;

 private:
  void ShowPicture(HBITMAP bitmap);

  TUniqueBitmap FPicture;
  TUniqueBitmap FDesignedPicture;  // with FScalesWithDpi, the picture given at 96 DPI
  bool FScalesWithDpi = false;
  int FPictureWidth = 0, FPictureHeight = 0;
  bool FTransparent = false;
  std::optional<COLORREF> FTransparentColor;
};

}  // namespace fw
