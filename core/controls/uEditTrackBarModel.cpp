#include "core/controls/uEditTrackBarModel.h"

#include <cmath>
#include <cstdint>

#include "core/support/uArith.h"
#include "core/support/uFloatText.h"
#include "core/support/uHexToInt.h"
#include "core/support/uUserError.h"

std::optional<TStepKey> StepKeyOf(unsigned virtualKey) {
  switch (virtualKey) {
    case 0x21:
      return skPageUp;  // VK_PRIOR
    case 0x22:
      return skPageDown;  // VK_NEXT
    case 0x26:
      return skUp;  // VK_UP
    case 0x28:
      return skDown;  // VK_DOWN
    default:
      return std::nullopt;
  }
}

bool KeyStepAllowed(TModifierKeys modifiers) { return !modifiers.Shift && !modifiers.Alt; }

bool PageStepWith(TModifierKeys modifiers) { return modifiers.Shift && !modifiers.Ctrl && !modifiers.Alt; }

namespace {

// k times precision. Where precision is the inverse of a whole number, as
// 0.1 is, dividing by that number gives the double nearest the decimal:
// 3 x 0.1 is 0.30000000000000004, 3 / 10 is 0.3, which is also what "0.3"
// typed into the edit reads as.
double MultipleOf(double k, double precision) {
  const double inverse = 1 / precision;
  const double whole = std::round(inverse);
  if (whole > 1 && std::fabs(inverse - whole) <= 1e-9 * whole) return k / whole;
  return k * precision;
}

}  // namespace

void TEditTrackBarModel::PositionSet() {
  if (OnPositionSet) OnPositionSet(*this);
}

void TEditTrackBarModel::SetPosition(double value) {
  // RoundHalfAway saturates, so a huge typed number lands on a bound.
  double p = MultipleOf(RoundHalfAway(value / FPrecision), FPrecision);
  if (p > FMax) p = FMax;
  if (p < FMin) p = FMin;
  FPosition = p;
  PositionSet();
}

void TEditTrackBarModel::SetPrecision(double value) {
  // An infinite precision would turn every position into NaN.
  if (!(value > 0) || !std::isfinite(value)) return;
  if (FHex && value != 1) throw EUserError(L"TCustomEditTrackBarVel.SetPrecision: (Value <> 1) and (Hex)");
  FPrecision = value;
  SetPosition(MultipleOf(RoundHalfAway(FPosition / FPrecision), FPrecision));
  UpdateInputKind();
}

void TEditTrackBarModel::SetHex(bool value) {
  if (value == FHex) return;
  FHex = value;
  SetPrecision(1);
}

void TEditTrackBarModel::SetMin(double value) {
  FMin = value;
  if (FMin > FMax) SetMax(value);
  SetPosition(FPosition);
  UpdateInputKind();
}

void TEditTrackBarModel::SetMax(double value) {
  FMax = value;
  if (FMax < FMin) SetMin(value);
  SetPosition(FPosition);
  UpdateInputKind();
}

void TEditTrackBarModel::SetTrackBarMin(double value) {
  FTrackBarMin = value;
  if (FTrackBarMin > FTrackBarMax) FTrackBarMax = value;
}

void TEditTrackBarModel::SetTrackBarMax(double value) {
  FTrackBarMax = value;
  if (FTrackBarMax < FTrackBarMin) FTrackBarMin = value;
}

void TEditTrackBarModel::SetTrackBarStyle(TEditTrackBarVelStyle value) {
  FTrackBarStyle = value;
  if (value != etbvsNormal && !(FMin > 0)) SetMin(FPrecision);
}

void TEditTrackBarModel::UpdateInputKind() {
  if (FHex)
    FInputKind = 5;
  else if (FPrecision != std::trunc(FPrecision))
    FInputKind = FMin >= 0 ? 4 : 3;
  else
    FInputKind = FMin >= 0 ? 2 : 1;
}

std::wstring TEditTrackBarModel::PositionText() const {
  if (!FHex) return FloatToStr(FPosition, FDecimalSeparator);
  // A negative value shows as its 32-bit two's complement.
  auto value = static_cast<std::uint32_t>(RoundHalfAway(FPosition));
  std::wstring digits;
  do {
    digits.insert(digits.begin(), L"0123456789ABCDEF"[value & 15u]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

std::optional<double> TEditTrackBarModel::TextToNumber(std::wstring_view text) const {
  if (FHex) return HexToInt(text);
  return TryStrToFloat(text, FDecimalSeparator);
}

bool TEditTrackBarModel::ApplyText(std::wstring_view text) {
  const std::optional<double> number = TextToNumber(text);
  if (!number || *number == FPosition) return false;
  SetPosition(*number);
  return true;
}

double TEditTrackBarModel::TidyValue(double x) const {
  const double m = std::fmax(std::fabs(FMax), std::fabs(FMin));
  if (m == 0) return 0;
  if (!std::isfinite(m)) return x;
  const int e = static_cast<int>(std::floor(std::log10(m) - 3));
  // Divided by the exact 10^-e where e is negative: 0.1 has no exact double.
  const double scaled = e >= 0 ? x / std::pow(10.0, e) : x * std::pow(10.0, -e);
  if (!(std::fabs(scaled) < 2147483647.0)) return x;
  const double k = RoundHalfAway(scaled);
  return e >= 0 ? k * std::pow(10.0, e) : k / std::pow(10.0, -e);
}

void TEditTrackBarModel::Step(bool up, double size, double downBias) {
  // The raw step goes to the field and the bounds are checked on it, before
  // the setter quantises: so with Wrap a step past Max goes to Min even when
  // Max itself is no multiple of the step. A step size that is not positive
  // would give NaN: it leaves the value where it is.
  if (size > 0 && std::isfinite(size)) {
    if (up)
      FPosition = size * std::floor((FPosition + FPrecision / 100) / size) + size;
    else
      FPosition = size * std::floor((FPosition - downBias) / size);
  }
  if (FWrap) {
    if (FPosition > FMax) FPosition = FMin;
    if (FPosition < FMin) FPosition = FMax;
  } else {
    if (FPosition > FMax) FPosition = FMax;
    if (FPosition < FMin) FPosition = FMin;
  }
  SetPosition(TidyValue(FPosition));
}

void TEditTrackBarModel::StepByKey(TStepKey key) {
  const bool page = key == skPageUp || key == skPageDown;
  const bool up = key == skUp || key == skPageUp;
  Step(up, page ? FPageSize : FLineSize, FPrecision);
}

void TEditTrackBarModel::StepBySpin(TSpinButton button, TModifierKeys modifiers) {
  // The buttons go down from a hundredth of Precision below the value, the
  // keys from a whole Precision below.
  Step(button == sbUp, PageStepWith(modifiers) ? FPageSize : FLineSize, FPrecision / 100);
}

TTrackBarScale TEditTrackBarModel::PopupScale() const {
  return TTrackBarScale(FTrackBarStyle, TrackRange(FMin, FMax, FTrackBarMin, FTrackBarMax), FLineSize);
}

bool TEditTrackBarModel::ApplyTrackValue(double value, TModifierKeys modifiers) {
  const double size = PageStepWith(modifiers) ? FPageSize : FLineSize;
  double v = value;
  if (size > 0 && std::isfinite(size)) v = size * RoundHalfAway(v / size);
  v = TidyValue(v);
  if (v == FPosition) return false;
  SetPosition(v);
  return true;
}

bool TEditTrackBarModel::TrackValueHeld(TPointI pointer) {
  if (FHoldAt && *FHoldAt == pointer) return true;
  // Once moved, every position is the user's, back at the opening point too.
  FHoldAt.reset();
  return false;
}

bool TEditTrackBarModel::BeginModify() {
  if (FModifying) return false;
  FModifying = true;
  return true;
}

bool TEditTrackBarModel::EndModify() {
  if (!FModifying) return false;
  FModifying = false;
  return true;
}
