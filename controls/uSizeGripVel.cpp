#include "controls/uSizeGripVel.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "framework/Application.h"
#include "framework/Exception.h"

namespace {

constexpr UINT_PTR kWatchId = 0x53475256;  // arbitrary, one per grip and window
constexpr COLORREF kSilver = RGB(192, 192, 192);

bool Is(const RGBQUAD& q, BYTE r, BYTE g, BYTE b) { return q.rgbRed == r && q.rgbGreen == g && q.rgbBlue == b; }

RGBQUAD Quad(COLORREF c) { return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), 0}; }

}  // namespace

TSizeGripVel::~TSizeGripVel() { Unwatch(); }

void TSizeGripVel::Create(fw::TWindow* parent, fw::TWindow* owner) {
  FOwner = owner;
  TCreateParams p;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  p.Cursor = ::LoadCursorW(nullptr, IDC_SIZENWSE);
  CreateHandle(parent, p);
  LoadPicture();
  PlaceInCorner();
  if (parent && parent->HandleAllocated()) {
    Watch(parent->Handle());
    HWND root = ::GetAncestor(parent->Handle(), GA_ROOT);
    if (root != parent->Handle()) Watch(root);
  }
}

void TSizeGripVel::LoadPicture() {
  HINSTANCE instance = fw::Application().Handle();
  HRSRC found = ::FindResourceW(instance, L"BMSIZE", MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  const DWORD size = found ? ::SizeofResource(instance, found) : 0;
  if (!data || size < sizeof(BITMAPINFOHEADER)) throw fw::Exception(L"TSizeGripVel.LoadPicture: no BMSIZE");

  // The resource is read-only; the colour table is patched in a copy.
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  std::vector<std::uint8_t> dib(bytes, bytes + size);
  auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
  const DWORD colours =
      header->biClrUsed ? header->biClrUsed : (header->biBitCount <= 8 ? 1u << header->biBitCount : 0u);
  const size_t tableEnd = header->biSize + colours * sizeof(RGBQUAD);
  if (tableEnd > dib.size()) throw fw::Exception(L"TSizeGripVel.LoadPicture: bad BMSIZE");
  auto* table = reinterpret_cast<RGBQUAD*>(dib.data() + header->biSize);
  const RGBQUAD highlight = Quad(::GetSysColor(COLOR_BTNHIGHLIGHT));
  const RGBQUAD shadow = Quad(::GetSysColor(COLOR_BTNSHADOW));
  for (DWORD i = 0; i < colours; ++i) {
    if (Is(table[i], 255, 255, 255))
      table[i] = highlight;
    else if (Is(table[i], 128, 128, 128))
      table[i] = shadow;
  }

  fw::TWindowDC screen(nullptr);
  HBITMAP bitmap = ::CreateDIBitmap(screen.Get(), header, CBM_INIT, dib.data() + tableEnd,
                                    reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
  if (!bitmap) throw fw::Exception(L"TSizeGripVel.LoadPicture: CreateDIBitmap failed");
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
  if (!form) throw fw::Exception(L"Invalid class typecast");
  return *form;
}

bool TSizeGripVel::OnMouseDown(fw::TMouseButton button, fw::TShiftState, int x, int y) {
  fw::TForm& form = OwnerForm();
  FDragging = true;
  FPressPoint = POINT{x, y};
  ::ClientToScreen(Handle(), &FPressPoint);
  FFormWidth = form.Width();
  FFormHeight = form.Height();
  if (button == fw::TMouseButton::mbLeft) ::SetCapture(Handle());
  return false;
}

bool TSizeGripVel::OnMouseMove(fw::TShiftState, int x, int y) {
  if (FDragging) {
    POINT p{x, y};
    ::ClientToScreen(Handle(), &p);
    fw::TForm& form = OwnerForm();
    form.SetBounds(form.Left(), form.Top(), FFormWidth + (p.x - FPressPoint.x), FFormHeight + (p.y - FPressPoint.y));
  }
  return false;
}

bool TSizeGripVel::OnMouseUp(fw::TMouseButton button, fw::TShiftState, int, int) {
  FDragging = false;
  if (button == fw::TMouseButton::mbLeft && ::GetCapture() == Handle()) ::ReleaseCapture();
  return false;
}

void TSizeGripVel::OnCaptureChanged(HWND newCapture) {
  // Capture taken away mid-drag (a menu, another program): the button is
  // no longer ours to follow.
  if (newCapture != Handle()) FDragging = false;
}

LRESULT TSizeGripVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_SYSCOLORCHANGE) fw::Guarded([this] { LoadPicture(); });
  return fw::TImage::WndProc(msg, wParam, lParam);
}

void TSizeGripVel::Watch(HWND wnd) {
  for (HWND& slot : FWatched) {
    if (slot) continue;
    if (::SetWindowSubclass(wnd, WatchProc, kWatchId, reinterpret_cast<DWORD_PTR>(this))) slot = wnd;
    return;
  }
}

void TSizeGripVel::Unwatch() {
  for (HWND& slot : FWatched) {
    if (slot && ::IsWindow(slot)) ::RemoveWindowSubclass(slot, WatchProc, kWatchId);
    slot = nullptr;
  }
}

LRESULT CALLBACK TSizeGripVel::WatchProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR refData) {
  auto* self = reinterpret_cast<TSizeGripVel*>(refData);
  const LRESULT result = ::DefSubclassProc(wnd, msg, wParam, lParam);
  switch (msg) {
    case WM_SIZE:
      // Keeps the grip at its distance from the right and bottom edges.
      if (self->FWatched[0] == wnd) fw::Guarded([self] { self->PlaceInCorner(); });
      break;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it.
      if (self->HandleAllocated()) ::SendMessageW(self->Handle(), WM_SYSCOLORCHANGE, wParam, lParam);
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(wnd, WatchProc, kWatchId);
      for (HWND& slot : self->FWatched)
        if (slot == wnd) slot = nullptr;
      break;
    default:
      break;
  }
  return result;
}

void TSizeGripVel::OnDestroying() {
  Unwatch();
  FDragging = false;
  fw::TImage::OnDestroying();
}
