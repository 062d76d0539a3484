#pragma once
// A paint box that can be repainted without erasing what lies under it,
// with mouse events (a left press captures the mouse, as for any graphic
// control), enter and leave events, a show-hint event, and mouse-wheel
// forwarding to its parent.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "framework/Events.h"
#include "framework/HintInfo.h"
#include "framework/PaintBox.h"

using TMouseMoveEvent = std::function<void(fw::TObject* sender, fw::TShiftState shift, int x, int y)>;

class TPaintBoxVel : public fw::TPaintBox {
 public:
  TPaintBoxVel() = default;
  ~TPaintBoxVel() override;

  void Create(fw::TWindow* parent);

  // True: the box paints every pixel itself, so nothing erases it first.
  bool Opaque() const noexcept { return FOpaque; }
  void SetOpaque(bool opaque);

  // Paints at once: an opaque box straight into its own DC, any other one by
  // erasing and painting through the normal paint message.
  void Repaint();

  const std::wstring& Hint() const noexcept { return FHint; }
  void SetHint(std::wstring hint);
  // The tool tip that shows the hint; null until a hint is set.
  HWND HintWindow() const noexcept { return FHintWindow; }

  fw::TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  fw::TMouseEvent OnMouseUp;
  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;
  fw::TControlShowHintEvent OnShowHint;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool WMEraseBkgnd(HDC dc) override;
  void HandleDestroying() override;
  bool WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMMouseMove(fw::TShiftState shift, int x, int y) override;
  bool WMMouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;

 private:
  void SetMouseInside(bool inside);
  void UpdateHintTool();
  void HintText(NMTTDISPINFOW& info);

  bool FOpaque = false;
  bool FMouseInside = false;
  std::wstring FHint;
  std::wstring FShownHint;
  HWND FHintWindow = nullptr;
};
