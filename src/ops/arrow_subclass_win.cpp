// Scroll bars that serve as arrow buttons (the Operation panel's, the Setup dialog's scale): the
// right button, held for ten-pixel steps, opens no context menu on them.
#include "ops/arrow_subclass_win.h"

#include <commctrl.h>

namespace {

// One subclass per window, so one id serves every arrow.
constexpr UINT_PTR kArrowSubclassId = 1;

LRESULT CALLBACK ArrowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR) {
    switch (message) {
        case WM_CONTEXTMENU:
        case WM_RBUTTONDOWN:
            return 0;
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
