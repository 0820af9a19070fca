// Scroll bars that serve as arrow buttons (the Operation panel's, the Setup dialog's scale): the
// right button, held for ten-pixel steps, opens no context menu on them, and the one with the
// keyboard's focus shows it.
#include "ops/arrow_subclass_win.h"

#include <commctrl.h>

#include "ops/keyboard_controls_win.h"

namespace {

// One subclass per window, so one id serves every arrow.
constexpr UINT_PTR kArrowSubclassId = 1;

LRESULT CALLBACK ArrowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR) {
    switch (message) {
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
            return 0;
        case WM_PAINT: {
            // The arrow with the keyboard's focus shows it, not only by a blinking thumb.
            RECT client{};
            GetClientRect(window, &client);
            return PaintWithFocus(window, client, wParam, lParam);
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_LBUTTONUP:
            // A press draws the arrow over the focus rectangle, outside any painting.
            InvalidateRect(window, nullptr, TRUE);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, ArrowProc, id);
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool SubclassArrow(HWND scrollBar) {
    return scrollBar && SetWindowSubclass(scrollBar, ArrowProc, kArrowSubclassId, 0);
}
