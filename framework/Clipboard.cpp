#include "framework/Clipboard.h"

#include <cstring>

#include "core/support/Exception.h"
#include "framework/Handles.h"
#include "framework/support/uGlobalMem.h"

namespace fw {

namespace {
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPause = 20;  // ms
}  // namespace

TClipboardScope::TClipboardScope(HWND owner) {
  for (int attempt = 0;; ++attempt) {
    if (::OpenClipboard(owner)) return;
    if (attempt + 1 >= kOpenAttempts) throw Exception(kClipboardBusyText);
    ::Sleep(kOpenPause);
  }
}

TClipboardScope::~TClipboardScope() { ::CloseClipboard(); }

void ClipboardSetText(HWND owner, std::string_view ansi) {
  TUniqueGlobal block(GlobalAllocK(GMEM_MOVEABLE | GMEM_ZEROINIT, ansi.size() + 1));
  {
    TGlobalLock<char> data(block.Get());
    if (!data) throw Exception(L"ClipboardSetText: GlobalLock failed");
    std::memcpy(data.Get(), ansi.data(), ansi.size());
  }
  TClipboardScope clipboard(owner);
  if (!::EmptyClipboard()) throw Exception(L"ClipboardSetText: EmptyClipboard failed");
  if (!::SetClipboardData(CF_TEXT, block.Get())) throw Exception(L"ClipboardSetText: SetClipboardData failed");
  // The system owns the block now.
  block.Release();
}

std::string ClipboardGetText(HWND owner) {
  TClipboardScope clipboard(owner);
  HANDLE mem = ::GetClipboardData(CF_TEXT);
  return mem ? GlobalText(mem) : std::string();
}

std::string GlobalText(HANDLE mem) {
  TGlobalLock<const char> data(mem);
  if (!data) return {};
  const SIZE_T size = ::GlobalSize(mem);
  const char* begin = data.Get();
  const void* zero = std::memchr(begin, 0, size);
  return std::string(begin, zero ? static_cast<const char*>(zero) : begin + size);
}

}  // namespace fw
