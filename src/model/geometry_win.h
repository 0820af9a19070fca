// The system's rectangles as the core's.
#pragma once

#include <windows.h>

#include "model/geometry.h"

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
