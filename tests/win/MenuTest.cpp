// Menu items built at run time: inserted and removed after a given item,
// with their own command ids and click handlers, beside action-bound items.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"

namespace {

std::vector<std::wstring> Texts(HMENU menu) {
  std::vector<std::wstring> out;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t buf[64] = {};
    ::GetMenuStringW(menu, static_cast<UINT>(i), buf, 64, MF_BYPOSITION);
    out.push_back(::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR ? L"-" : buf);
  }
  return out;
}

class RuntimeMenu : public testing::Test {
 protected:
  void SetUp() override {
    open.SetCaption(L"開く");
    exit.SetCaption(L"終了");
    open.OnExecute = [this](fw::TObject*) { log += L"open;"; };
    file = &menu.Add(L"F");
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
  fw::TMenuItem *file = nullptr, *anchor = nullptr;
  HMENU fileMenu = nullptr;
  std::wstring log;
};

TEST_F(RuntimeMenu, ItemsGoAfterTheAnchorWithTheirOwnIdsAndHandlers) {
  fw::TMenuItem& b = Plain(L"b");
  fw::TMenuItem& a = Plain(L"a");
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く", L"-", L"a", L"b", L"-", L"終了"}));
  EXPECT_GE(a.Id(), fw::TMainMenu::kFirstItemId);
  EXPECT_NE(a.Id(), b.Id());
  EXPECT_EQ(::GetMenuItemID(fileMenu, 3), b.Id());
  Command(a.Id());
  Command(open.Id());
  Command(b.Id());
  EXPECT_EQ(log, L"a;open;b;");
  // The action items still follow their actions at their new positions.
  exit.SetEnabled(false);
  EXPECT_TRUE(::GetMenuState(fileMenu, 5, MF_BYPOSITION) & MF_GRAYED);
  EXPECT_FALSE(::GetMenuState(fileMenu, 3, MF_BYPOSITION) & MF_GRAYED);
  menu.Remove(a);
  menu.Remove(b);
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く", L"-", L"-", L"終了"}));
  EXPECT_EQ(file->Items().size(), 4u);
}

TEST_F(RuntimeMenu, AHandlerMayRemoveItsOwnItem) {
  fw::TMenuItem& a = Plain(L"a");
  const WORD id = a.Id();
  a.OnClick = [this, &a](fw::TObject*) {
    menu.Remove(a);
    log += L"gone;";
  };
  Command(id);
  Command(id);  // no longer in the menu: nothing
  EXPECT_EQ(log, L"gone;");
  EXPECT_EQ(menu.FindById(id), nullptr);
}

TEST_F(RuntimeMenu, OpeningASubmenuRunsItsOnPopupFirst) {
  file->OnPopup = [this](fw::TObject* sender) {
    EXPECT_EQ(sender, file);
    Plain(L"fresh");
  };
  ::SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(fileMenu), 0);
  EXPECT_EQ(Texts(fileMenu), (std::vector<std::wstring>{L"開く", L"-", L"fresh", L"-", L"終了"}));
}

}  // namespace
