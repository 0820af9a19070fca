// The ruler window's procedure: it only routes each message to a short handler.
#include "app/ruler_window_win.h"

#include <windowsx.h>

#include "app/app_win.h"
#include "app/commands_win.h"
#include "app/ruler_input_win.h"
#include "app/tray_win.h"
#include "model/edid_win.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "model/trace_win.h"
#include "ops/operations_win.h"
#include "ops/readout_win.h"
#include "render/backgrounds_win.h"
#include "render/dpi_win.h"
#include "render/ruler_paint_win.h"

namespace {

void SaveSettings(const RulerState& s) {
    RegistryStore store;
    if (!SaveInstance(s, store)) TraceFailure(L"saving the settings");
}

LRESULT OnCreate(Instance& app, HWND window, const CREATESTRUCTW* create) {
    app.module = create->hInstance;
    app.ruler = window;
    ApplyBackColor(window, app.module, app.state.BackColor, app.picture.background);
    // The tooltip is made after the first paint, which does not need it.
    return 0;
}

// New system colours reach the system backgrounds and the recoloured patterns.
LRESULT OnSysColorChange(Instance& app) {
    ApplyBackColor(app.ruler, app.module, app.state.BackColor, app.picture.background);
    ForgetDrawnScales(app.picture);
    RenderScale(app.ruler, app.state, app.module, app.picture);
    InvalidateRect(app.ruler, nullptr, TRUE);
    return 0;
}

LRESULT OnDestroy(Instance& app) {
    if (app.instancesAtStart == 0) RemoveTrayIcon(app);
    ReleasePicture(app.ruler, app.picture);
    if (app.state.SaveOnExit) SaveSettings(app.state);
    PostQuitMessage(0);
    return 0;
}

// Losing the activation must not drop a topmost ruler behind other windows. Re-asserting the
// z-order must not take the activation back either, or no window is left in front. When the
// ruler's own dialog takes the activation, the ruler already stands where it should: a trip
// through the window system to stay there would only slow the dialog's opening. A ruler that has
// hidden itself to end, and so passed the activation on, stays hidden.
LRESULT OnActivate(const Instance& app, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE && IsWindowVisible(app.ruler) &&
        !HoldsItsPlace(app.ruler, app.state)) {
        PlaceWindow(app.ruler, app.state, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    return 0;
}

void OnDisplayChange(Instance& app, LPARAM lParam) {
    RulerState& s = app.state;
    s.PrimaryScreenWidth = LOWORD(lParam);
    s.PrimaryScreenHeight = HIWORD(lParam);
    app.monitorList = EnumerateMonitors();
    // Monitors may have come or gone: each takes its own size, unless the user gave one.
    LearnMonitorSizes(s);
    FollowMonitor(app);
    PlaceWindow(app.ruler, s, 0);
}

// The ruler stays as many pixels long and thick on every monitor; what is drawn by the density
// follows it.
LRESULT OnDpiChanged(Instance& app, WPARAM wParam, LPARAM lParam) {
    RulerState& s = app.state;
    const std::optional<Rect> suggested = SuggestedRect(lParam);
    const Point at = suggested ? Point{suggested->left, suggested->top} : Point{s.xPosi, s.yPosi};
    ApplyRefresh(app, FollowDpi(s, DpiOfChange(wParam, DpiOf(s)), at));
    FitTooltipToDpi(app);
    return 0;
}

// Shift+F10 and the menu key ask for the menu a right click shows, at the middle of the ruler. A
// request from the mouse follows the right button's release, whose press has shown the menu.
LRESULT OnContextMenu(Instance& app, LPARAM lParam) {
    if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return 0;
    RECT client{};
    GetClientRect(app.ruler, &client);
    ShowContextMenu(app, MAKELPARAM(client.right / 2, client.bottom / 2));
    return 0;
}

LRESULT OnCommand(Instance& app, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RunCommand(app, LOWORD(wParam))) return 0;
    return DefWindowProcW(app.ruler, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK RulerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Instance& app = TheApp();
    if (IsTaskbarCreated(message)) {
        OnTaskbarCreated(app);
        return 0;
    }
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            RelayToTooltip(app, message, wParam, lParam);
            break;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(app, window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        case WM_DESTROY:
            return OnDestroy(app);
        case WM_MOVE:
            return 0;
        case WM_SIZE:
            ResizeTooltip(app);
            return 0;
        case WM_ACTIVATE:
            return OnActivate(app, wParam);
        case WM_PAINT:
            PaintRuler(window, app.state, app.module, app.picture);
            return 0;
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange(app);
        case WM_QUERYENDSESSION:
            if (app.state.SaveOnExit) SaveSettings(app.state);
            break;
        case WM_DPICHANGED:
            return OnDpiChanged(app, wParam, lParam);
        case WM_DISPLAYCHANGE:
            OnDisplayChange(app, lParam);
            break;
        case WM_KEYDOWN:
            OnKeyDown(app, wParam);
            break;
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            return OnCommand(app, message, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(app, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(app, wParam, lParam);
        case WM_LBUTTONUP:
            return OnLeftButtonUp(app);
        case WM_LBUTTONDBLCLK:
            return OnLeftDoubleClick(app, lParam);
        case WM_RBUTTONDOWN:
            ShowContextMenu(app, lParam);
            return 0;
        case WM_CONTEXTMENU:
            return OnContextMenu(app, lParam);
        case WM_MOUSEWHEEL:
            return OnMouseWheel(app, wParam);
        case WM_USER:
            OnTrayCallback(app, wParam, lParam);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
