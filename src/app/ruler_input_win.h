// The ruler window's mouse, keyboard and wheel.
#pragma once

#include <windows.h>

LRESULT OnLeftButtonDown(HWND ruler, LPARAM lParam);
LRESULT OnMouseMove(HWND ruler, WPARAM wParam, LPARAM lParam);
LRESULT OnLeftButtonUp(HWND ruler);
LRESULT OnLeftDoubleClick(HWND ruler, LPARAM lParam);
LRESULT OnMouseWheel(HWND ruler, WPARAM wParam);
void OnKeyDown(HWND ruler, WPARAM key);
