// What a screen reader reads of the main window's own controls, through the
// same calls it makes: the object of each control, its role, name, value,
// state and default action, and its children.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Com.h"

namespace {

struct TRead {
  long Role = 0, State = 0, Children = 0;
  std::wstring Name, Value, Description, Action;
};

template <typename TGet>
std::wstring Text(TGet get) {
  BSTR text = nullptr;
  const HRESULT hr = get(&text);
  std::wstring s = SUCCEEDED(hr) && text ? std::wstring(text) : std::wstring();
  ::SysFreeString(text);
  return s;
}

TRead Read(IAccessible* object, long child) {
  TRead r;
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  VARIANT v{};
  if (SUCCEEDED(object->get_accRole(id, &v)) && v.vt == VT_I4) r.Role = v.lVal;
  if (SUCCEEDED(object->get_accState(id, &v)) && v.vt == VT_I4) r.State = v.lVal;
  r.Name = Text([&](BSTR* t) { return object->get_accName(id, t); });
  r.Value = Text([&](BSTR* t) { return object->get_accValue(id, t); });
  r.Description = Text([&](BSTR* t) { return object->get_accDescription(id, t); });
  r.Action = Text([&](BSTR* t) { return object->get_accDefaultAction(id, t); });
  if (child == CHILDID_SELF) object->get_accChildCount(&r.Children);
  return r;
}

fw::TComPtr<IAccessible> ObjectOf(HWND window) {
  fw::TComPtr<IAccessible> object;
  ::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(object.Put()));
  return object;
}

fw::TComPtr<IAccessible> ChildObject(IAccessible* parent, long child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  fw::TComPtr<IDispatch> dispatch;
  if (parent->get_accChild(id, dispatch.Put()) != S_OK) return {};
  return dispatch.As<IAccessible>();
}

// The events heard: which, for which window's client object.
std::vector<std::pair<DWORD, HWND>> gHeard;

void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
  if (object == OBJID_CLIENT) gHeard.emplace_back(event, window);
}

class AccessibleTest : public testing::Test {
 protected:
  void SetUp() override {
    Form.CreateForm();
    Form.SetBounds(4000, 4000, 580, 304);
    Form.Show();
    fw::Application().ProcessMessages();
  }
  TfrmTintra Form;
};

TEST_F(AccessibleTest, TheListIsATableOfRowsOfNamedCellsFromTheModel) {
  Form.ColorList.AppendColors(std::vector<TPaletteEntry>{{0x563412, L"sea"}, {0x0080FF, L""}}, IDS_STEP_IMPORT);
  const fw::TComPtr<IAccessible> table = ObjectOf(Form.ColorList.gridItem.Handle());
  ASSERT_TRUE(table);
  const TRead self = Read(table.Get(), CHILDID_SELF);
  EXPECT_EQ(self.Role, ROLE_SYSTEM_TABLE);
  EXPECT_EQ(self.Name, L"色リスト");
  EXPECT_EQ(self.Children, 2);
  const fw::TComPtr<IAccessible> row = ChildObject(table.Get(), 1);
  ASSERT_TRUE(row);
  const TRead first = Read(row.Get(), CHILDID_SELF);
  EXPECT_EQ(first.Role, ROLE_SYSTEM_ROW);
  EXPECT_EQ(first.Name, L"#123456, sea");
  EXPECT_EQ(first.Children, 7);
  const TRead comment = Read(row.Get(), 7);
  EXPECT_EQ(comment.Role, ROLE_SYSTEM_CELL);
  EXPECT_EQ(comment.Name, L"コメント");
  EXPECT_EQ(comment.Value, L"sea");
  EXPECT_EQ(Read(ChildObject(table.Get(), 2).Get(), CHILDID_SELF).Name, L"#FF8000");
  // Cut off with its window: the object answers nothing more.
  ::DestroyWindow(Form.ColorList.gridItem.Handle());
  EXPECT_EQ(Read(table.Get(), CHILDID_SELF).Name, L"");
}

TEST_F(AccessibleTest, EveryOwnControlHasItsRoleNameValueAndAction) {
  Form.ChannelPanel.SetColor(0x563412);
  fw::Application().ProcessMessages();
  struct TCase {
    HWND Window;
    long Child, Role;
    std::wstring Name, Value, Description, Action;
    long Children;
  };
  TChannelPanel& panel = Form.ChannelPanel;
  const TCase cases[] = {
      {panel.edtRed.Handle(), 0, ROLE_SYSTEM_TEXT, L"赤", L"18", L"0～255", L"", 3},
      {panel.edtRed.Handle(), 1, ROLE_SYSTEM_PUSHBUTTON, L"増やす", L"", L"", L"押す", 0},
      {panel.edtRed.Handle(), 3, ROLE_SYSTEM_PUSHBUTTON, L"スライダーを開く", L"", L"", L"押す", 0},
      {panel.edtHue.Handle(), 0, ROLE_SYSTEM_TEXT, L"色相 (HSV)", L"210", L"0～360", L"", 3},
      {panel.edtHSLSat.Handle(), 0, ROLE_SYSTEM_TEXT, L"彩度 (HSL)", L"65", L"0～100", L"", 3},
      {panel.edtCr.Handle(), 0, ROLE_SYSTEM_TEXT, L"Cr", panel.edtCr.Text(), L"0～255", L"", 3},
      {panel.pboxColor.Handle(), 0, ROLE_SYSTEM_GRAPHIC, L"#123456, midnightblue", L"", L"", L"", 0},
      {Form.Sampler.pboxSpoit.Handle(), 0, ROLE_SYSTEM_PUSHBUTTON, L"スポイト", L"", L"", L"押す", 0},
      {Form.Sampler.pboxZoom.Handle(), 0, ROLE_SYSTEM_GRAPHIC, L"拡大鏡 8倍, -", L"", L"", L"", 0},
      {::GetDlgItem(::GetParent(panel.pboxColor.Handle()), ControlIds::SizeGripVel1), 0, ROLE_SYSTEM_GRIP,
       L"サイズ変更", L"", L"", L"", 0},
  };
  for (const TCase& c : cases) {
    ASSERT_TRUE(c.Window) << c.Name;
    SCOPED_TRACE(testing::Message() << c.Name << " child " << c.Child);
    const fw::TComPtr<IAccessible> object = ObjectOf(c.Window);
    ASSERT_TRUE(object);
    const TRead r = Read(object.Get(), c.Child);
    EXPECT_EQ(std::tie(r.Role, r.Name, r.Value, r.Description, r.Action),
              std::tie(c.Role, c.Name, c.Value, c.Description, c.Action));
    EXPECT_EQ(c.Child == CHILDID_SELF ? r.Children : c.Children, c.Children);
  }
  // The spin button presses as a click does.
  const fw::TComPtr<IAccessible> red = ObjectOf(panel.edtRed.Handle());
  VARIANT up{};
  up.vt = VT_I4;
  up.lVal = 1;
  ASSERT_EQ(red->accDoDefaultAction(up), S_OK);
  fw::Application().ProcessMessages();
  EXPECT_EQ(panel.edtRed.Text(), L"19");
}

// The events a screen reader waits for: each new colour renames the swatch,
// and a move of the list's current cell names the cell.
TEST_F(AccessibleTest, ChangesRaiseTheirEvents) {
  gHeard.clear();
  const HWINEVENTHOOK hook =
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Heard, 0, 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_TRUE(hook);
  Form.ColorList.AppendColors(std::vector<TPaletteEntry>{{0x563412, L"sea"}, {0x0080FF, L""}}, IDS_STEP_IMPORT);
  Form.ColorList.gridItem.SetFocus();
  Form.ChannelPanel.SetColor(0x0000FF);
  ::SendMessageW(Form.ColorList.gridItem.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  const auto saw = [&](DWORD event, HWND window) {
    return std::find(gHeard.begin(), gHeard.end(), std::make_pair(event, window)) != gHeard.end();
  };
  for (int i = 0; i < 50 && !(saw(EVENT_OBJECT_NAMECHANGE, Form.ChannelPanel.pboxColor.Handle()) &&
                              saw(EVENT_OBJECT_FOCUS, Form.ColorList.gridItem.Handle()));
       ++i) {
    fw::Application().ProcessMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  ::UnhookWinEvent(hook);
  EXPECT_TRUE(saw(EVENT_OBJECT_NAMECHANGE, Form.ChannelPanel.pboxColor.Handle()));
  EXPECT_TRUE(saw(EVENT_OBJECT_FOCUS, Form.ColorList.gridItem.Handle()));
}

}  // namespace
