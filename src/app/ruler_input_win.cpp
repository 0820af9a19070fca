// The ruler window's mouse, keyboard and wheel.
#include "app/ruler_input_win.h"

#include <windowsx.h>

#include "app/app_win.h"
#include "app/placement_win.h"
#include "ops/operations_win.h"

namespace {

// The client point of a mouse message, whose halves are signed.
POINT ClientPoint(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

Point ScreenPoint(HWND ruler, LPARAM lParam) {
    POINT p = ClientPoint(lParam);
    ClientToScreen(ruler, &p);
    return Point{p.x, p.y};
}

}  // namespace

LRESULT OnLeftButtonDown(HWND ruler, LPARAM lParam) {
    App& app = TheApp();
    if (app.state.NoMouseOperation) return 0;
    SetCapture(ruler);
    app.dragging = true;
    const POINT client = ClientPoint(lParam);
    app.dragAnchor = Point{client.x, client.y};
    app.pivotPoint = ScreenPoint(ruler, lParam);
    return 0;
}

LRESULT OnMouseMove(HWND ruler, WPARAM wParam, LPARAM lParam) {
    App& app = TheApp();
    if (!(wParam & MK_LBUTTON) || !app.dragging) return 0;
    ApplyRefresh(ruler, DragTo(app.state, ScreenPoint(ruler, lParam), app.dragAnchor));
    return 0;
}

LRESULT OnLeftButtonUp(HWND ruler) {
    App& app = TheApp();
    // The ruler may have been dropped on another monitor, or partly off this one.
    FollowMonitor(ruler);
    if (app.dragging) ReleaseCapture();
    app.dragging = false;
    InvalidateRect(ruler, nullptr, TRUE);
    return 0;
}

LRESULT OnLeftDoubleClick(HWND ruler, LPARAM lParam) {
    App& app = TheApp();
    if (app.state.NoMouseOperation) return 0;
    ApplyRefresh(ruler, TurnAbout(app.state, ScreenPoint(ruler, lParam)));
    return 0;
}

LRESULT OnMouseWheel(HWND ruler, WPARAM wParam) {
    ApplyRefresh(ruler, OnWheel(TheApp().state, GET_WHEEL_DELTA_WPARAM(wParam), CurrentStep()));
    return 1;
}

void OnKeyDown(HWND ruler, WPARAM key) {
    RulerState& s = TheApp().state;
    if (s.NoKeyOperation) return;
    ApplyRefresh(ruler, OnKey(s, static_cast<int>(key), CurrentStep()));
}
