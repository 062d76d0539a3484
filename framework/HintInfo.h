#pragma once
// What a control's show-hint event gets to see and change before its hint
// window appears.
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Window.h"

namespace fw {

struct THintInfo {
  TWindow* HintControl = nullptr;
  POINT CursorPos{};  // in the control's client coordinates
  RECT CursorRect{};  // the hint goes away when the pointer leaves it
  int HintMaxWidth = 0;
};

using TControlShowHintEvent =
    std::function<void(TObject* sender, std::wstring& hintStr, bool& canShow, THintInfo& hintInfo)>;

}  // namespace fw
