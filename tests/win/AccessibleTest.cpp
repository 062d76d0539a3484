// What a screen reader reads of the main window's own controls, through the
// same calls it makes: the object of each control, its role, name, value,
// state and default action, and its children.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/resources/StringIds.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Com.h"

namespace {

struct TRead {
  long Role = 0, State = 0, Children = 0;
  std::wstring Name, Value;
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

}  // namespace
