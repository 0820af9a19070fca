// The ruler window's procedure.
#pragma once

#include <windows.h>

LRESULT CALLBACK RulerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
