// Start-up, the settings kept in the registry, and shutdown of the main window.
#include <windows.h>

#include <cstdlib>
#include <cwctype>

#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "core/shell/uIntToken.h"
#include "framework/support/uAppMessage.h"
#include "framework/support/uRegistry.h"
#include "core/support/uStrings.h"

namespace {

const wchar_t kDepthWarning[] =
    L"デスクトップ画面の色数が２４ビット以下なので、表示されている色を正確に取得できない可能性があります。";

// The column widths of the list as designed, for when the list is not there
// to say (the row-number column's 32 is applied by DefaultColumnLayout).
constexpr std::array<std::int32_t, kListColumnCount> kDesignedColumnWidths{32, 32, 70, 32, 30, 30, 64};

// The runtime's own split of the command line: CommandLineToArgvW would load
// shell32, which alone costs Wine a good part of the start-up.
std::vector<std::wstring> ProgramArguments() {
  std::vector<std::wstring> args;
  if (!__wargv) return args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__wargv[i]);
  return args;
}

bool SkipsLastFile(const std::vector<std::wstring>& args) {
  if (args.empty()) return false;
  std::wstring first = args.front();
  for (wchar_t& c : first) c = static_cast<wchar_t>(std::towlower(c));
  return first == L"-n";
}

}  // namespace

int TfrmTintra::DesktopColorBits() {
  fw::TWindowDC dc(nullptr);
  if (!dc) return 32;
  return ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES);
}

void TfrmTintra::WireLifecycle() {
  Arguments = ProgramArguments();
  AppMessage = &ShowAppMessage;

  AppProperty.SetTitle(L"Tintra");
  AppProperty.SetHintColor(::GetSysColor(COLOR_INFOBK));
  AppProperty.SetHintPause(500);
  AppProperty.SetHintShortPause(0);
  AppProperty.SetHintHidePause(2500);
  AppProperty.SetShowHint(true);
  RestorePos.SetRegistryName(L"PosMain");

  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  OnShow = [this](fw::TObject* s) { FormShow(s); };
  OnResize = [this](fw::TObject* s) { FormResize(s); };
  OnCloseQuery = [this](fw::TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
  OnClose = [this](fw::TObject* s) { FormClose(s); };
  OnDestroy = [this](fw::TObject* s) { FormDestroy(s); };
  actStayOnTop.OnExecute = [this](fw::TObject* s) { actStayOnTopExecute(s); };
}

void TfrmTintra::FormCreate(fw::TObject*) {
  CreateComponents();

  for (auto& a : ActionList.Actions()) a->SetHint(StripAccelerator(a->Caption()));

  const TColumnLayout designed = Hooks.ListColumns
                                     ? Hooks.ListColumns().value_or(DefaultColumnLayout(kDesignedColumnWidths))
                                     : DefaultColumnLayout(kDesignedColumnWidths);
  const std::wstring stored = SettingsKey.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"Columns");
  const TColumnLayout layout = ParseColumnLayout(stored, DefaultColumnLayout(designed.Widths));

  if (Hooks.LoadRecentFiles) Hooks.LoadRecentFiles(SettingsKey);
  const std::wstring hexOrder = SettingsKey.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"HexOrder");
  // One byte, as the setting has always been kept.
  if (Hooks.SetHexOrder) Hooks.SetHexOrder(static_cast<std::uint8_t>(TextToInt(hexOrder).value_or(0)));

  if (Hooks.SetListColumns) Hooks.SetListColumns(layout);

  if (Hooks.SetDocumentRegistryKey) Hooks.SetDocumentRegistryKey(SettingsKey);
  RestorePos.SetRegistryKey(SettingsKey);

  if (Hooks.DocumentClear) Hooks.DocumentClear();
}

void TfrmTintra::FormShow(fw::TObject*) {
  UpdateFromRGB();

  if (!SkipsLastFile(Arguments) && !SettingsKey.empty()) {
    const std::wstring lastFile = GetRegistryLongVal(HKEY_CURRENT_USER, SettingsKey, L"LastFile");
    // A file moved or deleted since is reported, and the start-up goes on:
    // the magnifier state, its cursor and the drop target must not depend on it.
    if (!lastFile.empty() && Hooks.DocumentLoadFromFile) fw::Guarded([&] { Hooks.DocumentLoadFromFile(lastFile); });
  }

  if (!SettingsKey.empty() && GetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"ZoomWindow") == L"0") actZoom.Execute();

  Sampler.pboxZoom.SetCursor(fw::CursorEntry(crSpoit));

  if (Hooks.RegisterDropTarget) fw::Guarded([&] { Hooks.RegisterDropTarget(); });

  if (ScreenColorBits() < 24 && AppMessage) AppMessage(kDepthWarning);
}

void TfrmTintra::FormResize(fw::TObject*) {
  if (Hooks.FitCommentColumn) Hooks.FitCommentColumn();
}

void TfrmTintra::actStayOnTopExecute(fw::TObject*) {
  FStayOnTop = !FStayOnTop;
  actStayOnTop.SetChecked(FStayOnTop);
  ::SetWindowPos(Handle(), FStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// From here on every step is guarded on its own: a registry that refuses a
// write is reported, and the window still closes and the process still ends.

void TfrmTintra::FormCloseQuery(fw::TObject*, bool& canClose) {
  // A comment still in the editor belongs to the document that may be saved now.
  fw::Guarded([&] { EndListEdit(); });
  canClose = true;
  if (Hooks.DocumentCloseQuery) {
    canClose = false;
    fw::Guarded([&] { canClose = Hooks.DocumentCloseQuery(); });
  }
  if (!canClose || SettingsKey.empty()) return;
  fw::Guarded(
      [&] { SetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"ZoomWindow", Sampler.pnlZoom.Visible() ? L"1" : L"0"); });
  fw::Guarded([&] {
    if (!Hooks.ListColumns) return;
    if (const std::optional<TColumnLayout> layout = Hooks.ListColumns())
      SetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"Columns", ColumnLayoutText(*layout));
  });
}

void TfrmTintra::FormClose(fw::TObject*) {
  if (SettingsKey.empty() || !Hooks.DocumentFileName) return;
  fw::Guarded([&] {
    const std::wstring fileName = Hooks.DocumentFileName();
    if (!fileName.empty()) SetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"LastFile", fileName);
  });
}

void TfrmTintra::FormDestroy(fw::TObject*) {
  DetachList();
  if (!SettingsKey.empty()) {
    if (Hooks.SaveRecentFiles) fw::Guarded([&] { Hooks.SaveRecentFiles(SettingsKey); });
    fw::Guarded([&] {
      if (!Hooks.HexOrder) return;
      if (const std::optional<std::uint8_t> order = Hooks.HexOrder())
        SetRegistryVal(HKEY_CURRENT_USER, SettingsKey, L"HexOrder", std::to_wstring(*order));
    });
  }
  if (Hooks.RevokeDropTarget) fw::Guarded([&] { Hooks.RevokeDropTarget(); });
  fw::Guarded([&] { RestorePos.SavePosition(false); });
  fw::Guarded([&] { Sampler.FreeZoomPicture(); });
}
