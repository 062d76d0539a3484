#pragma once
// Files dropped on a window from another program (the shell, a file manager).
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <deque>
#include <functional>
#include <string>

#include "framework/Com.h"
#include "framework/Window.h"

class TFileDropTarget;

// Accepts file lists (CF_HDROP) on one window and reports the first file.
// The drop call itself only takes the name and answers "copy"; the name is
// delivered by OnFileDropped from a posted message after the other program's
// drag loop has ended, so opening it (with its questions) never runs inside
// that loop. Lives on the user-interface thread, after OleInitialize.
//
//   FDropTarget.OnFileDropped = [this](fw::TObject*, const std::wstring& f) { ... };
//   FDropTarget.Register(Handle());      // at the window's first showing
//   FDropTarget.CanDrop = [this] { return !Busy(); };  // no drop while a save or question is open
//   FDropTarget.Revoke();                // before the window goes
class TOleDropTarget : public fw::TObject {
 public:
  TOleDropTarget();
  ~TOleDropTarget() override;
  TOleDropTarget(const TOleDropTarget&) = delete;
  TOleDropTarget& operator=(const TOleDropTarget&) = delete;

  // RegisterDragDrop for the window; raises Exception when OLE refuses.
  void Register(HWND window);
  // Nothing when not registered.
  void Revoke() noexcept;
  HWND Window() const noexcept { return FWindow; }

  // Asked at every drag and again at delivery (the owner may be saving or
  // asking a question). False: every drag over the window shows "no drop",
  // and a drop, or one still waiting for delivery, is ignored. An error here refuses the drag.
  std::function<bool()> CanDrop;
  bool Accepts() const { return !CanDrop || CanDrop(); }

  // The OLE object behind the window (tests drive it directly).
  IDropTarget* Target() const noexcept;

  std::function<void(fw::TObject* sender, const std::wstring& fileName)> OnFileDropped;

 private:
  friend class TFileDropTarget;
  // A message-only window that receives the posted delivery.
  class TNotifyWindow : public fw::TWindow {
   public:
    explicit TNotifyWindow(TOleDropTarget& owner);
    ~TNotifyWindow() override { DestroyHandle(); }

   protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

   private:
    TOleDropTarget& FOwner;
  };

  void Queue(std::wstring fileName);
  void DeliverPending();

  fw::TComPtr<TFileDropTarget> FTarget;
  HWND FWindow = nullptr;
  TNotifyWindow FNotify{*this};
  std::deque<std::wstring> FPending;
};

// The first file name of a CF_HDROP list, of any length; empty when none.
std::wstring FirstDroppedFile(HDROP drop);
