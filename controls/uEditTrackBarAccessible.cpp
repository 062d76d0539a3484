#include "controls/uEditTrackBarAccessible.h"

#include "controls/uEditTrackBarVel.h"

namespace {

TEditTrackBarTexts& Texts() {
  static TEditTrackBarTexts texts;
  return texts;
}

}  // namespace

void SetEditTrackBarTexts(TEditTrackBarTexts texts) { Texts() = std::move(texts); }

int TEditTrackBarAccessible::PartOf(long child) const noexcept {
  if (child <= 0) return 0;
  const bool spins = FEdit.Buttons().Contains(etbvbUpDown), popup = FEdit.Buttons().Contains(etbvbTrackBar);
  if (spins && child <= 2) return static_cast<int>(child);
  if (popup && child == (spins ? 3 : 1)) return 3;
  return -1;
}

long TEditTrackBarAccessible::ChildCount() const {
  return (FEdit.Buttons().Contains(etbvbUpDown) ? 2 : 0) + (FEdit.Buttons().Contains(etbvbTrackBar) ? 1 : 0);
}

long TEditTrackBarAccessible::Role(long child) const {
  return PartOf(child) == 0 ? ROLE_SYSTEM_TEXT : ROLE_SYSTEM_PUSHBUTTON;
}

std::wstring TEditTrackBarAccessible::Name(long child) const {
  switch (PartOf(child)) {
    case 0: return Label;
    case 1: return Texts().Up;
    case 2: return Texts().Down;
    case 3: return Texts().Popup;
    default: return {};
  }
}

std::wstring TEditTrackBarAccessible::Value(long child) const { return PartOf(child) == 0 ? FEdit.Text() : L""; }

std::wstring TEditTrackBarAccessible::Description(long child) const { return PartOf(child) == 0 ? Range : L""; }

std::wstring TEditTrackBarAccessible::DefaultAction(long child) const {
  return PartOf(child) > 0 ? Texts().Press : std::wstring();
}

bool TEditTrackBarAccessible::DoDefaultAction(long child) {
  const int part = PartOf(child);
  if (part <= 0) return false;
  FEdit.PressPart(part);
  return true;
}

bool TEditTrackBarAccessible::Location(long child, RECT& screen) const {
  const int part = PartOf(child);
  if (part <= 0) return false;
  const TRectI& b = (part == 1 ? FEdit.UpButton() : part == 2 ? FEdit.DownButton() : FEdit.Button()).BoundsRect();
  screen = RECT{b.Left, b.Top, b.Right, b.Bottom};
  ::MapWindowPoints(FEdit.Handle(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
  return true;
}

long TEditTrackBarAccessible::ChildAt(POINT screen) const {
  for (long child = 1; child <= ChildCount(); ++child) {
    RECT r{};
    if (Location(child, r) && ::PtInRect(&r, screen)) return child;
  }
  return CHILDID_SELF;
}
