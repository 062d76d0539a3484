// Menu items built at run time: inserted and removed after a given item,
// with their own command ids and click handlers, beside action-bound items.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Action.h"
#include "framework/Form.h"
#include "framework/Menu.h"

namespace {

std::vector<std::wstring> Texts(HMENU menu) {
  std::vector<std::wstring> out;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t buf[256] = {};
    MENUITEMINFOW mii{sizeof(mii)};
    mii.fMask = MIIM_STRING | MIIM_FTYPE;
    mii.dwTypeData = buf;
    mii.cch = 255;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii);
    out.push_back((mii.fType & MFT_SEPARATOR) ? L"-" : buf);
  }
  return out;
}

class RuntimeMenu : public testing::Test {
 protected:
  void SetUp() override {
    open.SetCaption(L"開く(&O)...");
    exit.SetCaption(L"終了(&X)");
    open.OnExecute = [this](fw::TObject*) { log += L"open;"; };
    file = &menu.Add(L"ファイル(&F)");
    file->AddAction(open);
    anchor = &file->AddSeparator();
    file->AddSeparator();
    file->AddAction(exit);
    form.SetMainMenu(&menu);
    form.SetActionList(&actions);
    form.Create();
    fileMenu = ::GetSubMenu(::GetMenu(form.Handle()), 0);
  }
  fw::TMenuItem& Plain(const std::wstring& caption) {
    auto item = fw::TMenuItem::Item(caption);
    item->OnClick = [this, caption](fw::TObject*) { log += caption + L";"; };
    return menu.InsertAfter(*anchor, std::move(item));
  }
  void Command(WORD id) { ::SendMessageW(form.Handle(), WM_COMMAND, id, 0); }

  fw::TActionList actions;
  fw::TAction& open = actions.Add(L"actOpen");
  fw::TAction& exit = actions.Add(L"actExit");
  fw::TMainMenu menu{actions};
  fw::TForm form;
  fw::TMenuItem* file = nullptr;
  fw::TMenuItem* anchor = nullptr;
  HMENU fileMenu = nullptr;
  std::wstring log;
};

TEST_F(RuntimeMenu, ItemsGoRightAfterTheAnchorAndLeaveAgain) {
  fw::TMenuItem& b = Plain(L"&2 b");
  fw::TMenuItem& a = Plain(L"&1 a");
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く(&O)...", L"-", L"&1 a", L"&2 b", L"-", L"終了(&X)"}));
  menu.Remove(a);
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く(&O)...", L"-", L"&2 b", L"-", L"終了(&X)"}));
  menu.Remove(b);
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く(&O)...", L"-", L"-", L"終了(&X)"}));
  ASSERT_EQ(file->Items().size(), 4u);
}

TEST_F(RuntimeMenu, PlainItemsHaveTheirOwnIdsAndRunTheirOwnHandler) {
  fw::TMenuItem& a = Plain(L"a");
  fw::TMenuItem& b = Plain(L"b");
  EXPECT_GE(a.Id(), fw::TMainMenu::kFirstItemId);
  EXPECT_GE(b.Id(), fw::TMainMenu::kFirstItemId);
  EXPECT_NE(a.Id(), b.Id());
  EXPECT_NE(a.Id(), open.Id());
  EXPECT_EQ(::GetMenuItemID(fileMenu, 2), b.Id());
  Command(a.Id());
  Command(open.Id());
  Command(b.Id());
  EXPECT_EQ(log, L"a;open;b;");
}

TEST_F(RuntimeMenu, AHandlerMayRemoveItsOwnItem) {
  fw::TMenuItem& a = Plain(L"a");
  const WORD id = a.Id();
  a.OnClick = [this, &a](fw::TObject*) {
    menu.Remove(a);
    log += L"gone;";
  };
  Command(id);
  EXPECT_EQ(log, L"gone;");
  EXPECT_EQ(menu.FindById(id), nullptr);
  Command(id);  // an id no longer in the menu does nothing
  EXPECT_EQ(log, L"gone;");
}

TEST_F(RuntimeMenu, ActionItemsStillFollowTheirActionsAfterInsertions) {
  Plain(L"a");
  Plain(L"b");
  exit.SetEnabled(false);
  MENUITEMINFOW mii{sizeof(mii)};
  mii.fMask = MIIM_STATE | MIIM_ID;
  ASSERT_TRUE(::GetMenuItemInfoW(fileMenu, 5, TRUE, &mii));
  EXPECT_EQ(mii.wID, exit.Id());
  EXPECT_TRUE(mii.fState & MFS_DISABLED);
  ASSERT_TRUE(::GetMenuItemInfoW(fileMenu, 2, TRUE, &mii));
  EXPECT_FALSE(mii.fState & MFS_DISABLED);
}

TEST_F(RuntimeMenu, OpeningASubmenuRunsItsOnPopupFirst) {
  file->OnPopup = [this](fw::TObject* sender) {
    EXPECT_EQ(sender, file);
    Plain(L"fresh");
  };
  ::SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(fileMenu), 0);
  EXPECT_EQ(Texts(fileMenu)[2], L"fresh");
  EXPECT_EQ(::GetMenuItemCount(fileMenu), 5);
}

TEST(RuntimeMenuBeforeBuild, InsertedItemsAreBuiltWithTheRest) {
  fw::TActionList actions;
  fw::TMainMenu menu(actions);
  fw::TMenuItem& file = menu.Add(L"F");
  fw::TMenuItem& anchor = file.AddSeparator();
  file.AddSeparator();
  fw::TMenuItem& item = menu.InsertAfter(anchor, fw::TMenuItem::Item(L"x"));
  fw::TUniqueMenu bar(menu.Build());
  HMENU sub = ::GetSubMenu(bar.Get(), 0);
  EXPECT_EQ(Texts(sub), (std::vector<std::wstring>{L"-", L"x", L"-"}));
  EXPECT_EQ(::GetMenuItemID(sub, 1), item.Id());
  EXPECT_GE(item.Id(), fw::TMainMenu::kFirstItemId);
}

}  // namespace
