#include "app/uScreenSampler.h"

#include "app/ControlIds.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "framework/support/uDraw3DFrame.h"

namespace {

// Loaded while the unit is initialised, before any window exists; never destroyed.
HCURSOR LoadSpoitCursor() {
  HCURSOR cursor = ::LoadCursorW(::GetModuleHandleW(nullptr), L"CSPOITA");
  fw::SetCursorEntry(crSpoit, cursor);
  return cursor;
}
const HCURSOR hSpoitCursor = LoadSpoitCursor();

COLORREF ButtonFace() { return ::GetSysColor(COLOR_BTNFACE); }

POINT ScreenPoint(const fw::TWindow& control, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(control.Handle(), &p);
  return p;
}

}  // namespace

COLORREF TScreenSampler::DefaultScreenPixel(HDC screen, int x, int y) { return ::GetPixel(screen, x, y); }

void TScreenSampler::Create(fw::TWindow& parent) {
  // Only the store of the dropper picture; never shown.
  ImageSpoit.SetControlId(ControlIds::ImageSpoit);
  ImageSpoit.SetVisible(false);
  ImageSpoit.SetBounds(9, 6, 24, 24);
  ImageSpoit.Create(&parent);
  ImageSpoit.SetPicture(
      static_cast<HBITMAP>(::LoadImageW(fw::Application().Handle(), L"BMSPOIT", IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  ImageSpoit.SetTransparent(true);

  pboxSpoit.SetControlId(ControlIds::pboxSpoit);
  pboxSpoit.SetBounds(9, 6, 24, 24);
  pboxSpoit.OnPaint = [this](fw::TObject* s, HDC dc) { pboxSpoitPaint(s, dc); };
  pboxSpoit.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxSpoitMouseDown(s, b, sh, x, y);
  };
  pboxSpoit.OnMouseMove = [this](fw::TObject* s, fw::TShiftState sh, int x, int y) { pboxSpoitMouseMove(s, sh, x, y); };
  pboxSpoit.OnMouseUp = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxSpoitMouseUp(s, b, sh, x, y);
  };
  pboxSpoit.Create(&parent);

  pnlZoom.SetControlId(ControlIds::pnlZoom);
  pnlZoom.SetBounds(96, 8, 106, 74);
  pnlZoom.SetBevelOuter(fw::TBevel::bvLowered);
  pnlZoom.Create(&parent);
  pboxZoom.SetControlId(ControlIds::pboxZoom);
  pboxZoom.SetBounds(1, 1, 104, 72);
  pboxZoom.SetOpaque(true);
  pboxZoom.OnPaint = [this](fw::TObject* s, HDC dc) { pboxZoomPaint(s, dc); };
  pboxZoom.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxZoomMouseDown(s, b, sh, x, y);
  };
  pboxZoom.OnMouseMove = [this](fw::TObject* s, fw::TShiftState sh, int x, int y) { pboxZoomMouseMove(s, sh, x, y); };
  pboxZoom.Create(&pnlZoom);
  pboxZoom.SetCursor(fw::CursorEntry(crSpoit));

  RecPictureCreate(FZoomPicture, POINT{0, 0}, (pboxZoom.Width() + 7) / 8, true, 24, (pboxZoom.Height() + 7) / 8);
  RecPictureFill(FZoomPicture, ButtonFace());
}

void TScreenSampler::pboxSpoitPaint(fw::TObject* sender, HDC dc) {
  auto* box = dynamic_cast<fw::TWindow*>(sender);
  if (!box) return;
  ImageSpoit.DrawPicture(dc, 0, 0);
  Draw3DFrame(dc, RECT{0, 0, box->Width(), box->Height()}, !FSpoitDragging);
}

void TScreenSampler::pboxSpoitMouseDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  FSpoitDragging = true;
  ::SetCursor(hSpoitCursor);
  // Sunken at once, not at the next paint message.
  fw::TWindowDC dc(pboxSpoit.Handle());
  if (dc) pboxSpoitPaint(&pboxSpoit, dc.Get());
}

void TScreenSampler::pboxSpoitMouseMove(fw::TObject*, fw::TShiftState, int x, int y) {
  if (!FSpoitDragging) return;
  const POINT p = ScreenPoint(pboxSpoit, x, y);
  {
    fw::TWindowDC screen(nullptr);
    const COLORREF colour = ReadScreenPixel(screen.Get(), p.x, p.y);
    // Off every screen GetPixel fails; that is no colour, and certainly not white.
    if (colour != CLR_INVALID) Pick(colour);
    ZoomCapture(screen.Get(), p);
  }
  pboxZoom.Repaint();
}

void TScreenSampler::pboxSpoitMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (!FSpoitDragging) return;
  FSpoitDragging = false;
  pboxSpoit.Invalidate(true);
  // The picture keeps this inner ring from now on.
  if (HBITMAP picture = ImageSpoit.Picture()) {
    fw::TUniqueMemDC dc(::CreateCompatibleDC(nullptr));
    if (dc) {
      fw::TSelectObject select(dc.Get(), picture);
      Draw3DFrame(dc.Get(), RECT{1, 1, ImageSpoit.PictureWidth() - 1, ImageSpoit.PictureHeight() - 1}, true);
    }
  }
  ImageSpoit.Invalidate(true);
}

void TScreenSampler::ZoomCapture(HDC screen, POINT point) {
  const BITMAPINFOHEADER* header = RecPictureHeader(FZoomPicture);
  if (!header) return;
  const int w = header->biWidth, h = header->biHeight;
  // What the copy cannot reach (beyond the screen's edges) shows button face.
  RecPictureFill(FZoomPicture, ButtonFace());
  fw::TUniqueMemDC mem(::CreateCompatibleDC(screen));
  if (!mem) return;
  fw::TSelectObject select(mem.Get(), FZoomPicture.Bitmap);
  ::BitBlt(mem.Get(), 0, 0, w, h, screen, point.x - w / 2, point.y - h / 2, SRCCOPY);
}

void TScreenSampler::pboxZoomPaint(fw::TObject*, HDC dc) {
  const BITMAPINFOHEADER* header = RecPictureHeader(FZoomPicture);
  if (!header) return;
  RecPictureStretchBlt(FZoomPicture, dc, 0, 0, pboxZoom.Width(), pboxZoom.Height(), 0, 0, header->biWidth,
                       header->biHeight, SRCCOPY);
}

void TScreenSampler::pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x,
                                       int y) {
  if (button == fw::TMouseButton::mbLeft) pboxZoomMouseMove(sender, shift, x, y);
}

void TScreenSampler::pboxZoomMouseMove(fw::TObject*, fw::TShiftState shift, int x, int y) {
  if (!shift.Left) return;
  const POINT p = ScreenPoint(pboxZoom, x, y);
  fw::TWindowDC screen(nullptr);
  const COLORREF colour = ReadScreenPixel(screen.Get(), p.x, p.y);
  if (colour != CLR_INVALID) Pick(colour);
}

void TScreenSampler::Pick(COLORREF colour) {
  if (OnColorPick) OnColorPick(this, static_cast<TColor>(colour));
}
