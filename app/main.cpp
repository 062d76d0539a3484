#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/document/uListRecovery.h"
#include "app/ole/uOLE2Color.h"
#include "app/uCommandLinePick.h"
#include "app/uProgramResources.h"
#include "app/uRunMainForm.h"
#include "app/uUiText.h"
#include "app/ufrmTintra.h"
#include "framework/Application.h"
#include "framework/support/uAppMessage.h"
#include "framework/support/uPortableSettings.h"
#include "framework/support/uStartupTrace.h"

#if defined(__GLIBCXX__) && defined(__MINGW32__)
// The library's own handler prints the escaping exception's demangled type
// to a console this program does not have, and brings the whole demangler
// (46 KB) into the exe for it. Every handler and window procedure is
// guarded already; what still escapes ends the program as abort does.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}
#endif

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\ZORVEK\\Tintra";

// The runtime's own split of the command line: CommandLineToArgvW would load
// shell32, which alone costs Wine a good part of the start-up.
std::vector<std::wstring> ProgramArguments() {
  std::vector<std::wstring> args;
  if (!__wargv) return args;
  for (int i = 1; i < __argc; ++i) args.emplace_back(__wargv[i]);
  return args;
}

// OLE for the user-interface thread, uninitialised on every way out.
class TOleScope {
 public:
  TOleScope() noexcept : FStarted(SUCCEEDED(::OleInitialize(nullptr))) {}
  ~TOleScope() {
    if (FStarted) ::OleUninitialize();
  }
  TOleScope(const TOleScope&) = delete;
  TOleScope& operator=(const TOleScope&) = delete;

 private:
  bool FStarted;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  fw::TApplication& app = fw::Application();
  // One guard over the whole start-up: a failure of any step is shown, not a silent end.
  fw::StartupPhase("process to wWinMain");
  return RunStartUp(app, [&] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    fw::StartupPhase("common controls");
    const TOleScope ole;
    fw::StartupPhase("OLE");
    app.Initialize(instance);
    // Before any setting is read, the language too: a Tintra.ini beside the
    // program takes the registry's place.
    const std::optional<TPortableSettingsNotice> notice = StartPortableSettings(ProgramFilePath(), kSettingsKey);
    SetUiLanguage(ChooseUiLanguage(kSettingsKey));
    InstallProgramResources(instance);
    fw::StartupPhase("settings, language, resources");
    if (notice) ShowAppMessage(UiLanguage() == TUiLanguage::Japanese ? notice->Japanese : notice->English);
    // --pick, --help and their faults end here, without the main window.
    if (const std::optional<int> code = RunCommandLine(ProgramArguments(), kSettingsKey)) return *code;
    return RunMainForm(app, [] {
      // Before any window: a failure ends the program after its message.
      RegisterVelColorFormat();
      TMainWindowOptions options;
      options.SettingsKey = kSettingsKey;
      options.Arguments = ProgramArguments();
      options.RecoveryFolder = DefaultRecoveryFolder();
      return std::make_unique<TfrmTintra>(std::move(options));
    });
  });
}
