// Markers that find edges: where the screen beside the ruler changes, and the marker step that
// goes there instead of one pixel on.
#include "ops/edge_snap.h"

#include <algorithm>
#include <cstdlib>

#include "model/placement.h"

namespace {

int Channel(uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

// The pixel beside scale position p (-1 .. length + 1) on one line.
uint32_t PixelAt(const std::vector<uint32_t>& line, int64_t length, bool reverse, int64_t p) {
    // The lines start one pixel before the scale's first screen pixel.
    const int64_t index = (reverse ? length - p : p) + 1;
    if (index < 0 || index >= static_cast<int64_t>(line.size())) return kOffScreen;
    return line[static_cast<size_t>(index)];
}

bool EdgeAt(const EdgeRows& rows, int64_t length, bool reverse, int64_t p) {
    for (const std::vector<uint32_t>& line : rows.line) {
        if (PixelsMakeEdge(PixelAt(line, length, reverse, p - 1),
                           PixelAt(line, length, reverse, p))) {
            return true;
        }
    }
    return false;
}

bool Inside(const Rect& r, int64_t x, int64_t y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool InsideAny(const std::vector<Rect>& rects, int64_t x, int64_t y) {
    return std::any_of(rects.begin(), rects.end(), [&](const Rect& r) { return Inside(r, x, y); });
}

}  // namespace

bool PixelsMakeEdge(uint32_t a, uint32_t b) {
    if (a == kOffScreen || b == kOffScreen) return false;
    for (int shift : {0, 8, 16}) {
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > kEdgeThreshold) return true;
    }
    return false;
}

EdgeLines EdgeLinesOf(const RulerState& s) {
    const Rect r = RulerWindowRect(s);
    EdgeLines lines;
    lines.vertical = s.Vertical != 0;
    lines.count = s.ScaleLength + 3;
    lines.first[0] = Point{r.left - 1, r.top - 1};
    lines.first[1] = lines.vertical ? Point{r.right, r.top - 1} : Point{r.left - 1, r.bottom};
    return lines;
}

void MarkUnseen(EdgeRows& rows, const EdgeLines& lines, const std::vector<Rect>& monitors,
                const std::vector<Rect>& ownWindows) {
    for (size_t k = 0; k < 2; ++k) {
        std::vector<uint32_t>& line = rows.line[k];
        for (size_t i = 0; i < line.size(); ++i) {
            const int64_t along = static_cast<int64_t>(i);
            const int64_t x = lines.first[k].x + (lines.vertical ? 0 : along);
            const int64_t y = lines.first[k].y + (lines.vertical ? along : 0);
            if (!InsideAny(monitors, x, y) || InsideAny(ownWindows, x, y)) line[i] = kOffScreen;
        }
    }
}

std::optional<int32_t> NextEdge(const EdgeRows& rows, int32_t length, bool reverse, int32_t from,
                                bool up) {
    if (up) {
        for (int64_t p = std::max<int64_t>(int64_t{from} + 1, 0); p <= length; ++p) {
            if (EdgeAt(rows, length, reverse, p)) return static_cast<int32_t>(p);
        }
    } else {
        for (int64_t p = std::min<int64_t>(int64_t{from} - 1, length); p >= 0; --p) {
            if (EdgeAt(rows, length, reverse, p)) return static_cast<int32_t>(p);
        }
    }
    return std::nullopt;
}

void ToggleSnapEdges(RulerState& s) {
    s.SnapEdges ^= 1;
    s.SnapEdgesStored = true;
}

bool SnapsThisStep(const RulerState& s, int32_t step) {
    return s.SnapEdges != 0 && step == StepSize(false);
}

Refresh SnapMarker(RulerState& s, MarkerMove move, const EdgeRows& rows) {
    const int32_t from = move.blue ? s.MarkerBlue : s.Marker;
    const auto edge = NextEdge(rows, s.ScaleLength, s.Reverse != 0, from, move.up);
    // The edge lies on the scale and in the step's direction, so a step of that distance lands on
    // it exactly.
    const int64_t distance = edge ? std::abs(int64_t{*edge} - from) : StepSize(false);
    return MarkerStep(s, move.blue, static_cast<int32_t>(distance), move.up);
}
