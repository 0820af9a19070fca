// Putting the ruler window on the screen and finding the monitor it is on.
#pragma once

#include <windows.h>

#include "model/geometry.h"

// Gives the ruler window its rectangle and z-order from the state; `flags` are added to the
// z-order step (SWP_NOACTIVATE is the one that matters).
void PlaceWindow(HWND ruler, UINT flags);

// Records the monitors of the desktop, in the order the system reports them.
void EnumerateMonitors();

// Records the monitor under the cursor (byCursor) or the one holding the ruler window.
void FixMonitorOf(HWND ruler, bool byCursor);

// The whole rectangle of the monitor a screen rectangle lies on (or is nearest to), or the
// primary screen when the system names none.
Rect MonitorNearest(const Rect& rect);

// Moves a dialog beside the ruler, or centred on the cursor, inside the cursor's monitor and off
// the taskbar; its size stays.
void PlaceDialogWindow(HWND dialog);
