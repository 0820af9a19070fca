// Where a dialog's colour strip, in the ruler's background, and the black line beside it go.
#pragma once

#include <cstdint>

#include "model/geometry.h"

struct ColourStripLayout {
    Rect strip;
    Rect line;
};

// Down the left edge of a client area `height` pixels high (none when less), the strip as wide as
// the density makes it, the line two pixels; what the dialog shows beside them starts at
// `line.right`.
ColourStripLayout LayOutColourStrip(float dpiX, int32_t height);
