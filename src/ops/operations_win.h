// Carries out what an operation asks for: panel texts, monitor, placement, title and tooltip,
// repaint and rendering.
#pragma once

#include <windows.h>

#include "ops/operations.h"

// The step size at this moment: 10 while Shift or the right button is down.
int32_t CurrentStep();

void ApplyRefresh(HWND ruler, const Refresh& refresh);

// The ruler may now belong to another monitor (a drop, a display change): the monitor under the
// cursor becomes its own, and the drawing, the title and the tooltip follow a changed scale.
void FollowMonitor(HWND ruler);

// After a turn: the panel and the magnifier show the new direction, the cursor too.
void DirectionFollowUp(HWND ruler);

// The class cursor for the ruler's direction.
void RefreshCursor(HWND ruler);
