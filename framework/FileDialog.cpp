#include "framework/FileDialog.h"

#include <vector>

#include "core/support/Exception.h"
#include "framework/support/uSystemProc.h"

namespace fw {

namespace {

// Paths may be long (\\?\ names); the dialog refuses to return more than it is given.
constexpr DWORD kNameChars = 32768;

// comdlg32 is loaded when a file dialog first opens, not at start-up.
template <typename F>
F* Dialogs(const char* name) {
  F* const proc = SystemProc<F>(L"comdlg32.dll", name);
  if (!proc) throw Exception(L"TFileDialog: comdlg32 is missing");
  return proc;
}

// The dialog wants the pairs zero-separated and ended by two zeros.
std::wstring NativeFilter(const std::wstring& filter) {
  if (filter.empty()) return {};
  std::wstring native = filter;
  for (wchar_t& c : native)
    if (c == L'|') c = L'\0';
  native.push_back(L'\0');
  native.push_back(L'\0');
  return native;
}

}  // namespace

bool TFileDialog::Execute(HWND owner) {
  std::vector<wchar_t> name(kNameChars, L'\0');
  FFileName.copy(name.data(), name.size() - 1);
  const std::wstring filter = NativeFilter(FFilter);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = FFilterIndex;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = kNameChars;
  ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
  ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
  ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
  // No change of the current folder: a relative name given later must not
  // depend on where the user last browsed.
  ofn.Flags = FOptions | OFN_EXPLORER | OFN_NOCHANGEDIR;

  if (!Show(ofn)) {
    static auto* const extendedError = Dialogs<decltype(::CommDlgExtendedError)>("CommDlgExtendedError");
    if (DWORD error = extendedError())
      throw Exception(L"TFileDialog.Execute: dialog error " + std::to_wstring(error));
    return false;
  }
  FFileName = name.data();
  FFilterIndex = ofn.nFilterIndex;
  return true;
}

BOOL TOpenDialog::Show(OPENFILENAMEW& ofn) {
  static auto* const open = Dialogs<decltype(::GetOpenFileNameW)>("GetOpenFileNameW");
  return open(&ofn);
}

BOOL TSaveDialog::Show(OPENFILENAMEW& ofn) {
  static auto* const save = Dialogs<decltype(::GetSaveFileNameW)>("GetSaveFileNameW");
  return save(&ofn);
}

}  // namespace fw
