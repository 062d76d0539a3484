#pragma once
// The window's native menu bar, built from actions and kept in step with
// them (caption, shortcut text, check mark, enabled state), plus plain items
// with their own click handler that can be inserted and removed at run time.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Handles.h"

namespace fw {

class TMenuItem : public TObject {
 public:
  // A submenu with its own caption (and, optionally, an action whose caption it shows).
  static std::unique_ptr<TMenuItem> Submenu(std::wstring caption);
  static std::unique_ptr<TMenuItem> ForAction(TAction& action);
  static std::unique_ptr<TMenuItem> Separator();
  // An item that is no action: it runs its own OnClick.
  static std::unique_ptr<TMenuItem> Item(std::wstring caption);

  TMenuItem& Add(std::unique_ptr<TMenuItem> item);
  TMenuItem& AddAction(TAction& action) { return Add(ForAction(action)); }
  TMenuItem& AddSeparator() { return Add(Separator()); }

  std::wstring Caption() const;
  // A plain item's or submenu's own caption; an open submenu shows it when
  // set from its OnPopup.
  void SetCaption(std::wstring caption) { FCaption = std::move(caption); }
  TAction* Action() const noexcept { return FAction; }
  // A plain item shown as one choice of a radio group, marked when chosen;
  // the mark shows from the next time its menu opens.
  void SetRadioChecked(bool checked) noexcept {
    FRadio = true;
    FChecked = checked;
  }
  bool RadioChecked() const noexcept { return FChecked; }
  // A submenu driven by an action takes caption and enabled state from it.
  void SetAction(TAction* action) noexcept { FAction = action; }
  bool IsSeparator() const noexcept { return FSeparator; }
  bool IsSubmenu() const noexcept { return FSubmenu; }
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const noexcept { return FItems; }
  TMenuItem* Parent() const noexcept { return FParent; }
  HMENU SubmenuHandle() const noexcept { return FHandle; }
  // The command id: the action's, or one of the menu's own range once the
  // item is in a built menu; 0 for separators and submenus.
  WORD Id() const noexcept { return FAction && !FSubmenu ? FAction->Id() : FId; }

  // Runs each time the submenu opens, before it is shown.
  TNotifyEvent OnPopup;
  // A plain item was chosen.
  TNotifyEvent OnClick;
  // Runs when the item is freed, so whoever refers to it can let go.
  TNotifyEvent OnFree;
  ~TMenuItem() override;

 private:
  friend class TMainMenu;
  std::wstring FCaption;
  TAction* FAction = nullptr;
  bool FSeparator = false;
  bool FSubmenu = false;
  bool FRadio = false;
  bool FChecked = false;
  WORD FId = 0;
  HMENU FHandle = nullptr;  // owned by the menu bar that contains it
  TMenuItem* FParent = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

class TMainMenu : public TObject {
 public:
  // Plain items take their ids from here on, clear of the actions' ids.
  static constexpr WORD kFirstItemId = 0x4000;
  static constexpr WORD kLastItemId = 0x7FFF;

  explicit TMainMenu(TActionList& actions);
  ~TMainMenu() override;

  TMenuItem& Add(std::wstring caption) { return FRoot.Add(TMenuItem::Submenu(std::move(caption))); }
  const TMenuItem& Root() const noexcept { return FRoot; }

  // Builds the HMENU; the window it is given to (SetMenu) destroys it with itself.
  HMENU Build();
  HMENU Handle() const noexcept { return FHandle; }

  // Puts item right after anchor in anchor's submenu, also into the built menu.
  TMenuItem& InsertAfter(TMenuItem& anchor, std::unique_ptr<TMenuItem> item);
  // Takes the item (and what it holds) out of its submenu and deletes it.
  void Remove(TMenuItem& item);

  // WM_INITMENUPOPUP: runs the submenu's OnPopup and refreshes its items.
  void Popup(HMENU menu);
  // WM_COMMAND of a plain item: runs its OnClick; false for other ids.
  bool Click(WORD id);
  TMenuItem* FindById(WORD id) noexcept;

 private:
  void BuildItems(TMenuItem& parent);
  void InsertNative(TMenuItem& parent, UINT pos, TMenuItem& item);
  WORD AllocateId();
  void Refresh(TAction& action);
  void RefreshItem(HMENU menu, UINT pos, const TMenuItem& item);
  static std::wstring ItemText(const TMenuItem& item);

  TActionList& FActions;
  TMenuItem FRoot;
  HMENU FHandle = nullptr;
  WORD FNextId = kFirstItemId;
};

}  // namespace fw
