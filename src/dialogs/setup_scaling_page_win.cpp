// The Setup dialog's scaling page: the automatic or the manual scale, the manual scale's arrows
// (ten times the step with Shift or the right button held), and the way to the display sizes.
#include <memory>
#include <utility>

#include "dialogs/display_size_win.h"
#include "dialogs/setup_controls_win.h"
#include "dialogs/setup_pages.h"
#include "dialogs/setup_pages_win.h"
#include "model/dialog_focus_win.h"
#include "ops/arrow_subclass_win.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

// The scale reads in bold green.
constexpr COLORREF kScaleColour = RGB(0, 192, 0);

struct ScalingPage {
    explicit ScalingPage(SetupContext& c) : context(c) {}
    SetupContext& context;
    DialogFont font;  // the page's template font
    GdiObject<HFONT> boldFont;
};

ScalingPage* PageOf(HWND page) {
    return reinterpret_cast<ScalingPage*>(GetWindowLongPtrW(page, DWLP_USER));
}

void ShowTexts(HWND page, const RulerState& s) {
    SetDlgItemTextW(page, IDC_SCALING_TEXT, ScalingText(s).c_str());
    SetDlgItemTextW(page, IDC_DISPLAY_SIZE_TEXT, DisplaySizeText(s).c_str());
}

// Only the manual scale has arrows, with the black line beside them.
void ShowArrows(HWND page, const RulerState& s) {
    const ScalingControls c = ScalingControlsFor(s);
    EnableItem(page, IDC_SCALING_ARROW, c.arrows);
    ShowWindow(GetDlgItem(page, IDC_SCALING_LINE), c.line ? SW_SHOWNA : SW_HIDE);
}

// The scale's font at the frame's density; the one shown before goes once the text no longer
// shows it.
void ApplyDpi(ScalingPage& p, HWND window) {
    GdiObject<HFONT> bold = p.font.Bold(p.context.dpi.dpi);
    SetItemFonts(window, {IDC_SCALING_TEXT}, bold.get());
    p.boldFont = std::move(bold);
}

INT_PTR OnInitDialog(HWND window, SetupContext* context) {
    auto owned = std::make_unique<ScalingPage>(*context);
    ScalingPage& p = *owned;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    const RulerState& s = context->app.state;
    CheckRadioButton(window, IDC_SCALING_AUTO, IDC_SCALING_MANUAL,
                     s.ScalingAuto ? IDC_SCALING_AUTO : IDC_SCALING_MANUAL);
    ShowTexts(window, s);
    ShowArrows(window, s);
    p.font.Read(window, DpiOfWindow(window, context->dpi.dpi));
    ApplyDpi(p, window);
    // The bar serves only for its two arrows: its thumb stays in the middle.
    HWND arrow = GetDlgItem(window, IDC_SCALING_ARROW);
    SetScrollRange(arrow, SB_CTL, 0, 2, FALSE);
    SetScrollPos(arrow, SB_CTL, 1, FALSE);
    EnableWindow(GetDlgItem(window, IDC_DISPLAY_SIZE_BUTTON), ScalingControlsFor(s).displaySize);
    // The right button is held for ten times the step, and opens no menu on the arrows.
    SubclassArrow(arrow);
    return TRUE;
}

void OnScalingMode(ScalingPage& p, HWND window, bool automatic) {
    RulerState& s = p.context.app.state;
    const Refresh r = ChooseScalingMode(s, automatic);
    ShowArrows(window, s);
    ShowTexts(window, s);
    Preview(p.context, r);
}

// The automatic scale follows new display sizes at once, in the texts and on the ruler.
void OnDisplaySize(ScalingPage& p, HWND window) {
    Instance& app = p.context.app;
    ShowDisplaySizeDialog(app, window);
    ApplyRefresh(app, FollowDisplaySizes(app.state));
    ShowTexts(window, app.state);
}

INT_PTR OnCommand(ScalingPage& p, HWND window, int id, int code) {
    switch (id) {
        case IDC_SCALING_AUTO:
        case IDC_SCALING_MANUAL:
            if (code == BN_CLICKED) OnScalingMode(p, window, id == IDC_SCALING_AUTO);
            return TRUE;
        case IDC_DISPLAY_SIZE_BUTTON:
            if (code == BN_CLICKED) OnDisplaySize(p, window);
            return TRUE;
        default:
            return FALSE;
    }
}

// Only a click on either arrow steps; the track and the thumb do nothing.
INT_PTR OnArrow(ScalingPage& p, HWND window, WORD code, HWND bar) {
    if (GetDlgCtrlID(bar) != IDC_SCALING_ARROW) return FALSE;
    if (code != SB_LINEUP && code != SB_LINEDOWN) return TRUE;
    RulerState& s = p.context.app.state;
    const Refresh r = StepScaling(s, code == SB_LINEUP, CurrentStep());
    ShowTexts(window, s);
    Preview(p.context, r);
    return TRUE;
}

INT_PTR OnControlColour(HDC dc, HWND control) {
    if (GetDlgCtrlID(control) == IDC_SCALING_TEXT) SetTextColor(dc, kScaleColour);
    return ButtonFaceColours(dc);
}

}  // namespace

INT_PTR CALLBACK ScalingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(page, reinterpret_cast<SetupContext*>(lParam));
    }
    ScalingPage* p = PageOf(page);
    if (!p) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(*p, page, LOWORD(wParam), HIWORD(wParam));
        case WM_VSCROLL:
            return OnArrow(*p, page, LOWORD(wParam), reinterpret_cast<HWND>(lParam));
        case kDpiChangedAfterParent:
            ApplyDpi(*p, page);
            return FALSE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_NCDESTROY:
            SetWindowLongPtrW(page, DWLP_USER, 0);
            delete p;  // its font with it, after the text that showed it
            return FALSE;
    }
    return FALSE;
}
