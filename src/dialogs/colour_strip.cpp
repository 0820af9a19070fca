// Where a dialog's colour strip, in the ruler's background, and the black line beside it go.
#include "dialogs/colour_strip.h"

#include <algorithm>

#include "model/placement.h"

namespace {

constexpr int32_t kLineWidth = 2;

}  // namespace

ColourStripLayout LayOutColourStrip(float dpiX, int32_t height) {
    const int32_t width = ColourStripWidth(dpiX);
    const int32_t bottom = std::max(height, 0);
    return ColourStripLayout{Rect{0, 0, width, bottom}, Rect{width, 0, width + kLineWidth, bottom}};
}
