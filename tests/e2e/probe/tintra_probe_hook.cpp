// Loaded into Tintra by the probe (CreateRemoteThread + LoadLibraryW). Wine
// keeps menus per process, and tool bar buttons come back through pointers,
// so both are read here, in the program's own address space. The work runs
// on a thread of its own that unloads the DLL when done, so the next request
// loads it afresh and DllMain runs again.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/probe/ProbeRequest.h"

namespace {

HMODULE g_module = nullptr;

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

// Lines: depth, kind (item, popup, separator), id, checked, enabled, radio, caption.
void DumpMenu(HMENU menu, int depth, std::string& out) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    mii.dwTypeData = text;
    mii.cch = static_cast<UINT>(std::size(text));
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    const char* kind = (mii.fType & MFT_SEPARATOR) ? "separator" : mii.hSubMenu ? "popup" : "item";
    out += std::to_string(depth) + '\t' + kind + '\t' + std::to_string(mii.wID) + '\t' +
           ((mii.fState & MFS_CHECKED) ? "1" : "0") + '\t' + ((mii.fState & MFS_DISABLED) ? "0" : "1") + '\t' +
           ((mii.fType & MFT_RADIOCHECK) ? "1" : "0") + '\t' +
           ((mii.fType & MFT_SEPARATOR) ? std::string() : probe::Field(text)) + '\n';
    if (mii.hSubMenu) DumpMenu(mii.hSubMenu, depth + 1, out);
  }
}

std::string ToolTipOf(HWND bar, HWND tips, int id) {
  if (!tips) return {};
  wchar_t text[512] = {};
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.hwnd = bar;
  ti.uId = static_cast<UINT_PTR>(id);
  ti.lpszText = text;
  Send(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&ti));
  return probe::Field(text);
}

// Lines: "toolbar", hwnd, count; then per button: "button", index, id,
// separator, image, checked, enabled, hidden, text, tool tip.
void DumpToolBar(HWND bar, std::string& out) {
  LRESULT count = Send(bar, TB_BUTTONCOUNT, 0, 0);
  out += "toolbar\t" + probe::Hex(reinterpret_cast<UINT_PTR>(bar)) + '\t' + std::to_string(count) + '\n';
  HWND tips = reinterpret_cast<HWND>(Send(bar, TB_GETTOOLTIPS, 0, 0));
  if (reinterpret_cast<LRESULT>(tips) == -1) tips = nullptr;
  for (LRESULT i = 0; i < count; ++i) {
    TBBUTTON b{};
    if (Send(bar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&b)) <= 0) continue;
    bool sep = (b.fsStyle & BTNS_SEP) != 0;
    std::string text, tip;
    if (!sep) {
      wchar_t buf[512] = {};
      LRESULT len = Send(bar, TB_GETBUTTONTEXTW, static_cast<WPARAM>(b.idCommand), reinterpret_cast<LPARAM>(buf));
      if (len > 0) text = probe::Field(buf);
      tip = ToolTipOf(bar, tips, b.idCommand);
    }
    out += "button\t" + std::to_string(i) + '\t' + std::to_string(b.idCommand) + '\t' + (sep ? "1" : "0") + '\t' +
           std::to_string(sep ? -1 : b.iBitmap) + '\t' + ((b.fsState & TBSTATE_CHECKED) ? "1" : "0") + '\t' +
           ((b.fsState & TBSTATE_ENABLED) ? "1" : "0") + '\t' + ((b.fsState & TBSTATE_HIDDEN) ? "1" : "0") + '\t' +
           text + '\t' + tip + '\n';
  }
}

BOOL CALLBACK CollectToolBar(HWND wnd, LPARAM lp) {
  wchar_t cls[64] = {};
  ::GetClassNameW(wnd, cls, static_cast<int>(std::size(cls)));
  if (lstrcmpiW(cls, TOOLBARCLASSNAMEW) == 0) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(wnd);
  return TRUE;
}

// What a static or a button shows of its text: "&&" is one "&", a lone "&" marks the accelerator.
std::wstring ShownText(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

// Lines: hwnd, class, id, text, client width, client height, text width,
// text height; the text measured in the control's own font, as it draws it.
void DumpTextExtents(HWND parent, std::string& out) {
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[64] = {}, text[512] = {};
    ::GetClassNameW(c, cls, static_cast<int>(std::size(cls)));
    ::GetWindowTextW(c, text, static_cast<int>(std::size(text)));
    const std::wstring shown = ShownText(text);
    if (::IsWindowVisible(c) && !shown.empty()) {
      RECT client{};
      ::GetClientRect(c, &client);
      SIZE extent{};
      if (HDC dc = ::GetDC(c)) {
        auto font = reinterpret_cast<HFONT>(Send(c, WM_GETFONT, 0, 0));
        HGDIOBJ old = ::SelectObject(dc, font && font != reinterpret_cast<HFONT>(-1) ? static_cast<HGDIOBJ>(font)
                                                                                     : ::GetStockObject(SYSTEM_FONT));
        // A text of several lines needs its widest line's width and all lines' height.
        for (size_t start = 0; start <= shown.size();) {
          size_t end = shown.find(L'\n', start);
          if (end == std::wstring::npos) end = shown.size();
          size_t stop = end > start && shown[end - 1] == L'\r' ? end - 1 : end;
          SIZE line{};
          ::GetTextExtentPoint32W(dc, shown.c_str() + start, static_cast<int>(stop - start), &line);
          extent.cx = std::max(extent.cx, line.cx);
          extent.cy += line.cy;
          start = end + 1;
        }
        ::SelectObject(dc, old);
        ::ReleaseDC(c, dc);
      }
      out += probe::Hex(reinterpret_cast<UINT_PTR>(c)) + '\t' + probe::Field(cls) + '\t' +
             std::to_string(::GetDlgCtrlID(c)) + '\t' + probe::Field(shown.c_str()) + '\t' +
             std::to_string(client.right) + '\t' + std::to_string(client.bottom) + '\t' + std::to_string(extent.cx) +
             '\t' + std::to_string(extent.cy) + '\n';
    }
    DumpTextExtents(c, out);
  }
}

bool WriteAll(const wchar_t* path, const std::string& data) {
  HANDLE f = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = data.empty() || ::WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  ::CloseHandle(f);
  return ok && written == data.size();
}

LONG Serve(probe::TRequest& req) {
  HWND wnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(req.Window));
  if (!::IsWindow(wnd)) return 2;
  std::string out;
  if (req.Kind == probe::rkMenus) {
    if (HMENU menu = ::GetMenu(wnd)) DumpMenu(menu, 0, out);
  } else if (req.Kind == probe::rkTextExtents) {
    DumpTextExtents(wnd, out);
  } else if (req.Kind == probe::rkToolBars) {
    std::vector<HWND> bars;
    ::EnumChildWindows(wnd, CollectToolBar, reinterpret_cast<LPARAM>(&bars));
    for (HWND bar : bars) DumpToolBar(bar, out);
  } else if (req.Kind == probe::rkGuiCount) {
    // Wine answers 0 to GetGuiResources; its GDI handles are found by their
    // low word, which it accepts in place of the full handle.
    DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (gdi == 0)
      for (ULONG_PTR i = 1; i < 0x10000; ++i)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i))) ++gdi;
    const DWORD user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    out = "gdi\t" + std::to_string(gdi) + "\nuser\t" + std::to_string(user) + "\n";
  } else {
    return 3;
  }
  return WriteAll(req.OutPath, out) ? 0 : 4;
}

DWORD WINAPI Worker(LPVOID) {
  DWORD pid = ::GetCurrentProcessId();
  LONG result = 1;
  if (HANDLE map = ::OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, probe::RequestName(pid).c_str())) {
    if (auto* req =
            static_cast<probe::TRequest*>(::MapViewOfFile(map, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(probe::TRequest)))) {
      req->HookThreadId = ::GetCurrentThreadId();
      result = Serve(*req);
      req->Result = result;
      ::UnmapViewOfFile(req);
    }
    ::CloseHandle(map);
  }
  if (HANDLE done = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, probe::DoneEventName(pid).c_str())) {
    ::SetEvent(done);
    ::CloseHandle(done);
  }
  ::FreeLibraryAndExitThread(g_module, static_cast<DWORD>(result));
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    ::DisableThreadLibraryCalls(instance);
    // The thread starts running once the loader lock is released.
    HANDLE thread = ::CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
    if (!thread) return FALSE;
    ::CloseHandle(thread);
  }
  return TRUE;
}
