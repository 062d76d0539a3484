#pragma once
// Tintra.exe --pick [--format NAME] [--freeze], --help and their faults:
// run without the main window, with the console the program was started
// from (when there is one) for the answer.
#include <optional>
#include <string>
#include <vector>

// The process's exit code, or none when the main window is to start.
// Reads the area mode, the zoom and the freeze option under settingsKey and
// changes nothing there, nor in any list.
std::optional<int> RunCommandLine(const std::vector<std::wstring>& args, const std::wstring& settingsKey);
