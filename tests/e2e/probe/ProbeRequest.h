#pragma once
// What the probe hands to its hook DLL inside the target process. The
// request lives in a named mapping keyed on the target's process id, so the
// DLL needs no arguments and can be loaded any number of times.
#include <windows.h>

#include <string>

namespace probe {

enum TRequestKind : LONG { rkMenus = 1, rkToolBars = 2, rkTextExtents = 3, rkGuiCount = 4 };

struct TRequest {
  LONG Kind;
  LONG Result;              // 0 when the output file was written
  ULONGLONG Window;         // the main window
  DWORD HookThreadId;       // lets the probe wait until the DLL is unloaded again
  WCHAR OutPath[MAX_PATH];  // UTF-8 lines, as the probe prints them
};

inline std::wstring RequestName(DWORD pid) { return L"Local\\TintraProbeRequest_" + std::to_wstring(pid); }
inline std::wstring DoneEventName(DWORD pid) { return L"Local\\TintraProbeDone_" + std::to_wstring(pid); }
inline std::wstring LockName(DWORD pid) { return L"Local\\TintraProbeLock_" + std::to_wstring(pid); }

// Fields are tab-separated and items one a line, so text is escaped.
inline std::string Escape(const std::string& s) {
  std::string r;
  r.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '\\':
        r += "\\\\";
        break;
      case '\t':
        r += "\\t";
        break;
      case '\n':
        r += "\\n";
        break;
      case '\r':
        r += "\\r";
        break;
      default:
        r += c;
    }
  }
  return r;
}

inline std::string ToUtf8(const wchar_t* s, int len = -1) {
  if (!s) return {};
  if (len < 0) len = static_cast<int>(wcslen(s));
  if (len == 0) return {};
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s, len, nullptr, 0, nullptr, nullptr);
  std::string r(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, s, len, r.data(), n, nullptr, nullptr);
  return r;
}

inline std::string Field(const wchar_t* s, int len = -1) { return Escape(ToUtf8(s, len)); }

// Window handles are 32-bit values under Wine, also in a 64-bit process.
inline std::string Hex(ULONGLONG v) {
  static const char digits[] = "0123456789ABCDEF";
  std::string r;
  do {
    r.insert(r.begin(), digits[v & 15]);
    v >>= 4;
  } while (v);
  while (r.size() < 8) r.insert(r.begin(), '0');
  return "0x" + r;
}

}  // namespace probe
