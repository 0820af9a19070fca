// The ruler's background brush, pattern bitmap and ink colour.
#pragma once

#include <windows.h>

#include "render/gdi_win.h"

// The ruler's background, from the window's creation to its end.
struct RulerBackground {
    // Installed as the window class's background brush as well.
    GdiObject<HBRUSH> brush;
    // The bitmap of the last pattern installed: it stays until the next pattern replaces it.
    GdiObject<HBITMAP> pattern;
    COLORREF ink = RGB(0, 0, 0);
};

// The colour of a solid or system background (a system colour is read now); black for a pattern.
COLORREF BackgroundColour(int index);

// The bitmap of a pattern background, its greys turned into the system's colours when the
// pattern follows them; `dc` is of the screen the pattern is shown on. Null for other indexes.
GdiObject<HBITMAP> LoadPattern(HINSTANCE module, int index, HDC dc);

// A new brush for a background: its colour, or a pattern background's bitmap.
GdiObject<HBRUSH> MakeBackBrush(int index, HBITMAP pattern);

// Turns the greys of a pattern bitmap into the system's colours, in place.
void RecolorPattern(HDC dc, HBITMAP pattern);

// Makes `backColor` the ruler's background: the class brush, the pattern behind it, the ink.
void ApplyBackColor(HWND window, HINSTANCE module, int backColor, RulerBackground& background);

// At the end of the ruler window: the class lets go of the brush, and the brush and the pattern
// bitmap are deleted.
void ReleaseBackground(HWND window, RulerBackground& background);
