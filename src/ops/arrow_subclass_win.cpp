// Scroll bars that serve as arrow buttons (the Operation panel's, the Setup dialog's scale): the
// right button, held for ten-pixel steps, opens no context menu on them, and the one with the
// keyboard's focus shows it.
#include "ops/arrow_subclass_win.h"

#include "ops/keyboard_controls_win.h"
#include "ops/subclass_win.h"

namespace {

LRESULT CALLBACK ArrowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

Subclass& Arrows() {
    static Subclass arrows(ArrowProc);
    return arrows;
}

LRESULT CALLBACK ArrowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
            return 0;
        case WM_PAINT: {
            // The arrow with the keyboard's focus shows it, not only by a blinking thumb.
            RECT client{};
            GetClientRect(window, &client);
            return PaintWithFocus(Arrows(), window, client, wParam, lParam);
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONUP:
            // A press draws the arrow over the focus rectangle, outside any painting.
            InvalidateRect(window, nullptr, TRUE);
            break;
    }
    return Arrows().Pass(window, message, wParam, lParam);
}

}  // namespace

bool SubclassArrow(HWND scrollBar) {
    return Arrows().Install(scrollBar);
}
