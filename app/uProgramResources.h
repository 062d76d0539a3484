#pragma once
// Hands the program's own resources to the layers below: its name for
// message boxes, the window icon and the controls' pictures. Runs once,
// before the first window is created.
#include <windows.h>

void InstallProgramResources(HINSTANCE instance);
