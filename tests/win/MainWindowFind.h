#pragma once
// Finds the main window's controls as accessibility tools and the
// end-to-end tests do: by their fixed IDs, anywhere below the window.
#include <windows.h>

namespace find_control_detail {

struct TSearch {
  int Id;
  HWND Found;
};

inline BOOL CALLBACK Visit(HWND wnd, LPARAM p) {
  auto* s = reinterpret_cast<TSearch*>(p);
  if (::GetDlgCtrlID(wnd) != s->Id) return TRUE;
  s->Found = wnd;
  return FALSE;
}

}  // namespace find_control_detail

inline HWND FindControl(HWND top, int id) {
  find_control_detail::TSearch search{id, nullptr};
  ::EnumChildWindows(top, find_control_detail::Visit, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}
