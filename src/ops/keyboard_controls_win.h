// Keys for the controls whose keys the dialog manager would otherwise take: a toolbar whose
// buttons the arrows walk and Space or Enter press, an up-down control that the arrows step, and
// the visible mark of the keyboard's place on a toolbar or an arrow.
#pragma once

#include <windows.h>

#include "ops/subclass_win.h"

// The arrows move between the toolbar's buttons (around at the ends), Space and Enter press the
// one they are on as a click does, and that button shows a focus rectangle while the toolbar has
// the focus. Entering the toolbar starts on its checked group button, else on its first one. The
// subclass goes with the window.
bool SubclassToolbarKeys(HWND toolbar);

// The control takes the arrow keys itself (an up-down control steps with them) instead of the
// dialog manager moving the focus on. The subclass goes with the window.
bool KeepArrowKeys(HWND control);

// Draws the focus rectangle inside the window's client area when it has the focus, after its own
// painting: the WM_PAINT that the subclass passes on, as it would be without the rectangle.
// Everything inside is painted again first, so the rectangle is drawn over a fresh picture
// exactly once.
LRESULT PaintWithFocus(Subclass& subclass, HWND window, const RECT& focus, WPARAM wParam,
                       LPARAM lParam);
