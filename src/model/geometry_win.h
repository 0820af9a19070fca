// The system's rectangles as the core's, and the screen point of the message being handled.
#pragma once

#include <windows.h>

#include "model/geometry.h"

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}

// Where the pointer was when the message last taken from the queue was made; unlike the
// pointer's present place, asked of nothing beyond the thread.
inline POINT MessagePoint() {
    const DWORD at = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}
