// Putting the ruler window and the dialogs on the screen, and finding the monitors.
#include "model/placement_win.h"

#include "model/geometry_win.h"
#include "model/placement.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    auto& monitors = *reinterpret_cast<std::vector<Rect>*>(list);
    if (monitors.size() < kMaxMonitors) monitors.push_back(ToRect(*rect));
    return TRUE;
}

// The whole monitor, taskbar included; the primary screen stands in when there is none.
Rect RectOfMonitor(const RulerState& s, HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor && GetMonitorInfoW(monitor, &info)) return ToRect(info.rcMonitor);
    return Rect{0, 0, s.PrimaryScreenWidth, s.PrimaryScreenHeight};
}

// The monitor at a screen point. The monitors known since the last display change answer without
// a trip to the system; only a point off all of them asks it for the nearest.
Rect MonitorAt(const RulerState& s, const std::vector<Rect>& monitorList, POINT p) {
    if (const std::optional<Rect> listed = ListedMonitorAt(monitorList, Point{p.x, p.y})) {
        return *listed;
    }
    return RectOfMonitor(s, MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST));
}

}  // namespace

void PlaceWindow(HWND ruler, const RulerState& s, UINT flags) {
    const Rect r = RulerWindowRect(s);
    HWND band = s.TopMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    // A shown ruler gets its rectangle and its place in the z-order in one call. Each call is a
    // round trip through the window system, and a shown borderless window has no frame to
    // change and nothing to show; of the caller's flags only "no activation" and "discard the
    // picture" mean anything.
    if (IsWindowVisible(ruler)) {
        SetWindowPos(ruler, band, r.left, r.top, r.Width(), r.Height(),
                     flags & (SWP_NOACTIVATE | SWP_NOCOPYBITS));
        return;
    }
    MoveWindow(ruler, r.left, r.top, r.Width(), r.Height(), TRUE);
    SetWindowPos(ruler, band, 0, 0, 0, 0,
                 flags | SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    ShowWindow(ruler, SW_SHOWNA);
}

namespace {

// Whether a window belongs to the ruler: owned by it, or by a window that is.
bool OwnedBy(HWND window, HWND ruler) {
    for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        if (owner == ruler) return true;
    }
    return false;
}

// How many windows above a topmost ruler are looked at before it is simply put on top again.
constexpr int kMostWindowsAbove = 32;

}  // namespace

bool HoldsItsPlace(HWND ruler, const RulerState& s) {
    if (!IsWindowVisible(ruler)) return false;
    RECT now{};
    const Rect r = RulerWindowRect(s);
    if (!GetWindowRect(ruler, &now) || now.left != r.left || now.top != r.top ||
        now.right != r.right || now.bottom != r.bottom) {
        return false;
    }
    const bool topmost = (GetWindowLongW(ruler, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (topmost != (s.TopMost != 0)) return false;
    if (!topmost) return true;
    int seen = 0;
    for (HWND above = GetWindow(ruler, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
        if (++seen > kMostWindowsAbove || !OwnedBy(above, ruler)) return false;
    }
    return true;
}

std::vector<Rect> EnumerateMonitors() {
    std::vector<Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void FixMonitorUnderCursor(RulerState& s, const std::vector<Rect>& monitorList, POINT cursor) {
    FixMonitor(s, MonitorAt(s, monitorList, cursor), monitorList);
}

Rect MonitorNearest(const RulerState& s, const Rect& rect) {
    const RECT r{rect.left, rect.top, rect.right, rect.bottom};
    return RectOfMonitor(s, MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

bool GetTaskbarRect(RECT* rect) {
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    return taskbar && GetWindowRect(taskbar, rect);
}

void PlaceDialogWindow(HWND dialog, const RulerState& s, const std::vector<Rect>& monitorList,
                       bool newerSystem, bool placeAtCursor, std::optional<SIZE> size) {
    DialogPlacement d{};
    POINT cursor{};
    GetCursorPos(&cursor);
    d.monitor = MonitorAt(s, monitorList, cursor);
    d.cursor = Point{cursor.x, cursor.y};
    if (size) {
        d.width = size->cx;
        d.height = size->cy;
    } else {
        RECT r{};
        GetWindowRect(dialog, &r);
        d.width = r.right - r.left;
        d.height = r.bottom - r.top;
    }
    RECT taskbar{};
    if (GetTaskbarRect(&taskbar)) {
        d.hasTaskbar = true;
        d.taskbar = ToRect(taskbar);
    }
    d.newerSystem = newerSystem;
    d.placeAtCursor = placeAtCursor;
    const Point p = PlaceDialog(s, d);
    MoveWindow(dialog, p.x, p.y, d.width, d.height, FALSE);
}
