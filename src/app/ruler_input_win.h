// The ruler window's mouse, keyboard and wheel.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"

LRESULT OnLeftButtonDown(Instance& app, LPARAM lParam);
LRESULT OnMouseMove(Instance& app, WPARAM wParam, LPARAM lParam);
LRESULT OnLeftButtonUp(Instance& app);
LRESULT OnLeftDoubleClick(Instance& app, LPARAM lParam);
LRESULT OnMouseWheel(Instance& app, WPARAM wParam);
void OnKeyDown(Instance& app, WPARAM key);
