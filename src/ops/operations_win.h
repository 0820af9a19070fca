// Carries out what an operation asks for: panel texts, monitor, placement, title and tooltip,
// repaint and rendering.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"
#include "ops/operations.h"
#include "ops/panel.h"

// The step size at this moment: 10 while Shift or the right button is down.
int32_t CurrentStep();

void ApplyRefresh(Instance& app, const Refresh& refresh);

// A scale command of the ruler's menu or the Operation panel, carried out and shown; false for
// any other command.
bool RunScaleCommand(Instance& app, int command, CommandFrom from);

// What the Operation panel must show anew, while it is open: its readouts, its toolbar's check
// buttons, its unit and which arrows can be used.
void RefreshPanel(const Instance& app, const PanelRefresh& p);

// The ruler may now belong to another monitor (a drop, a display change): the monitor under the
// cursor becomes its own, and the drawing, the title and the tooltip follow a changed scale.
void FollowMonitor(Instance& app);

// The ruler's cursor for a direction. It is loaded shared: the system keeps it, and it is never
// destroyed, however often the ruler turns.
HCURSOR RulerCursor(HINSTANCE module, bool vertical);

// The class cursor for the ruler's direction, shown at once when the pointer (read now, or at
// `pointer`) is over the ruler.
void RefreshCursor(const Instance& app);
void RefreshCursor(const Instance& app, POINT pointer);
