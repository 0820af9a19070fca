// The ruler's background brush, pattern bitmap and ink colour.
#pragma once

#include <windows.h>

// Makes BackColor the ruler's background: the class brush, the pattern behind it, the ink.
void ApplyBackColor(HWND window);

// A new brush for a background, owned by the caller; a pattern background uses the pattern
// bitmap loaded last.
HBRUSH MakeBackBrush(int index);

// Turns the greys of the last loaded pattern into the system's colours.
void RecolorPattern(HDC dc);

HBRUSH BackgroundBrush();
COLORREF CurrentInk();

// At the end of the ruler window: the brush and the pattern bitmap in use.
void DeleteBackgroundObjects();
