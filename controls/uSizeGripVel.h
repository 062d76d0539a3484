#pragma once
// The grip in a window's bottom-right corner that resizes the form owning
// it by the pointer's travel, drawn in the system's highlight and shadow
// colours.
#include <windows.h>

#include "framework/Form.h"
#include "framework/Image.h"

class TSizeGripVel : public fw::TImage {
public:
  TSizeGripVel() = default;
  ~TSizeGripVel() override;

  // owner is the form the grip resizes; the grip sits in parent's corner.
  void Create(fw::TWindow* parent, fw::TWindow* owner);

  // Rebuilds the picture from the "BMSIZE" resource in the current system colours.
  void LoadPicture();
  // 2 pixels in from the parent's bottom-right corner.
  void PlaceInCorner();

  bool Dragging() const noexcept { return FDragging; }

protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool OnMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool OnMouseMove(fw::TShiftState shift, int x, int y) override;
  bool OnMouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void OnCaptureChanged(HWND newCapture) override;
  void OnDestroying() override;

private:
  static LRESULT CALLBACK WatchProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR refData);
  fw::TForm& OwnerForm() const;
  void Watch(HWND wnd);
  void Unwatch();

  POINT FPressPoint{};
  bool FDragging = false;
  int FFormWidth = 0, FFormHeight = 0;
  fw::TWindow* FOwner = nullptr;
  // The parent's size and the top-level window's colour changes are watched
  // through subclasses of those windows.
  HWND FWatched[2] = {nullptr, nullptr};
};
