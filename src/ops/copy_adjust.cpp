// Readings for the clipboard, and fitting the ruler to the window beside its origin.
#include "ops/copy_adjust.h"

#include "model/text_format.h"
#include "model/units.h"
#include "resources/resource.h"

namespace {

constexpr int32_t kAdjustMargin = 32;
constexpr size_t kCopyCapacity = 32;

}  // namespace

std::optional<std::wstring> CopyText(const RulerState& s, int command) {
    int64_t value = 0;
    switch (command) {
        case IDM_COPY_LENGTH:
            value = s.ScaleLength;
            break;
        case IDM_COPY_RED:
            value = s.Marker;
            break;
        case IDM_COPY_BLUE:
            value = s.MarkerBlue;
            break;
        case IDM_COPY_RED_BLUE:
            value = static_cast<int64_t>(s.Marker) - s.MarkerBlue;
            break;
        default:
            return std::nullopt;
    }
    return FitBuffer(FormatLength(s, value), kCopyCapacity);
}

Point AdjustProbe(const RulerState& s) {
    const int32_t far = s.ScaleLength - 1;
    if (!s.Vertical) return {s.xPosi + (s.Reverse ? far : 1), s.yPosi - 1};
    return {s.xPosi - 1, s.yPosi + (s.Reverse ? far : 1)};
}

Refresh AdjustTo(RulerState& s, const Rect& found) {
    int32_t& origin = s.Vertical ? s.yPosi : s.xPosi;
    const int32_t size = s.Vertical ? found.Height() : found.Width();
    origin = s.Vertical ? found.top : found.left;
    s.Marker = size;
    s.ScaleLength = size + kAdjustMargin;
    // Reversed, the origin sits on the rectangle's last pixel at the ruler's far end.
    if (s.Reverse) origin -= kAdjustMargin + 1;
    if (!s.FullScale) s.Lenght = s.ScaleLength;
    Refresh r;
    r.fixMonitorByCursor = true;
    r.recomputeLength = true;
    r.placement = Placement::kFull;
    r.panel.red = true;
    r.panel.length = true;
    r.repaint = Repaint::kErase;
    r.readout = true;
    return r;
}
