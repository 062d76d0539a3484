#pragma once
// The application object: message loop, accelerators, the title used by
// message boxes, and the one place exceptions are shown.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "framework/Window.h"

namespace fw {

// How every tool tip of the program behaves; times in milliseconds.
struct THintSettings {
  COLORREF Color = CLR_INVALID;  // CLR_INVALID: the system's tool-tip colour
  int Pause = 500;
  int ShortPause = 0;
  int HidePause = 2500;
  bool ShowHint = true;
};

// A top-level window that sees its messages before they are dispatched
// (accelerators, dialog keys); true when it consumed the message.
class TMessageFilter {
 public:
  virtual bool PreTranslateMessage(MSG& msg) = 0;

 protected:
  ~TMessageFilter() = default;
};

class TApplication : private TWindowHost {
 public:
  static TApplication& Instance();

  HINSTANCE Handle() const noexcept { return FInstance; }
  void Initialize(HINSTANCE instance);

  // The program's name for message boxes; the program sets it.
  const std::wstring& Title() const noexcept { return FTitle; }
  void SetTitle(std::wstring title) { FTitle = std::move(title); }

  // The icon of the framework's window class; set before the first window
  // is created. Not owned (icons from resources need no clean-up).
  HICON Icon() const noexcept { return FIcon; }
  void SetIcon(HICON icon) noexcept { FIcon = icon; }
  const THintSettings& HintSettings() const noexcept { return FHintSettings; }
  void SetHintSettings(const THintSettings& settings) noexcept { FHintSettings = settings; }
  // Gives a tool-tip control the delays, colour and switch above.
  void ApplyHintSettings(HWND toolTip) const noexcept;

  bool ShowMainForm() const noexcept { return FShowMainForm; }
  void SetShowMainForm(bool show) noexcept { FShowMainForm = show; }

  // Called instead of the message box for an exception that reaches the loop.
  std::function<void(TObject* sender, const std::exception& e)> OnException;

  TWindow* MainForm() const noexcept { return FMainForm; }
  void SetMainForm(TWindow* form) noexcept { FMainForm = form; }
  HWND MainFormHandle() const noexcept;

  // Runs until WM_QUIT and answers its code; an exception escaping a handler
  // is shown and the loop goes on. A message queue that fails is shown and
  // ends the loop with kRunFailed.
  static constexpr int kRunFailed = 1;
  int Run();
  // A modal loop: runs the messages as Run does (accelerators, error
  // display) until done() answers true. WM_QUIT ends it too and is posted
  // again for the loop outside; then the answer is false.
  bool RunModalLoop(const std::function<bool()>& done);
  // Delivers pending messages; tests use it to let posted messages land.
  void ProcessMessages();

  // Shows the current exception (call from a catch block) in a message box.
  void HandleException() noexcept override;
  void ShowException(const std::exception& e) noexcept;

  // Hook for tests: when set, exceptions are passed here instead of a message box.
  void (*OnExceptionHook)(const std::wstring& text) = nullptr;

  // While a modal loop runs (a modal form, a drag, the pop-up), an error is
  // kept instead of shown: a message box inside the loop would run the loop's
  // messages again, and a handler failing on every message would open box
  // after box. The first error is shown once the outermost loop has ended.
  int ModalLevel() const noexcept { return FModalLevel; }
  void BeginModal() noexcept { ++FModalLevel; }
  void EndModal() noexcept;

 private:
  TApplication();
  HINSTANCE ModuleHandle() const noexcept override { return FInstance; }
  HICON WindowIcon() const noexcept override { return FIcon; }
  bool DispatchOne(MSG& msg);
  void Report(const std::wstring& text) noexcept;

  int FModalLevel = 0;
  bool FErrorPending = false;
  std::wstring FPendingError;

  HINSTANCE FInstance = nullptr;
  std::wstring FTitle;
  HICON FIcon = nullptr;
  THintSettings FHintSettings;
  bool FShowMainForm = true;
  TWindow* FMainForm = nullptr;
};

inline TApplication& Application() { return TApplication::Instance(); }

// Marks a modal loop for its lifetime (see TApplication::BeginModal).
class TModalScope {
 public:
  TModalScope() noexcept { Application().BeginModal(); }
  ~TModalScope() { Application().EndModal(); }
  TModalScope(const TModalScope&) = delete;
  TModalScope& operator=(const TModalScope&) = delete;
};

// Runs f; any exception is shown through the application instead of crossing
// a window procedure, COM method or callback.
template <typename F>
void Guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    TApplication::Instance().HandleException();
  }
}

}  // namespace fw
