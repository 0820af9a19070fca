// The Operation panel: a modeless dialog beside the ruler through which the mouse alone moves
// the ruler, changes its length and markers, and switches its unit and modes.
#include "ops/panel_win.h"

#include <commctrl.h>

#include <memory>
#include <utility>

#include "model/placement_win.h"
#include "model/trace_win.h"
#include "ops/arrow_subclass_win.h"
#include "ops/edge_snap_win.h"
#include "ops/keyboard_controls_win.h"
#include "ops/operations_win.h"
#include "ops/panel.h"
#include "render/backgrounds.h"
#include "render/dpi_win.h"
#include "render/gdi_win.h"
#include "render/toolbar_win.h"
#include "resources/resource.h"

namespace {

// The red marker's and the blue marker's colours, for their readouts and swatches.
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 64, 255);

constexpr int kArrows[] = {IDC_MOVE_VERT, IDC_MOVE_HORZ, IDC_LENGTH_ARROW, IDC_RED_ARROW,
                           IDC_BLUE_ARROW};
constexpr int kBoldItems[] = {
    IDC_PANEL_PIXEL, IDC_PANEL_CM, IDC_PANEL_INCH, IDC_LENGTH_TEXT, IDC_RED_TEXT,
    IDC_BLUE_TEXT,   IDOK};

// What the open panel holds; it goes with the panel's window.
struct Panel {
    explicit Panel(Instance& record) : app(record) {}
    Instance& app;
    HWND toolbar = nullptr;  // a child: it goes with the panel
    GdiObject<HFONT> boldFont;
    GdiObject<HBRUSH> redSwatch;
    GdiObject<HBRUSH> blueSwatch;
    OwnedIcon icon;
    PanelSnapshot snapshot;
    DialogDpi dpi;
};

Panel* PanelOf(HWND window) {
    return reinterpret_cast<Panel*>(GetWindowLongPtrW(window, DWLP_USER));
}

// The font shown before goes once no control shows it.
void SetBoldFont(Panel& p, HWND window) {
    GdiObject<HFONT> bold = p.dpi.font.Bold(p.dpi.dpi);
    if (!bold) return;
    for (int id : kBoldItems) {
        HWND item = GetDlgItem(window, id);
        KeepOwnFont(item);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), TRUE);
    }
    p.boldFont = std::move(bold);
}

// The ruler's icon for its direction and background; the one shown before goes once the new one
// is in.
void ShowRulerIcon(Panel& p, HWND window) {
    const RulerState& s = p.app.state;
    OwnedIcon icon =
        CaptionIcon(p.app.module, RulerIconName(s.BackColor, s.Vertical != 0), p.dpi.dpi);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    p.icon = std::move(icon);
}

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
void CreateToolbar(Panel& p, HWND window, const PanelLayout& layout) {
    if (p.toolbar) DestroyWindow(p.toolbar);
    TBBUTTON buttons[kPanelButtons.size()] = {};
    for (size_t i = 0; i < kPanelButtons.size(); ++i) {
        const PanelButton& b = kPanelButtons[i];
        buttons[i].iBitmap = b.image < 0 ? 0 : b.image;
        buttons[i].idCommand = b.command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = ButtonStyle(b.kind);
    }
    p.toolbar = CreateToolbarEx(window,
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_TOOLTIPS |
                                    CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                IDC_TOOLBAR, 4, p.app.module, static_cast<UINT_PTR>(layout.bitmap),
                                buttons, static_cast<int>(kPanelButtons.size()), 0, 0,
                                layout.imageSize, layout.imageSize, sizeof(TBBUTTON));
    if (!p.toolbar) return;
    KeepOwnLayout(p.toolbar);
    SubclassToolbarKeys(p.toolbar);
    SendMessageW(p.toolbar, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonWidth));
    SendMessageW(p.toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonHeight));
    const Rect& r = layout.toolbar;
    if (r.Width() && r.Height()) {
        MoveWindow(p.toolbar, r.left, r.top, r.Width(), r.Height(), FALSE);
    }
    FitToolbar(p.toolbar);
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

void PlaceColourStrip(HWND window, const PanelLayout& layout) {
    KeepOwnLayout(GetDlgItem(window, IDC_COLOR_STRIP));
    KeepOwnLayout(GetDlgItem(window, IDC_STRIP_LINE));
    RECT client{};
    GetClientRect(window, &client);
    MoveWindow(GetDlgItem(window, IDC_COLOR_STRIP), 0, 0, layout.stripWidth, client.bottom, FALSE);
    MoveWindow(GetDlgItem(window, IDC_STRIP_LINE), layout.stripWidth, 0, layout.lineWidth,
               client.bottom, FALSE);
}

// What the panel draws by the density itself: its bold texts, icon, toolbar and colour strip. The
// rest the system scales with the dialog, or nothing does (Wine).
void ApplyDpi(Panel& p, HWND window) {
    SetBoldFont(p, window);
    ShowRulerIcon(p, window);
    const PanelLayout layout = PanelLayoutFor(p.dpi.dpi);
    CreateToolbar(p, window, layout);
    SendMessageW(window, WM_COMMAND, IDM_SHOW_FULL, 0);
    SendMessageW(window, WM_COMMAND, IDM_SHOW_NARROW, 0);
    PlaceColourStrip(window, layout);
    InvalidateRect(window, nullptr, TRUE);
}

INT_PTR OnDpiChanged(Panel& p, HWND window, WPARAM wParam, LPARAM lParam) {
    p.dpi.Follow(window, wParam, lParam);
    ApplyDpi(p, window);
    // The system goes on to scale what the template made.
    return FALSE;
}

INT_PTR OnInitDialog(HWND window, Instance& app) {
    auto owned = std::make_unique<Panel>(app);
    Panel& p = *owned;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    // The operations reach the panel while it is being made.
    app.panelWindow = window;
    const RulerState& s = app.state;
    // The density it was made at; a move to another monitor announces the next one.
    p.dpi.Start(window, DpiOf(s));
    PlaceBesideRuler(window, app);
    SetWindowTextW(window, PanelTitle(app.className).c_str());
    CheckRadioButton(window, IDC_PANEL_PIXEL, IDC_PANEL_INCH, IDC_PANEL_PIXEL + s.Unit);
    ApplyDpi(p, window);
    PrepareArrows(window);
    p.redSwatch.reset(CreateSolidBrush(kRed));
    p.blueSwatch.reset(CreateSolidBrush(kBlue));
    PanelRefresh shown;
    shown.allReadouts = true;
    shown.arrows = true;
    RefreshPanel(app, shown);
    p.snapshot = TakePanelSnapshot(s);
    return TRUE;
}

// Close: the panel goes and its changes stay.
void Close(Panel& p, HWND window) {
    KeepPanelChanges(p.app.state);
    DestroyWindow(window);
}

// Esc or the close box: the ruler gets back what the panel changed. The panel's end places it.
void Cancel(Panel& p, HWND window) {
    Instance& app = p.app;
    const Refresh restored = RestorePanelSnapshot(app.state, p.snapshot);
    DestroyWindow(window);
    ApplyRefresh(app, restored);
}

void ShowMode(const Panel& p, int button, bool on) {
    const WORD state = TBSTATE_ENABLED | (on ? TBSTATE_CHECKED : 0);
    SendMessageW(p.toolbar, TB_SETSTATE, static_cast<WPARAM>(button), MAKELPARAM(state, 0));
}

INT_PTR OnCommand(Panel& p, HWND window, int command) {
    Instance& app = p.app;
    RulerState& s = app.state;
    switch (command) {
        case IDOK:
            Close(p, window);
            return TRUE;
        case IDCANCEL:
            Cancel(p, window);
            return TRUE;
        case IDC_PANEL_PIXEL:
        case IDC_PANEL_CM:
        case IDC_PANEL_INCH:
            ApplyRefresh(app, ChangeUnit(s, IDM_UNIT_PIXEL + command - IDC_PANEL_PIXEL));
            return TRUE;
        case IDC_PANEL_DIRECTION:
            // The follow-up reaches this panel's icon, the magnifier and the ruler's cursor.
            ApplyRefresh(app, TurnAboutCentre(s));
            return TRUE;
        case IDC_PANEL_REVERSE:
            ApplyRefresh(app, ToggleReverse(s));
            return TRUE;
        case IDC_PANEL_FULL:
            ApplyRefresh(app, ToggleFullScale(s));
            return TRUE;
        case IDC_PANEL_NARROW:
            ApplyRefresh(app, ToggleNarrow(s));
            return TRUE;
        case IDM_TURNED:
            ShowRulerIcon(p, window);
            return TRUE;
        case IDM_SHOW_FULL:
            ShowMode(p, IDC_PANEL_FULL, s.FullScale != 0);
            return TRUE;
        case IDM_SHOW_NARROW:
            ShowMode(p, IDC_PANEL_NARROW, s.NarrowScale != 0);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR OnArrow(Panel& p, WPARAM code, HWND arrow) {
    const int control = GetDlgCtrlID(arrow);
    const int32_t step = CurrentStep();
    if (!SnapMarkerStep(p.app, PanelMarkerMove(control, code), step)) {
        ApplyRefresh(p.app, PanelArrow(p.app.state, control, code, step));
    }
    return TRUE;
}

INT_PTR OnControlColour(const Panel& p, HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (id == IDC_RED_SWATCH) return reinterpret_cast<INT_PTR>(p.redSwatch.get());
    if (id == IDC_BLUE_SWATCH) return reinterpret_cast<INT_PTR>(p.blueSwatch.get());
    if (id == IDC_RED_TEXT) SetTextColor(dc, kRed);
    if (id == IDC_BLUE_TEXT) SetTextColor(dc, kBlue);
    SetBkMode(dc, TRANSPARENT);
    // The strip shows the ruler's own background.
    if (id == IDC_COLOR_STRIP)
        return reinterpret_cast<INT_PTR>(p.app.picture.background.brush.get());
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// The toolbar's buttons carry no text; their tips are given when the tooltip asks.
INT_PTR OnNotify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW) return FALSE;
    const wchar_t* tip = PanelButtonTip(static_cast<int>(header->idFrom));
    if (!tip) return FALSE;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    lstrcpynW(info->szText, tip, ARRAYSIZE(info->szText));
    info->lpszText = info->szText;
    return TRUE;
}

// On every way the panel goes: the ruler no longer has it, and it is placed and activated again,
// which also shows it at the size Esc gave back. A ruler that is hidden is itself on its way out
// and stays hidden.
void OnDestroy(Panel& p) {
    Instance& app = p.app;
    app.panelOpen = false;
    app.panelWindow = nullptr;
    if (IsWindowVisible(app.ruler)) PlaceWindow(app.ruler, app.state, SWP_NOMOVE);
}

INT_PTR CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(window, *reinterpret_cast<Instance*>(lParam));
    }
    Panel* p = PanelOf(window);
    if (!p) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(*p, window, LOWORD(wParam));
        case WM_HSCROLL:
        case WM_VSCROLL:
            return OnArrow(*p, wParam, reinterpret_cast<HWND>(lParam));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(*p, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DPICHANGED:
            return OnDpiChanged(*p, window, wParam, lParam);
        case WM_CLOSE:
            Cancel(*p, window);
            return TRUE;
        case WM_DESTROY:
            OnDestroy(*p);
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, DWLP_USER, 0);
            delete p;  // its font, brushes and icon with it
            // Not handled here: the dialog manager goes on to free what it made, the template's
            // font among it.
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void TogglePanel(Instance& app) {
    if (app.panelOpen) {
        // Closed from the ruler: what the panel changed stays as it is.
        if (app.panelWindow) DestroyWindow(app.panelWindow);
        app.panelOpen = false;
        app.panelWindow = nullptr;
        return;
    }
    // Set first, so that the operations see the panel while it is being made.
    app.panelOpen = true;
    app.panelWindow = CreateDialogParamW(app.module, L"OperatBox", app.ruler, PanelProc,
                                         reinterpret_cast<LPARAM>(&app));
    // A panel that could not be made is not open.
    if (!app.panelWindow) TraceFailure(L"making the Operation panel");
    if (!app.panelWindow) app.panelOpen = false;
}
