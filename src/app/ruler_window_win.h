// The ruler window's procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK RulerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Writes the instance's settings back to the registry.
void SaveSettings();
