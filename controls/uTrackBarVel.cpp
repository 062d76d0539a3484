#include "controls/uTrackBarVel.h"

#include <commctrl.h>
#include <windowsx.h>

#include "framework/Handles.h"

void TTrackBarVel::SetEnableSelRange(bool value) noexcept {
  FEnableSelRange = value;
  if (!Handle()) return;
  LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
  style = value ? (style | TBS_ENABLESELRANGE) : (style & ~static_cast<LONG_PTR>(TBS_ENABLESELRANGE));
  ::SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  Invalidate();
}

void TTrackBarVel::TrackBarParams(TCreateParams& params) {
  if (FEnableSelRange) params.Style |= TBS_ENABLESELRANGE;
}

LRESULT TTrackBarVel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  const fw::TShiftState shift = fw::TShiftState::FromKeyFlags(wParam);
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      const auto b = msg == WM_LBUTTONDOWN ? fw::TMouseButton::mbLeft : fw::TMouseButton::mbRight;
      if (OnMouseDown) OnMouseDown(this, b, shift, x, y);
      return r;
    }
    case WM_MOUSEMOVE: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      if (OnMouseMove) OnMouseMove(this, fw::TMouseButton::mbLeft, shift, x, y);
      return r;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      const auto b = msg == WM_LBUTTONUP ? fw::TMouseButton::mbLeft : fw::TMouseButton::mbRight;
      if (OnMouseUp) OnMouseUp(this, b, shift, x, y);
      if (msg == WM_LBUTTONUP) MouseReleased();
      return r;
    }
    case WM_CANCELMODE: {
      LRESULT r = DefaultProc(msg, wParam, lParam);
      CancelModeReceived();
      return r;
    }
    default:
      return fw::TTrackBar::WndProc(msg, wParam, lParam);
  }
}

void TTrackBarVelChild::CloseOwner() {
  if (!Handle()) return;
  if (auto* form = dynamic_cast<TfrmPopup*>(fw::TWindow::FromHandle(::GetAncestor(Handle(), GA_ROOT))))
    form->SetModalResult(TfrmPopup::mrOk);
}

void TTrackBarVelChild::MouseReleased() { CloseOwner(); }

void TTrackBarVelChild::CancelModeReceived() { CloseOwner(); }

TfrmPopup::TfrmPopup() = default;

TfrmPopup::~TfrmPopup() { DestroyHandle(); }

void TfrmPopup::Build(HWND owner, const TTrackBarScale& scale, const TTrackBarMarks& marks,
                      const TTrackBarSettings& settings) {
  LOGFONTW face{};
  ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
  SetFontFace(face.lfFaceName, 12, DEFAULT_CHARSET);

  const TPopupLayout layout = PopupLayout(scale.TrackLength());
  constexpr DWORD kStyle = WS_POPUP | WS_DLGFRAME;
  RECT frame{0, 0, layout.ClientWidth, layout.ClientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, WS_EX_CONTROLPARENT);
  SetBounds(0, 0, frame.right - frame.left, frame.bottom - frame.top);
  // The owner: the top-level window, so the pop-up stays above it and gives
  // the activation back to it.
  Create(fw::TWindow::FromHandle(owner ? ::GetAncestor(owner, GA_ROOT) : nullptr), kStyle, 0);

  Panel.SetBounds(layout.Panel.Left, layout.Panel.Top, layout.Panel.Width(), layout.Panel.Height());
  Panel.Create(this);
  TrackBar.SetEnableSelRange(false);
  TrackBar.SetBounds(layout.TrackBar.Left, layout.TrackBar.Top, layout.TrackBar.Width(), layout.TrackBar.Height());
  TrackBar.SetRange(settings.Min, settings.Max);
  TrackBar.SetLineSize(settings.LineSize);
  TrackBar.SetPageSize(settings.PageSize);
  TrackBar.SetThumbLength(Scaled(layout.ThumbLength));
  TrackBar.Create(&Panel);
  TrackBar.SetPosition(settings.Position);
  SetActiveControl(&TrackBar);

  FTicks = marks.Ticks;
  fw::TWindowDC screen(nullptr);
  fw::TSelectObject font(screen.Get(), FormFont());
  for (const TTrackBarLabel& mark : marks.Labels) {
    SIZE extent{};
    ::GetTextExtentPoint32W(screen.Get(), mark.Text.c_str(), static_cast<int>(mark.Text.size()), &extent);
    auto label = std::make_unique<fw::TLabel>();
    label->SetBounds(LabelLeft(mark.Offset, extent.cx), layout.LabelTop, extent.cx, extent.cy);
    label->Create(this, mark.Text);
    // Above the panel, which reaches down into the labels' row.
    ::SetWindowPos(label->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FLabels.push_back(std::move(label));
  }
}

void TfrmPopup::ModalShown() {
  for (int tick : FTicks) TrackBar.SetTick(tick);
  const int t = ThumbOffset(TrackBar.Position(), TrackBar.Min(), TrackBar.Max(), TrackBar.Width());
  const RECT channel = TrackBar.ChannelRect();
  const TPointI press = DragStartPoint(t, TRectI{channel.left, channel.top, channel.right, channel.bottom});
  // As if the user had pressed on the thumb: the track bar captures the mouse and drags.
  ::SendMessageW(TrackBar.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(press.X, press.Y));
  // Released already: a click opens and closes the pop-up without a change.
  if (::GetAsyncKeyState(VK_LBUTTON) >= 0) SetModalResult(mrOk);
  if (OnShown) OnShown(this);
}

LRESULT TfrmPopup::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) SetModalResult(mrOk);
      break;
    case WM_CANCELMODE:
      SetModalResult(mrOk);
      break;
    default:
      break;
  }
  return fw::TForm::WndProc(msg, wParam, lParam);
}
