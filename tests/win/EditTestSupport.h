#pragma once
// Helpers of the edit tests: counted beeps, typing by WM_CHAR, keys with
// modifiers held, and a shown host window that can take the focus.
#include <windows.h>

#include <string>

#include "framework/Application.h"
#include "framework/Beep.h"
#include "framework/Form.h"
#include "framework/Panel.h"

// Counts the beeps of refused input while alive, instead of sounding them.
class TBeepCounter {
 public:
  TBeepCounter() {
    Count() = 0;
    fw::MessageBeepHook = [](UINT) { ++Count(); };
  }
  ~TBeepCounter() { fw::MessageBeepHook = nullptr; }
  TBeepCounter(const TBeepCounter&) = delete;
  TBeepCounter& operator=(const TBeepCounter&) = delete;
  int Beeps() const { return Count(); }
  void Reset() { Count() = 0; }

 private:
  static int& Count() {
    static int count = 0;
    return count;
  }
};

inline void TypeChars(HWND wnd, const std::wstring& text) {
  for (wchar_t ch : text) ::SendMessageW(wnd, WM_CHAR, ch, 1);
}

// Modifier keys as GetKeyState reports them to the thread.
class TModifiersHeld {
 public:
  TModifiersHeld(bool shift, bool ctrl, bool alt) {
    ::GetKeyboardState(FSaved);
    BYTE state[256];
    ::GetKeyboardState(state);
    auto set = [&state](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_CONTROL, ctrl);
    set(VK_LCONTROL, ctrl);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    ::SetKeyboardState(state);
  }
  ~TModifiersHeld() { ::SetKeyboardState(FSaved); }
  TModifiersHeld(const TModifiersHeld&) = delete;
  TModifiersHeld& operator=(const TModifiersHeld&) = delete;

 private:
  BYTE FSaved[256];
};

// A press and release of a key, as the message loop delivers them.
inline void PressKey(HWND wnd, WORD vk) {
  ::SendMessageW(wnd, WM_KEYDOWN, vk, 1);
  ::SendMessageW(wnd, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
}

// A top-level window with a panel, shown and active, so that its controls
// can take the focus.
class THostForm {
 public:
  THostForm() {
    Form.SetBounds(200, 200, 320, 200);
    Form.Create(nullptr, WS_POPUP);
    Panel.SetBounds(0, 0, 320, 200);
    Panel.Create(&Form);
  }
  void Show() {
    Form.Show();
    ::SetForegroundWindow(Form.Handle());
    ::SetActiveWindow(Form.Handle());
    fw::Application().ProcessMessages();
  }
  fw::TForm Form;
  fw::TPanel Panel;
};
