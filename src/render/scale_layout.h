// The picture of the whole scale as plain data: where every tick, arrowhead, number, the origin
// square, the icon and the unit label go. The painting code only iterates it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/placement.h"
#include "model/ruler_state.h"

// The scale is drawn once into a back buffer at least as long as the window, and each paint shows
// the stretch the window covers. No buffer is longer than this: longer rulers are not drawn
// further.
inline constexpr int32_t kLongestScaleBuffer = kLongestLength + 1;

// The back buffer's length along the ruler. A new buffer (current 0, or one made for the other
// direction or body width) holds the scale and a full-scale ruler on the ruler's monitor, one
// pixel more for the window's far end. A buffer is kept while the scale fits in it; a scale that
// outgrows it gets one with room to spare, so that a run of longer scales does not re-make it
// each time. After a monitor change the buffer is also made anew when a full-scale ruler there
// would not fit or when it is far longer than the ruler needs.
int32_t BufferLengthFor(const RulerState& s, int32_t current, bool monitorChanged);

// Everything a rendered scale's pixels depend on: two renderings with equal keys draw the same
// pixels. The ruler keeps a buffer for each direction, so a turn shows a buffer drawn before
// unless the scale's picture has changed since.
struct ScalePictureKey {
    bool vertical = false;
    bool reverse = false;
    bool narrow = false;
    int32_t unit = 0;
    int32_t scale = 0;
    int32_t fontStyle = 0;
    int32_t backColor = 0;
    int32_t bufferLength = 0;

    bool operator==(const ScalePictureKey& o) const {
        return vertical == o.vertical && reverse == o.reverse && narrow == o.narrow &&
               unit == o.unit && scale == o.scale && fontStyle == o.fontStyle &&
               backColor == o.backColor && bufferLength == o.bufferLength;
    }
    bool operator!=(const ScalePictureKey& o) const { return !(*this == o); }
};

ScalePictureKey PictureKeyOf(const RulerState& s, int32_t bufferLength);

// The along-coordinate in the buffer that the window's near end shows: a reversed scale has its
// zero point at the buffer's far end and the window shows the stretch that ends there.
int32_t BufferSourceAlong(const RulerState& s, int32_t bufferLength);

// A point in scale terms: `along` the ruler's long axis, `across` its short one. A horizontal
// ruler draws it at (along, across), a vertical one at (across, along).
struct ScalePoint {
    int32_t along;
    int32_t across;
};

// A line as the system draws it: `from` is painted, `to` is not. Ticks run across the ruler;
// arrowhead strokes are diagonals.
struct Stroke {
    ScalePoint from;
    ScalePoint to;
};

struct ScaleLabel {
    ScalePoint at;
    bool alignBottom;  // centred on `at`, hanging below it or standing on it
    std::wstring text;
};

struct ScaleLayout {
    int32_t thickness = kBodyThickness;
    ScalePoint originSquare{};  // top-left of the 6 x 6 square at the zero end
    bool hasIcon = false;
    ScalePoint icon{};  // top-left of the 32 x 32 icon
    bool hasUnitLabel = false;
    ScalePoint unitLabel{};  // centre top of "[cm]"
    std::wstring unitLabelText;
    std::vector<Stroke> strokes;
    std::vector<ScaleLabel> labels;
};

// Where the window shows a marker that stands `position` pixels from the zero point; a marker
// beyond either end of the window lies one pixel outside it.
int32_t MarkerAlong(const RulerState& s, int32_t position);

// The picture of the scale in a buffer `bufferLength` pixels long.
ScaleLayout LayoutScale(const RulerState& s, int32_t bufferLength);

// 32-bit pixels row by row from the top, as a top-down bitmap holds them.
struct PixelBlock {
    uint32_t* pixels;
    int32_t width;
    int32_t height;
};

// Writes the layout's strokes into the pixels as the system's line calls paint them: each from
// its first point up to, not including, its last; anything outside the block is left out.
void PutStrokes(const ScaleLayout& layout, bool vertical, uint32_t pixel, PixelBlock block);
