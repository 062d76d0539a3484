#include "app/uChannelPanel.h"

#include "app/uUiText.h"
#include "app/resources/StringIds.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "app/ControlIds.h"
#include "framework/Beep.h"
#include "framework/Handles.h"
#include "framework/support/uDraw3DFrame.h"
#include "core/support/uUserError.h"

namespace {

// Counts one level of updating for a scope, also when an exception passes.
class TUpdatingLevel {
 public:
  explicit TUpdatingLevel(std::int32_t& counter) noexcept : FCounter(counter) { ++FCounter; }
  ~TUpdatingLevel() { --FCounter; }
  TUpdatingLevel(const TUpdatingLevel&) = delete;
  TUpdatingLevel& operator=(const TUpdatingLevel&) = delete;

 private:
  std::int32_t& FCounter;
};

// A whole decimal number with an optional sign, nothing else; none when it
// does not fit 32 bits.
std::optional<int> ParseWholeNumber(std::wstring_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + (text[i] - L'0');
    if (value > static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

TEditTrackBarVel& TChannelPanel::FactorEditor(int index) {
  TEditTrackBarVel* editors[ColorFactorCount] = {&edtRed,    &edtGrn,    &edtBlu,    &edtHue, &edtSat, &edtBri,
                                                 &edtHSLHue, &edtHSLSat, &edtHSLBri, &edtY,   &edtCb,  &edtCr};
  if (index < 0 || index >= ColorFactorCount) throw EUserError(L"TfrmTintra.FactorEditor:Illegal iIndex");
  return *editors[index];
}

void TChannelPanel::Create(fw::TWindow& parent) {
  // The spoken name is its own text: the labels are short ("H:") and the
  // two hue and saturation rows need their model named.
  struct TPlace {
    UINT Label, Spoken;
    int Left, Top;
  };
  static constexpr TPlace kPlaces[ColorFactorCount] = {
      {IDS_LABEL_RED, IDS_A11Y_FACTOR_RED, 40, 92},
      {IDS_LABEL_GREEN, IDS_A11Y_FACTOR_GREEN, 40, 116},
      {IDS_LABEL_BLUE, IDS_A11Y_FACTOR_BLUE, 40, 140},
      {IDS_LABEL_HUE, IDS_A11Y_FACTOR_HUE, 40, 172},
      {IDS_LABEL_SATURATION, IDS_A11Y_FACTOR_SATURATION, 40, 196},
      {IDS_LABEL_VALUE, IDS_A11Y_FACTOR_VALUE, 40, 220},
      {IDS_LABEL_HSL_HUE, IDS_A11Y_FACTOR_HSL_HUE, 144, 172},
      {IDS_LABEL_HSL_SATURATION, IDS_A11Y_FACTOR_HSL_SATURATION, 144, 196},
      {IDS_LABEL_LIGHTNESS, IDS_A11Y_FACTOR_LIGHTNESS, 144, 220},
      {IDS_LABEL_Y, IDS_A11Y_FACTOR_Y, 143, 92},
      {IDS_LABEL_CB, IDS_A11Y_FACTOR_CB, 143, 116},
      {IDS_LABEL_CR, IDS_A11Y_FACTOR_CR, 143, 140},
  };
  constexpr int kLabelWidth = 38;

  lblColor.SetControlId(ControlIds::lblColor);
  lblColor.SetBounds(40 - kLabelWidth - 2, 42, kLabelWidth, 14);
  lblColor.Create(&parent, UiText(IDS_LABEL_COLOR), fw::TAlignment::taRightJustify);
  // Right after its label, so that the label names it and it comes first in
  // the tab order; beside the eyedropper, where the designed controls leave room.
  edtColorText.SetControlId(ControlIds::edtColorText);
  edtColorText.SetBounds(35, 6, 60, 21);
  edtColorText.SetMaxLength(200);
  edtColorText.AccessibleName = UiText(IDS_COLOR_TEXT_NAME);
  edtColorText.Create(&parent);
  pboxColor.SetControlId(ControlIds::pboxColor);
  pboxColor.SetBounds(40, 42, 41, 42);
  pboxColor.OnPaint = [this](fw::TObject* s, HDC dc) { pboxColorPaint(s, dc); };
  SwatchAccessible.NameOf = [this] { return SwatchName ? SwatchName(FFactors.Color) : std::wstring(); };
  pboxColor.SetAccessibleSource(&SwatchAccessible);
  pboxColor.Create(&parent);

  // Created in factor order, which is also the tab order.
  for (int i = 0; i < ColorFactorCount; ++i) {
    const TPlace& place = kPlaces[i];
    fw::TLabel& label = lblFactors[static_cast<std::size_t>(i)];
    label.SetControlId(ControlIds::FactorLabel(i));
    label.SetBounds(place.Left - kLabelWidth - 2, place.Top + 4, kLabelWidth, 14);
    label.Create(&parent, UiText(place.Label), fw::TAlignment::taRightJustify);

    TEditTrackBarVel& e = FactorEditor(i);
    e.SetControlId(ControlIds::FactorEditor(i));
    e.SetBounds(place.Left, place.Top, 60, 21);
    e.SetTag(i);
    e.SetTabOrder(i);
    e.SetAutoSelect(false);
    e.SetMaxLength(3);
    e.SetTrackBarStyle(etbvsNormal);
    e.SetPrecision(1.0);
    e.SetLineSize(1.0);
    e.SetPageSize(5.0);
    e.SetWrap(false);
    e.SetHex(false);
    e.SetButtons({etbvbUpDown, etbvbTrackBar});
    e.SetMax(FactorMax(i));
    e.Accessible.Label = UiText(place.Spoken);
    e.Accessible.Range = UiText(IDS_A11Y_RANGE, {{L"{min}", L"0"}, {L"{max}", std::to_wstring(FactorMax(i))}});
    // The events last, so that setting the properties reports nothing.
    e.OnChange = [this](fw::TObject* s) { edtFactorChange(s); };
    e.OnEnter = [this](fw::TObject* s) { edtEnter(s); };
    e.OnKeyPress = [this](fw::TObject* s, wchar_t& key) { edtRedKeyPress(s, key); };
    e.Create(&parent);
  }
}

void TChannelPanel::SetColor(TColor color) {
  TUpdatingLevel level(FUpdating);
  // Every mouse move of the eyedropper lands here; most bring the same colour.
  if (color == FFactors.Color) return;
  FFactors.Color = color;
  FFactors.Red = static_cast<std::int32_t>(color & 255);
  FFactors.Grn = static_cast<std::int32_t>((color >> 8) & 255);
  FFactors.Blu = static_cast<std::int32_t>((color >> 16) & 255);
  UpdateFromRGB();
}

void TChannelPanel::RunUpdatePath(void (*derive)(TColorFactors&)) {
  TUpdatingLevel level(FUpdating);
  derive(FFactors);
  ShowFactors();
  PaintSwatchNow();
  // A screen reader announces each new colour, a pick included.
  pboxColor.NotifyAccessible(EVENT_OBJECT_NAMECHANGE);
  edtColorText.SetColor(FFactors.Color);
  if (OnColorChange) OnColorChange(FFactors.Color);
}

void TChannelPanel::UpdateFromRGB() { RunUpdatePath(DeriveFromRGB); }
void TChannelPanel::UpdateFromHSV() { RunUpdatePath(DeriveFromHSV); }
void TChannelPanel::UpdateFromHSL() { RunUpdatePath(DeriveFromHSL); }
void TChannelPanel::UpdateFromYCbCr() { RunUpdatePath(DeriveFromYCbCr); }

void TChannelPanel::ShowFactors() {
  TUpdatingLevel level(FUpdating);
  for (int i = 0; i < ColorFactorCount; ++i) SetEditValue(FactorEditor(i), FactorToShown(i, Factor(FFactors, i)));
}

void TChannelPanel::SetEditValue(TEditTrackBarVel& editor, int value) {
  // An editor that already holds the value keeps its text, also a typed
  // text beyond the range that it took as the clamped value.
  if (static_cast<double>(value) != editor.Position()) editor.SetPosition(value);
}

void TChannelPanel::edtFactorChange(fw::TObject* sender) {
  if (FUpdating != 0) return;
  TUpdatingLevel level(FUpdating);
  auto* editor = dynamic_cast<TEditTrackBarVel*>(sender);
  const int index = editor ? editor->Tag() : -1;
  if (index < 0 || index >= ColorFactorCount) throw EUserError(L"TfrmTintra.edtFactorChange:Illegal iIndex");
  const int shown = FactorToShown(index, Factor(FFactors, index));
  const int typed = std::clamp(ParseWholeNumber(editor->Text()).value_or(shown), 0, FactorMax(index));
  if (typed == shown) return;
  Factor(FFactors, index) = ShownToFactor(index, typed);
  switch (index / 3) {
    case 0:
      UpdateFromRGB();
      break;
    case 1:
      UpdateFromHSV();
      break;
    case 2:
      UpdateFromHSL();
      break;
    default:
      UpdateFromYCbCr();
      break;
  }
}

void TChannelPanel::edtRedKeyPress(fw::TObject*, wchar_t& key) {
  // Control keys (backspace, the clipboard shortcuts) and digits only.
  if (key < 32 || (key >= L'0' && key <= L'9')) return;
  key = 0;
  fw::MessageBeep(0);
}

void TChannelPanel::edtEnter(fw::TObject* sender) {
  // Posted: the click or the focus change that entered the editor places
  // the caret after this handler runs.
  if (auto* editor = dynamic_cast<fw::TWindow*>(sender); editor && editor->HandleAllocated())
    ::PostMessageW(editor->Handle(), EM_SETSEL, 0, -1);
}

void TChannelPanel::pboxColorPaint(fw::TObject* sender, HDC dc) {
  auto* box = dynamic_cast<fw::TWindow*>(sender);
  if (!box) return;
  const RECT r{0, 0, box->ClientWidth(), box->ClientHeight()};
  Draw3DFrame(dc, r, false, static_cast<COLORREF>(ShownColor() & 0xFFFFFFu));
}

TColor TChannelPanel::ShownColor() const { return DisplayColor ? DisplayColor(FFactors.Color) : FFactors.Color; }

void TChannelPanel::RepaintSwatch() { PaintSwatchNow(); }

void TChannelPanel::PaintSwatchNow() {
  if (!pboxColor.HandleAllocated()) return;
  fw::TWindowDC dc(pboxColor.Handle());
  if (!dc) return;
  // Only the colour inside the frame changes: one fill with the DC's own
  // brush, where the whole paint made and deleted five GDI objects.
  const RECT inside{2, 2, pboxColor.ClientWidth() - 2, pboxColor.ClientHeight() - 2};
  if (inside.right <= inside.left || inside.bottom <= inside.top) return;
  const HGDIOBJ old = ::SelectObject(dc.Get(), ::GetStockObject(DC_BRUSH));
  ::SetDCBrushColor(dc.Get(), static_cast<COLORREF>(ShownColor() & 0xFFFFFFu));
  ::PatBlt(dc.Get(), inside.left, inside.top, inside.right - inside.left, inside.bottom - inside.top, PATCOPY);
  ::SelectObject(dc.Get(), old);
}
