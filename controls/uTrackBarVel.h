#pragma once
// The pop-up track bar of the edit-trackbar: a borderless window with a
// labelled comctl32 track bar whose thumb starts out under the pointer and
// already dragging; it closes at the release.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "core/controls/uTrackBarScale.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/TrackBar.h"

class TTrackBarVel : public fw::TTrackBar {
 public:
  bool EnableSelRange() const noexcept { return FEnableSelRange; }
  void SetEnableSelRange(bool value) noexcept;

  // After the track bar's own handling of the message.
  fw::TMouseEvent OnMouseDown;
  fw::TMouseEvent OnMouseMove;
  fw::TMouseEvent OnMouseUp;

 protected:
  void TrackBarParams(TCreateParams& params) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  virtual void MouseReleased() {}
  virtual void CancelModeReceived() {}

 private:
  bool FEnableSelRange = true;
};

// Ends the modal loop of the pop-up that holds it at the release and on cancel mode.
class TTrackBarVelChild : public TTrackBarVel {
 protected:
  void MouseReleased() override;
  void CancelModeReceived() override;

 private:
  void CloseOwner();
};

class TfrmPopup : public fw::TForm {
 public:
  TfrmPopup();
  ~TfrmPopup() override;

  // Creates the hidden window, owned by owner's top-level window, with the
  // track bar set up for the scale and the labels written.
  void Build(HWND owner, const TTrackBarScale& scale, const TTrackBarMarks& marks, const TTrackBarSettings& settings);

  // ShowModal starts the drag as soon as the pop-up shows; the release, a
  // cancel mode or the loss of the activation ends it with mrOk.

  fw::TPanel Panel;
  TTrackBarVelChild TrackBar;
  const std::vector<int>& Ticks() const noexcept { return FTicks; }
  const std::vector<std::unique_ptr<fw::TLabel>>& Labels() const noexcept { return FLabels; }

  // Runs after the drag has started, inside the modal loop's window.
  fw::TNotifyEvent OnShown;

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void ModalShown() override;

 private:
  std::vector<int> FTicks;
  std::vector<std::unique_ptr<fw::TLabel>> FLabels;
};
