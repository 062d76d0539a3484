// Start-up, the settings kept in the registry, and shutdown of the main window.
#include <windows.h>

#include <optional>

#include "app/ufrmTintra.h"
#include "app/uUiText.h"
#include "app/resources/StringIds.h"
#include "core/shell/uIntToken.h"
#include "framework/support/uStartupTrace.h"
#include "core/support/uStrings.h"
#include "framework/Application.h"
#include "framework/Cursors.h"
#include "framework/Handles.h"
#include "framework/support/uAppMessage.h"
#include "framework/support/uRegistry.h"

namespace {

constexpr UINT kWmRecover = WM_APP + 0x52;
// A timer comes after the paint messages: what the first sight of the
// window does not need waits for it.
constexpr UINT_PTR kAfterShowTimer = 0x7154;

bool SkipsLastFile(const std::vector<std::wstring>& args) {
  if (args.empty()) return false;
  return AsciiEqualNoCase(args.front(), L"-n");
}

}  // namespace

int DesktopColorBits() {
  fw::TWindowDC dc(nullptr);
  if (!dc) return 32;
  return ::GetDeviceCaps(dc.Get(), BITSPIXEL) * ::GetDeviceCaps(dc.Get(), PLANES);
}

void TfrmTintra::FormCreate(fw::TObject*) {
  fw::StartupPhase("main window's handle");
  CreateComponents();
  // Before the stored position and columns, which are kept at 96 DPI.
  ApplyMonitorDpi();

  for (auto& a : ActionList.Actions()) a->SetHint(HintOfCaption(a->Caption(), UiLanguage()));
  // A new language needs a new start: the menus and the layout are made once.
  for (fw::TAction* a : {&actLangAuto, &actLangJapanese, &actLangEnglish})
    a->SetHint(UiText(IDS_LANGUAGE_HINT, HintOfCaption(a->Caption(), UiLanguage())));
  ShowLanguageSetting();
  fw::StartupPhase("hints");

  const std::wstring& key = FOptions.SettingsKey;
  const std::wstring stored = key.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, key, L"Columns");
  const TColumnLayout layout = ParseColumnLayout(stored, TColorListPanel::DesignedColumns());

  Documents.LoadRecentFiles(key);
  fw::Guarded([&] { CopyFormats.LoadSettings(key); });
  fw::Guarded([&] { Contrast.LoadSettings(key); });
  fw::Guarded([&] { ColorVision.LoadSettings(key); });
  const std::wstring hexOrder = key.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, key, L"HexOrder");
  // One byte, as the setting has always been kept.
  ColorList.SetHexOrder(static_cast<std::uint8_t>(TextToInt(hexOrder).value_or(0)));
  ColorList.SetListColumns(layout);

  Documents.Document.SetRegistryKey(key);
  RestorePos.SetRegistryKey(key);
  PickOptions.Load(key);
  fw::Guarded([&] { Pick.LoadSettings(key); });
  fw::Guarded([&] { TrayIcon.LoadSettings(*this, key); });

  Documents.Clear();
  fw::StartupPhase("settings read");
}

void TfrmTintra::FormShow(fw::TObject*) {
  const std::wstring& key = FOptions.SettingsKey;
  fw::StartupPhase("shown on the screen");
  ChannelPanel.UpdateFromRGB();
  fw::StartupPhase("colour shown");

  // A list a crash left behind comes before the last file, -n or not; it
  // is asked about once the window shows.
  if (!Recovery.Orphans().empty())
    ::PostMessageW(Handle(), kWmRecover, 0, 0);
  else
    OpenLastFile();

  if (!key.empty() && GetRegistryVal(HKEY_CURRENT_USER, key, L"ZoomWindow") == L"0") actZoom.Execute();

  Sampler.pboxZoom.SetCursor(fw::CursorEntry(crSpoit));
  fw::StartupPhase("last file");
  ::SetTimer(Handle(), kAfterShowTimer, USER_TIMER_MINIMUM, nullptr);

  const int bits = FOptions.ScreenColorBits ? FOptions.ScreenColorBits() : DesktopColorBits();
  if (bits >= 24) return;
  const std::wstring warning = UiText(IDS_DEPTH_WARNING);
  if (FOptions.ShowMessage)
    FOptions.ShowMessage(warning);
  else
    ShowAppMessage(warning);
}

void TfrmTintra::OpenLastFile() {
  const std::wstring& key = FOptions.SettingsKey;
  if (SkipsLastFile(FOptions.Arguments) || key.empty()) return;
  const std::wstring lastFile = GetRegistryLongVal(HKEY_CURRENT_USER, key, L"LastFile");
  // A file moved or deleted since is reported, and the start-up goes on:
  // the magnifier state, its cursor and the drop target must not depend on it.
  if (!lastFile.empty()) fw::Guarded([&] { Documents.Document.LoadFromFile(lastFile); });
}

bool TfrmTintra::RestoreRecoveredList() {
  const std::wstring& title = fw::Application().Title();
  TDocument& document = Documents.Document;
  for (const std::wstring& file : Recovery.Orphans()) {
    std::optional<TRecoveredList> list = TListRecovery::Read(file);
    if (!list) {
      // Never deleted unseen: the user may still get at it by hand.
      const std::wstring aside = TListRecovery::BadName(file);
      ::MoveFileExW(file.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING);
      document.ShowMessageBox(Handle(), UiText(IDS_RECOVERY_BAD, {{L"{0}", file}, {L"{1}", aside}}), title,
                              MB_OK | MB_ICONWARNING);
      continue;
    }
    if (list->Items.empty()) {
      ::DeleteFileW(file.c_str());
      continue;
    }
    const std::wstring count = std::to_wstring(list->Items.size());
    const std::wstring name = DocumentShownName(list->FileName, UiDocumentTexts());
    const std::wstring question = UiText(IDS_RECOVERY_ASK, {{L"{n}", count}, {L"{name}", name}});
    if (document.ShowMessageBox(Handle(), question, title, MB_YESNO | MB_ICONQUESTION) != IDYES) {
      ::DeleteFileW(file.c_str());
      continue;
    }
    // Ours from now on, so that it never is on disk under no name.
    Recovery.Adopt(file);
    ColorList.ReplaceItems(std::move(list->Items), list->Current);
    document.SetFileName(list->FileName);
    document.SetModified(true);
    UpdateCaption();
    KeepForRecovery();
    return true;
  }
  return false;
}

void TfrmTintra::ShowLanguageSetting() {
  const std::wstring& key = FOptions.SettingsKey;
  const std::wstring stored = key.empty() ? L"" : GetRegistryVal(HKEY_CURRENT_USER, key, L"Language");
  switch (ParseUiLanguageSetting(stored)) {
    case TUiLanguageSetting::Auto:
      actLangAuto.SetChecked(true);
      break;
    case TUiLanguageSetting::Japanese:
      actLangJapanese.SetChecked(true);
      break;
    case TUiLanguageSetting::English:
      actLangEnglish.SetChecked(true);
      break;
  }
}

void TfrmTintra::ChooseLanguage(TUiLanguageSetting setting) {
  const std::wstring& key = FOptions.SettingsKey;
  if (!key.empty())
    SetRegistryVal(HKEY_CURRENT_USER, key, L"Language", std::to_wstring(static_cast<std::int32_t>(setting)));
  ShowLanguageSetting();
  const std::wstring note = UiText(IDS_LANGUAGE_CHANGED);
  if (FOptions.ShowLanguageNote)
    FOptions.ShowLanguageNote(note);
  else
    ShowAppMessage(note);
}

void TfrmTintra::FormResize(fw::TObject*) { ColorList.FitCommentColumn(); }

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
  fw::Guarded([&] { ColorList.EndListEdit(); });
  canClose = false;
  fw::Guarded([&] { canClose = Documents.Document.CloseQuery(); });
  const std::wstring& key = FOptions.SettingsKey;
  if (!canClose || key.empty()) return;
  fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, key, L"ZoomWindow", Sampler.pnlZoom.Visible() ? L"1" : L"0"); });
  fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, key, L"Columns", ColumnLayoutText(ColorList.ListColumns())); });
}

void TfrmTintra::FormClose(fw::TObject*) {
  const std::wstring& key = FOptions.SettingsKey;
  if (key.empty()) return;
  fw::Guarded([&] {
    const std::wstring& fileName = Documents.Document.FileName();
    if (!fileName.empty()) SetRegistryVal(HKEY_CURRENT_USER, key, L"LastFile", fileName);
  });
}

void TfrmTintra::FormDestroy(fw::TObject*) {
  ColorList.Detach();
  // A clean end: nothing is left to recover.
  Recovery.Forget();
  Recovery.Flush();
  const std::wstring& key = FOptions.SettingsKey;
  if (!key.empty()) {
    fw::Guarded([&] { Documents.SaveRecentFiles(key); });
    fw::Guarded([&] { Contrast.SaveSettings(); });
    fw::Guarded([&] { SetRegistryVal(HKEY_CURRENT_USER, key, L"HexOrder", std::to_wstring(ColorList.HexOrder())); });
  }
  fw::Guarded([&] { PickOptions.SaveAndRelease(key); });
  Documents.RevokeDropTarget();
  fw::Guarded([&] { RestorePos.SavePosition(false); });
  fw::Guarded([&] { Sampler.FreeZoomPicture(); });
}

bool TfrmTintra::PreTranslateMessage(MSG& msg) {
  return PickOptions.PreTranslateMessage(msg) || PaneKey(msg) || fw::TForm::PreTranslateMessage(msg);
}

bool TfrmTintra::PaneKey(const MSG& msg) {
  if (!Handle() || (msg.hwnd != Handle() && !::IsChild(Handle(), msg.hwnd))) return false;
  const HWND grid = ColorList.gridItem.Handle();
  const bool inList = grid && (msg.hwnd == grid || ::IsChild(grid, msg.hwnd));
  // Alt+Up and Alt+Down move the current row, as the move commands do; an
  // open cell editor keeps them (a drop-down list opens with Alt+Down).
  if (msg.message == WM_SYSKEYDOWN && (msg.wParam == VK_UP || msg.wParam == VK_DOWN) && msg.hwnd == grid) {
    (msg.wParam == VK_UP ? act1Up : act1Down).Execute();
    return true;
  }
  // F6 moves between the list and the channel panel, where the focus was last.
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F6 || ::GetKeyState(VK_CONTROL) < 0) return false;
  fw::ShowFocusCues(Handle());
  if (inList) {
    HWND back = FPanelFocus && ::IsWindow(FPanelFocus) && ::IsWindowVisible(FPanelFocus) ? FPanelFocus
                                                                                          : ChannelPanel.edtRed.Handle();
    ::SetFocus(back);
  } else {
    if (const HWND focus = ::GetFocus(); focus && ::IsChild(Handle(), focus)) FPanelFocus = focus;
    ColorList.gridItem.SetFocus();
  }
  return true;
}

void TfrmTintra::FormDpiChange(fw::TObject*) {
  ColorList.DpiChanged();
  ColorName.DpiChanged();
  Sampler.SetViewDpi(Dpi());
}

LRESULT TfrmTintra::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT && !FPainted) {
    FPainted = true;
    const LRESULT result = fw::TForm::WndProc(msg, wParam, lParam);
    fw::StartupTraceDone();
    return result;
  }
  if (msg == WM_TIMER && wParam == kAfterShowTimer) {
    ::KillTimer(Handle(), kAfterShowTimer);
    // Nothing can be dropped on a window before it is seen.
    fw::Guarded([&] { Documents.RegisterDropTarget(Handle()); });
    return 0;
  }
  if (msg == WM_DISPLAYCHANGE) {
    // Monitors came, went or moved: the eyedropper must not pick from stale bounds.
    fw::Guarded([&] { Sampler.RefreshMonitors(); });
    return fw::TForm::WndProc(msg, wParam, lParam);
  }
  if (msg == kWmRecover) {
    bool restored = false;
    fw::Guarded([&] { restored = RestoreRecoveredList(); });
    if (!restored) OpenLastFile();
    return 0;
  }
  LRESULT result = 0;
  bool taken = false;
  fw::Guarded([&] { taken = TrayIcon.WindowMessage(msg, wParam, lParam, result); });
  if (taken) return result;
  if (msg != WM_HOTKEY) return fw::TForm::WndProc(msg, wParam, lParam);
  fw::Guarded([&] { PickOptions.WmHotKey(wParam); });
  return 0;
}
