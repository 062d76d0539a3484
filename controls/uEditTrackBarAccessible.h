#pragma once
// A channel editor as a screen reader reads it: editable text named by the
// label its owner gives, valued by the number shown, described by its range;
// its spin buttons and its pop-up button are children that press like a click.
#include <windows.h>

#include <string>

#include "framework/Accessible.h"

class TCustomEditTrackBarVel;

// The buttons' names and their action, in the interface's language.
struct TEditTrackBarTexts {
  std::wstring Up = L"Increase", Down = L"Decrease", Popup = L"Open Slider", Press = L"Press";
};
void SetEditTrackBarTexts(TEditTrackBarTexts texts);

class TEditTrackBarAccessible final : public fw::TAccessibleSource {
 public:
  explicit TEditTrackBarAccessible(TCustomEditTrackBarVel& edit) : FEdit(edit) {}

  // The label's text without its colon, and the range ("0～255").
  std::wstring Label, Range;

  long ChildCount() const override;
  long Role(long child) const override;
  std::wstring Name(long child) const override;
  std::wstring Value(long child) const override;
  std::wstring Description(long child) const override;
  std::wstring DefaultAction(long child) const override;
  bool DoDefaultAction(long child) override;
  bool Location(long child, RECT& screen) const override;
  long ChildAt(POINT screen) const override;

 private:
  // 0 the edit, 1 up, 2 down, 3 the pop-up button.
  int PartOf(long child) const noexcept;

  TCustomEditTrackBarVel& FEdit;
};
