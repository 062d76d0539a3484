#include "framework/Menu.h"

#include "core/support/Exception.h"

#include <algorithm>
#include <utility>

namespace fw {

std::unique_ptr<TMenuItem> TMenuItem::Submenu(std::wstring caption) {
  auto item = std::make_unique<TMenuItem>();
  item->FCaption = std::move(caption);
  item->FSubmenu = true;
  return item;
}

std::unique_ptr<TMenuItem> TMenuItem::ForAction(TAction& action) {
  auto item = std::make_unique<TMenuItem>();
  item->FAction = &action;
  return item;
}

std::unique_ptr<TMenuItem> TMenuItem::Separator() {
  auto item = std::make_unique<TMenuItem>();
  item->FSeparator = true;
  return item;
}

std::unique_ptr<TMenuItem> TMenuItem::Item(std::wstring caption) {
  auto item = std::make_unique<TMenuItem>();
  item->FCaption = std::move(caption);
  return item;
}

TMenuItem& TMenuItem::Add(std::unique_ptr<TMenuItem> item) {
  item->FParent = this;
  FItems.push_back(std::move(item));
  return *FItems.back();
}

TMenuItem::~TMenuItem() {
  if (OnFree) OnFree(this);
}

std::wstring TMenuItem::Caption() const { return FAction ? FAction->Caption() : FCaption; }

TMainMenu::TMainMenu(TActionList& actions) : FActions(actions) {
  FRoot.FSubmenu = true;
  FActions.AddListener(this, [this](TAction& a) { Refresh(a); });
}

TMainMenu::~TMainMenu() {
  // The listener captured this; the action list may outlive the menu.
  FActions.RemoveListener(this);
}

std::wstring TMainMenu::ItemText(const TMenuItem& item) {
  std::wstring text = item.Caption();
  if (!item.IsSubmenu() && item.Action() && !item.Action()->ShortCut().Empty())
    text += L"\t" + item.Action()->ShortCut().Text();
  return text;
}

HMENU TMainMenu::Build() {
  FHandle = ::CreateMenu();
  if (!FHandle) throw Exception(L"TMainMenu.Build: CreateMenu failed");
  FRoot.FHandle = FHandle;
  BuildItems(FRoot);
  return FHandle;
}

void TMainMenu::BuildItems(TMenuItem& parent) {
  UINT pos = 0;
  for (auto& item : parent.FItems) InsertNative(parent, pos++, *item);
}

void TMainMenu::InsertNative(TMenuItem& parent, UINT pos, TMenuItem& item) {
  MENUITEMINFOW mii{sizeof(mii)};
  if (item.FSeparator) {
    mii.fMask = MIIM_FTYPE;
    mii.fType = MFT_SEPARATOR;
  } else if (item.FSubmenu) {
    item.FHandle = ::CreatePopupMenu();
    if (!item.FHandle) throw Exception(L"TMainMenu.Build: CreatePopupMenu failed");
    BuildItems(item);
    mii.fMask = MIIM_STRING | MIIM_SUBMENU;
    mii.hSubMenu = item.FHandle;
  } else {
    if (!item.FAction && item.FId == 0) item.FId = AllocateId();
    mii.fMask = MIIM_STRING | MIIM_ID;
    mii.wID = item.Id();
  }
  std::wstring text = ItemText(item);
  mii.dwTypeData = text.data();
  if (!::InsertMenuItemW(parent.FHandle, pos, TRUE, &mii)) {
    // A submenu that did not make it into its parent is nobody's to destroy.
    if (item.FSubmenu) ::DestroyMenu(std::exchange(item.FHandle, nullptr));
    throw Exception(L"TMainMenu: InsertMenuItem failed");
  }
  if (!item.FSeparator) RefreshItem(parent.FHandle, pos, item);
}

WORD TMainMenu::AllocateId() {
  for (int tries = 0; tries <= kLastItemId - kFirstItemId; ++tries) {
    WORD id = FNextId;
    FNextId = id == kLastItemId ? kFirstItemId : static_cast<WORD>(id + 1);
    if (!FindById(id)) return id;
  }
  throw Exception(L"TMainMenu: no free command id");
}

TMenuItem& TMainMenu::InsertAfter(TMenuItem& anchor, std::unique_ptr<TMenuItem> item) {
  TMenuItem* parent = anchor.FParent;
  if (!parent) throw Exception(L"TMainMenu.InsertAfter: the anchor is in no submenu");
  auto& items = parent->FItems;
  auto at = std::find_if(items.begin(), items.end(), [&](const auto& p) { return p.get() == &anchor; });
  if (at == items.end()) throw Exception(L"TMainMenu.InsertAfter: the anchor is not its parent's");
  const auto pos = static_cast<UINT>(at - items.begin()) + 1;
  item->FParent = parent;
  TMenuItem& inserted = **items.insert(at + 1, std::move(item));
  if (parent->FHandle) {
    try {
      InsertNative(*parent, pos, inserted);
    } catch (...) {
      items.erase(items.begin() + pos);
      throw;
    }
  }
  return inserted;
}

void TMainMenu::Remove(TMenuItem& item) {
  TMenuItem* parent = item.FParent;
  if (!parent) return;
  auto& items = parent->FItems;
  auto at = std::find_if(items.begin(), items.end(), [&](const auto& p) { return p.get() == &item; });
  if (at == items.end()) return;
  // DeleteMenu also destroys a submenu's own menu.
  if (parent->FHandle) ::DeleteMenu(parent->FHandle, static_cast<UINT>(at - items.begin()), MF_BYPOSITION);
  items.erase(at);
}

TMenuItem* TMainMenu::FindById(WORD id) noexcept {
  struct TFind {
    WORD id;
    TMenuItem* operator()(TMenuItem& parent) {
      for (auto& item : parent.FItems) {
        if (item->FSubmenu) {
          if (TMenuItem* found = (*this)(*item)) return found;
        } else if (!item->FAction && !item->FSeparator && item->FId == id) {
          return item.get();
        }
      }
      return nullptr;
    }
  };
  return id == 0 ? nullptr : TFind{id}(FRoot);
}

bool TMainMenu::Click(WORD id) {
  TMenuItem* item = FindById(id);
  if (!item) return false;
  // A copy: the handler may remove its own item (a recent file moves to the top).
  TNotifyEvent handler = item->OnClick;
  if (handler) handler(item);
  return true;
}

void TMainMenu::RefreshItem(HMENU menu, UINT pos, const TMenuItem& item) {
  MENUITEMINFOW mii{sizeof(mii)};
  std::wstring text = ItemText(item);
  mii.fMask = MIIM_STRING | MIIM_STATE | MIIM_FTYPE;
  mii.dwTypeData = text.data();
  const TAction* a = item.Action();
  const bool radio = a ? !item.IsSubmenu() && a->GroupIndex() > 0 : item.FRadio;
  mii.fType = radio ? MFT_RADIOCHECK : MFT_STRING;
  mii.fState = 0;
  if (a && !a->Enabled()) mii.fState |= MFS_DISABLED;
  if (a ? !item.IsSubmenu() && a->Checked() : item.FChecked) mii.fState |= MFS_CHECKED;
  ::SetMenuItemInfoW(menu, pos, TRUE, &mii);
}

void TMainMenu::Refresh(TAction& action) {
  if (!FHandle) return;
  bool barChanged = false;
  // Walk the tree: the same action may appear in several places.
  struct TWalk {
    TMainMenu* self;
    TAction* action;
    bool* barChanged;
    void operator()(TMenuItem& parent) {
      UINT pos = 0;
      for (auto& item : parent.FItems) {
        if (item->FAction == action) {
          self->RefreshItem(parent.FHandle, pos, *item);
          if (&parent == &self->FRoot) *barChanged = true;
        }
        if (item->FSubmenu) (*this)(*item);
        ++pos;
      }
    }
  };
  TWalk{this, &action, &barChanged}(FRoot);
  if (barChanged) {
    // The bar is drawn by the window that carries it, active or not.
    struct TFindBar {
      HMENU Menu;
      static BOOL CALLBACK Each(HWND w, LPARAM param) {
        if (::GetMenu(w) == reinterpret_cast<TFindBar*>(param)->Menu) ::DrawMenuBar(w);
        return TRUE;
      }
    } find{FHandle};
    ::EnumThreadWindows(::GetCurrentThreadId(), &TFindBar::Each, reinterpret_cast<LPARAM>(&find));
  }
}

void TMainMenu::Popup(HMENU menu) {
  struct TFind {
    HMENU menu;
    TMenuItem* operator()(TMenuItem& parent) {
      for (auto& item : parent.FItems) {
        if (!item->FSubmenu) continue;
        if (item->FHandle == menu) return item.get();
        if (TMenuItem* found = (*this)(*item)) return found;
      }
      return nullptr;
    }
  };
  TMenuItem* sub = TFind{menu}(FRoot);
  if (!sub) return;
  if (sub->OnPopup) sub->OnPopup(sub);
  UINT pos = 0;
  for (auto& item : sub->FItems) {
    if (item->FAction && item->FAction->OnUpdate) item->FAction->OnUpdate(item->FAction);
    if (!item->FSeparator) RefreshItem(sub->FHandle, pos, *item);
    ++pos;
  }
}

}  // namespace fw
