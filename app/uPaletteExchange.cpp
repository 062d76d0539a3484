#include "app/uPaletteExchange.h"

#include <algorithm>
#include <array>

#include "app/resources/StringIds.h"
#include "app/uUiText.h"
#include "framework/Application.h"
#include "framework/FileDialog.h"
#include "core/colorout/uColorChannels.h"
#include "core/document/uDocumentState.h"
#include "core/shell/uUiLanguage.h"
#include "framework/Handles.h"
#include "framework/support/uSafeFile.h"
#include "core/support/uStrings.h"

namespace {

// The export type list's order.
constexpr std::array kExportFormats{TPaletteFormat::Gpl, TPaletteFormat::Css, TPaletteFormat::Json,
                                    TPaletteFormat::Ase};
constexpr std::array<const wchar_t*, 4> kExportExtensions{L".gpl", L".css", L".json", L".ase"};


std::optional<TPaletteFileChoice> ChooseWithDialog(HWND owner, bool forSave) {
  if (forSave) {
    fw::TSaveDialog dialog;
    // Named after the command, not the system's "Save As".
    dialog.SetTitle(HintOfCaption(UiText(IDS_ACT_EXPORT), UiLanguage()));
    dialog.SetFilter(UiText(IDS_FILTER_EXPORT));
    dialog.SetDefaultExt(L"gpl");
    dialog.SetOptions(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN | OFN_ENABLESIZING);
    if (!dialog.Execute(owner)) return std::nullopt;
    return TPaletteFileChoice{dialog.FileName(), static_cast<int>(dialog.FilterIndex())};
  }
  fw::TOpenDialog dialog;
  dialog.SetTitle(HintOfCaption(UiText(IDS_ACT_IMPORT), UiLanguage()));
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
  if (HasFileExtension(choice.FileName)) {
    const std::wstring_view ext = std::wstring_view(choice.FileName).substr(choice.FileName.rfind(L'.'));
    for (std::size_t i = 0; i < kExportExtensions.size(); ++i)
      if (AsciiEqualNoCase(ext, kExportExtensions[i])) return {kExportFormats[i], choice.FileName};
  }
  const std::size_t listed = choice.FilterIndex >= 1 && choice.FilterIndex <= static_cast<int>(kExportFormats.size())
                                 ? choice.FilterIndex - 1
                                 : 0;
  std::wstring name = choice.FileName;
  if (!HasFileExtension(name)) name += kExportExtensions[listed];
  return {kExportFormats[listed], name};
}

bool TPaletteExchange::ExportTo(const TPaletteFileChoice& choice) {
  const auto [format, name] = ExportTarget(choice);
  const std::vector<TPaletteEntry> rows = FList.Rows();
  // The palette's own name: the file's name without folder and extension.
  const std::string bytes = ExportPalette(format, rows, ExtractFileTitle(name));
  if (fw::ReplaceFileWhole(name, bytes.data(), bytes.size())) return true;
  ShowError(UiText(IDS_EXPORT_FAILED, name));
  return false;
}

TPaletteImport TPaletteExchange::Read(const std::wstring& fileName, TPaletteFormat format) const {
  // A little over the limit is read: the importer refuses the rest by size.
  const auto bytes = fw::ReadFileBytes(fileName, kMaxPaletteBytes);
  if (!bytes) return {{}, UiText(IDS_PALETTE_UNREADABLE)};
  TPaletteImport imported = ImportPalette(format, *bytes);
  // A palette without colours is read fine, but the user expected some.
  if (imported.Ok() && imported.entries.empty()) imported.error = UiText(IDS_PALETTE_NO_COLORS);
  return imported;
}

bool TPaletteExchange::ImportFrom(const std::wstring& fileName) {
  const auto format = PaletteFormatFromFileName(fileName);
  const TPaletteImport imported = format ? Read(fileName, *format) : TPaletteImport{{}, UiText(IDS_PALETTE_UNKNOWN_TYPE)};
  if (imported.Ok()) {
    FList.AppendColors(imported.entries, IDS_STEP_IMPORT);
    // Lines that gave no colour are not lost silently: the summary counts them.
    if (imported.skippedLines > 0)
      ShowMessage(UiText(IDS_IMPORT_SKIPPED, {{L"{n}", std::to_wstring(imported.entries.size())},
                                              {L"{m}", std::to_wstring(imported.skippedLines)}}),
                  MB_OK | MB_ICONINFORMATION);
    return true;
  }
  ShowError(UiText(IDS_IMPORT_FAILED, fileName) + L"\n" + imported.error);
  return false;
}

bool TPaletteExchange::OpenAsList(const std::wstring& fileName) {
  // A .txt is the list's own type, whatever colours it may hold.
  const auto format = PaletteFormatFromFileName(fileName);
  if (!format || AsciiEndsWithNoCase(fileName, L".txt")) return false;
  const TPaletteImport imported = Read(fileName, *format);
  if (!imported.Ok()) return false;
  std::vector<TColorListItem> items;
  items.reserve(imported.entries.size());
  for (const TPaletteEntry& entry : imported.entries)
    items.push_back({RedOf(entry.color), GreenOf(entry.color), BlueOf(entry.color), entry.comment});
  FList.ReplaceItems(std::move(items));
  return true;
}

void TPaletteExchange::ShowError(const std::wstring& text) { ShowMessage(text, MB_OK | MB_ICONWARNING); }

void TPaletteExchange::ShowMessage(const std::wstring& text, UINT type) {
  const HWND owner = fw::Application().MainFormHandle();
  const std::wstring& caption = fw::Application().Title();
  if (ShowMessageBox)
    ShowMessageBox(owner, text, caption, type);
  else
    ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}
