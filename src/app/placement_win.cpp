// Putting the ruler window on the screen and finding the monitor it is on.
#include "app/placement_win.h"

#include "app/app_win.h"
#include "model/placement.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM) {
    auto& list = TheApp().monitorList;
    if (list.size() < kMaxMonitors) list.push_back(ToRect(*rect));
    return TRUE;
}

// The whole monitor, taskbar included; the primary screen stands in when there is none.
Rect RectOfMonitor(HMONITOR monitor) {
    const RulerState& s = TheApp().state;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info)) return ToRect(info.rcMonitor);
    return Rect{0, 0, s.PrimaryScreenWidth, s.PrimaryScreenHeight};
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
    HMONITOR monitor = nullptr;
    if (byCursor) {
        POINT cursor{};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    } else {
        monitor = MonitorFromWindow(ruler, MONITOR_DEFAULTTONEAREST);
    }
    FixMonitor(TheApp().state, RectOfMonitor(monitor), TheApp().monitorList);
}

Rect MonitorNearest(const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return RectOfMonitor(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

void PlaceDialogWindow(HWND dialog) {
    const App& app = TheApp();
    const RulerState& s = app.state;
    DialogPlacement d{};
    POINT cursor{};
    GetCursorPos(&cursor);
    d.cursor = Point{cursor.x, cursor.y};
    d.monitor = RectOfMonitor(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST));
    RECT r{};
    GetWindowRect(dialog, &r);
    d.width = r.right - r.left;
    d.height = r.bottom - r.top;
    RECT taskbar{};
    if (HWND bar = FindWindowW(L"Shell_TrayWnd", nullptr); bar && GetWindowRect(bar, &taskbar)) {
        d.hasTaskbar = true;
        d.taskbar = ToRect(taskbar);
    }
    d.newerSystem = app.osVersionCode >= 600;
    d.placeAtCursor = app.placeAtCursor;
    const Point p = PlaceDialog(s, d);
    MoveWindow(dialog, p.x, p.y, d.width, d.height, FALSE);
}
