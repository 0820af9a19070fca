// Where the ruler window goes: its rectangle from the state, and the monitor it belongs to.
#include "app/placement.h"

#include <algorithm>

#include "model/units.h"

namespace {

constexpr int16_t kDefaultDiagonal = 170;

}  // namespace

int32_t RulerThickness(const RulerState& s) {
    return s.NarrowScale ? 22 : 50;
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
    // A monitor past the recorded four has no display-size entry of its own.
    const int16_t diagonal = index < kMaxMonitors ? s.ScreenSize[index] : kDefaultDiagonal;
    s.AutoScaling = ComputeAutoScaling(monitor.Width(), monitor.Height(), diagonal);

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
