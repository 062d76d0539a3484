#pragma once
// The action of a submenu item: no execute handler, yet enabled, so the
// submenu it stands for can open.
#include "framework/Action.h"
#include "framework/Menu.h"

class TActionSubMenu : public fw::TAction {
 public:
  TActionSubMenu(fw::TActionList& list, std::wstring name, WORD id);
  ~TActionSubMenu() override;

  fw::TMenuItem* LinkSubitems() const noexcept { return FLinkSubitems; }
  // The item is not owned; when it is freed the link is cleared.
  void SetLinkSubitems(fw::TMenuItem* item);

 private:
  fw::TMenuItem* FLinkSubitems = nullptr;
};
