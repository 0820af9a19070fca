// The picture of the whole scale as plain data: where every tick, arrowhead, number, the origin
// square, the icon and the unit label go. The painting code only iterates it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ruler_state.h"

// The scale is drawn once, this long, and each paint shows the stretch the window covers.
inline constexpr int32_t kScaleBufferLength = 22001;
// The zero point of a reversed scale.
inline constexpr int32_t kReverseOrigin = 22000;

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
    int32_t thickness = 50;
    ScalePoint originSquare{};  // top-left of the 6 x 6 square at the zero end
    bool hasIcon = false;
    ScalePoint icon{};  // top-left of the 32 x 32 icon
    bool hasUnitLabel = false;
    ScalePoint unitLabel{};  // centre top of "[cm]"
    std::wstring unitLabelText;
    std::vector<Stroke> strokes;
    std::vector<ScaleLabel> labels;
};

ScaleLayout LayoutScale(const RulerState& s);
