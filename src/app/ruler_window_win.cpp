// The ruler window's procedure: it only routes each message to a short handler.
#include "app/ruler_window_win.h"

#include "app/app_win.h"
#include "model/persistence.h"
#include "model/registry_store_win.h"
#include "render/backgrounds_win.h"
#include "render/ruler_paint_win.h"

namespace {

LRESULT OnCreate(HWND window, const CREATESTRUCTW* create) {
    TheApp().module = create->hInstance;
    TheApp().ruler = window;
    ApplyBackColor(window);
    return 0;
}

// New system colours reach the system backgrounds and the recoloured patterns.
LRESULT OnSysColorChange(HWND window) {
    ApplyBackColor(window);
    RenderScale(window);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT OnDestroy() {
    DeleteBackgroundObjects();
    if (TheApp().state.SaveOnExit) SaveSettings();
    PostQuitMessage(0);
    return 0;
}

LRESULT OnQueryEndSession(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The session may end without a WM_DESTROY: this is the last chance to keep the settings.
    if (TheApp().state.SaveOnExit) SaveSettings();
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void SaveSettings() {
    RegistryStore store;
    SaveInstance(TheApp().state, store);
}

LRESULT CALLBACK RulerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window, reinterpret_cast<const CREATESTRUCTW*>(lParam));
        case WM_DESTROY:
            return OnDestroy();
        case WM_PAINT:
            PaintRuler(window);
            return 0;
        case WM_SYSCOLORCHANGE:
            return OnSysColorChange(window);
        case WM_QUERYENDSESSION:
            return OnQueryEndSession(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
