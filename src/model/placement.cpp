// Where the ruler and its dialogs go: the ruler's thickness, length and rectangle, the monitor it
// belongs to, and the place of a dialog beside it.
#include "model/placement.h"

#include <algorithm>

#include "model/units.h"

int32_t RulerThickness(const RulerState& s) {
    return s.NarrowScale ? kNarrowBodyThickness : kBodyThickness;
}

int32_t FullScaleLength(const RulerState& s) {
    return s.Vertical ? s.MonitorRect.Height() : s.MonitorRect.Width();
}

void RecomputeLength(RulerState& s) {
    s.ScaleLength = s.FullScale ? FullScaleLength(s) : s.Lenght;
}

Rect RulerWindowRect(const RulerState& s) {
    const int32_t thickness = RulerThickness(s);
    const int32_t length = s.ScaleLength + 1;
    Rect r;
    r.left = s.FullScale && !s.Vertical ? s.MonitorRect.left : s.xPosi;
    r.top = s.FullScale && s.Vertical ? s.MonitorRect.top : s.yPosi;
    r.right = r.left + (s.Vertical ? thickness : length);
    r.bottom = r.top + (s.Vertical ? length : thickness);
    return r;
}

int16_t MonitorDiagonal(const RulerState& s) {
    return s.MonitorIndex < kMaxMonitors ? s.ScreenSize[s.MonitorIndex] : kDefaultDiagonal;
}

void FixMonitor(RulerState& s, const Rect& monitor, const std::vector<Rect>& monitorList) {
    s.MonitorRect = monitor;
    const size_t count = std::min(monitorList.size(), kMaxMonitors);
    size_t index = count;
    for (size_t i = 0; i < count; ++i) {
        if (monitorList[i] == monitor) {
            index = i;
            break;
        }
    }
    s.MonitorIndex = static_cast<uint16_t>(index);
    s.AutoScaling = ComputeAutoScaling(monitor.Width(), monitor.Height(), MonitorDiagonal(s));

    const int32_t t = RulerThickness(s);
    const int32_t l = s.ScaleLength;
    s.xPosi = std::min(s.xPosi, monitor.right - t);
    s.yPosi = std::min(s.yPosi, monitor.bottom - t);
    if (!s.Vertical) {
        s.xPosi = std::max(s.xPosi, monitor.left + t - l);
        s.yPosi = std::max(s.yPosi, monitor.top);
    } else {
        s.yPosi = std::max(s.yPosi, monitor.top + t - l);
        s.xPosi = std::max(s.xPosi, monitor.left);
    }
}

Point PlaceDialog(const RulerState& s, const DialogPlacement& d) {
    const Rect ruler = RulerWindowRect(s);
    const int32_t t = RulerThickness(s);
    const int32_t gap = d.newerSystem ? 10 : 5;
    Point p{s.xPosi + t + gap, s.yPosi + t + gap};
    if (s.Vertical || d.placeAtCursor) p.y = d.cursor.y - d.height / 2;
    if (!s.Vertical || d.placeAtCursor) p.x = d.cursor.x - d.width / 2;
    if (!d.placeAtCursor) {
        // The room is judged on the primary screen, whatever monitor the ruler is on.
        if (s.Vertical && s.xPosi + d.width + ruler.Width() + 10 > s.PrimaryScreenWidth) {
            p.x = s.xPosi - d.width - gap;
        }
        if (!s.Vertical && s.yPosi + d.height + ruler.Height() + 10 > s.PrimaryScreenHeight) {
            p.y = s.yPosi - d.height - gap;
        }
    }
    Rect margin;  // the taskbar's side of the monitor
    if (d.hasTaskbar) {
        const Rect& b = d.taskbar;
        if (b.Width() > b.Height()) {
            (b.top < d.monitor.bottom / 2 ? margin.top : margin.bottom) = b.Height();
        } else {
            (b.left < d.monitor.right / 2 ? margin.left : margin.right) = b.Width();
        }
    }
    p.x = std::max(p.x, d.monitor.left + margin.left + 5);
    p.y = std::max(p.y, d.monitor.top + margin.top + 3);
    // The right and bottom edges win over the left and top ones.
    if (p.x + d.width + 5 > d.monitor.right - margin.right) {
        p.x = d.monitor.right - margin.right - d.width - 5;
    }
    if (p.y + d.height + 3 > d.monitor.bottom - margin.bottom) {
        p.y = d.monitor.bottom - margin.bottom - d.height - 3;
    }
    return p;
}

std::optional<Rect> ListedMonitorAt(const std::vector<Rect>& monitorList, Point p) {
    for (const Rect& m : monitorList) {
        if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom) return m;
    }
    return std::nullopt;
}

int32_t ColourStripWidth(float dpiX) {
    return static_cast<int32_t>(15.0 * dpiX / 96.0);
}
