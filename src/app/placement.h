// Where the ruler window goes: its rectangle from the state, and the monitor it belongs to.
#pragma once

#include <cstdint>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"

// The short side of the ruler: 50 pixels, 22 when narrow.
int32_t RulerThickness(const RulerState& s);

// The monitor's width for a horizontal ruler, its height for a vertical one.
int32_t MonitorExtent(const RulerState& s);

// The ruler window's screen rectangle: (ScaleLength + 1) x thickness, turned when vertical; a
// full-scale ruler starts at its monitor's edge.
Rect RulerWindowRect(const RulerState& s);

// At most four monitors have a display-size entry; any further one uses the default diagonal.
inline constexpr size_t kMaxMonitors = 4;

// The physical diagonal of the ruler's monitor, tenths of an inch: its display-size entry, or
// the default for a monitor past the recorded four.
int16_t MonitorDiagonal(const RulerState& s);

// Records the ruler's monitor (rectangle, index into the display sizes, automatic scale) and
// pulls the stored position back so that the ruler stays reachable on it.
void FixMonitor(RulerState& s, const Rect& monitor, const std::vector<Rect>& monitorList);

// What a dialog's place depends on besides the ruler.
struct DialogPlacement {
    Point cursor;
    Rect monitor;   // the whole monitor under the cursor
    int32_t width;  // the dialog's size, which placing keeps
    int32_t height;
    bool hasTaskbar;
    Rect taskbar;
    bool newerSystem;    // Vista and later leave a wider gap for their thicker frames
    bool placeAtCursor;  // centred on the cursor instead of beside the ruler
};

// The top-left corner of a dialog beside the ruler (below a horizontal one, right of a vertical
// one, or on the other side when the primary screen has no room), kept inside the monitor and
// off the taskbar.
Point PlaceDialog(const RulerState& s, const DialogPlacement& d);
