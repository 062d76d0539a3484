#include "app/uScreenSampler.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "app/ControlIds.h"
#include "app/uUiText.h"
#include "app/resources/StringIds.h"
#include "core/color/uHexColor.h"
#include "core/colorout/uColorChannels.h"
#include "core/sampling/uNudge.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Dpi.h"
#include "framework/Handles.h"
#include "framework/Theme.h"
#include "framework/support/uDraw3DFrame.h"

namespace {

// Loaded while the unit is initialised, before any window exists; never destroyed.
HCURSOR LoadSpoitCursor() {
  HCURSOR cursor = ::LoadCursorW(::GetModuleHandleW(nullptr), L"CSPOITA");
  fw::SetCursorEntry(crSpoit, cursor);
  return cursor;
}
const HCURSOR hSpoitCursor = LoadSpoitCursor();

COLORREF ButtonFace() { return fw::ThemeColor(fw::TThemeRole::Face); }

constexpr UINT kWmKeyPick = WM_APP + 0x3E2;

POINT ScreenPoint(const fw::TWindow& control, int x, int y) {
  POINT p{x, y};
  ::ClientToScreen(control.Handle(), &p);
  return p;
}

}  // namespace

void TSpoitBox::CreateParams(TCreateParams& params) { params.Style |= WS_TABSTOP; }

void TSpoitBox::PostKeyPick() {
  if (HandleAllocated()) ::PostMessageW(Handle(), kWmKeyPick, 0, 0);
}

LRESULT TSpoitBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kWmKeyPick) {
    if (OnKeyPick) OnKeyPick(this);
    return 0;
  }
  if (msg == WM_UPDATEUISTATE) Invalidate();
  // Space and Enter are the box's own; Tab still moves on.
  if (msg == WM_GETDLGCODE) return DLGC_WANTARROWS | DLGC_WANTCHARS;
  return TPaintBoxVel::WndProc(msg, wParam, lParam);
}

bool TSpoitBox::WMKeyDown(WORD& key, fw::TShiftState) {
  if (key != VK_SPACE && key != VK_RETURN) return false;
  if (OnKeyPick) OnKeyPick(this);
  return true;
}

void TSpoitBox::WMSetFocus(HWND) { Invalidate(); }
void TSpoitBox::WMKillFocus(HWND) { Invalidate(); }

bool TZoomPanel::WMMouseWheel(int delta, fw::TShiftState, int, int) {
  if (!OnWheel) return false;
  OnWheel(delta);
  return true;
}

COLORREF TScreenSampler::DefaultScreenPixel(HDC screen, int x, int y) { return ::GetPixel(screen, x, y); }

void TScreenSampler::Create(fw::TWindow& parent) {
  // Only the store of the dropper picture; never shown.
  ImageSpoit.SetControlId(ControlIds::ImageSpoit);
  ImageSpoit.SetVisible(false);
  ImageSpoit.SetBounds(9, 6, 24, 24);
  ImageSpoit.SetScalesWithDpi(true);
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
  SpoitAccessible.NameOf = [] { return UiText(IDS_A11Y_SPOIT); };
  SpoitAccessible.ActionName = UiText(IDS_A11Y_PRESS);
  SpoitAccessible.Action = [this] { pboxSpoit.PostKeyPick(); };
  pboxSpoit.SetAccessibleSource(&SpoitAccessible);
  pboxSpoit.Create(&parent);

  pnlZoom.SetControlId(ControlIds::pnlZoom);
  pnlZoom.SetBounds(96, 8, 106, 74);
  pnlZoom.SetBevelOuter(fw::TBevel::bvLowered);
  pnlZoom.OnWheel = [this](int delta) { ZoomWheel(delta); };
  pnlZoom.Create(&parent);
  pboxZoom.SetControlId(ControlIds::pboxZoom);
  pboxZoom.SetBounds(1, 1, 104, 72);
  pboxZoom.SetOpaque(true);
  pboxZoom.OnPaint = [this](fw::TObject* s, HDC dc) { pboxZoomPaint(s, dc); };
  pboxZoom.OnMouseDown = [this](fw::TObject* s, fw::TMouseButton b, fw::TShiftState sh, int x, int y) {
    pboxZoomMouseDown(s, b, sh, x, y);
  };
  pboxZoom.OnMouseMove = [this](fw::TObject* s, fw::TShiftState sh, int x, int y) { pboxZoomMouseMove(s, sh, x, y); };
  ZoomAccessible.NameOf = [this] {
    const std::optional<TColor> centre = CapturedPixel();
    return UiText(IDS_A11Y_ZOOM,
                  {{L"{zoom}", std::to_wstring(FZoom)},
                   {L"{color}", centre ? ColorToHexText(RedOf(*centre), GreenOf(*centre), BlueOf(*centre), 0) : L"-"}});
  };
  pboxZoom.SetAccessibleSource(&ZoomAccessible);
  pboxZoom.Create(&pnlZoom);
  pboxZoom.SetCursor(fw::CursorEntry(crSpoit));

  FCapture.Create((pboxZoom.Width() + 7) / 8, (pboxZoom.Height() + 7) / 8, ButtonFace());
}

void TScreenSampler::pboxSpoitPaint(fw::TObject* sender, HDC dc) {
  auto* box = dynamic_cast<fw::TWindow*>(sender);
  if (!box) return;
  ImageSpoit.DrawPicture(dc, 0, 0);
  Draw3DFrame(dc, RECT{0, 0, box->Width(), box->Height()}, !FSpoitDragging);
  if (box == &pboxSpoit && pboxSpoit.Focused() && fw::FocusCuesShown(pboxSpoit.Handle())) {
    RECT focus{3, 3, box->Width() - 3, box->Height() - 3};
    ::DrawFocusRect(dc, &focus);
  }
}

void TScreenSampler::pboxSpoitMouseDown(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  FSpoitDragging = true;
  // Asking the system at every move would cost more than the copy itself.
  RefreshMonitors();
  if (OnSpoitBegin) OnSpoitBegin(this);
  ::SetCursor(hSpoitCursor);
  // Sunken at once, not at the next paint message.
  fw::TWindowDC dc(pboxSpoit.Handle());
  if (dc) pboxSpoitPaint(&pboxSpoit, dc.Get());
}

void TScreenSampler::pboxSpoitMouseMove(fw::TObject*, fw::TShiftState, int x, int y) {
  if (!FSpoitDragging) return;
  SampleAt(ScreenPoint(pboxSpoit, x, y));
}

void TScreenSampler::SampleAt(POINT p) {
  if (const std::optional<TPixelSource> frozen = FrozenSource ? FrozenSource() : std::nullopt) {
    ZoomCapture(*frozen, p);
    if (const std::optional<TColor> colour = FCapture.Sample(FSampling)) Pick(*colour);
  } else {
    fw::TWindowDC screen(nullptr);
    ZoomCapture(screen.Get(), p);
    if (FSampling.Size <= 1 && ReadScreenPixel) {
      const COLORREF colour = ReadScreenPixel(screen.Get(), p.x, p.y);
      // Off every screen GetPixel fails; that is no colour, and certainly not white.
      if (colour != CLR_INVALID) Pick(colour);
    } else if (const std::optional<TColor> colour = FCapture.Sample(FSampling)) {
      Pick(*colour);
    }
  }
  pboxZoom.Repaint();
}

bool TScreenSampler::SpoitNudge(WORD key, bool shift) {
  if (!FSpoitDragging) return false;
  POINT p{};
  if (!::GetCursorPos(&p)) return false;
  const std::optional<TPointI> to = NudgedPoint(FMonitors, TPointI{p.x, p.y}, key, shift);
  if (!to) return false;
  ::SetCursorPos(to->X, to->Y);
  // The move the system makes of it may come late or, at an edge, not at all.
  SampleAt(POINT{to->X, to->Y});
  return true;
}

void TScreenSampler::PickAtScreenPoint(POINT point) {
  RefreshMonitors();
  SampleAt(point);
}

void TScreenSampler::SetViewDpi(int dpi) {
  const int next = dpi > 0 ? dpi : kDefaultDpi;
  if (next == FViewDpi) return;
  FViewDpi = next;
  Recapture();
}

void TScreenSampler::pboxSpoitMouseUp(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
  if (!FSpoitDragging) return;
  FSpoitDragging = false;
  if (OnSpoitEnd) OnSpoitEnd(this);
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

void TScreenSampler::RefreshMonitors() { FMonitors = fw::DisplayMonitors(); }

void TScreenSampler::ZoomCapture(const TPixelSource& source, POINT point) {
  if (FMonitors.empty()) RefreshMonitors();
  FCapture.Capture(source, point, ZoomView(), FSampling.Size, FMonitors, ButtonFace());
}

std::optional<TColor> TScreenSampler::CapturedPixel() const { return FCapture.Pixel(); }

std::optional<TColor> TScreenSampler::CapturedPixelAt(TPointI screen) const { return FCapture.PixelAt(screen); }

std::optional<TColor> TScreenSampler::CapturedArea() const {
  return FSampling.Size > 1 ? FCapture.Area(FSampling) : std::nullopt;
}

void TScreenSampler::SetSampling(const TSampling& sampling) {
  const TSampling* first = std::begin(kSamplingChoices);
  const TSampling* last = std::end(kSamplingChoices);
  const TSampling next = std::find(first, last, sampling) != last ? sampling : TSampling{};
  if (next == FSampling) return;
  FSampling = next;
  Recapture();
}

void TScreenSampler::SetZoom(int zoom) {
  const int next = ZoomStep(zoom, 0);
  if (next == FZoom) return;
  FZoom = next;
  Recapture();
  pboxZoom.NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
  if (OnZoomChange) OnZoomChange(this);
}

void TScreenSampler::ZoomWheel(int delta) {
  if (const int notches = FWheel.Take(delta)) SetZoom(ZoomStep(FZoom, notches));
}

TZoomGeometry TScreenSampler::ZoomView() const {
  return ZoomGeometry(pboxZoom.Width(), pboxZoom.Height(), ZoomCellSize(FZoom, FViewDpi));
}

void TScreenSampler::Recapture() {
  if (!FCapture.Captured()) return;
  RefreshMonitors();
  if (const std::optional<TPixelSource> frozen = FrozenSource ? FrozenSource() : std::nullopt) {
    ZoomCapture(*frozen, FCapture.Point());
  } else {
    fw::TWindowDC screen(nullptr);
    ZoomCapture(screen.Get(), FCapture.Point());
  }
  if (pboxZoom.Handle()) pboxZoom.Repaint();
}

void TScreenSampler::pboxZoomPaint(fw::TObject*, HDC dc) {
  FCapture.Paint(dc, pboxZoom.Width(), pboxZoom.Height(), FSampling.Size, DisplayColor);
}

void TScreenSampler::pboxZoomMouseDown(fw::TObject* sender, fw::TMouseButton button, fw::TShiftState shift, int x,
                                       int y) {
  if (button == fw::TMouseButton::mbLeft) pboxZoomMouseMove(sender, shift, x, y);
}

void TScreenSampler::pboxZoomMouseMove(fw::TObject*, fw::TShiftState shift, int x, int y) {
  if (!shift.Left) return;
  if (FCapture.Captured() && x >= 0 && y >= 0 && x < pboxZoom.Width() && y < pboxZoom.Height()) {
    // The outline and the centre mark cover part of the view: take the
    // captured pixel the point shows, not the line.
    const TPointI source = ViewToSource(FCapture.View(), TPointI{x, y});
    if (const std::optional<TColor> colour =
            CapturedPixelAt(TPointI{FCapture.Point().x + source.X, FCapture.Point().y + source.Y}))
      Pick(*colour);
    return;
  }
  const POINT p = ScreenPoint(pboxZoom, x, y);
  fw::TWindowDC screen(nullptr);
  const COLORREF colour = ReadScreenPixel ? ReadScreenPixel(screen.Get(), p.x, p.y) : DefaultScreenPixel(screen.Get(), p.x, p.y);
  if (colour != CLR_INVALID) Pick(colour);
}

void TScreenSampler::Pick(COLORREF colour) {
  if (OnColorPick) OnColorPick(this, static_cast<TColor>(colour));
}
