#include "controls/grid/InplaceListBox.h"

#include <algorithm>

#include "controls/grid/ComboInplaceEdit.h"

TInplaceListBox::TInplaceListBox(TComboInplaceEdit& editor) : FEditor(editor) { SetVisible(false); }

void TInplaceListBox::Create() {
  TCreateParams p;
  p.ClassName = L"LISTBOX";
  p.Style = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  CreateHandle(nullptr, p);
  SetFont(FEditor.Grid().Font());
}

void TInplaceListBox::SetItems(const std::vector<std::wstring>& items) {
  ::SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const std::wstring& s : items) ::SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  FLastIndex = -1;
}

int TInplaceListBox::Count() const noexcept { return static_cast<int>(::SendMessageW(Handle(), LB_GETCOUNT, 0, 0)); }

int TInplaceListBox::ItemIndex() const noexcept {
  return static_cast<int>(::SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void TInplaceListBox::SetItemIndex(int index) noexcept {
  ::SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  FLastIndex = ItemIndex();
}

std::wstring TInplaceListBox::Item(int index) const {
  const LRESULT n = ::SendMessageW(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (n == LB_ERR) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got =
      ::SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
  s.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return s;
}

void TInplaceListBox::ShowAt(const RECT& below, int width) {
  const int itemHeight = static_cast<int>(::SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0));
  const int rows = std::min(std::max(Count(), 1), 8);
  ::SetWindowPos(Handle(), HWND_TOPMOST, below.left, below.bottom, width, rows * itemHeight + 2,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TInplaceListBox::Hide() { ::ShowWindow(Handle(), SW_HIDE); }

void TInplaceListBox::SelectionMayHaveChanged() {
  const int index = ItemIndex();
  if (index == FLastIndex) return;
  FLastIndex = index;
  if (index >= 0) FEditor.ListPicked(Item(index), true);
}

LRESULT TInplaceListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
      const LRESULT r = DefaultProc(msg, wParam, lParam);
      SelectionMayHaveChanged();
      return r;
    }
    case WM_LBUTTONUP: {
      const LRESULT r = DefaultProc(msg, wParam, lParam);
      SelectionMayHaveChanged();
      if (ItemIndex() >= 0) FEditor.ListPicked(Item(ItemIndex()), false);
      Hide();
      return r;
    }
    case WM_KEYDOWN: {
      if (wParam == VK_RETURN) {
        if (ItemIndex() >= 0) FEditor.ListPicked(Item(ItemIndex()), false);
        Hide();
        return 0;
      }
      const LRESULT r = DefaultProc(msg, wParam, lParam);
      SelectionMayHaveChanged();
      return r;
    }
    case WM_KEYUP: {
      const LRESULT r = DefaultProc(msg, wParam, lParam);
      if (ItemIndex() >= 0) FEditor.ListPicked(Item(ItemIndex()), false);
      return r;
    }
    default:
      break;
  }
  return TWindow::WndProc(msg, wParam, lParam);
}
