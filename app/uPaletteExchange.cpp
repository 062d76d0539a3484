#include "app/uPaletteExchange.h"

#include <algorithm>
#include <array>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "framework/Application.h"
#include "framework/FileDialog.h"
#include "framework/Handles.h"
#include "core/support/uStrings.h"

namespace {

// The export type list's order.
constexpr std::array kExportFormats{TPaletteFormat::Gpl, TPaletteFormat::Css, TPaletteFormat::Json,
                                    TPaletteFormat::Ase};
constexpr std::array<const wchar_t*, 4> kExportExtensions{L".gpl", L".css", L".json", L".ase"};

struct TFileTraits {
  using THandle = HANDLE;
  static THandle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(THandle h) noexcept { ::CloseHandle(h); }
};
using TUniqueFile = fw::TUniqueHandle<TFileTraits>;

std::wstring::size_type NamePartStart(const std::wstring& fileName) {
  const auto slash = fileName.find_last_of(L"\\/:");
  return slash == std::wstring::npos ? 0 : slash + 1;
}

bool HasExtension(const std::wstring& fileName) {
  const auto dot = fileName.rfind(L'.');
  return dot != std::wstring::npos && dot > NamePartStart(fileName);
}

// The palette's own name: the file's name without folder and extension.
std::wstring PaletteName(const std::wstring& fileName) {
  std::wstring name = fileName.substr(NamePartStart(fileName));
  if (const auto dot = name.rfind(L'.'); dot != std::wstring::npos && dot > 0) name.resize(dot);
  return name;
}

bool WriteAll(const std::wstring& name, const std::string& bytes) {
  TUniqueFile file(
      ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  if (!::FlushFileBuffers(file.Get())) return false;
  // A full disk may show only when the cached data goes out at close.
  return ::CloseHandle(file.Release()) != 0;
}

// The whole file is written beside name and then renamed over it: a failed
// write leaves an existing file as it was and no part of the new one.
bool WriteFileSafely(const std::wstring& name, const std::string& bytes) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  std::wstring dir = name.substr(0, NamePartStart(name));
  if (dir.empty()) dir = L".";
  wchar_t temp[MAX_PATH + 16] = {};
  if (dir.size() >= MAX_PATH - 14 || !::GetTempFileNameW(dir.c_str(), L"ttr", 0, temp)) return false;
  if (WriteAll(temp, bytes) && ::MoveFileExW(temp, name.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  ::DeleteFileW(temp);
  return false;
}

// At most one byte over the limit is read: the importer refuses the rest by size.
std::optional<std::string> ReadLimited(const std::wstring& name) {
  TUniqueFile file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, got);
    if (bytes.size() > kMaxPaletteBytes) break;
  }
  return bytes;
}

std::optional<TPaletteFileChoice> ChooseWithDialog(HWND owner, bool forSave) {
  if (forSave) {
    fw::TSaveDialog dialog;
    dialog.SetFilter(UiText(IDS_FILTER_EXPORT));
    dialog.SetDefaultExt(L"gpl");
    dialog.SetOptions(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_ENABLESIZING);
    if (!dialog.Execute(owner)) return std::nullopt;
    return TPaletteFileChoice{dialog.FileName(), static_cast<int>(dialog.FilterIndex())};
  }
  fw::TOpenDialog dialog;
  dialog.SetFilter(UiText(IDS_FILTER_IMPORT));
  dialog.SetOptions(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING);
  if (!dialog.Execute(owner)) return std::nullopt;
  return TPaletteFileChoice{dialog.FileName(), static_cast<int>(dialog.FilterIndex())};
}

}  // namespace

TPaletteExchange::TPaletteExchange(fw::TActionList& actions, TColorListPanel& list, TChoosePaletteFile choose)
    : actExport(actions.Add(L"actExportPalette")),
      actImport(actions.Add(L"actImportPalette")),
      FList(list),
      FChoose(choose ? std::move(choose) : TChoosePaletteFile(ChooseWithDialog)) {
  actImport.SetCategory(L"010_ファイル");
  actImport.SetCaption(UiText(IDS_ACT_IMPORT));
  actImport.OnExecute = [this](fw::TObject*) {
    FList.EndListEdit();
    if (const auto choice = FChoose(fw::Application().MainFormHandle(), false)) ImportFrom(choice->FileName);
  };
  actExport.SetCategory(L"010_ファイル");
  actExport.SetCaption(UiText(IDS_ACT_EXPORT));
  actExport.OnExecute = [this](fw::TObject*) {
    FList.EndListEdit();
    if (const auto choice = FChoose(fw::Application().MainFormHandle(), true)) ExportTo(*choice);
  };
}

void TPaletteExchange::AddToMenu(fw::TMenuItem& menu) {
  menu.AddSeparator();
  menu.AddAction(actImport);
  menu.AddAction(actExport);
}

std::pair<TPaletteFormat, std::wstring> TPaletteExchange::ExportTarget(const TPaletteFileChoice& choice) {
  // .txt reads as text with hex colours but is no type written.
  if (HasExtension(choice.FileName)) {
    const std::wstring_view ext = std::wstring_view(choice.FileName).substr(choice.FileName.rfind(L'.'));
    for (std::size_t i = 0; i < kExportExtensions.size(); ++i)
      if (AsciiEqualNoCase(ext, kExportExtensions[i])) return {kExportFormats[i], choice.FileName};
  }
  const std::size_t listed = choice.FilterIndex >= 1 && choice.FilterIndex <= static_cast<int>(kExportFormats.size())
                                 ? choice.FilterIndex - 1
                                 : 0;
  std::wstring name = choice.FileName;
  if (!HasExtension(name)) name += kExportExtensions[listed];
  return {kExportFormats[listed], name};
}

bool TPaletteExchange::ExportTo(const TPaletteFileChoice& choice) {
  const auto [format, name] = ExportTarget(choice);
  const std::vector<TPaletteEntry> rows = FList.Rows();
  const std::string bytes = ExportPalette(format, rows, PaletteName(name));
  if (WriteFileSafely(name, bytes)) return true;
  ShowError(UiText(IDS_EXPORT_FAILED, name));
  return false;
}

bool TPaletteExchange::ImportFrom(const std::wstring& fileName) {
  std::wstring reason;
  const auto format = PaletteFormatFromFileName(fileName);
  if (!format) {
    reason = UiText(IDS_PALETTE_UNKNOWN_TYPE);
  } else if (const auto bytes = ReadLimited(fileName); !bytes) {
    reason = UiText(IDS_PALETTE_UNREADABLE);
  } else {
    const TPaletteImport imported = ImportPalette(*format, *bytes);
    if (imported.Ok() && !imported.entries.empty()) {
      FList.AppendColors(imported.entries, IDS_STEP_IMPORT);
      return true;
    }
    // A palette without colours is read fine, but the user expected some.
    reason = imported.Ok() ? UiText(IDS_PALETTE_NO_COLORS) : imported.error;
  }
  ShowError(UiText(IDS_IMPORT_FAILED, fileName) + L"\n" + reason);
  return false;
}

void TPaletteExchange::ShowError(const std::wstring& text) {
  const HWND owner = fw::Application().MainFormHandle();
  const std::wstring& caption = fw::Application().Title();
  if (ShowMessageBox)
    ShowMessageBox(owner, text, caption, MB_OK | MB_ICONWARNING);
  else
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
}
