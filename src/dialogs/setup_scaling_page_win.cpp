// The Setup dialog's scaling page: the automatic or the manual scale, the manual scale's arrows
// (ten times the step with Shift or the right button held), and the way to the display sizes.
#include <memory>
#include <utility>

#include "dialogs/display_size_win.h"
#include "dialogs/dialog_win.h"
#include "dialogs/setup_pages.h"
#include "dialogs/setup_pages_win.h"
#include "model/dialog_focus_win.h"
#include "ops/arrow_subclass_win.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

// The scale reads in bold green.
constexpr COLORREF kScaleColour = RGB(0, 192, 0);

class ScalingPage : public SetupPagePart {
    using SetupPagePart::SetupPagePart;

    DialogFont font_;  // the page's template font
    GdiObject<HFONT> boldFont_;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HBRUSH ControlColour(HDC dc, int id) override;
    void ApplyDpi();
    void OnScalingMode(bool automatic);
    void OnDisplaySize();
    INT_PTR OnArrow(WORD code, HWND bar);
};

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
void ScalingPage::ApplyDpi() {
    GdiObject<HFONT> bold = font_.Bold(context_.dpi);
    SetItemFonts(window, {IDC_SCALING_TEXT}, bold.get());
    boldFont_ = std::move(bold);
}

INT_PTR ScalingPage::OnInitDialog() {
    const RulerState& s = context_.app.state;
    CheckRadioButton(window, IDC_SCALING_AUTO, IDC_SCALING_MANUAL,
                     s.ScalingAuto ? IDC_SCALING_AUTO : IDC_SCALING_MANUAL);
    ShowTexts(window, s);
    ShowArrows(window, s);
    font_.Read(window, DpiOfWindow(window, context_.dpi));
    ApplyDpi();
    // The bar serves only for its two arrows: its thumb stays in the middle.
    HWND arrow = GetDlgItem(window, IDC_SCALING_ARROW);
    SetScrollRange(arrow, SB_CTL, 0, 2, FALSE);
    SetScrollPos(arrow, SB_CTL, 1, FALSE);
    EnableWindow(GetDlgItem(window, IDC_DISPLAY_SIZE_BUTTON), ScalingControlsFor(s).displaySize);
    // The right button is held for ten times the step, and opens no menu on the arrows.
    SubclassArrow(arrow);
    return kPageKeepsFocus;
}

void ScalingPage::OnScalingMode(bool automatic) {
    RulerState& s = context_.app.state;
    const Refresh r = ChooseScalingMode(s, automatic);
    ShowArrows(window, s);
    ShowTexts(window, s);
    Preview(context_, r);
}

// The automatic scale follows new display sizes at once, in the texts and on the ruler.
void ScalingPage::OnDisplaySize() {
    Instance& app = context_.app;
    ShowDisplaySizeDialog(app, window);
    ApplyRefresh(app, FollowDisplaySizes(app.state));
    ShowTexts(window, app.state);
}

INT_PTR ScalingPage::OnCommand(int id, int code) {
    switch (id) {
        case IDC_SCALING_AUTO:
        case IDC_SCALING_MANUAL:
            if (code == BN_CLICKED) OnScalingMode(id == IDC_SCALING_AUTO);
            return TRUE;
        case IDC_DISPLAY_SIZE_BUTTON:
            if (code == BN_CLICKED) OnDisplaySize();
            return TRUE;
        default:
            return FALSE;
    }
}

// Only a click on either arrow steps; the track and the thumb do nothing.
INT_PTR ScalingPage::OnArrow(WORD code, HWND bar) {
    if (GetDlgCtrlID(bar) != IDC_SCALING_ARROW) return FALSE;
    if (code != SB_LINEUP && code != SB_LINEDOWN) return TRUE;
    RulerState& s = context_.app.state;
    const Refresh r = StepScaling(s, code == SB_LINEUP, CurrentStep());
    ShowTexts(window, s);
    Preview(context_, r);
    return TRUE;
}

HBRUSH ScalingPage::ControlColour(HDC dc, int id) {
    if (id == IDC_SCALING_TEXT) SetTextColor(dc, kScaleColour);
    return nullptr;
}

INT_PTR ScalingPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_VSCROLL) return OnArrow(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    if (message == kDpiChangedAfterParent) ApplyDpi();
    return FALSE;
}

}  // namespace

HWND CreateScalingPage(HWND frame, SetupContext& context) {
    return CreateModelessDialog(std::make_unique<ScalingPage>(context), context.app.module,
                                kSetupPages[1].templateName, frame);
}
