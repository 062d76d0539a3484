#pragma once
// The program's run from the main form's creation to the end of its messages.
#include <memory>

#include "framework/Application.h"
#include "framework/Window.h"
#include "framework/support/uStartupTrace.h"

// The application's main form for a scope. An error report looks up its
// owner through the main form: a form that goes away on the error must have
// left that place first.
class TMainFormScope {
 public:
  TMainFormScope(fw::TApplication& app, fw::TWindow& form) noexcept : FApp(app) { FApp.SetMainForm(&form); }
  ~TMainFormScope() { FApp.SetMainForm(nullptr); }
  TMainFormScope(const TMainFormScope&) = delete;
  TMainFormScope& operator=(const TMainFormScope&) = delete;

 private:
  fw::TApplication& FApp;
};

// Makes the main form (make answers a std::unique_ptr to it), creates and
// shows it and runs the messages. A failure at any step is shown once the
// form is gone, and the result is then 1.
template <class TMake>
int RunMainForm(fw::TApplication& app, TMake make) noexcept {
  try {
    const auto form = make();
    TMainFormScope scope(app, *form);
    form->CreateForm();
    fw::StartupPhase("main window created");
    if (app.ShowMainForm()) form->Show();
    fw::StartupPhase("shown");
    return app.Run();
  } catch (...) {
    app.HandleException();
    return 1;
  }
}

// The exit code of a start-up that failed before the main form (the command
// line's own codes are 0 to 2).
inline constexpr int kStartUpFailed = 3;

// Runs the start-up (start answers the exit code): an exception that leaves
// it is shown in the application's exception box, and the code is then
// kStartUpFailed.
template <class TStart>
int RunStartUp(fw::TApplication& app, TStart start) noexcept {
  try {
    return start();
  } catch (...) {
    app.HandleException();
    return kStartUpFailed;
  }
}
