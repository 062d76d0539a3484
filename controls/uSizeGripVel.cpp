#include "controls/uSizeGripVel.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "controls/uControlGlyphs.h"
#include "framework/Application.h"
#include "framework/Dpi.h"
#include "core/support/Exception.h"
#include "framework/Theme.h"

namespace {

constexpr COLORREF kSilver = RGB(192, 192, 192);

bool Is(const RGBQUAD& q, BYTE r, BYTE g, BYTE b) { return q.rgbRed == r && q.rgbGreen == g && q.rgbBlue == b; }

RGBQUAD Quad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

}  // namespace

TSizeGripVel::TSizeGripVel() { SetAccessibleSource(&Accessible); }

TSizeGripVel::~TSizeGripVel() { SetAccessibleSource(nullptr); }

void TSizeGripVel::Create(fw::TWindow* parent, fw::TWindow* owner) {
  FOwner = owner;
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  p.Cursor = ::LoadCursorW(nullptr, IDC_SIZENWSE);
  CreateHandle(parent, p);
  LoadPicture();
  PlaceInCorner();
}

void TSizeGripVel::LoadPicture() {
  const std::span<const std::uint8_t> source = ControlGlyphs().SizeGrip;
  if (source.size() < sizeof(BITMAPINFOHEADER)) throw Exception(L"TSizeGripVel.LoadPicture: no picture");

  // The program's copy is read-only; the colour table is patched in our own.
  std::vector<std::uint8_t> dib(source.begin(), source.end());
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  const DWORD colours =
      header->biClrUsed ? header->biClrUsed : (header->biBitCount <= 8 ? 1u << header->biBitCount : 0u);
  const size_t tableEnd = header->biSize + colours * sizeof(RGBQUAD);
  if (tableEnd > dib.size()) throw Exception(L"TSizeGripVel.LoadPicture: bad picture");
  auto* table = reinterpret_cast<RGBQUAD*>(dib.data() + header->biSize);
  const RGBQUAD highlight = Quad(fw::ThemeColor(fw::TThemeRole::Light));
  const RGBQUAD shadow = Quad(fw::ThemeColor(fw::TThemeRole::Shadow));
  for (DWORD i = 0; i < colours; ++i) {
    if (Is(table[i], 255, 255, 255))
      table[i] = highlight;
    else if (Is(table[i], 128, 128, 128))
      table[i] = shadow;
  }

  fw::TWindowDC screen(nullptr);
  HBITMAP bitmap = ::CreateDIBitmap(screen.Get(), header, CBM_INIT, dib.data() + tableEnd,
                                    reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
  if (!bitmap) throw Exception(L"TSizeGripVel.LoadPicture: CreateDIBitmap failed");
  if (Dpi() != 96) {
    fw::TUniqueBitmap designed(bitmap);
    bitmap = fw::StretchBitmapNearest(designed.Get(), Scaled(header->biWidth), Scaled(std::abs(header->biHeight)));
    if (!bitmap) throw Exception(L"TSizeGripVel.LoadPicture: the picture could not be scaled");
  }
  SetPicture(bitmap);
  SetTransparent(true);
  SetTransparentColor(kSilver);
}

void TSizeGripVel::PlaceInCorner() {
  fw::TWindow* parent = Parent();
  if (!parent) return;
  const int w = PictureWidth(), h = PictureHeight();
  SetBounds(parent->ClientWidth() - w - 2, parent->ClientHeight() - h - 2, w, h);
}

fw::TForm& TSizeGripVel::OwnerForm() const {
  auto* form = dynamic_cast<fw::TForm*>(FOwner);
  if (!form) throw Exception(L"Invalid class typecast");
  return *form;
}

bool TSizeGripVel::WMMouseDown(fw::TMouseButton button, fw::TShiftState, int x, int y) {
  fw::TForm& form = OwnerForm();
  FDragging = true;
  FPressPoint = POINT{x, y};
  ::ClientToScreen(Handle(), &FPressPoint);
  FFormWidth = form.Width();
  FFormHeight = form.Height();
  if (button == fw::TMouseButton::mbLeft) ::SetCapture(Handle());
  return false;
}

bool TSizeGripVel::WMMouseMove(fw::TShiftState, int x, int y) {
  if (FDragging) {
    POINT p{x, y};
    ::ClientToScreen(Handle(), &p);
    fw::TForm& form = OwnerForm();
    form.SetBounds(form.Left(), form.Top(), FFormWidth + (p.x - FPressPoint.x), FFormHeight + (p.y - FPressPoint.y));
  }
  return false;
}

bool TSizeGripVel::WMMouseUp(fw::TMouseButton button, fw::TShiftState, int, int) {
  FDragging = false;
  if (button == fw::TMouseButton::mbLeft && ::GetCapture() == Handle()) ::ReleaseCapture();
  return false;
}

void TSizeGripVel::WMCaptureChanged(HWND newCapture) {
  // Capture taken away mid-drag (a menu, another program): the button is
  // no longer ours to follow.
  if (newCapture != Handle()) FDragging = false;
}

LRESULT TSizeGripVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOLORCHANGE) fw::Guarded([this] { LoadPicture(); });
  return fw::TImage::WndProc(msg, wParam, lParam);
}

void TSizeGripVel::DpiChanged(int, int) {
  fw::Guarded([this] {
    LoadPicture();
    PlaceInCorner();
  });
}

void TSizeGripVel::ParentResized() {
  fw::Guarded([this] { PlaceInCorner(); });
}

void TSizeGripVel::HandleDestroying() {
  FDragging = false;
  fw::TImage::HandleDestroying();
}
