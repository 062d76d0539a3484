#pragma once
// The value of an edit-trackbar control and everything it decides about it:
// quantising and limiting the position, its text and the reverse, stepping
// by keys, spin buttons and the pop-up track bar, and the modification run.
// The Windows control owns one, forwards its properties to it and does the
// window work the model asks for through OnPositionSet.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/controls/uTrackBarScale.h"

// Modifier keys held at the moment of a step.
struct TModifierKeys {
  bool Shift = false, Ctrl = false, Alt = false;
};

enum TStepKey { skUp, skDown, skPageUp, skPageDown };
enum TSpinButton { sbUp, sbDown };

// The stepping key of a Windows virtual-key code (Page Up, Page Down, Up, Down).
std::optional<TStepKey> StepKeyOf(unsigned virtualKey);

// Keys step with no modifier or with Ctrl alone.
bool KeyStepAllowed(TModifierKeys modifiers);

// Spin buttons and the pop-up take the page size with Shift alone.
bool PageStepWith(TModifierKeys modifiers);

class TEditTrackBarModel {
 public:
  TEditTrackBarModel() = default;

  // After every assignment through the position setter, also when the value
  // did not change. The control writes PositionText() into the edit unless
  // its change lock is raised (which it raises around ApplyText).
  std::function<void(TEditTrackBarModel& Sender)> OnPositionSet;

  double Position() const { return FPosition; }
  // Quantised to Precision, then limited to Max and then to Min.
  void SetPosition(double value);

  double Precision() const { return FPrecision; }
  // Ignores values that are not positive and finite; throws EUserError for
  // anything but 1 on a hexadecimal control, changing nothing.
  void SetPrecision(double value);

  bool Hex() const { return FHex; }
  void SetHex(bool value);

  double Min() const { return FMin; }
  void SetMin(double value);
  double Max() const { return FMax; }
  void SetMax(double value);

  double TrackBarMin() const { return FTrackBarMin; }
  void SetTrackBarMin(double value);
  double TrackBarMax() const { return FTrackBarMax; }
  void SetTrackBarMax(double value);

  double LineSize() const { return FLineSize; }
  void SetLineSize(double value) { FLineSize = value; }
  double PageSize() const { return FPageSize; }
  void SetPageSize(double value) { FPageSize = value; }
  bool Wrap() const { return FWrap; }
  void SetWrap(bool value) { FWrap = value; }

  TEditTrackBarVelStyle TrackBarStyle() const { return FTrackBarStyle; }
  // A logarithmic style moves a Min that is not above 0 up to Precision.
  void SetTrackBarStyle(TEditTrackBarVelStyle value);

  // The user's decimal separator, for the text in both directions.
  wchar_t DecimalSeparator() const { return FDecimalSeparator; }
  void SetDecimalSeparator(wchar_t value) { FDecimalSeparator = value; }

  // The character filter of the edit (0 to 5); 0 until Precision, Min or
  // Max was first assigned.
  int InputKind() const { return FInputKind; }

  // Hexadecimal upper case, or the general decimal form.
  std::wstring PositionText() const;
  // The number a text stands for; nullopt when it is none (never with Hex).
  std::optional<double> TextToNumber(std::wstring_view text) const;
  // The edit's text changed: take its number as Position when it is one and
  // differs. Returns whether Position was assigned.
  bool ApplyText(std::wstring_view text);

  // x rounded to about four significant digits of the range, which removes
  // the noise of floating-point steps.
  double TidyValue(double x) const;

  // Call BeginModify first (and fire OnModifyStart when it says so), then
  // these; afterwards put the caret at the end, fire OnClick and repaint.
  void StepByKey(TStepKey key);
  void StepBySpin(TSpinButton button, TModifierKeys modifiers);

  // The pop-up track bar over the current properties.
  TTrackBarScale PopupScale() const;
  // A thumb move to the given value: snapped to multiples of the step size
  // and tidied. Returns whether Position was assigned (fire OnClick and
  // repaint then).
  bool ApplyTrackValue(double value, TModifierKeys modifiers);

  // The pop-up opened with the pointer at this screen point. Until the
  // pointer leaves it the value holds: the first move the track bar reads
  // may be only the pointer following a pop-up pushed in from the edge of
  // the screen, and that pixel need not map back to the value exactly.
  void BeginTrackDrag(TPointI pointer) { FHoldAt = pointer; }
  // True while the pointer has not left the opening point: the track bar's
  // change is then none of the user's.
  bool TrackValueHeld(TPointI pointer);

  bool Modifying() const { return FModifying; }
  // True when this starts a run: fire OnModifyStart.
  bool BeginModify();
  // True when this ends a run: fire OnModifyEnd.
  bool EndModify();

 private:
  void Step(bool up, double size, double downBias);
  void UpdateInputKind();
  void PositionSet();

  bool FHex = false;
  bool FModifying = false;
  TEditTrackBarVelStyle FTrackBarStyle = etbvsNormal;
  double FPrecision = 1.0;
  double FPosition = 0;
  double FTrackBarMin = 0;
  double FTrackBarMax = 0;
  double FMin = 0;
  double FMax = 100;
  double FLineSize = 1.0;
  double FPageSize = 5.0;
  bool FWrap = false;
  std::optional<TPointI> FHoldAt;
  int FInputKind = 0;
  wchar_t FDecimalSeparator = L'.';
};
