#pragma once
// The application object: message loop, accelerators, the title used by
// message boxes, and the one place exceptions are shown.
#include <windows.h>

#include <exception>
#include <string>

namespace fw {

class TWindow;

class TApplication {
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

  TWindow* MainForm() const noexcept { return FMainForm; }
  void SetMainForm(TWindow* form) noexcept { FMainForm = form; }
  HWND MainFormHandle() const noexcept;

  // Runs until WM_QUIT; an exception escaping a handler is shown and the loop goes on.
  int Run();
  // Delivers pending messages; tests use it to let posted messages land.
  void ProcessMessages();

  // Shows the current exception (call from a catch block) in a message box.
  void HandleException() noexcept;
  void ShowException(const std::exception& e) noexcept;

  // Hook for tests: when set, exceptions are passed here instead of a message box.
  void (*OnExceptionHook)(const std::wstring& text) = nullptr;

 private:
  TApplication() = default;
  bool DispatchOne(MSG& msg);

  HINSTANCE FInstance = nullptr;
  std::wstring FTitle;
  HICON FIcon = nullptr;
  TWindow* FMainForm = nullptr;
};

inline TApplication& Application() { return TApplication::Instance(); }

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
