// The process-wide state of a ruler instance as the Win32 side holds it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"

struct App {
    RulerState state;
    HINSTANCE module = nullptr;
    HWND ruler = nullptr;
    std::wstring className;  // "Linova <n>"
    int32_t osVersionCode = 0;
    int16_t instancesAtStart = 0;  // rulers 1.. already running, without a gap, at our start
    std::vector<Rect> monitorList;
    LOGFONTW rulerFont{};
    // Windows of the instance that come and go; null while closed.
    HWND panelWindow = nullptr;
    HWND magnifierWindow = nullptr;
};

// The one instance record of this process.
App& TheApp();

inline Rect ToRect(const RECT& r) {
    return Rect{r.left, r.top, r.right, r.bottom};
}
