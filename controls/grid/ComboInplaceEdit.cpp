#include "controls/grid/ComboInplaceEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/grid/InplaceListBox.h"
#include "framework/Clipboard.h"
#include "framework/Handles.h"
#include "framework/Theme.h"

namespace {

int DropButtonWidth() {
  static const int width = ::GetSystemMetrics(SM_CXHSCROLL);
  return width;
}

}  // namespace

TComboInplaceEdit::TComboInplaceEdit(TComboGrid& grid) : FGrid(grid) {
  SetVisible(false);
  SetTabStop(false);
  SetAutoSelect(false);
}

TComboInplaceEdit::~TComboInplaceEdit() {
  FDestroyed = true;
  FList.reset();
  if (HandleAllocated()) ::DestroyWindow(Handle());
}

void TComboInplaceEdit::Create() {
  fw::TCustomEdit::Create(&FGrid);
  // Borderless over the cell, as the cell's own text.
  ::SetWindowLongPtrW(Handle(), GWL_EXSTYLE, 0);
  ::SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TComboInplaceEdit::SetCellKind(const TCellKind& kind) {
  FCellKind = kind;
  if (HandleAllocated())
    ::SendMessageW(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                   MAKELPARAM(1, HasButton() ? ButtonWidth() + 2 : 1));
}

int TComboInplaceEdit::ButtonWidth() const noexcept { return DropButtonWidth(); }

bool TComboInplaceEdit::InButton(int x) const noexcept { return HasButton() && x >= ClientWidth() - ButtonWidth(); }

std::wstring TComboInplaceEdit::CleanText(std::wstring text) {
  for (wchar_t& ch : text)
    if (ch == L'\r' || ch == L'\n' || ch == 26 || ch == 0) ch = L' ';
  return text;
}

void TComboInplaceEdit::Change() {
  if (!FCleaning) {
    const std::wstring text = Text();
    const std::wstring clean = CleanText(text);
    if (clean != text) {
      // Text set from outside with a line break: keep it one line.
      FCleaning = true;
      const int start = SelStart();
      SetText(clean);
      SetSelStart(start);
      FCleaning = false;
    }
  }
  FGrid.EditorTextChanged(Text());
  fw::TCustomEdit::Change();
}

void TComboInplaceEdit::Paste() {
  if (!::IsClipboardFormatAvailable(CF_UNICODETEXT)) return;
  std::wstring text;
  {
    fw::TClipboardScope clipboard(Handle());
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
      fw::TGlobalLock<const wchar_t> lock(data);
      if (lock.Get()) {
        text.assign(lock.Get(), ::GlobalSize(data) / sizeof(wchar_t));
        // The block may be padded: its text ends at its last character.
        while (!text.empty() && text.back() == 0) text.pop_back();
      }
    }
  }
  text = CleanText(std::move(text));
  ::SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TComboInplaceEdit::KeyPress(wchar_t& key) {
  // Enter, Esc and Tab act on key down; their characters would only beep.
  if (key == L'\r' || key == L'\n' || key == 27 || key == L'\t') key = 0;
  fw::TCustomEdit::KeyPress(key);
}

void TComboInplaceEdit::KeyDown(WORD& key, fw::TShiftState shift) {
  fw::TCustomEdit::KeyDown(key, shift);
  if (key == 0) return;
  if (ListVisible()) {
    switch (key) {
      case VK_RETURN:
      case VK_UP:
      case VK_DOWN:
      case VK_LEFT:
      case VK_RIGHT:
        ::SendMessageW(FList->Handle(), WM_KEYDOWN, key, 0);
        key = 0;
        return;
      case VK_ESCAPE:
        HideList();
        key = 0;
        return;
      default:
        break;
    }
  }
  if (key == VK_DOWN && shift.Alt && HasButton()) {
    DropDown();
    key = 0;
    return;
  }
  const int length = static_cast<int>(Text().size());
  switch (key) {
    case VK_ESCAPE:
      key = 0;
      FGrid.CancelEdit();
      return;
    case VK_RETURN:
      key = 0;
      FGrid.EndEdit();
      return;
    case VK_LEFT:
      if (SelStart() != 0 || SelLength() != 0) return;
      break;
    case VK_RIGHT:
      if (SelStart() + SelLength() != length || (SelLength() != 0 && length != 0)) return;
      break;
    default:
      break;
  }
  if (FGrid.EditorKey(key, shift)) key = 0;
}

void TComboInplaceEdit::KeyUp(WORD& key, fw::TShiftState shift) {
  fw::TCustomEdit::KeyUp(key, shift);
  if (key == 0 || !ListVisible()) return;
  if (key == VK_RETURN || key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT) {
    ::SendMessageW(FList->Handle(), WM_KEYUP, key, 0);
    key = 0;
  }
}

void TComboInplaceEdit::FocusGained(HWND) {
  SetCellKind(FCellKind);
  ::ShowCaret(Handle());
}

void TComboInplaceEdit::FocusLost(HWND next) {
  if (FDestroyed || FGrid.Destroying()) return;
  if (FList && next == FList->Handle()) return;
  HideList();
  FGrid.EditorFocusLost(next);
}

bool TComboInplaceEdit::ListVisible() const noexcept {
  return FList && FList->HandleAllocated() && ::IsWindowVisible(FList->Handle());
}

void TComboInplaceEdit::HideList() {
  if (ListVisible()) {
    FList->Hide();
    Invalidate();
  }
}

void TComboInplaceEdit::DropDown() {
  if (FGrid.OnDropDown) {
    bool handled = false;
    FGrid.OnDropDown(&FGrid, handled);
    if (handled) {
      Invalidate();
      return;
    }
  }
  if (ListVisible()) {
    HideList();
    return;
  }
  if (!FList) {
    FList = std::make_unique<TInplaceListBox>(*this);
    FList->Create();
  }
  std::vector<std::wstring> items;
  for (const TCellItem& item : FCellKind.Items) items.push_back(item.Text);
  FList->SetItems(items);
  const std::wstring text = Text();
  const auto it = std::find(items.begin(), items.end(), text);
  FList->SetItemIndex(it == items.end() ? -1 : static_cast<int>(it - items.begin()));
  RECT r;
  ::GetWindowRect(Handle(), &r);
  FList->ShowAt(r, std::max(FCellKind.DropDownWidth, static_cast<int>(r.right - r.left)));
  SelectAll();
  Invalidate();
}

void TComboInplaceEdit::ListPicked(const std::wstring& text, bool fireClick) {
  SetText(text);
  SelectAll();
  if (fireClick) FGrid.DoGridBtnClick(FGrid.Col(), FGrid.Row());
}

void TComboInplaceEdit::PaintButton(HDC dc) {
  const RECT client = ClientRect();
  RECT r{client.right - ButtonWidth(), client.top, client.right, client.bottom - 1};
  const bool pressed = FButtonPressX >= 0;
  ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  const int cx = (r.left + r.right) / 2 + (pressed ? 1 : 0), cy = (r.top + r.bottom) / 2 - 2 + (pressed ? 1 : 0);
  fw::TUniquePen pen(::CreatePen(PS_SOLID, 1, fw::ThemeColor(fw::TThemeRole::FaceText)));
  fw::TSelectObject use(dc, pen.Get());
  for (int i = 0; i < 4; ++i) {
    const int half = 3 - i;
    ::MoveToEx(dc, cx - half, cy + i, nullptr);
    ::LineTo(dc, cx + half + 1, cy + i);
  }
  if (pressed) {
    RECT f = r;
    ::InflateRect(&f, -3, -3);
    ::DrawFocusRect(dc, &f);
  }
}

LRESULT TComboInplaceEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_DESTROY:
      FDestroyed = true;
      break;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = fw::TCustomEdit::WndProc(msg, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (FGrid.Options() & goTabs) code |= DLGC_WANTTAB;
      return code;
    }
    case WM_PAINT: {
      const LRESULT r = fw::TCustomEdit::WndProc(msg, wParam, lParam);
      if (HasButton()) {
        fw::TWindowDC dc(Handle());
        PaintButton(dc.Get());
      }
      return r;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (InButton(GET_X_LPARAM(lParam))) {
        if (!Focused()) SetFocus();
        FButtonPressX = GET_X_LPARAM(lParam);
        ::SetCapture(Handle());
        Invalidate();
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (FButtonPressX >= 0) {
        FButtonPressX = -1;
        if (::GetCapture() == Handle()) ::ReleaseCapture();
        Invalidate();
        if (InButton(GET_X_LPARAM(lParam))) DropDown();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && HasButton()) {
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(Handle(), &pt);
        if (InButton(pt.x)) {
          ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
          return TRUE;
        }
      }
      break;
    default:
      break;
  }
  return fw::TCustomEdit::WndProc(msg, wParam, lParam);
}
