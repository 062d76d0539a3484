#pragma once
// The comctl32 track bar, subclassed. OnChange fires for every position the
// user moves the thumb to (the scroll notifications reflected from the parent).
#include <windows.h>

#include "framework/Events.h"
#include "framework/Window.h"

namespace fw {

class TTrackBar : public TWindow {
 public:
  void Create(TWindow* parent);

  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  void SetRange(int min, int max) noexcept;
  int Position() const noexcept;
  void SetPosition(int position) noexcept;
  int LineSize() const noexcept { return FLineSize; }
  void SetLineSize(int size) noexcept;
  int PageSize() const noexcept { return FPageSize; }
  void SetPageSize(int size) noexcept;
  int ThumbLength() const noexcept { return FThumbLength; }
  void SetThumbLength(int length) noexcept;

  void SetTick(int position) noexcept;
  void ClearTicks() noexcept;
  RECT ChannelRect() const noexcept;

  TNotifyEvent OnChange;

 protected:
  // The track bar's styles; the base gives a horizontal bar with manual ticks below.
  virtual void TrackBarParams(TCreateParams& /*params*/) {}
  bool CNScroll(WORD code, WORD position) override;
  virtual void Changed();

 private:
  void ApplySettings() noexcept;

  int FMin = 0, FMax = 10, FLineSize = 1, FPageSize = 2, FThumbLength = 20;
  int FLastPosition = 0;
};

}  // namespace fw
