// How a failed comparison of two refresh requests prints them: the parts each one asks for.
#pragma once

#include <ostream>

#include "ops/operations.h"

inline void PrintTo(const Refresh& r, std::ostream* os) {
    const PanelRefresh& p = r.panel;
    *os << "{panel " << p.length << p.red << p.blue << p.allReadouts << p.arrows
        << p.fullScaleButton << p.narrowButton << p.unitRadio << ", fixMonitorByCursor "
        << r.fixMonitorByCursor << ", recomputeLength " << r.recomputeLength << ", placement "
        << static_cast<int>(r.placement) << ", readout " << r.readout << ", repaint "
        << static_cast<int>(r.repaint) << ", render " << r.render << ", turned " << r.turned
        << ", magnifier " << r.magnifier << "}";
}
