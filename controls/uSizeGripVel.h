#pragma once
// The grip in a window's bottom-right corner that resizes the form owning
// it by the pointer's travel, drawn in the system's highlight and shadow
// colours.
#include <windows.h>

#include "framework/Accessible.h"
#include "framework/Form.h"
#include "framework/Image.h"

class TSizeGripVel : public fw::TImage {
 public:
  TSizeGripVel();
  ~TSizeGripVel() override;

  // A screen reader reads a grip; its name is the owner's to give.
  fw::TPlainAccessible Accessible{ROLE_SYSTEM_GRIP};

  // owner is the form the grip resizes; the grip sits in parent's corner.
  void Create(fw::TWindow* parent, fw::TWindow* owner);

  // Rebuilds the picture from the "BMSIZE" resource in the current system colours.
  void LoadPicture();
  // 2 pixels in from the parent's bottom-right corner.
  void PlaceInCorner();

  bool Dragging() const noexcept { return FDragging; }

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool WMMouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool WMMouseMove(fw::TShiftState shift, int x, int y) override;
  bool WMMouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void WMCaptureChanged(HWND newCapture) override;
  void HandleDestroying() override;
  void ParentResized() override;
  void DpiChanged(int oldDpi, int newDpi) override;

 private:
  fw::TForm& OwnerForm() const;

  POINT FPressPoint{};
  bool FDragging = false;
  int FFormWidth = 0, FFormHeight = 0;
  fw::TWindow* FOwner = nullptr;
};
