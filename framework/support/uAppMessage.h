#pragma once
// A plain message box: owned by the main window, the application title as
// caption, an OK button and no icon.
#include <string>

void ShowAppMessage(const std::wstring& text);
