#pragma once
// Event types shared by the input controls. TWindow's message handlers are
// named after their messages (WMMouseDown), so On... names are free for events.
#include "framework/Window.h"

#include <functional>

namespace fw {

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
// Setting the character to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

}  // namespace fw
