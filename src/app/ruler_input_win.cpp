// The ruler window's mouse, keyboard and wheel.
#include "app/ruler_input_win.h"

#include <windowsx.h>

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

LRESULT OnLeftButtonDown(Instance& app, LPARAM lParam) {
    if (app.state.NoMouseOperation) return 0;
    SetCapture(app.ruler);
    app.dragging = true;
    const POINT client = ClientPoint(lParam);
    app.dragAnchor = Point{client.x, client.y};
    app.pivotPoint = ScreenPoint(app.ruler, lParam);
    return 0;
}

LRESULT OnMouseMove(Instance& app, WPARAM wParam, LPARAM lParam) {
    if (!(wParam & MK_LBUTTON) || !app.dragging) return 0;
    ApplyRefresh(app, DragTo(app.state, ScreenPoint(app.ruler, lParam), app.dragAnchor));
    return 0;
}

LRESULT OnLeftButtonUp(Instance& app) {
    // The ruler may have been dropped on another monitor, or partly off this one.
    FollowMonitor(app);
    if (app.dragging) ReleaseCapture();
    app.dragging = false;
    InvalidateRect(app.ruler, nullptr, TRUE);
    return 0;
}

LRESULT OnLeftDoubleClick(Instance& app, LPARAM lParam) {
    if (app.state.NoMouseOperation) return 0;
    ApplyRefresh(app, TurnAbout(app.state, ScreenPoint(app.ruler, lParam)));
    return 0;
}

LRESULT OnMouseWheel(Instance& app, WPARAM wParam) {
    ApplyRefresh(app, OnWheel(app.state, GET_WHEEL_DELTA_WPARAM(wParam), CurrentStep()));
    return 1;
}

void OnKeyDown(Instance& app, WPARAM key) {
    if (app.state.NoKeyOperation) return;
    ApplyRefresh(app, OnKey(app.state, static_cast<int>(key), CurrentStep()));
}
