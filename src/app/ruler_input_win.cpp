// The ruler window's mouse, keyboard and wheel.
#include "app/ruler_input_win.h"

#include <windowsx.h>

#include "ops/edge_snap_win.h"
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
    const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const int32_t step = CurrentStep();
    if (!SnapMarkerStep(app, WheelMarkerMove(app.state, delta), step)) {
        ApplyRefresh(app, OnWheel(app.state, delta, step));
    }
    return 1;
}

void OnKeyDown(Instance& app, WPARAM key) {
    if (app.state.NoKeyOperation) return;
    const int virtualKey = static_cast<int>(key);
    // A turn or a switch has no size, so it does not read the keys.
    const int32_t step = KeyTakesStep(virtualKey) ? CurrentStep() : StepSize(false);
    if (!SnapMarkerStep(app, MarkerKeyMove(virtualKey), step)) {
        ApplyRefresh(app, OnKey(app.state, virtualKey, step));
    }
}
