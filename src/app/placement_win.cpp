// Putting the ruler window on the screen and finding the monitor it is on.
#include "app/placement_win.h"

#include "app/app_win.h"
#include "app/placement.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM) {
    auto& list = TheApp().monitorList;
    if (list.size() < kMaxMonitors) list.push_back(ToRect(*rect));
    return TRUE;
}

}  // namespace

void PlaceWindow(HWND ruler, UINT flags) {
    const RulerState& s = TheApp().state;
    const Rect r = RulerWindowRect(s);
    MoveWindow(ruler, r.left, r.top, r.Width(), r.Height(), TRUE);
    SetWindowPos(ruler, s.TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 flags | SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    ShowWindow(ruler, SW_SHOWNA);
}

void EnumerateMonitors() {
    TheApp().monitorList.clear();
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, 0);
}

void FixMonitorOf(HWND ruler, bool byCursor) {
    RulerState& s = TheApp().state;
    HMONITOR monitor = nullptr;
    if (byCursor) {
        POINT cursor{};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    } else {
        monitor = MonitorFromWindow(ruler, MONITOR_DEFAULTTONEAREST);
    }
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    Rect rect{0, 0, s.PrimaryScreenWidth, s.PrimaryScreenHeight};
    if (monitor && GetMonitorInfoW(monitor, &info)) rect = ToRect(info.rcMonitor);
    FixMonitor(s, rect, TheApp().monitorList);
}
