// The Operation panel: a modeless dialog beside the ruler through which the mouse alone moves
// the ruler, changes its length and markers, and switches its unit and modes.
#include "dialogs/panel_win.h"

#include <commctrl.h>

#include <memory>

#include "dialogs/dialog_win.h"
#include "model/placement_win.h"
#include "ops/arrow_subclass_win.h"
#include "ops/edge_snap_win.h"
#include "ops/keyboard_controls_win.h"
#include "ops/operations_win.h"
#include "ops/panel.h"
#include "render/backgrounds.h"
#include "render/toolbar_win.h"
#include "resources/resource.h"

namespace {

constexpr int kArrows[] = {IDC_MOVE_VERT, IDC_MOVE_HORZ, IDC_LENGTH_ARROW, IDC_RED_ARROW,
                           IDC_BLUE_ARROW};

// What the open panel holds; it goes with the panel's window.
class Panel : public RulerDialog {
    using RulerDialog::RulerDialog;

    HWND toolbar_ = nullptr;  // a child: it goes with the panel
    GdiObject<HBRUSH> redSwatch_;
    GdiObject<HBRUSH> blueSwatch_;
    PanelSnapshot snapshot_;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int command, int code) override;
    // Esc or the close box: the ruler gets back what the panel changed.
    void OnClose() override { Cancel(); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi() override;
    HBRUSH ControlColour(HDC dc, int id) override;
    const wchar_t* Tip(int command) const override;
    void CreateToolbar(const PanelLayout& layout);
    void Close();
    void Cancel();
    void ShowMode(int button, bool on) const;
    INT_PTR OnArrow(WPARAM code, HWND arrow);
    void OnDestroy();
};

BYTE ButtonStyle(PanelButtonKind kind) {
    switch (kind) {
        case PanelButtonKind::kSeparator:
            return BTNS_SEP;
        case PanelButtonKind::kCheck:
            return BTNS_CHECK;
        default:
            return BTNS_BUTTON;
    }
}

// Made again for each density: the pictures come from another strip from 144 dots per inch on.
void Panel::CreateToolbar(const PanelLayout& layout) {
    if (toolbar_) DestroyWindow(toolbar_);
    TBBUTTON buttons[kPanelButtons.size()] = {};
    for (size_t i = 0; i < kPanelButtons.size(); ++i) {
        const PanelButton& b = kPanelButtons[i];
        buttons[i].iBitmap = b.image < 0 ? 0 : b.image;
        buttons[i].idCommand = b.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = ButtonStyle(b.kind);
    }
    toolbar_ = CreateToolbarEx(window,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_TOOLTIPS |
                                   CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                               IDC_TOOLBAR, 4, app.module, static_cast<UINT_PTR>(layout.bitmap),
                               buttons, static_cast<int>(kPanelButtons.size()), 0, 0,
                               layout.imageSize, layout.imageSize, sizeof(TBBUTTON));
    if (!toolbar_) return;
    KeepOwnLayout(toolbar_);
    SubclassToolbarKeys(toolbar_);
    SendMessageW(toolbar_, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonWidth));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonHeight));
    const Rect& r = layout.toolbar;
    if (r.Width() && r.Height()) {
        MoveWindow(toolbar_, r.left, r.top, r.Width(), r.Height(), FALSE);
    }
    FitToolbar(toolbar_);
}

// The arrows only step: their thumb stays in the middle, and the right button is theirs.
void PrepareArrows(HWND window) {
    for (int id : kArrows) {
        HWND arrow = GetDlgItem(window, id);
        SetScrollRange(arrow, SB_CTL, 0, 2, FALSE);
        SetScrollPos(arrow, SB_CTL, 1, FALSE);
        SubclassArrow(arrow);
    }
}

// What the panel draws by the density itself: its bold texts, icon, toolbar and colour strip.
void Panel::ApplyDpi() {
    SetBoldFont({IDC_PANEL_PIXEL, IDC_PANEL_CM, IDC_PANEL_INCH, IDC_LENGTH_TEXT, IDC_RED_TEXT,
                 IDC_BLUE_TEXT, IDOK});
    ShowRulerIcon();
    CreateToolbar(PanelLayoutFor(dpi.dpi));
    SendMessageW(window, WM_COMMAND, IDM_SHOW_FULL, 0);
    SendMessageW(window, WM_COMMAND, IDM_SHOW_NARROW, 0);
    PlaceColourStrip();
    RedrawIfShown(window, true);
}

INT_PTR Panel::OnInitDialog() {
    // The operations reach the panel while it is being made.
    app.panelWindow = window;
    const RulerState& s = app.state;
    SetWindowTextW(window, PanelTitle(app.className).c_str());
    CheckRadioButton(window, IDC_PANEL_PIXEL, IDC_PANEL_INCH, IDC_PANEL_PIXEL + s.Unit);
    ApplyDpi();
    PrepareArrows(window);
    redSwatch_.reset(CreateSolidBrush(kRedMarkerColour));
    blueSwatch_.reset(CreateSolidBrush(kBlueMarkerColour));
    PanelRefresh shown;
    shown.allReadouts = true;
    shown.arrows = true;
    RefreshPanel(app, shown);
    snapshot_ = TakePanelSnapshot(s);
    return TRUE;
}

// Close: the panel goes and its changes stay.
void Panel::Close() {
    KeepPanelChanges(app.state);
    DestroyWindow(window);
}

// Esc or the close box: the ruler gets back what the panel changed. The panel's end places it.
// The window takes this state with it: what is needed afterwards is copied first.
void Panel::Cancel() {
    Instance& record = app;
    const Refresh restored = RestorePanelSnapshot(record.state, snapshot_);
    DestroyWindow(window);
    ApplyRefresh(record, restored);
}

void Panel::ShowMode(int button, bool on) const {
    const WORD state = TBSTATE_ENABLED | (on ? TBSTATE_CHECKED : 0);
    SendMessageW(toolbar_, TB_SETSTATE, static_cast<WPARAM>(button), MAKELPARAM(state, 0));
}

INT_PTR Panel::OnCommand(int command, int) {
    if (RunScaleCommand(app, command, CommandFrom::kPanel)) return TRUE;
    RulerState& s = app.state;
    switch (command) {
        case IDOK:
            Close();
            return TRUE;
        case IDCANCEL:
            Cancel();
            return TRUE;
        case IDC_PANEL_DIRECTION:
            // The follow-up reaches this panel's icon, the magnifier and the ruler's cursor.
            ApplyRefresh(app, TurnAboutCentre(s));
            return TRUE;
        case IDM_TURNED:
            ShowRulerIcon();
            return TRUE;
        case IDM_SHOW_FULL:
            ShowMode(IDC_PANEL_FULL, s.FullScale != 0);
            return TRUE;
        case IDM_SHOW_NARROW:
            ShowMode(IDC_PANEL_NARROW, s.NarrowScale != 0);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR Panel::OnArrow(WPARAM code, HWND arrow) {
    const int control = GetDlgCtrlID(arrow);
    const int32_t step = CurrentStep();
    if (!SnapMarkerStep(app, PanelMarkerMove(control, code), step)) {
        ApplyRefresh(app, PanelArrow(app.state, control, code, step));
    }
    return TRUE;
}

// The markers' readouts in their colours beside swatches of them.
HBRUSH Panel::ControlColour(HDC dc, int id) {
    if (id == IDC_RED_SWATCH) return redSwatch_.get();
    if (id == IDC_BLUE_SWATCH) return blueSwatch_.get();
    if (id == IDC_RED_TEXT) SetTextColor(dc, kRedMarkerColour);
    if (id == IDC_BLUE_TEXT) SetTextColor(dc, kBlueMarkerColour);
    return RulerDialog::ControlColour(dc, id);
}

// The toolbar's buttons carry no text; their tips are given when the tooltip asks.
const wchar_t* Panel::Tip(int command) const {
    return PanelButtonTip(command);
}

// On every way the panel goes: the ruler no longer has it, and it is placed and activated again,
// which also shows it at the size Esc gave back. A ruler that is hidden is itself on its way out
// and stays hidden.
void Panel::OnDestroy() {
    app.panelOpen = false;
    app.panelWindow = nullptr;
    if (IsWindowVisible(app.ruler)) PlaceWindow(app.ruler, app.state, SWP_NOMOVE);
}

INT_PTR Panel::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HSCROLL:
        case WM_VSCROLL:
            return OnArrow(wParam, reinterpret_cast<HWND>(lParam));
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void TogglePanel(Instance& app) {
    ToggleModeless(app.panelOpen, app.panelWindow, [&app] {
        return CreateModelessDialog(std::make_unique<Panel>(app), app.module, L"OperatBox",
                                    app.ruler);
    });
}
