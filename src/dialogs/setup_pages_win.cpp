// The Setup dialog's five pages: child dialogs of the frame that write every change straight into
// the ruler's state and show the ruler's look changing at once. The magnifier, mouse and other
// pages are made of lists, check boxes and the opacity slider, and share one procedure here.
#include "dialogs/setup_pages_win.h"

#include <commctrl.h>

#include "dialogs/setup_controls_win.h"
#include "dialogs/setup_pages.h"
#include "model/trace_win.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

constexpr int kLists[] = {IDC_MAG_FACTOR, IDC_MAG_TYPE, IDC_WHEEL_MODE};
constexpr int kFlags[] = {IDC_NO_MOUSE, IDC_NO_KEY, IDC_TOPMOST};

// The context a page was made with, kept with the page's window.
SetupContext* StoreContext(HWND page, LPARAM creation) {
    SetWindowLongPtrW(page, DWLP_USER, creation);
    return reinterpret_cast<SetupContext*>(creation);
}

SetupContext* ContextOf(HWND page) {
    return reinterpret_cast<SetupContext*>(GetWindowLongPtrW(page, DWLP_USER));
}

// Each list, check box and slider the page has shows the state.
void ShowSettings(HWND page, const RulerState& s) {
    for (int id : kLists) {
        HWND list = GetDlgItem(page, id);
        if (!list) continue;
        for (const wchar_t* item : SetupListItems(id)) {
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(SetupListSelection(s, id)), 0);
    }
    for (int id : kFlags) {
        if (GetDlgItem(page, id)) {
            CheckDlgButton(page, id, SetupFlagChecked(s, id) ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    if (HWND layer = GetDlgItem(page, IDC_LAYER)) {
        SendMessageW(layer, TBM_SETRANGE, TRUE, MAKELPARAM(kLeastOpacity, kGreatestOpacity));
        SendMessageW(layer, TBM_SETPOS, TRUE, s.LayerWindow);
    }
}

void OnSettingCommand(SetupContext& c, HWND page, int id, int code) {
    RulerState& s = c.app.state;
    for (int list : kLists) {
        if (id != list) continue;
        const auto selection = SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0);
        ChooseFromSetupList(s, id, static_cast<int>(selection));
        return;
    }
    // The locks and the z-order act later, where they are read.
    if (code == BN_CLICKED) ToggleSetupFlag(s, id);
}

// The ruler's opacity follows the slider as it moves; it never becomes fully transparent.
void OnOpacity(SetupContext& c, HWND slider) {
    const auto position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    const int16_t opacity = OpacityOfPosition(position);
    if (opacity != position) SendMessageW(slider, TBM_SETPOS, TRUE, opacity);
    c.app.state.LayerWindow = opacity;
    SetLayeredWindowAttributes(c.app.ruler, 0, static_cast<BYTE>(opacity), LWA_ALPHA);
    c.session.PreviewChanged = true;
}

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ShowSettings(page, StoreContext(page, lParam)->app.state);
        return TRUE;
    }
    SetupContext* c = ContextOf(page);
    if (!c) return FALSE;
    switch (message) {
        case WM_COMMAND:
            OnSettingCommand(*c, page, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HSCROLL:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_LAYER) return FALSE;
            OnOpacity(*c, reinterpret_cast<HWND>(lParam));
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return ButtonFaceColours(reinterpret_cast<HDC>(wParam));
    }
    return FALSE;
}

}  // namespace

HWND CreateSetupPage(int page, HWND frame, SetupContext& context) {
    if (page < 0 || page >= kSetupPageCount) return nullptr;
    DLGPROC procedure = page == 0 ? ColourPageProc : page == 1 ? ScalingPageProc : SettingsPageProc;
    HWND made = CreateDialogParamW(context.app.module, kSetupPages[page].templateName, frame,
                                   procedure, reinterpret_cast<LPARAM>(&context));
    if (!made) TraceFailure(L"making a Setup page");
    return made;
}

void Preview(SetupContext& context, const Refresh& refresh) {
    if (!refresh.Any()) return;
    ApplyRefresh(context.app, refresh);
    context.session.PreviewChanged = true;
}
