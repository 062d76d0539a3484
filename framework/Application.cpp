#include "framework/Application.h"

#include <commctrl.h>

#include "core/support/Exception.h"
#include "core/support/uUtf8.h"
#include "framework/OSError.h"

namespace fw {

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

TApplication::TApplication() { TWindow::SetHost(this); }

namespace {
// Windows report to the application even where nothing else asked for it first.
[[maybe_unused]] const bool kHosted = (TApplication::Instance(), true);
}  // namespace

void TApplication::Initialize(HINSTANCE instance) { FInstance = instance; }

HWND TApplication::MainFormHandle() const noexcept { return FMainForm ? FMainForm->Handle() : nullptr; }

void TApplication::ApplyHintSettings(HWND toolTip) const noexcept {
  if (!toolTip) return;
  ::SendMessageW(toolTip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(FHintSettings.Pause, 0));
  ::SendMessageW(toolTip, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(FHintSettings.ShortPause, 0));
  ::SendMessageW(toolTip, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(FHintSettings.HidePause, 0));
  if (FHintSettings.Color != CLR_INVALID) ::SendMessageW(toolTip, TTM_SETTIPBKCOLOR, FHintSettings.Color, 0);
  ::SendMessageW(toolTip, TTM_ACTIVATE, FHintSettings.ShowHint, 0);
}

void TApplication::ShowException(const std::exception& e) noexcept {
  try {
    if (OnException) {
      OnException(nullptr, e);
      return;
    }
    std::wstring text;
    if (auto* own = dynamic_cast<const Exception*>(&e))
      text = own->Message();
    else
      Utf8Decode(e.what(), text);
    if (FModalLevel > 0) {
      if (!FErrorPending) FPendingError = std::move(text);
      FErrorPending = true;
      return;
    }
    Report(text);
  } catch (...) {
    // Nothing sensible is left to do when even the report fails.
  }
}

void TApplication::Report(const std::wstring& text) noexcept {
  if (OnExceptionHook) {
    OnExceptionHook(text);
    return;
  }
  ::MessageBoxW(MainFormHandle(), text.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::EndModal() noexcept {
  if (FModalLevel > 0) --FModalLevel;
  if (FModalLevel > 0 || !FErrorPending) return;
  FErrorPending = false;
  const std::wstring text = std::move(FPendingError);
  FPendingError.clear();
  Report(text);
}

void TApplication::HandleException() noexcept {
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const std::exception& e) {
    ShowException(e);
  } catch (...) {
    std::runtime_error unknown("Unknown exception");
    ShowException(unknown);
  }
}

bool TApplication::DispatchOne(MSG& msg) {
  if (auto* main = dynamic_cast<TMessageFilter*>(FMainForm); main && main->PreTranslateMessage(msg)) return true;
  // Forms other than the main one (the pop-up, dialogs) get their turn too.
  if (HWND root = ::GetAncestor(msg.hwnd, GA_ROOT); root && root != MainFormHandle()) {
    if (auto* other = dynamic_cast<TMessageFilter*>(TWindow::FromHandle(root));
        other && other->PreTranslateMessage(msg))
      return true;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return true;
}

int TApplication::Run() {
  MSG msg;
  for (;;) {
    const BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0) return static_cast<int>(msg.wParam);
    // msg holds nothing defined then: the loop cannot go on.
    if (r == -1) {
      const EOSError failure(::GetLastError());
      ShowException(failure);
      return kRunFailed;
    }
    try {
      DispatchOne(msg);
    } catch (...) {
      HandleException();
    }
  }
}

bool TApplication::RunModalLoop(const std::function<bool()>& done) {
  MSG msg;
  while (!done()) {
    const BOOL r = ::GetMessageW(&msg, nullptr, 0, 0);
    if (r == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    if (r == -1) return false;
    try {
      DispatchOne(msg);
    } catch (...) {
      HandleException();
    }
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    try {
      DispatchOne(msg);
    } catch (...) {
      HandleException();
    }
  }
}

}  // namespace fw
