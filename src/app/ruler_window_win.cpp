// The ruler window's procedure: it only routes each message to a short handler.
#include "app/ruler_window_win.h"

#include "app/app_win.h"
#include "app/commands_win.h"
#include "app/placement_win.h"
#include "app/ruler_input_win.h"
#include "app/tray_win.h"
#include "model/persistence.h"
#include "model/registry_store_win.h"
#include "ops/operations_win.h"
#include "ops/readout_win.h"
#include "render/backgrounds_win.h"
#include "render/ruler_paint_win.h"

namespace {

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
    TheApp().module = create->hInstance;
    TheApp().ruler = window;
    ApplyBackColor(window, TheApp().module, TheApp().state.BackColor, TheApp().picture.background);
    // The tooltip is made after the first paint, which does not need it.
    return 0;
}

// New system colours reach the system backgrounds and the recoloured patterns.
LRESULT OnSysColorChange(HWND window) {
    App& app = TheApp();
    ApplyBackColor(window, app.module, app.state.BackColor, app.picture.background);
    RenderScale(window, app.state, app.module, app.picture);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    if (TheApp().instancesAtStart == 0) RemoveTrayIcon(window);
    ReleasePicture(window, TheApp().picture);
    if (TheApp().state.SaveOnExit) SaveSettings();
    PostQuitMessage(0);
    return 0;
}

// Losing the activation must not drop a topmost ruler behind other windows. Re-asserting the
// z-order must not take the activation back either, or no window is left in front.
LRESULT OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        PlaceWindow(window, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    return 0;
}

void OnDisplayChange(HWND window, LPARAM lParam) {
    RulerState& s = TheApp().state;
    s.PrimaryScreenWidth = LOWORD(lParam);
    s.PrimaryScreenHeight = HIWORD(lParam);
    EnumerateMonitors();
    FollowMonitor(window);
    PlaceWindow(window, 0);
}

LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (RunCommand(window, LOWORD(wParam))) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void SaveSettings() {
    RegistryStore store;
    SaveInstance(TheApp().state, store);
}

LRESULT CALLBACK RulerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsTaskbarCreated(message)) {
        OnTaskbarCreated(window);
        return 0;
    }
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            RelayToTooltip(window, message, wParam, lParam);
            break;
    }
    switch (message) {
        case WM_CREATE:
            return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        case WM_DESTROY:
            return OnDestroy(window);
        case WM_MOVE:
            return 0;
        case WM_SIZE:
            ResizeTooltip(window);
            return 0;
        case WM_ACTIVATE:
            return OnActivate(window, wParam);
        case WM_PAINT:
            PaintRuler(window, TheApp().state, TheApp().module, TheApp().picture);
            return 0;
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange(window);
        case WM_QUERYENDSESSION:
            if (TheApp().state.SaveOnExit) SaveSettings();
            break;
        case WM_DISPLAYCHANGE:
            OnDisplayChange(window, lParam);
            break;
        case WM_KEYDOWN:
            OnKeyDown(window, wParam);
            break;
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            return OnCommand(window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(window, lParam);
        case WM_MOUSEMOVE:
            return OnMouseMove(window, wParam, lParam);
        case WM_LBUTTONUP:
            return OnLeftButtonUp(window);
        case WM_LBUTTONDBLCLK:
            return OnLeftDoubleClick(window, lParam);
        case WM_RBUTTONDOWN:
            ShowContextMenu(window, lParam);
            return 0;
        case WM_MOUSEWHEEL:
            return OnMouseWheel(window, wParam);
        case WM_USER:
            OnTrayCallback(window, wParam, lParam);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
