// What the magnifier window computes: its title and layout, the two points of the ruler its panes
// show, the screen rectangle each pane copies and the commands of its context menu.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/geometry.h"
#include "model/ruler_state.h"

// The four panes, by index: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
inline constexpr int kMagnifierPanes = 4;

// The one timer of the program: the panes show the screen anew twice a second.
inline constexpr unsigned kMagnifierTimerId = 1001;
inline constexpr unsigned kMagnifierPeriodMs = 500;

// "Magnifier - Linova <n>".
std::wstring MagnifierTitle(const std::wstring& className);

// Where the controls of the magnifier go in a client area of the given size: the colour strip,
// the black line beside it and the four panes, which share the rest in two rows and two columns.
struct MagnifierLayout {
    Rect strip;
    Rect line;
    Rect panes[kMagnifierPanes];
};
MagnifierLayout LayoutMagnifier(int32_t clientWidth, int32_t clientHeight, float dpiX);

// The two points the panes show, in pixels along the ruler from its left or top end. By the
// display mode they are the origin and the red marker, the origin and the blue marker, or the
// two markers; a reversed scale has its origin at the far end.
struct MagnifierPoints {
    int32_t first;   // the right column of a horizontal ruler, the bottom row of a vertical one
    int32_t second;  // the left column, or the top row
};
MagnifierPoints MagnifierPointsOf(const RulerState& s);

// The screen rectangle a pane of the given size copies and stretches over itself: the pane's
// size divided by the zoom, centred on the pane's point and on its side of the ruler (a full-scale
// ruler's origin lies on the pane's border instead). Empty (no width or no height) when the pane
// is narrower or lower than the zoom: such a pane stays black.
Rect PaneSource(const RulerState& s, int pane, int32_t paneWidth, int32_t paneHeight);

// What of a pane's source the screen holds, and the pane pixels it fills when the whole source is
// stretched over paneWidth x paneHeight: source pixel i fills the pane from i * W / sw up to
// (i + 1) * W / sw (truncated), so the part lands where the whole would have put it. Nothing when
// the source lies wholly off the screen; the rest of the pane stays black.
struct PaneCopy {
    Rect from;  // on the screen
    Rect to;    // in the pane
};
std::optional<PaneCopy> OnScreenPart(const Rect& source, const Rect& screen, int32_t paneWidth,
                                     int32_t paneHeight);

// The pixels of a pane that would show the screen rectangle `covering` while the pane shows
// `source` stretched over paneWidth x paneHeight; every pane pixel that shows any of it is
// included. Empty when the two do not meet. The magnifier blackens what would show itself.
Rect CoveredPart(const Rect& source, const Rect& covering, int32_t paneWidth, int32_t paneHeight);

// The context menu's radio items for the zoom and the display mode in use.
int ZoomItem(const RulerState& s);
int ModeItem(const RulerState& s);

// The dialog's own OK and Cancel commands, which close it like "&Close".
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

// What a command of the magnifier asks its window to do once the state has changed.
enum class MagnifierAction { kNone, kRedraw, kClose, kReloadIcon };
MagnifierAction RunMagnifierCommand(RulerState& s, int command);
