// Markers that find edges: where the screen beside the ruler changes, and the marker step that
// goes there instead of one pixel on.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"
#include "ops/operations.h"

// A screen pixel as read (red, green and blue in the low three bytes, in either order), or
// kOffScreen for one that lies outside every monitor. Off-screen pixels make no edge.
inline constexpr uint32_t kOffScreen = 0xFF000000u;

// Two neighbouring pixels make an edge when one of their channels differs by more than this.
// Chosen from screen captures under Wine of a Notepad window and the Wine configuration dialog,
// and from photograph-like pictures: the lines that draw windows, dialogs, group boxes, list,
// edit and button borders differ from the ground beside them by 60 to 255 (a grey border of 174
// on white by 81, a dialog's outer frame of 106 by 139 or more); a smooth photograph-like picture
// (a blurred plasma fractal) differs by at most 5 between neighbours, and the same picture
// dithered to 24 levels a channel (an 8 x 8 ordered dither, as a picture of few colours shows it)
// by at most 23. So 32 keeps every drawn line and ignores the dithering. (Strong grain, such as
// noise added to a photograph, differs by up to 70 and is taken for edges.)
inline constexpr int kEdgeThreshold = 32;

bool PixelsMakeEdge(uint32_t a, uint32_t b);

// Where to read the screen: two lines one pixel outside the ruler's long sides (above and below
// a horizontal ruler, left and right of a vertical one), each `count` pixels from `first` along
// the ruler, from one pixel before the scale's first screen pixel to one after its last.
struct EdgeLines {
    Point first[2];
    bool vertical = false;  // the lines run down the screen
    int32_t count = 0;
};
EdgeLines EdgeLinesOf(const RulerState& s);

// The pixels of both lines, in screen order (left to right, top to bottom), as EdgeLinesOf says.
struct EdgeRows {
    std::vector<uint32_t> line[2];
};

// Marks as kOffScreen the pixels that show nothing beside the ruler: those outside every monitor,
// and those under the ruler's own windows (its tooltip, panel or magnifier), whose lines and
// texts are not what the user measures.
void MarkUnseen(EdgeRows& rows, const EdgeLines& lines, const std::vector<Rect>& monitors,
                const std::vector<Rect>& ownWindows);

// The nearest edge beyond `from` toward the scale's end (up) or its origin, among the scale
// positions 0 .. length. An edge at position p lies between the pixels of positions p - 1 and p
// (counted from the origin, so that a reversed scale counts from its far end) on either line;
// so a marker stepped onto both sides of a window stands on its first pixel and just past its
// last, and Red - Blue is its width.
std::optional<int32_t> NextEdge(const EdgeRows& rows, int32_t length, bool reverse, int32_t from,
                                bool up);

// The menu's Snap to Edges: on or off, and stored from now on.
void ToggleSnapEdges(RulerState& s);

// Whether this marker step looks for an edge: Snap to Edges is on and the step is an ordinary one
// (ten-pixel steps pass edges by).
bool SnapsThisStep(const RulerState& s, int32_t step);

// The marker goes to the next edge in its direction; with none there, one ordinary step.
Refresh SnapMarker(RulerState& s, MarkerMove move, const EdgeRows& rows);
