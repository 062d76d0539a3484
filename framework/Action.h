#pragma once
// Commands with caption, hint, shortcut, image, check mark and enabled
// state; menus and button bars show them and follow their changes.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Window.h"

namespace fw {

struct TShortCut {
  WORD Key = 0;
  bool Ctrl = false, Shift = false, Alt = false;

  bool Empty() const noexcept { return Key == 0; }
  // "Ctrl+Shift+S", as menus show it after a tab.
  std::wstring Text() const;
  bool operator==(const TShortCut&) const = default;
};

class TActionList;

class TAction : public TObject {
 public:
  TAction(TActionList& list, std::wstring name, WORD id);

  const std::wstring& Name() const noexcept { return FName; }
  WORD Id() const noexcept { return FId; }

  const std::wstring& Caption() const noexcept { return FCaption; }
  void SetCaption(std::wstring caption);
  const std::wstring& Hint() const noexcept { return FHint; }
  void SetHint(std::wstring hint);
  const std::wstring& Category() const noexcept { return FCategory; }
  void SetCategory(std::wstring category) { FCategory = std::move(category); }
  TShortCut ShortCut() const noexcept { return FShortCut; }
  void SetShortCut(TShortCut shortCut);
  // More keys for the command; menus show only the first.
  const std::vector<TShortCut>& SecondaryShortCuts() const noexcept { return FSecondaryShortCuts; }
  void AddSecondaryShortCut(TShortCut shortCut) { FSecondaryShortCuts.push_back(shortCut); }
  int ImageIndex() const noexcept { return FImageIndex; }
  void SetImageIndex(int index);
  bool Checked() const noexcept { return FChecked; }
  // Checking an action of a radio group (GroupIndex above 0) clears the others of the group.
  void SetChecked(bool checked);
  int GroupIndex() const noexcept { return FGroupIndex; }
  void SetGroupIndex(int index) { FGroupIndex = index; }
  // An action without an execute handler shows disabled unless this switch is off.
  bool Enabled() const noexcept { return FEnabled && (OnExecute || !FDisableIfNoHandler); }
  bool DisableIfNoHandler() const noexcept { return FDisableIfNoHandler; }
  void SetDisableIfNoHandler(bool disable);
  void SetEnabled(bool enabled);

  // Runs OnExecute when enabled; true when something ran.
  bool Execute();

  TNotifyEvent OnExecute;
  // Called before a menu opens or a bar refreshes, so the action can update itself.
  TNotifyEvent OnUpdate;

 private:
  void Changed();

  TActionList& FList;
  std::wstring FName;
  WORD FId;
  std::wstring FCaption, FHint, FCategory;
  TShortCut FShortCut;
  std::vector<TShortCut> FSecondaryShortCuts;
  int FImageIndex = -1;
  bool FChecked = false;
  int FGroupIndex = 0;
  bool FEnabled = true;
  bool FDisableIfNoHandler = true;
};

class TActionList : public TObject {
 public:
  // Command ids start here, clear of the ids the system and controls use.
  static constexpr WORD kFirstId = 0x100;

  TAction& Add(std::wstring name) { return Add<TAction>(std::move(name)); }
  // An action of a derived kind, constructed like TAction.
  template <typename T>
  T& Add(std::wstring name) {
    auto action = std::make_unique<T>(*this, std::move(name), NextId());
    T& added = *action;
    FActions.push_back(std::move(action));
    return added;
  }
  const std::vector<std::unique_ptr<TAction>>& Actions() const noexcept { return FActions; }
  TAction* FindById(WORD id) const noexcept;
  TAction* FindByName(const std::wstring& name) const noexcept;

  // Accelerator table for every action with a shortcut; the caller owns it.
  HACCEL CreateAccelerators() const;

  // Menus and bars are told of every change of any action; the owner key removes them.
  void AddListener(const void* owner, std::function<void(TAction&)> listener);
  void RemoveListener(const void* owner);

 private:
  friend class TAction;
  void NotifyChanged(TAction& action);
  WORD NextId() const noexcept { return static_cast<WORD>(kFirstId + FActions.size()); }
  std::vector<std::unique_ptr<TAction>> FActions;
  std::vector<std::pair<const void*, std::function<void(TAction&)>>> FListeners;
};

}  // namespace fw
