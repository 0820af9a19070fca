// The process-wide state of a ruler instance as the Win32 side holds it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"
#include "render/ruler_paint_win.h"

struct App {
    RulerState state;
    HINSTANCE module = nullptr;
    HWND ruler = nullptr;
    std::wstring className;  // "Linova <n>"
    int32_t osVersionCode = 0;
    int16_t instancesAtStart = 0;  // rulers 1.. already running, without a gap, at our start
    std::vector<Rect> monitorList;
    RulerPicture picture;
    // Windows of the instance that come and go; null while closed.
    bool panelOpen = false;
    HWND panelWindow = nullptr;
    bool magnifierOpen = false;
    HWND magnifierWindow = nullptr;
    HWND rulerTooltip = nullptr;

    // The left-button drag.
    bool dragging = false;
    Point dragAnchor;  // client point where the button went down
    // The point the Direction command turns about, and whether a right click set it.
    Point pivotPoint;
    bool pivotPending = false;
    // How the next dialog is placed: beside the ruler, or centred on the cursor.
    bool placeAtCursor = false;
};

// The one instance record of this process.
App& TheApp();

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
