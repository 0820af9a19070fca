// Dots per inch: which density a monitor is drawn at, the step of the pictures chosen by it, and
// sizes and font heights carried from one density to another.
#include "model/dpi.h"

#include <cmath>

namespace {

bool Believable(uint32_t dpi) {
    return dpi >= kLeastDpi && dpi <= kGreatestDpi;
}

}  // namespace

int16_t DpiStep(float dpiX) {
    if (dpiX == 120.0f) return 2;
    if (dpiX == 144.0f) return 3;
    if (dpiX == 192.0f) return 4;
    return 0;
}

int32_t ScaledToDpi(int32_t pixels, float dpi) {
    return static_cast<int32_t>(static_cast<float>(pixels) * (dpi / kStandardDpi));
}

Rect ScaledToDpi(const Rect& r, const Dpi& dpi) {
    Rect s;
    s.left = ScaledToDpi(r.left, dpi.x);
    s.top = ScaledToDpi(r.top, dpi.y);
    s.right = s.left + ScaledToDpi(r.Width(), dpi.x);
    s.bottom = s.top + ScaledToDpi(r.Height(), dpi.y);
    return s;
}

Dpi MonitorDpi(uint32_t x, uint32_t y, const Dpi& otherwise) {
    if (!Believable(x) || !Believable(y)) return otherwise;
    Dpi d;
    d.x = static_cast<float>(x);
    d.y = static_cast<float>(y);
    d.step = DpiStep(d.x);
    return d;
}

Dpi DpiOf(const RulerState& s) {
    Dpi d;
    d.x = s.DpiX;
    d.y = s.DpiY;
    d.step = s.DpiStep;
    return d;
}

void SetDpi(RulerState& s, const Dpi& dpi) {
    s.DpiX = dpi.x;
    s.DpiY = dpi.y;
    s.DpiStep = dpi.step;
}

int32_t CarriedToDpi(int32_t height, float fromDpi, float toDpi) {
    if (height == 0 || fromDpi <= 0 || toDpi <= 0) return height;
    const double scaled = std::round(static_cast<double>(height) * toDpi / fromDpi);
    if (scaled == 0) return height < 0 ? -1 : 1;
    return static_cast<int32_t>(scaled);
}
