#include "framework/TrackBar.h"

#include <commctrl.h>

namespace fw {

void TTrackBar::Create(TWindow* parent) {
  TCreateParams p;
  p.ClassName = TRACKBAR_CLASSW;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | TBS_HORZ | TBS_BOTTOM | TBS_FIXEDLENGTH;
  TrackBarParams(p);
  CreateHandle(parent, p);
  ApplySettings();
}

void TTrackBar::ApplySettings() noexcept {
  if (!Handle()) return;
  ::SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
  ::SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, FMax);
  ::SendMessageW(Handle(), TBM_SETLINESIZE, 0, FLineSize);
  ::SendMessageW(Handle(), TBM_SETPAGESIZE, 0, FPageSize);
  ::SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
}

void TTrackBar::SetRange(int min, int max) noexcept {
  FMin = min;
  FMax = max < min ? min : max;
  if (Handle()) {
    ::SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, FMin);
    ::SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, FMax);
  }
}

int TTrackBar::Position() const noexcept {
  return Handle() ? static_cast<int>(::SendMessageW(Handle(), TBM_GETPOS, 0, 0)) : FLastPosition;
}

void TTrackBar::SetPosition(int position) noexcept {
  FLastPosition = position;
  if (Handle()) ::SendMessageW(Handle(), TBM_SETPOS, TRUE, position);
}

void TTrackBar::SetLineSize(int size) noexcept {
  FLineSize = size;
  if (Handle()) ::SendMessageW(Handle(), TBM_SETLINESIZE, 0, size);
}

void TTrackBar::SetPageSize(int size) noexcept {
  FPageSize = size;
  if (Handle()) ::SendMessageW(Handle(), TBM_SETPAGESIZE, 0, size);
}

void TTrackBar::SetThumbLength(int length) noexcept {
  FThumbLength = length;
  if (Handle()) ::SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(length), 0);
}

void TTrackBar::SetTick(int position) noexcept {
  if (Handle()) ::SendMessageW(Handle(), TBM_SETTIC, 0, position);
}

void TTrackBar::ClearTicks() noexcept {
  if (Handle()) ::SendMessageW(Handle(), TBM_CLEARTICS, TRUE, 0);
}

RECT TTrackBar::ChannelRect() const noexcept {
  RECT r{};
  if (Handle()) ::SendMessageW(Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

bool TTrackBar::CNScroll(WORD, WORD) {
  // Several notifications (thumb track, end track) may carry one position.
  const int position = Position();
  if (position == FLastPosition) return true;
  FLastPosition = position;
  Changed();
  return true;
}

void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace fw
