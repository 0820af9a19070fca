// The Setup dialog's five pages: child dialogs of the frame that write every change straight into
// the ruler's state and show the ruler's look changing at once. The magnifier, mouse and other
// pages are made of lists, check boxes and the opacity slider, and share one procedure here.
#include "dialogs/setup_pages_win.h"

#include <commctrl.h>

#include <memory>

#include "dialogs/dialog_win.h"
#include "dialogs/setup_pages.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

constexpr int kLists[] = {IDC_MAG_FACTOR, IDC_MAG_TYPE, IDC_WHEEL_MODE};
constexpr int kFlags[] = {IDC_NO_MOUSE, IDC_NO_KEY, IDC_TOPMOST};

// The magnifier, mouse and other pages: what they show is all in the state.
class SettingsPage : public SetupPagePart {
    using SetupPagePart::SetupPagePart;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOpacity(HWND slider);
};

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

INT_PTR SettingsPage::OnInitDialog() {
    ShowSettings(window, context_.app.state);
    return kPageKeepsFocus;
}

INT_PTR SettingsPage::OnCommand(int id, int code) {
    RulerState& s = context_.app.state;
    for (int list : kLists) {
        if (id != list) continue;
        const auto selection = SendDlgItemMessageW(window, id, CB_GETCURSEL, 0, 0);
        ChooseFromSetupList(s, id, static_cast<int>(selection));
        return TRUE;
    }
    // The locks and the z-order act later, where they are read.
    if (code == BN_CLICKED) ToggleSetupFlag(s, id);
    return TRUE;
}

// The ruler's opacity follows the slider as it moves; it never becomes fully transparent.
void SettingsPage::OnOpacity(HWND slider) {
    const auto position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    const int16_t opacity = OpacityOfPosition(position);
    if (opacity != position) SendMessageW(slider, TBM_SETPOS, TRUE, opacity);
    context_.app.state.LayerWindow = opacity;
    SetLayeredWindowAttributes(context_.app.ruler, 0, static_cast<BYTE>(opacity), LWA_ALPHA);
    context_.session.PreviewChanged = true;
}

INT_PTR SettingsPage::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_HSCROLL || GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_LAYER) {
        return FALSE;
    }
    OnOpacity(reinterpret_cast<HWND>(lParam));
    return TRUE;
}

}  // namespace

HWND CreateSetupPage(int page, HWND frame, SetupContext& context) {
    if (page < 0 || page >= kSetupPageCount) return nullptr;
    if (page == 0) return CreateColourPage(frame, context);
    if (page == 1) return CreateScalingPage(frame, context);
    return CreateModelessDialog(std::make_unique<SettingsPage>(context), context.app.module,
                                kSetupPages[page].templateName, frame);
}

void Preview(SetupContext& context, const Refresh& refresh) {
    if (!refresh.Any()) return;
    ApplyRefresh(context.app, refresh);
    context.session.PreviewChanged = true;
}
