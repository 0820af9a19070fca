// What the dialogs' toolbars need alike: room for every button.
#include "render/toolbar_win.h"

#include <commctrl.h>

#include <algorithm>

namespace {

// The dialog grows right and down by what its client area lacks.
void GrowToHold(HWND dialog, LONG right, LONG bottom) {
    RECT client{};
    GetClientRect(dialog, &client);
    const LONG wider = std::max(0L, right - client.right);
    const LONG taller = std::max(0L, bottom - client.bottom);
    if (!wider && !taller) return;
    RECT outer{};
    GetWindowRect(dialog, &outer);
    // A dialog still being made is drawn once it shows: drawn now as well, under Wine it may
    // come to lie above the pop-up lists its controls drop later.
    const UINT redraw = IsWindowVisible(dialog) ? 0 : SWP_NOREDRAW;
    SetWindowPos(dialog, nullptr, 0, 0, outer.right - outer.left + wider,
                 outer.bottom - outer.top + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | redraw);
}

}  // namespace

void FitToolbar(HWND toolbar) {
    HWND dialog = GetParent(toolbar);
    RECT place{};
    GetWindowRect(toolbar, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    LONG width = 0;
    LONG height = 0;
    const auto count = SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item))) {
            continue;
        }
        width = std::max(width, item.right);
        height = std::max(height, item.bottom);
    }
    if (!width || !height) return;
    MoveWindow(toolbar, place.left, place.top, width, height, FALSE);
    GrowToHold(dialog, place.left + width, place.top + height);
}
