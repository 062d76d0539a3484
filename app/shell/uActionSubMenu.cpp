#include "app/shell/uActionSubMenu.h"

TActionSubMenu::TActionSubMenu(fw::TActionList& list, std::wstring name, WORD id)
    : fw::TAction(list, std::move(name), id) {
  SetDisableIfNoHandler(false);
}

TActionSubMenu::~TActionSubMenu() { SetLinkSubitems(nullptr); }

void TActionSubMenu::SetLinkSubitems(fw::TMenuItem* item) {
  if (FLinkSubitems == item) return;
  if (FLinkSubitems) FLinkSubitems->OnFree = nullptr;
  FLinkSubitems = item;
  if (FLinkSubitems) FLinkSubitems->OnFree = [this](fw::TObject*) { FLinkSubitems = nullptr; };
}
