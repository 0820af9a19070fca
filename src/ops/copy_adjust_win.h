// Copy a reading to the clipboard; fit the ruler to the window beside its origin.
#pragma once

#include <windows.h>

void CopyReading(HWND ruler, int command);

// kind 1 measures the whole window, 2 its client area.
void AdjustToWindow(HWND ruler, int kind);
