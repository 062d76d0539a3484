#pragma once
// The window's native menu bar, built from actions and kept in step with
// them (caption, shortcut text, check mark, enabled state).
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

  TMenuItem& Add(std::unique_ptr<TMenuItem> item);
  TMenuItem& AddAction(TAction& action) { return Add(ForAction(action)); }
  TMenuItem& AddSeparator() { return Add(Separator()); }

  std::wstring Caption() const;
  TAction* Action() const noexcept { return FAction; }
  // A submenu driven by an action takes caption and enabled state from it.
  void SetAction(TAction* action) noexcept { FAction = action; }
  bool IsSeparator() const noexcept { return FSeparator; }
  bool IsSubmenu() const noexcept { return FSubmenu; }
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const noexcept { return FItems; }
  HMENU SubmenuHandle() const noexcept { return FHandle; }

  // Runs each time the submenu opens, before it is shown.
  TNotifyEvent OnPopup;
  // Runs when the item is freed, so whoever refers to it can let go.
  TNotifyEvent OnFree;
  ~TMenuItem() override;

 private:
  friend class TMainMenu;
  std::wstring FCaption;
  TAction* FAction = nullptr;
  bool FSeparator = false;
  bool FSubmenu = false;
  HMENU FHandle = nullptr;  // owned by the menu bar that contains it
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

class TMainMenu : public TObject {
 public:
  explicit TMainMenu(TActionList& actions);
  ~TMainMenu() override;

  TMenuItem& Add(std::wstring caption) { return FRoot.Add(TMenuItem::Submenu(std::move(caption))); }
  const TMenuItem& Root() const noexcept { return FRoot; }

  // Builds the HMENU; the window it is given to (SetMenu) destroys it with itself.
  HMENU Build();
  HMENU Handle() const noexcept { return FHandle; }

  // WM_INITMENUPOPUP: runs the submenu's OnPopup and refreshes its items.
  void Popup(HMENU menu);

 private:
  void BuildItems(TMenuItem& parent);
  void Refresh(TAction& action);
  void RefreshItem(HMENU menu, UINT pos, const TMenuItem& item);
  static std::wstring ItemText(const TMenuItem& item);

  TActionList& FActions;
  TMenuItem FRoot;
  HMENU FHandle = nullptr;
};

}  // namespace fw
