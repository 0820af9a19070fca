// Putting the ruler window and the dialogs on the screen, and finding the monitors.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"

// Gives the ruler window its rectangle and z-order from the state; `flags` are added to the
// z-order step (SWP_NOACTIVATE is the one that matters, and SWP_NOCOPYBITS for a shown window).
void PlaceWindow(HWND ruler, const RulerState& s, UINT flags);

// Whether the shown ruler already stands where `PlaceWindow` would put it: at its rectangle, in
// its band, and, in the topmost band, with none but its own windows above it. A ruler outside
// the topmost band is not moved within its band when told to stay outside it.
bool HoldsItsPlace(HWND ruler, const RulerState& s);

// The monitors of the desktop, in the order the system reports them (as many as have display
// sizes).
std::vector<Rect> EnumerateMonitors();

// Records the monitor under the cursor, at `cursor`, as the ruler's.
void FixMonitorUnderCursor(RulerState& s, const std::vector<Rect>& monitorList, POINT cursor);

// The whole rectangle of the monitor a screen rectangle lies on (or is nearest to), or the
// primary screen when the system names none.
Rect MonitorNearest(const RulerState& s, const Rect& rect);

// The taskbar's screen rectangle, when there is a taskbar.
bool GetTaskbarRect(RECT* rect);

// Moves a dialog beside the ruler, or centred on the cursor (`placeAtCursor`), inside the
// cursor's monitor (found among `monitorList` when it is there) and off the taskbar; it takes
// `size` in the same move, or keeps its own. `newerSystem`: Vista or later.
void PlaceDialogWindow(HWND dialog, const RulerState& s, const std::vector<Rect>& monitorList,
                       bool newerSystem, bool placeAtCursor,
                       std::optional<SIZE> size = std::nullopt);
