// Copy a reading to the clipboard; fit the ruler to the window beside its origin.
#pragma once

#include <windows.h>

void CopyReading(HWND ruler, int command);

// IDM_ADJUST_WINDOW measures the whole window, IDM_ADJUST_CLIENT its client area.
void AdjustToWindow(HWND ruler, int command);
