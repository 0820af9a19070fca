// Copy a reading to the clipboard; fit the ruler to the window beside its origin.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"

// IDM_COPY_LENGTH, IDM_COPY_RED, IDM_COPY_BLUE or IDM_COPY_RED_BLUE; the ruler owns the
// clipboard while it writes.
void CopyReading(HWND ruler, const RulerState& s, int command);

// IDM_ADJUST_WINDOW measures the whole window, IDM_ADJUST_CLIENT its client area.
void AdjustToWindow(Instance& app, int command);
