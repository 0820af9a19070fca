// What the magnifier window computes: its title and layout, the points its panes show, the
// screen rectangles they copy and the commands of its context menu.
#include "magnifier/magnifier.h"

#include <algorithm>

#include "dialogs/colour_strip.h"
#include "model/placement.h"
#include "resources/resource.h"

namespace {

// A source far off every screen is as good as one further off, and keeps its right and bottom
// edges inside 32 bits; markers are not bounded above when loaded.
constexpr int64_t kFarOff = int64_t{1} << 30;

int32_t Saturated(int64_t v) {
    return static_cast<int32_t>(std::clamp(v, -kFarOff, kFarOff));
}

Rect RectAt(int32_t left, int32_t top, int32_t width, int32_t height) {
    return Rect{left, top, left + width, top + height};
}

// What two rectangles share; nothing when either has no area or they only touch.
std::optional<Rect> Overlap(const Rect& a, const Rect& b) {
    const Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                 std::min(a.bottom, b.bottom)};
    if (r.left >= r.right || r.top >= r.bottom) return std::nullopt;
    return r;
}

enum class Rounding { kDown, kOutward };

// The pane pixels that show `part` of `source` when the whole source is stretched over the pane:
// source pixel i fills the pane from i * size / sourceSize up to (i + 1) * size / sourceSize.
Rect PanePixels(const Rect& source, const Rect& part, int32_t paneWidth, int32_t paneHeight,
                Rounding rounding) {
    auto down = [](int64_t offset, int64_t size, int64_t sourceSize) {
        return static_cast<int32_t>(offset * size / sourceSize);
    };
    auto end = [&](int64_t offset, int64_t size, int64_t sourceSize) {
        if (rounding == Rounding::kDown) return down(offset, size, sourceSize);
        return static_cast<int32_t>((offset * size + sourceSize - 1) / sourceSize);
    };
    const int64_t sw = source.Width();
    const int64_t sh = source.Height();
    return Rect{down(part.left - source.left, paneWidth, sw),
                down(part.top - source.top, paneHeight, sh),
                end(part.right - source.left, paneWidth, sw),
                end(part.bottom - source.top, paneHeight, sh)};
}

}  // namespace

std::wstring MagnifierTitle(const std::wstring& className) {
    return L"Magnifier - " + className;
}

MagnifierLayout LayoutMagnifier(int32_t clientWidth, int32_t clientHeight, float dpiX) {
    const int32_t height = std::max(clientHeight, 0);
    const ColourStripLayout strip = LayOutColourStrip(dpiX, height);
    MagnifierLayout l;
    l.strip = strip.strip;
    l.line = strip.line;
    const int32_t x0 = strip.line.right;
    // A window too narrow for the strip leaves the panes no width rather than less than none.
    const int32_t rest = std::max(clientWidth - x0, 0);
    const int32_t w1 = rest / 2;
    const int32_t w2 = rest - w1;
    const int32_t h1 = height / 2;
    const int32_t h2 = height - h1;
    l.panes[0] = RectAt(x0, 0, w1, h1);
    l.panes[1] = RectAt(x0 + w1, 0, w2, h1);
    l.panes[2] = RectAt(x0, h1, w1, h2);
    l.panes[3] = RectAt(x0 + w1, h1, w2, h2);
    return l;
}

MagnifierPoints MagnifierPointsOf(const RulerState& s) {
    const int32_t a = s.MagType == 0 ? s.Marker : s.MarkerBlue;
    const int32_t b = s.MagType == 2 ? s.Marker : 0;
    if (s.Reverse) return {s.ScaleLength - b, s.ScaleLength - a};
    return {a, b};
}

Rect PaneSource(const RulerState& s, int pane, int32_t paneWidth, int32_t paneHeight) {
    const int32_t zoom = std::max<int32_t>(s.Magnifier, 1);
    const int32_t sw = std::max(paneWidth, 0) / zoom;
    const int32_t sh = std::max(paneHeight, 0) / zoom;
    const bool vertical = s.Vertical != 0;
    // Rows (horizontal ruler) or columns (vertical ruler) are the two sides of the ruler; the
    // other way round they are the two points.
    const bool firstPoint = vertical ? pane >= 2 : pane % 2 == 1;
    const bool farSide = vertical ? pane % 2 == 1 : pane >= 2;
    const MagnifierPoints points = MagnifierPointsOf(s);
    const int64_t point = firstPoint ? points.first : points.second;

    const int64_t halfAlong = (vertical ? sh : sw) / 2;
    const int64_t halfAcross = (vertical ? sw : sh) / 2;
    const int64_t across =
        int64_t{vertical ? s.xPosi : s.yPosi} - halfAcross + (farSide ? RulerThickness(s) : 0);
    int64_t along = int64_t{vertical ? s.yPosi : s.xPosi} + point - halfAlong;
    if (s.FullScale) {
        // A full-scale ruler starts at its monitor's edge, and its origin is shown at the pane's
        // border, where the ruler ends, rather than centred with half a pane of nothing beyond.
        const int64_t base = vertical ? s.MonitorRect.top : s.MonitorRect.left;
        const bool showsOrigin = s.MagType != 2 && firstPoint == (s.Reverse != 0);
        if (!showsOrigin) {
            along = base + point - halfAlong;
        } else if (s.Reverse) {
            along = base + s.ScaleLength - 2 * halfAlong;
        } else {
            along = base;
        }
    }
    const int32_t x = Saturated(vertical ? across : along);
    const int32_t y = Saturated(vertical ? along : across);
    return RectAt(x, y, sw, sh);
}

std::optional<PaneCopy> OnScreenPart(const Rect& source, const Rect& screen, int32_t paneWidth,
                                     int32_t paneHeight) {
    const std::optional<Rect> part = Overlap(source, screen);
    if (!part) return std::nullopt;
    return PaneCopy{*part, PanePixels(source, *part, paneWidth, paneHeight, Rounding::kDown)};
}

Rect CoveredPart(const Rect& source, const Rect& covering, int32_t paneWidth, int32_t paneHeight) {
    const std::optional<Rect> part = Overlap(source, covering);
    if (!part) return Rect{};
    // Outward: a pane pixel that shows any of it, however little, is covered.
    return PanePixels(source, *part, paneWidth, paneHeight, Rounding::kOutward);
}

int ZoomItem(const RulerState& s) {
    return IDM_ZOOM_BASE + s.Magnifier;
}

int ModeItem(const RulerState& s) {
    return IDM_MAG_EDGE_RED + s.MagType;
}

MagnifierAction RunMagnifierCommand(RulerState& s, int command) {
    if (command >= IDM_ZOOM_1 && command <= IDM_ZOOM_8) {
        s.Magnifier = static_cast<int16_t>(command - IDM_ZOOM_BASE);
        return MagnifierAction::kRedraw;
    }
    if (command >= IDM_MAG_EDGE_RED && command <= IDM_MAG_RED_BLUE) {
        s.MagType = static_cast<int16_t>(command - IDM_MAG_EDGE_RED);
        return MagnifierAction::kRedraw;
    }
    switch (command) {
        case IDM_MAG_CLOSE:
        case kDialogOk:
        case kDialogCancel:
            return MagnifierAction::kClose;
        case IDM_TURNED:
            return MagnifierAction::kReloadIcon;
        default:
            return MagnifierAction::kNone;
    }
}
