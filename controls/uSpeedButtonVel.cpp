#include "controls/uSpeedButtonVel.h"
#include "framework/Theme.h"

#include <memory>
#include <vector>

namespace {

// Faces drawn once and copied from then on. The edit repaints its buttons
// with every new text, and drawing a transparent glyph makes masks and DCs
// each time; twelve editors change their texts together.
class TFaceCache {
 public:
  // Null when the face cannot be kept (no memory DC, say).
  HDC Face(HBITMAP glyph, int width, int height, bool down, bool enabled) {
    using fw::TThemeRole;
    const TKey key{glyph,
                   width,
                   height,
                   down,
                   enabled,
                   fw::ThemeColor(TThemeRole::Face),
                   fw::ThemeColor(TThemeRole::Light),
                   fw::ThemeColor(TThemeRole::Shadow),
                   fw::ThemeColor(TThemeRole::FaceText)};
    for (const auto& e : FEntries)
      if (e->Key == key) return e->DC.Get();
    // System colours changed (or a first sight): faces of old colours go.
    if (FEntries.size() >= kMaxEntries) FEntries.clear();
    auto entry = std::make_unique<TEntry>();
    entry->Key = key;
    // The screen's format, whatever DC asks first (a test's DIB, say).
    fw::TWindowDC screen(nullptr);
    entry->Bitmap.Reset(::CreateCompatibleBitmap(screen.Get(), width, height));
    entry->DC.Reset(::CreateCompatibleDC(screen.Get()));
    if (!entry->Bitmap || !entry->DC) return nullptr;
    ::SelectObject(entry->DC.Get(), entry->Bitmap.Get());
    DrawSpeedButtonFace(entry->DC.Get(), RECT{0, 0, width, height}, down, enabled, glyph);
    FEntries.push_back(std::move(entry));
    return FEntries.back()->DC.Get();
  }

 private:
  static constexpr std::size_t kMaxEntries = 32;
  struct TKey {
    HBITMAP Glyph;
    int Width, Height;
    bool Down, Enabled;
    COLORREF Face, Highlight, Shadow, Text;
    bool operator==(const TKey&) const = default;
  };
  struct TEntry {
    TKey Key{};
    fw::TUniqueBitmap Bitmap;  // declared first: goes after the DC that holds it
    fw::TUniqueMemDC DC;
  };
  std::vector<std::unique_ptr<TEntry>> FEntries;
};

TFaceCache& FaceCache() {
  static TFaceCache cache;
  return cache;
}

}  // namespace

void TSpeedButtonVel::SetHost(HWND host) noexcept {
  if (host == FHost) return;
  HostChanging();
  FHost = host;
  FDragging = false;
  FState = RestingState();
}

void TSpeedButtonVel::SetBounds(int left, int top, int width, int height) noexcept {
  const TRectI bounds{left, top, left + width, top + height};
  if (bounds == FBounds) return;
  Invalidate();
  FBounds = bounds;
  Invalidate();
}

void TSpeedButtonVel::SetVisible(bool visible) noexcept {
  if (visible == FVisible) return;
  FVisible = true;  // so that its place is repainted either way
  Invalidate();
  FVisible = visible;
}

void TSpeedButtonVel::SetEnabled(bool enabled) noexcept {
  FEnabled = enabled;
  FState = RestingState();
  Invalidate();
}

bool TSpeedButtonVel::HitTest(int x, int y) const noexcept {
  return FVisible && x >= FBounds.Left && y >= FBounds.Top && x < FBounds.Right && y < FBounds.Bottom;
}

void TSpeedButtonVel::SetGlyph(HBITMAP glyph) noexcept {
  FOwnedGlyph.Reset(glyph);
  FSharedGlyph = nullptr;
  Invalidate();
}

void TSpeedButtonVel::SetSharedGlyph(HBITMAP glyph) noexcept {
  FOwnedGlyph.Reset();
  FSharedGlyph = glyph;
  Invalidate();
}

void TSpeedButtonVel::SetShownDown(bool down) noexcept {
  FState = down ? fw::TButtonState::bsDown : RestingState();
  Invalidate();
  Update();
}

void TSpeedButtonVel::Click() {
  if (OnClick) OnClick(this);
}

void TSpeedButtonVel::MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  FPressAborted = false;
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  // The handler may have run a modal loop and the press ended inside it.
  if (FPressAborted || !FHost || !FEnabled || button != fw::TMouseButton::mbLeft) return;
  FState = fw::TButtonState::bsDown;
  FDragging = true;
  ::SetCapture(FHost);
  Invalidate();
  Update();
}

void TSpeedButtonVel::MouseMove(int x, int y) {
  if (!FDragging) return;
  const fw::TButtonState state = Inside(x, y) ? fw::TButtonState::bsDown : fw::TButtonState::bsUp;
  if (state == FState) return;
  FState = state;
  Invalidate();
  Update();
}

void TSpeedButtonVel::MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
  const bool wasDragging = FDragging && button == fw::TMouseButton::mbLeft;
  if (wasDragging) {
    FDragging = false;
    if (FHost && ::GetCapture() == FHost) ::ReleaseCapture();
  }
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (!wasDragging) return;
  const bool click = Inside(x, y) && FState == fw::TButtonState::bsDown;
  FState = RestingState();
  Invalidate();
  Update();
  if (click) Click();
}

void TSpeedButtonVel::CaptureLost() {
  if (FDragging) MouseUp(fw::TMouseButton::mbLeft, fw::TShiftState{}, -1, -1);
}

void TSpeedButtonVel::Paint(HDC dc) {
  const RECT r{FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom};
  const bool down = FState == fw::TButtonState::bsDown;
  // Only a glyph that outlives the button may key the cache: a freed one's
  // handle can come back for another picture.
  HDC face = FSharedGlyph && Width() > 0 && Height() > 0
                 ? FaceCache().Face(FSharedGlyph, Width(), Height(), down, FEnabled)
                 : nullptr;
  if (face)
    ::BitBlt(dc, r.left, r.top, Width(), Height(), face, 0, 0, SRCCOPY);
  else
    DrawSpeedButtonFace(dc, r, down, FEnabled, Glyph());
  if (OnPaint) OnPaint(this);
}

void TSpeedButtonVel::Invalidate() const noexcept {
  // Under Wine each invalidation is a round trip to the server; a hidden
  // host (an edit being created) is painted whole when it is shown.
  if (!FHost || !FVisible || !::IsWindowVisible(FHost)) return;
  const RECT r{FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom};
  ::InvalidateRect(FHost, &r, FALSE);
}

void TSpeedButtonVel::Update() const noexcept {
  if (FHost) ::UpdateWindow(FHost);
}

void DrawSpeedButtonFace(HDC dc, const RECT& rect, bool down, bool enabled, HBITMAP glyph) {
  RECT r = rect;
  ::FillRect(dc, &r, fw::ThemeBrush(fw::TThemeRole::Face));
  fw::DrawThemeEdge(dc, r, !down);
  BITMAP bm{};
  if (!glyph || !::GetObjectW(glyph, sizeof(bm), &bm)) return;
  const int offset = down ? 1 : 0;
  const int x = rect.left + (rect.right - rect.left - bm.bmWidth) / 2 + offset;
  const int y = rect.top + (rect.bottom - rect.top - bm.bmHeight) / 2 + offset;
  fw::DrawTransparentGlyph(dc, glyph, x, y, enabled);
}
