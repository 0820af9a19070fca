// Where the ruler and its dialogs go: the ruler's thickness, length and rectangle, the monitor it
// belongs to, and the place of a dialog beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"

// The short side of the ruler's body, full and narrow.
inline constexpr int32_t kBodyThickness = 50;
inline constexpr int32_t kNarrowBodyThickness = 22;

// No ruler is shorter than this, however it is made shorter.
inline constexpr int32_t kShortestLength = 50;

// The drawn scale is kLongestLength + 1 pixels long, so no longer ruler can be shown.
inline constexpr int32_t kLongestLength = 22000;

// The short side of the ruler: kBodyThickness, or kNarrowBodyThickness when narrow.
int32_t RulerThickness(const RulerState& s);

// The length of a full-scale ruler: the width of its monitor when horizontal, the height when
// vertical.
int32_t FullScaleLength(const RulerState& s);

// ScaleLength from Lenght, or from the monitor in full-scale mode.
void RecomputeLength(RulerState& s);

// The ruler window's screen rectangle: (ScaleLength + 1) x thickness, turned when vertical; a
// full-scale ruler starts at its monitor's edge.
Rect RulerWindowRect(const RulerState& s);

// The physical diagonal of the ruler's monitor, tenths of an inch: its display-size entry, or
// the default for a monitor past the recorded ones.
int16_t MonitorDiagonal(const RulerState& s);

// Records the ruler's monitor (rectangle, index into the display sizes, automatic scale) and
// pulls the stored position back so that the ruler stays reachable on it.
void FixMonitor(RulerState& s, const Rect& monitor, const std::vector<Rect>& monitorList);

// The first listed monitor that holds the point (its right and bottom edges belong to the next);
// none when the point lies on no listed monitor.
std::optional<Rect> ListedMonitorAt(const std::vector<Rect>& monitorList, Point p);

// The width of the colour strip down the left edge of a dialog (the panel, the magnifier, Setup,
// About): 15 pixels at 96 dots per inch.
int32_t ColourStripWidth(float dpiX);

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
