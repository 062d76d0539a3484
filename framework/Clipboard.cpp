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

namespace {

TUniqueGlobal TextBlock(const void* data, std::size_t bytes, std::size_t zeroBytes) {
  TUniqueGlobal block(GlobalAllocK(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + zeroBytes));
  TGlobalLock<char> locked(block.Get());
  if (!locked) throw Exception(L"ClipboardSetText: GlobalLock failed");
  if (bytes > 0) std::memcpy(locked.Get(), data, bytes);
  return block;
}

}  // namespace

void ClipboardSetUnicodeText(HWND owner, std::wstring_view text) {
  TUniqueGlobal wide = TextBlock(text.data(), text.size() * sizeof(wchar_t), sizeof(wchar_t));
  // The ANSI text is converted here, not narrowed: "≈" must not become a
  // stray letter for a program that reads CF_TEXT.
  std::string ansi;
  if (!text.empty()) {
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr);
    if (n <= 0) throw Exception(L"ClipboardSetText: WideCharToMultiByte failed");
    ansi.resize(static_cast<std::size_t>(n));
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr, nullptr);
  }
  TUniqueGlobal narrow = TextBlock(ansi.data(), ansi.size(), 1);
  TClipboardScope clipboard(owner);
  if (!::EmptyClipboard()) throw Exception(L"ClipboardSetText: EmptyClipboard failed");
  if (!::SetClipboardData(CF_UNICODETEXT, wide.Get())) throw Exception(L"ClipboardSetText: SetClipboardData failed");
  wide.Release();
  if (!::SetClipboardData(CF_TEXT, narrow.Get())) throw Exception(L"ClipboardSetText: SetClipboardData failed");
  narrow.Release();
}

std::wstring ClipboardGetUnicodeText(HWND owner) {
  TClipboardScope clipboard(owner);
  HANDLE mem = ::GetClipboardData(CF_UNICODETEXT);
  if (!mem) return {};
  TGlobalLock<const wchar_t> data(mem);
  if (!data) return {};
  const std::size_t chars = ::GlobalSize(mem) / sizeof(wchar_t);
  const wchar_t* begin = data.Get();
  std::size_t length = 0;
  while (length < chars && begin[length] != L'\0') ++length;
  return std::wstring(begin, length);
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
