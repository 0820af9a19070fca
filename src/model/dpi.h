// Dots per inch: which density a monitor is drawn at, the step of the pictures chosen by it, and
// sizes and font heights carried from one density to another.
#pragma once

#include <cstdint>

#include "model/geometry.h"
#include "model/ruler_state.h"

// The density every size in the resources is drawn for.
inline constexpr float kStandardDpi = 96.0f;

// What the system may report and be believed: half to ten times the standard density.
inline constexpr uint32_t kLeastDpi = 48;
inline constexpr uint32_t kGreatestDpi = 960;

// 2, 3 or 4 for 120, 144 and 192 dots per inch; 0 for anything else.
int16_t DpiStep(float dpiX);

// A size in pixels at 96 dots per inch, at `dpi` dots per inch (truncated).
int32_t ScaledToDpi(int32_t pixels, float dpi);

// The density a window is drawn at, across and down, and the step of its pictures.
struct Dpi {
    float x = kStandardDpi;
    float y = kStandardDpi;
    int16_t step = 0;

    bool operator==(const Dpi& other) const {
        return x == other.x && y == other.y && step == other.step;
    }
    bool operator!=(const Dpi& other) const { return !(*this == other); }
};

// A rectangle laid out at 96 dots per inch, at `dpi`: its corner and its size are scaled each on
// its own (truncated), so that a size is the same wherever the rectangle stands.
Rect ScaledToDpi(const Rect& r, const Dpi& dpi);

// The density of a monitor as the system reports it (whole dots per inch across and down; 0 when
// it reports none) when both values are believable, else `otherwise`: the screen's setting at
// start-up, the density held so far when a change names an unbelievable one.
Dpi MonitorDpi(uint32_t x, uint32_t y, const Dpi& otherwise);

// The ruler's density, as its state holds it, and setting it.
Dpi DpiOf(const RulerState& s);
void SetDpi(RulerState& s, const Dpi& dpi);

// A size made for `fromDpi` (a font's height, negative for the character height as fonts are
// described, or a list item's height), at `toDpi`: rounded to the nearest pixel, and never 0 (a
// font's default size) when it was not 0.
int32_t CarriedToDpi(int32_t height, float fromDpi, float toDpi);
