#include "framework/Action.h"

namespace fw {

namespace {

std::wstring KeyName(WORD key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, static_cast<wchar_t>(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  switch (key) {
    case VK_INSERT:
      return L"Ins";
    case VK_DELETE:
      return L"Del";
    case VK_BACK:
      return L"BkSp";
    case VK_RETURN:
      return L"Enter";
    case VK_ESCAPE:
      return L"Esc";
    case VK_SPACE:
      return L"Space";
    case VK_PRIOR:
      return L"PgUp";
    case VK_NEXT:
      return L"PgDn";
    case VK_HOME:
      return L"Home";
    case VK_END:
      return L"End";
    case VK_LEFT:
      return L"Left";
    case VK_RIGHT:
      return L"Right";
    case VK_UP:
      return L"Up";
    case VK_DOWN:
      return L"Down";
    case VK_TAB:
      return L"Tab";
    default:
      return L"#" + std::to_wstring(key);
  }
}

}  // namespace

std::wstring TShortCut::Text() const {
  if (Empty()) return L"";
  std::wstring s;
  if (Ctrl) s += L"Ctrl+";
  if (Shift) s += L"Shift+";
  if (Alt) s += L"Alt+";
  return s + KeyName(Key);
}

TAction::TAction(TActionList& list, std::wstring name, WORD id) : FList(list), FName(std::move(name)), FId(id) {}

void TAction::Changed() { FList.NotifyChanged(*this); }

void TAction::SetCaption(std::wstring caption) {
  if (FCaption == caption) return;
  FCaption = std::move(caption);
  Changed();
}

void TAction::SetHint(std::wstring hint) {
  if (FHint == hint) return;
  FHint = std::move(hint);
  Changed();
}

void TAction::SetShortCut(TShortCut shortCut) {
  if (FShortCut == shortCut) return;
  FShortCut = shortCut;
  Changed();
}

void TAction::SetImageIndex(int index) {
  if (FImageIndex == index) return;
  FImageIndex = index;
  Changed();
}

void TAction::SetChecked(bool checked) {
  if (FChecked == checked) return;
  FChecked = checked;
  if (checked && FGroupIndex > 0) {
    for (auto& other : FList.Actions()) {
      if (other.get() != this && other->FGroupIndex == FGroupIndex && other->FChecked) {
        other->FChecked = false;
        other->Changed();
      }
    }
  }
  Changed();
}

void TAction::SetEnabled(bool enabled) {
  if (FEnabled == enabled) return;
  FEnabled = enabled;
  Changed();
}

void TAction::SetDisableIfNoHandler(bool disable) {
  if (FDisableIfNoHandler == disable) return;
  FDisableIfNoHandler = disable;
  Changed();
}

bool TAction::Execute() {
  if (OnUpdate) OnUpdate(this);
  if (!FEnabled || !OnExecute) return false;
  OnExecute(this);
  return true;
}

TAction* TActionList::FindById(WORD id) const noexcept {
  if (id < kFirstId || id >= kFirstId + FActions.size()) return nullptr;
  return FActions[id - kFirstId].get();
}

TAction* TActionList::FindByName(const std::wstring& name) const noexcept {
  for (auto& a : FActions)
    if (a->Name() == name) return a.get();
  return nullptr;
}

HACCEL TActionList::CreateAccelerators() const {
  std::vector<ACCEL> table;
  auto add = [&table](const TShortCut& sc, WORD id) {
    if (sc.Empty()) return;
    BYTE flags = FVIRTKEY;
    if (sc.Ctrl) flags |= FCONTROL;
    if (sc.Shift) flags |= FSHIFT;
    if (sc.Alt) flags |= FALT;
    table.push_back(ACCEL{flags, sc.Key, id});
  };
  for (auto& a : FActions) {
    add(a->ShortCut(), a->Id());
    for (const TShortCut& sc : a->SecondaryShortCuts()) add(sc, a->Id());
  }
  if (table.empty()) return nullptr;
  return ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

void TActionList::AddListener(const void* owner, std::function<void(TAction&)> listener) {
  FListeners.emplace_back(owner, std::move(listener));
}

void TActionList::RemoveListener(const void* owner) {
  std::erase_if(FListeners, [owner](const auto& l) { return l.first == owner; });
}

void TActionList::NotifyChanged(TAction& action) {
  for (auto& l : FListeners) l.second(action);
}

}  // namespace fw
