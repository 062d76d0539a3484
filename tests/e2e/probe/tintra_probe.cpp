// Reads and pokes a running Tintra from a second Wine process for the
// end-to-end tests. One command per run; answers on stdout in UTF-8, one
// item a line, fields tab-separated and escaped (\t \n \r \\). Exit code 0
// on success, 1 on a usage or system error (message on stderr), 3 when the
// thing asked for is not there (no clipboard text, no registry value).
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/probe/ProbeRequest.h"

namespace {

using probe::Field;
using probe::Hex;

constexpr UINT kSendTimeoutMs = 5000;

void WriteRaw(DWORD which, const std::string& s) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(which), s.data(), static_cast<DWORD>(s.size()), &written, nullptr);
}
void Out(const std::string& line) { WriteRaw(STD_OUTPUT_HANDLE, line + '\n'); }
int Fail(const std::string& message) {
  WriteRaw(STD_ERROR_HANDLE, "tintra_probe: " + message + '\n');
  return 1;
}
std::string Utf8(const std::wstring& s) { return probe::ToUtf8(s.c_str(), static_cast<int>(s.size())); }

ULONGLONG Number(const wchar_t* s) { return wcstoull(s, nullptr, 0); }
HWND WindowArg(const wchar_t* s) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(Number(s))); }

std::wstring ClassOf(HWND wnd) {
  wchar_t cls[256] = {};
  ::GetClassNameW(wnd, cls, static_cast<int>(std::size(cls)));
  return cls;
}

// WM_GETTEXT rather than GetWindowText: the latter does not ask controls
// of another process for their text.
std::wstring TextOf(HWND wnd) {
  DWORD_PTR len = 0;
  if (!::SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &len)) return {};
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!::SendMessageTimeoutW(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
    return {};
  text.resize(got < text.size() ? got : text.size() - 1);
  return text;
}

// hwnd parent class id text left top right bottom visible enabled style exstyle
std::string WindowLine(HWND wnd) {
  RECT r{};
  ::GetWindowRect(wnd, &r);
  HWND parent = ::GetAncestor(wnd, GA_PARENT);
  if (parent == ::GetDesktopWindow()) parent = nullptr;
  return Hex(reinterpret_cast<UINT_PTR>(wnd)) + '\t' + Hex(reinterpret_cast<UINT_PTR>(parent)) + '\t' +
         Utf8(ClassOf(wnd)) + '\t' + std::to_string(::GetDlgCtrlID(wnd)) + '\t' + Field(TextOf(wnd).c_str()) + '\t' +
         std::to_string(r.left) + '\t' + std::to_string(r.top) + '\t' + std::to_string(r.right) + '\t' +
         std::to_string(r.bottom) + '\t' + (::IsWindowVisible(wnd) ? "1" : "0") + '\t' +
         (::IsWindowEnabled(wnd) ? "1" : "0") + '\t' + Hex(static_cast<ULONG>(::GetWindowLongW(wnd, GWL_STYLE))) +
         '\t' + Hex(static_cast<ULONG>(::GetWindowLongW(wnd, GWL_EXSTYLE)));
}

void WalkChildren(HWND parent) {
  for (HWND c = ::GetWindow(parent, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    Out(WindowLine(c));
    WalkChildren(c);
  }
}

struct TFind {
  const wchar_t* Title;
  int Found;
};

// hwnd pid class visible xwindow title. The X window id (winex11's window
// property) lets the caller match the window xdotool found by process.
BOOL CALLBACK FindTopLevel(HWND wnd, LPARAM lp) {
  auto& f = *reinterpret_cast<TFind*>(lp);
  wchar_t title[512] = {};
  ::GetWindowTextW(wnd, title, static_cast<int>(std::size(title)));
  if (f.Title && lstrcmpW(title, f.Title) != 0) return TRUE;
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  auto x = reinterpret_cast<UINT_PTR>(::GetPropW(wnd, L"__wine_x11_whole_window"));
  Out(Hex(reinterpret_cast<UINT_PTR>(wnd)) + '\t' + std::to_string(pid) + '\t' + Utf8(ClassOf(wnd)) + '\t' +
      (::IsWindowVisible(wnd) ? "1" : "0") + '\t' + Hex(x) + '\t' + Field(title));
  ++f.Found;
  return TRUE;
}

std::wstring ModuleDir() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

struct THandle {
  HANDLE H = nullptr;
  explicit THandle(HANDLE h) : H(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
  ~THandle() {
    if (H) ::CloseHandle(H);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  explicit operator bool() const { return H != nullptr; }
};

struct TView {
  void* P;
  explicit TView(void* p) : P(p) {}
  ~TView() {
    if (P) ::UnmapViewOfFile(P);
  }
  TView(const TView&) = delete;
  TView& operator=(const TView&) = delete;
};

struct TRemoteMemory {
  HANDLE Process;
  void* P;
  TRemoteMemory(HANDLE process, size_t size)
      : Process(process), P(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~TRemoteMemory() {
    if (P) ::VirtualFreeEx(Process, P, 0, MEM_RELEASE);
  }
  TRemoteMemory(const TRemoteMemory&) = delete;
  TRemoteMemory& operator=(const TRemoteMemory&) = delete;
};

bool ReadAll(const std::wstring& path, std::string& data) {
  THandle f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!f) return false;
  char buf[65536];
  DWORD got = 0;
  while (::ReadFile(f.H, buf, sizeof(buf), &got, nullptr) && got > 0) data.append(buf, got);
  return true;
}

// Loads the hook DLL into the window's process and prints what it wrote.
int Inject(DWORD pid, HWND wnd, LONG kind) {
  if (!::IsWindow(wnd)) return Fail("no such window");
  DWORD owner = 0;
  ::GetWindowThreadProcessId(wnd, &owner);
  // The caller may only know the Unix pid; the window knows its Windows one.
  if (pid == 0 || pid != owner) pid = owner;

  THandle lock(::CreateMutexW(nullptr, FALSE, probe::LockName(pid).c_str()));
  if (!lock) return Fail("CreateMutex failed");
  DWORD waited = ::WaitForSingleObject(lock.H, 30000);
  if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) return Fail("another probe holds the target");
  struct TRelease {
    HANDLE M;
    ~TRelease() { ::ReleaseMutex(M); }
  } release{lock.H};

  THandle map(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(probe::TRequest),
                                   probe::RequestName(pid).c_str()));
  if (!map) return Fail("CreateFileMapping failed");
  TView view(::MapViewOfFile(map.H, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(probe::TRequest)));
  if (!view.P) return Fail("MapViewOfFile failed");
  auto* req = static_cast<probe::TRequest*>(view.P);
  ZeroMemory(req, sizeof(*req));
  req->Kind = kind;
  req->Result = -1;
  req->Window = reinterpret_cast<UINT_PTR>(wnd);
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring out = std::wstring(temp) + L"tintra_probe_" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  lstrcpynW(req->OutPath, out.c_str(), MAX_PATH);
  ::DeleteFileW(out.c_str());

  THandle done(::CreateEventW(nullptr, TRUE, FALSE, probe::DoneEventName(pid).c_str()));
  if (!done) return Fail("CreateEvent failed");
  ::ResetEvent(done.H);

  THandle process(::OpenProcess(PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION |
                                    PROCESS_VM_WRITE | PROCESS_VM_READ | SYNCHRONIZE,
                                FALSE, pid));
  if (!process) return Fail("OpenProcess failed");
  std::wstring dll = ModuleDir() + L"tintra_probe_hook.dll";
  if (::GetFileAttributesW(dll.c_str()) == INVALID_FILE_ATTRIBUTES) return Fail("tintra_probe_hook.dll not found");
  size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
  TRemoteMemory remote(process.H, bytes);
  if (!remote.P || !::WriteProcessMemory(process.H, remote.P, dll.c_str(), bytes, nullptr))
    return Fail("cannot write into the target");
  // kernel32 sits at the same address in every process.
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  THandle thread(::CreateRemoteThread(process.H, nullptr, 0, loadLibrary, remote.P, 0, nullptr));
  if (!thread) return Fail("CreateRemoteThread failed");
  if (::WaitForSingleObject(thread.H, 15000) != WAIT_OBJECT_0) return Fail("LoadLibraryW did not return");
#ifndef _WIN64
  DWORD module = 0;
  ::GetExitCodeThread(thread.H, &module);
  if (module == 0) return Fail("LoadLibraryW failed in the target");
#endif

  HANDLE waits[2] = {done.H, process.H};
  DWORD w = ::WaitForMultipleObjects(2, waits, FALSE, 15000);
  if (w == WAIT_OBJECT_0 + 1) return Fail("target exited");
  if (w != WAIT_OBJECT_0) return Fail("hook did not answer");
  // Wait until the DLL has unloaded itself, so the next probe's load runs DllMain again.
  if (req->HookThreadId) {
    THandle hook(::OpenThread(SYNCHRONIZE, FALSE, req->HookThreadId));
    if (hook) ::WaitForSingleObject(hook.H, 5000);
  }
  if (req->Result != 0) return Fail("hook failed with " + std::to_string(req->Result));
  std::string data;
  if (!ReadAll(out, data)) return Fail("hook wrote no output");
  ::DeleteFileW(out.c_str());
  WriteRaw(STD_OUTPUT_HANDLE, data);
  return 0;
}

int Clipboard() {
  for (int i = 0; i < 50 && !::OpenClipboard(nullptr); ++i) ::Sleep(20);
  struct TClose {
    ~TClose() { ::CloseClipboard(); }
  } close;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (!data) return 3;
  auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
  if (!text) return 3;
  Out(Field(text));
  ::GlobalUnlock(data);
  return 0;
}

int SetClipboard(const std::wstring& text) {
  bool open = false;
  for (int i = 0; i < 50 && !(open = ::OpenClipboard(nullptr)); ++i) ::Sleep(20);
  if (!open) return Fail("OpenClipboard failed");
  struct TClose {
    ~TClose() { ::CloseClipboard(); }
  } close;
  ::EmptyClipboard();
  size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!mem) return Fail("GlobalAlloc failed");
  memcpy(::GlobalLock(mem), text.c_str(), bytes);
  ::GlobalUnlock(mem);
  if (!::SetClipboardData(CF_UNICODETEXT, mem)) {
    ::GlobalFree(mem);
    return Fail("SetClipboardData failed");
  }
  return 0;
}

// face-as-realised, missing glyph count, charset, height
int FontCheck(const wchar_t* face, int height, const std::wstring& text) {
  HDC dc = ::GetDC(nullptr);
  HFONT font = ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
  HGDIOBJ old = ::SelectObject(dc, font);
  wchar_t realised[LF_FACESIZE] = {};
  ::GetTextFaceW(dc, LF_FACESIZE, realised);
  std::vector<WORD> glyphs(text.size() + 1);
  ::GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  int missing = 0;
  for (size_t i = 0; i < text.size(); ++i) missing += glyphs[i] == 0xFFFF;
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc, &tm);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, dc);
  Out(Field(realised) + '\t' + std::to_string(missing) + '\t' + std::to_string(tm.tmCharSet) + '\t' +
      std::to_string(tm.tmHeight));
  return 0;
}

struct TShowText {
  std::wstring Face, Text;
};

LRESULT CALLBACK ShowTextProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    auto* st = reinterpret_cast<TShowText*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(wnd, &ps);
    RECT rc;
    ::GetClientRect(wnd, &rc);
    ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    int y = 4;
    const struct {
      int Height;
      BYTE Charset;
      const wchar_t* Label;
    } rows[] = {{13, DEFAULT_CHARSET, L"13px DEFAULT: "},
                {13, SHIFTJIS_CHARSET, L"13px SHIFTJIS: "},
                {24, DEFAULT_CHARSET, L"24px DEFAULT: "}};
    for (const auto& row : rows) {
      HFONT font = ::CreateFontW(-row.Height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, row.Charset, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, st->Face.c_str());
      HGDIOBJ old = ::SelectObject(dc, font);
      std::wstring line = row.Label + st->Text;
      ::TextOutW(dc, 4, y, line.c_str(), static_cast<int>(line.size()));
      y += row.Height + 10;
      ::SelectObject(dc, old);
      ::DeleteObject(font);
    }
    HGDIOBJ old = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    std::wstring line = L"DEFAULT_GUI_FONT: " + st->Text;
    ::TextOutW(dc, 4, y, line.c_str(), static_cast<int>(line.size()));
    ::SelectObject(dc, old);
    ::EndPaint(wnd, &ps);
    return 0;
  }
  if (msg == WM_TIMER || msg == WM_CLOSE) {
    ::DestroyWindow(wnd);
    return 0;
  }
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(wnd, msg, wp, lp);
}

// A window titled "TintraProbeText" at 0,0 showing the text in the face, for
// a screenshot; it closes itself after the given milliseconds.
int ShowText(UINT ms, const wchar_t* face, const std::wstring& text) {
  TShowText st{face, text};
  WNDCLASSW wc{};
  wc.lpfnWndProc = ShowTextProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"TintraProbeText";
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  ::RegisterClassW(&wc);
  HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"TintraProbeText", WS_POPUP, 0, 0, 640, 120, nullptr, nullptr,
                               wc.hInstance, nullptr);
  if (!wnd) return Fail("CreateWindow failed");
  ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&st));
  ::ShowWindow(wnd, SW_SHOW);
  ::UpdateWindow(wnd);
  ::SetTimer(wnd, 1, ms, nullptr);
  Out(Hex(reinterpret_cast<UINT_PTR>(wnd)));
  MSG m;
  while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
  return 0;
}

int RegGet(const wchar_t* key, const wchar_t* value) {
  // RegOpenKeyEx and RegQueryValueEx: Wine's RegGetValueW answered "not
  // found" for values that were there.
  HKEY hkey = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &hkey) != ERROR_SUCCESS) return 3;
  std::vector<wchar_t> buf(32768, L'\0');
  DWORD type = 0, size = static_cast<DWORD>((buf.size() - 1) * sizeof(wchar_t));
  LSTATUS s = ::RegQueryValueExW(hkey, value, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size);
  ::RegCloseKey(hkey);
  if (s != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 3;
  Out(Field(buf.data()));
  return 0;
}

int RegSet(const wchar_t* key, const wchar_t* value, const std::wstring& data) {
  LSTATUS s = ::RegSetKeyValueW(HKEY_CURRENT_USER, key, value, REG_SZ, data.c_str(),
                                static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  return s == ERROR_SUCCESS ? 0 : Fail("RegSetKeyValue failed");
}

int RegDelete(const wchar_t* key) {
  LSTATUS s = ::RegDeleteTreeW(HKEY_CURRENT_USER, key);
  if (s == ERROR_SUCCESS || s == ERROR_FILE_NOT_FOUND) {
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key);
    return 0;
  }
  return Fail("RegDeleteTree failed");
}

// One object's line: depth id role name value state description action
// child-count; then its children, objects of their own depth first.
void WalkAccessible(IAccessible* object, long child, int depth, int maxChildren) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    BSTR s = nullptr;
    std::string out;
    if (SUCCEEDED((object->*get)(id, &s)) && s) out = Field(s);
    ::SysFreeString(s);
    return out;
  };
  VARIANT role{}, state{};
  object->get_accRole(id, &role);
  object->get_accState(id, &state);
  long count = 0;
  if (child == CHILDID_SELF) object->get_accChildCount(&count);
  Out(std::to_string(depth) + '\t' + std::to_string(child) + '\t' + std::to_string(role.vt == VT_I4 ? role.lVal : 0) +
      '\t' + text(&IAccessible::get_accName) + '\t' + text(&IAccessible::get_accValue) + '\t' +
      Hex(state.vt == VT_I4 ? static_cast<ULONG>(state.lVal) : 0) + '\t' + text(&IAccessible::get_accDescription) +
      '\t' + text(&IAccessible::get_accDefaultAction) + '\t' + std::to_string(count));
  if (child != CHILDID_SELF || count <= 0) return;
  const long asked = count < maxChildren ? count : maxChildren;
  std::vector<VARIANT> children(static_cast<std::size_t>(asked));
  long got = 0;
  if (FAILED(::AccessibleChildren(object, 0, asked, children.data(), &got))) return;
  for (long i = 0; i < got; ++i) {
    VARIANT& c = children[static_cast<std::size_t>(i)];
    if (c.vt == VT_DISPATCH && c.pdispVal) {
      IAccessible* sub = nullptr;
      if (SUCCEEDED(c.pdispVal->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&sub))) && sub) {
        WalkAccessible(sub, CHILDID_SELF, depth + 1, maxChildren);
        sub->Release();
      }
    } else if (c.vt == VT_I4) {
      // Wine's AccessibleChildren gives ids only; Windows' asks get_accChild
      // for each, and so does a screen reader: a child with parts is an object.
      IDispatch* dispatch = nullptr;
      IAccessible* sub = nullptr;
      VARIANT id{};
      id.vt = VT_I4;
      id.lVal = c.lVal;
      if (object->get_accChild(id, &dispatch) == S_OK && dispatch &&
          SUCCEEDED(dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&sub))) && sub) {
        WalkAccessible(sub, CHILDID_SELF, depth + 1, maxChildren);
        sub->Release();
      } else {
        WalkAccessible(object, c.lVal, depth + 1, maxChildren);
      }
      if (dispatch) dispatch->Release();
    }
    ::VariantClear(&c);
  }
}

int Accessible(HWND wnd, int maxChildren) {
  IAccessible* object = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(wnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
      !object)
    return Fail("no accessible object");
  WalkAccessible(object, CHILDID_SELF, 0, maxChildren);
  object->Release();
  return 0;
}

// Every window under wnd, depth first in z-order (the tab order of a
// dialog), each with its id and class and then its own accessible tree.
void AccessibleWindows(HWND wnd, int depth, int maxChildren) {
  for (HWND child = ::GetWindow(wnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(child)) continue;
    wchar_t cls[64] = {};
    ::GetClassNameW(child, cls, 64);
    Out(std::string(static_cast<std::size_t>(depth) * 2, ' ') + "window " + std::to_string(::GetDlgCtrlID(child)) + ' ' +
        Field(cls));
    IAccessible* object = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&object))) &&
        object) {
      WalkAccessible(object, CHILDID_SELF, depth + 1, maxChildren);
      object->Release();
    }
    AccessibleWindows(child, depth + 1, maxChildren);
  }
}

DWORD gEventsPid = 0;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD, DWORD) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(wnd, &pid);
  if (gEventsPid && pid != gEventsPid) return;
  // The name as a screen reader reads it when the event comes.
  std::string name;
  IAccessible* accessible = nullptr;
  VARIANT id{};
  if (SUCCEEDED(::AccessibleObjectFromEvent(wnd, static_cast<DWORD>(object), static_cast<DWORD>(child), &accessible,
                                            &id)) &&
      accessible) {
    BSTR s = nullptr;
    if (SUCCEEDED(accessible->get_accName(id, &s)) && s) name = Field(s);
    ::SysFreeString(s);
    accessible->Release();
  }
  Out(Hex(event) + '\t' + Hex(reinterpret_cast<UINT_PTR>(wnd)) + '\t' + std::to_string(object) + '\t' +
      std::to_string(child) + '\t' + name);
}

// Every WinEvent of process pid for ms milliseconds, as a screen reader hears them.
int Events(DWORD pid, DWORD ms) {
  gEventsPid = pid;
  HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
  if (!hook) return Fail("SetWinEventHook failed");
  Out("ready");
  const DWORD end = ::GetTickCount() + ms;
  for (DWORD now = ::GetTickCount(); static_cast<LONG>(end - now) > 0; now = ::GetTickCount()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
  }
  ::UnhookWinEvent(hook);
  return 0;
}

const char kUsage[] =
    "usage: tintra_probe COMMAND ARGS\n"
    "  find [TITLE]                  top-level windows: hwnd pid class visible xwindow title\n"
    "  window HWND                   the window itself (fields as controls)\n"
    "  controls HWND                 descendants, depth first: hwnd parent class id text\n"
    "                                left top right bottom visible enabled style exstyle\n"
    "  settext HWND TEXT             WM_SETTEXT\n"
    "  command HWND ID [CODE]        post WM_COMMAND\n"
    "  post HWND MSG WPARAM LPARAM   post a message\n"
    "  send HWND MSG WPARAM LPARAM   send a message (no pointers), print the result\n"
    "  pixel X Y                     screen pixel as #RRGGBB\n"
    "  clipboard                     CF_UNICODETEXT (exit 3 when none)\n"
    "  setclipboard TEXT             put CF_UNICODETEXT\n"
    "  menus [PID] HWND              menu tree: depth kind id checked enabled radio caption\n"
    "  toolbar [PID] HWND            tool bars and their buttons\n"
    "  extents [PID] HWND            descendants with text: hwnd class id text\n"
    "                                client-width client-height text-width text-height\n"
    "  guicount [PID] HWND           the process's GDI and USER objects: gdi N, user N\n"
    "  regget KEY VALUE | regset KEY VALUE DATA | regdelete KEY   (under HKCU)\n"
    "  font FACE HEIGHT TEXT         realised face, missing glyphs, charset, height\n"
    "  showtext MS FACE TEXT         show the text in a window for MS milliseconds\n"
    "  acp                           the ANSI code page\n"
    "  acc HWND [MAX]                the window's accessible tree, at most MAX children an object:\n"
    "                                depth id role name value state description action children\n"
    "  acctree HWND [MAX]            every visible window under HWND and its accessible tree\n"
    "  focus HWND                    the active window and the focus of HWND's thread (fields as window)\n"
    "  events PID MS                 WinEvents of the process for MS ms: event hwnd object child name\n";

int Run(int argc, wchar_t** argv) {
  if (argc < 2) return Fail(kUsage);
  std::wstring cmd = argv[1];
  auto need = [&](int n) { return argc >= n + 2; };
  if (cmd == L"find") {
    TFind f{argc >= 3 ? argv[2] : nullptr, 0};
    ::EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&f));
    return f.Found ? 0 : 3;
  }
  if (cmd == L"window" && need(1)) {
    HWND wnd = WindowArg(argv[2]);
    if (!::IsWindow(wnd)) return Fail("no such window");
    Out(WindowLine(wnd));
    return 0;
  }
  if (cmd == L"controls" && need(1)) {
    HWND wnd = WindowArg(argv[2]);
    if (!::IsWindow(wnd)) return Fail("no such window");
    WalkChildren(wnd);
    return 0;
  }
  if (cmd == L"settext" && need(2)) {
    DWORD_PTR r = 0;
    if (!::SendMessageTimeoutW(WindowArg(argv[2]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &r))
      return Fail("WM_SETTEXT failed");
    return 0;
  }
  if (cmd == L"command" && need(2)) {
    WORD code = argc >= 5 ? static_cast<WORD>(Number(argv[4])) : 0;
    return ::PostMessageW(WindowArg(argv[2]), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(Number(argv[3])), code), 0)
               ? 0
               : Fail("PostMessage failed");
  }
  if (cmd == L"post" && need(4)) {
    return ::PostMessageW(WindowArg(argv[2]), static_cast<UINT>(Number(argv[3])), static_cast<WPARAM>(Number(argv[4])),
                          static_cast<LPARAM>(Number(argv[5])))
               ? 0
               : Fail("PostMessage failed");
  }
  if (cmd == L"send" && need(4)) {
    DWORD_PTR r = 0;
    if (!::SendMessageTimeoutW(WindowArg(argv[2]), static_cast<UINT>(Number(argv[3])),
                               static_cast<WPARAM>(Number(argv[4])), static_cast<LPARAM>(Number(argv[5])),
                               SMTO_ABORTIFHUNG, kSendTimeoutMs, &r))
      return Fail("SendMessage timed out");
    Out(std::to_string(static_cast<long long>(static_cast<LONG_PTR>(r))));
    return 0;
  }
  if (cmd == L"pixel" && need(2)) {
    HDC dc = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(dc, static_cast<int>(Number(argv[2])), static_cast<int>(Number(argv[3])));
    ::ReleaseDC(nullptr, dc);
    if (c == CLR_INVALID) return Fail("GetPixel failed");
    static const char digits[] = "0123456789ABCDEF";
    std::string s = "#";
    for (BYTE b : {GetRValue(c), GetGValue(c), GetBValue(c)}) {
      s += digits[b >> 4];
      s += digits[b & 15];
    }
    Out(s);
    return 0;
  }
  if (cmd == L"clipboard") return Clipboard();
  if (cmd == L"setclipboard" && need(1)) return SetClipboard(argv[2]);
  if ((cmd == L"menus" || cmd == L"toolbar" || cmd == L"extents" || cmd == L"guicount") && need(1)) {
    DWORD pid = need(2) ? static_cast<DWORD>(Number(argv[2])) : 0;
    HWND wnd = WindowArg(argv[need(2) ? 3 : 2]);
    const probe::TRequestKind kind = cmd == L"menus"     ? probe::rkMenus
                                     : cmd == L"toolbar" ? probe::rkToolBars
                                     : cmd == L"extents" ? probe::rkTextExtents
                                                         : probe::rkGuiCount;
    return Inject(pid, wnd, kind);
  }
  if (cmd == L"regget" && need(2)) return RegGet(argv[2], argv[3]);
  if (cmd == L"regset" && need(3)) return RegSet(argv[2], argv[3], argv[4]);
  if (cmd == L"regdelete" && need(1)) return RegDelete(argv[2]);
  if (cmd == L"font" && need(3)) return FontCheck(argv[2], static_cast<int>(Number(argv[3])), argv[4]);
  if (cmd == L"showtext" && need(3)) return ShowText(static_cast<UINT>(Number(argv[2])), argv[3], argv[4]);
  if (cmd == L"focus" && need(1)) {
    // The keyboard's target in the window's thread, as the next key finds it.
    GUITHREADINFO info{sizeof info};
    HWND wnd = WindowArg(argv[2]);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info)) return Fail("no thread information");
    Out(std::string(info.hwndActive ? WindowLine(info.hwndActive) : "-"));
    Out(std::string(info.hwndFocus ? WindowLine(info.hwndFocus) : "-"));
    return 0;
  }
  if (cmd == L"acctree" && need(1)) {
    AccessibleWindows(WindowArg(argv[2]), 0, argc >= 4 ? static_cast<int>(Number(argv[3])) : 50);
    return 0;
  }
  if (cmd == L"acc" && need(1)) return Accessible(WindowArg(argv[2]), argc >= 4 ? static_cast<int>(Number(argv[3])) : 50);
  if (cmd == L"events" && need(2))
    return Events(static_cast<DWORD>(Number(argv[2])), static_cast<DWORD>(Number(argv[3])));
  if (cmd == L"acp") {
    Out(std::to_string(::GetACP()));
    return 0;
  }
  return Fail(kUsage);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Accessible objects of another process come through COM.
  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result = Run(argc, argv);
  ::CoUninitialize();
  return result;
}
