// Keys for the controls whose keys the dialog manager would otherwise take: a toolbar whose
// buttons the arrows walk and Space or Enter press, an up-down control that the arrows step, and
// the visible mark of the keyboard's place on a toolbar or an arrow.
#include "ops/keyboard_controls_win.h"

#include <commctrl.h>

#include "ops/subclass_win.h"
#include "render/gdi_win.h"

namespace {

LRESULT CALLBACK ToolbarKeysProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ArrowKeysProc(HWND, UINT, WPARAM, LPARAM);

// The toolbars' subclass keeps the button the keys are on (as index + 1, 0 for none).
Subclass& ToolbarKeys() {
    static Subclass toolbars(ToolbarKeysProc);
    return toolbars;
}

Subclass& ArrowKeys() {
    static Subclass controls(ArrowKeysProc);
    return controls;
}

int ButtonCount(HWND toolbar) {
    return static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
}

// The button at the index, when the keys can use it: no separator, enabled and shown.
bool UsableButton(HWND toolbar, int index, TBBUTTON& button) {
    button = TBBUTTON{};
    if (index < 0 || !SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&button))) {
        return false;
    }
    return !(button.fsStyle & BTNS_SEP) && (button.fsState & TBSTATE_ENABLED) &&
           !(button.fsState & TBSTATE_HIDDEN);
}

// The next usable button from `from` in the direction (+1 or -1), around at the ends; -1 when
// there is none.
int StepButton(HWND toolbar, int from, int direction) {
    const int count = ButtonCount(toolbar);
    TBBUTTON button{};
    for (int i = 1; i <= count; ++i) {
        const int index = ((from + direction * i) % count + count) % count;
        if (UsableButton(toolbar, index, button)) return index;
    }
    return -1;
}

// Where the keys start: on the checked button of a group (the page shown), else the first.
int FirstButton(HWND toolbar) {
    TBBUTTON button{};
    for (int index = 0; index < ButtonCount(toolbar); ++index) {
        if (UsableButton(toolbar, index, button) && (button.fsStyle & BTNS_GROUP) &&
            (button.fsState & TBSTATE_CHECKED)) {
            return index;
        }
    }
    return StepButton(toolbar, -1, 1);
}

void PutKeysOn(HWND toolbar, int index) {
    ToolbarKeys().SetData(toolbar, index + 1);
    InvalidateRect(toolbar, nullptr, TRUE);
}

// As a click on it: a check button changes its state first, then its owner hears of it.
void PressButton(HWND toolbar, int index) {
    TBBUTTON button{};
    if (!UsableButton(toolbar, index, button)) return;
    if (button.fsStyle & BTNS_CHECK) {
        const bool check = (button.fsStyle & BTNS_GROUP) || !(button.fsState & TBSTATE_CHECKED);
        SendMessageW(toolbar, TB_CHECKBUTTON, static_cast<WPARAM>(button.idCommand),
                     MAKELPARAM(check, 0));
    }
    SendMessageW(GetParent(toolbar), WM_COMMAND, MAKEWPARAM(button.idCommand, BN_CLICKED),
                 reinterpret_cast<LPARAM>(toolbar));
}

bool OnToolbarKey(HWND toolbar, int index, WPARAM key) {
    switch (key) {
        case VK_LEFT:
        case VK_UP:
            PutKeysOn(toolbar, StepButton(toolbar, index, -1));
            return true;
        case VK_RIGHT:
        case VK_DOWN:
            PutKeysOn(toolbar, StepButton(toolbar, index, 1));
            return true;
        case VK_SPACE:
        case VK_RETURN:
            PressButton(toolbar, index);
            return true;
        default:
            return false;
    }
}

bool IsPressKey(LPARAM dialogMessage) {
    const MSG* m = reinterpret_cast<const MSG*>(dialogMessage);
    return m && m->message == WM_KEYDOWN && (m->wParam == VK_SPACE || m->wParam == VK_RETURN);
}

RECT ButtonFocus(HWND toolbar, int index) {
    RECT r{};
    if (index >= 0 && SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(&r))) {
        InflateRect(&r, -2, -2);
    }
    return r;
}

LRESULT CALLBACK ToolbarKeysProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam) {
    Subclass& keys = ToolbarKeys();
    const int index = static_cast<int>(keys.Data(toolbar)) - 1;
    switch (message) {
        case WM_GETDLGCODE:
            return keys.Pass(toolbar, message, wParam, lParam) | DLGC_WANTARROWS |
                   (IsPressKey(lParam) ? DLGC_WANTMESSAGE : 0);
        case WM_KEYDOWN:
            if (OnToolbarKey(toolbar, index, wParam)) return 0;
            break;
        case WM_CHAR:
            // Space and Enter have pressed the button already.
            if (wParam == L' ' || wParam == L'\r') return 0;
            break;
        case WM_SETFOCUS:
            PutKeysOn(toolbar, index >= 0 ? index : FirstButton(toolbar));
            break;
        case WM_KILLFOCUS:
            InvalidateRect(toolbar, nullptr, TRUE);
            break;
        case WM_PAINT:
            return PaintWithFocus(keys, toolbar, ButtonFocus(toolbar, index), wParam, lParam);
    }
    return keys.Pass(toolbar, message, wParam, lParam);
}

LRESULT CALLBACK ArrowKeysProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ArrowKeys().Pass(control, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result | DLGC_WANTARROWS : result;
}

}  // namespace

bool SubclassToolbarKeys(HWND toolbar) {
    return ToolbarKeys().Install(toolbar);
}

bool KeepArrowKeys(HWND control) {
    return ArrowKeys().Install(control);
}

LRESULT PaintWithFocus(Subclass& subclass, HWND window, const RECT& focus, WPARAM wParam,
                       LPARAM lParam) {
    const bool focused = GetFocus() == window && !IsRectEmpty(&focus);
    if (focused) InvalidateRect(window, &focus, TRUE);
    const LRESULT result = subclass.Pass(window, WM_PAINT, wParam, lParam);
    if (focused) {
        const WindowDc dc(window);
        DrawFocusRect(dc.get(), &focus);
    }
    return result;
}
