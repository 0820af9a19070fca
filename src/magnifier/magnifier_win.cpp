// The magnifier window: a modeless dialog owned by the ruler whose four panes show the screen
// around the ruler's origin and markers, enlarged and refreshed twice a second.
#include "magnifier/magnifier_win.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "magnifier/magnifier.h"
#include "model/geometry_win.h"
#include "dialogs/dialog_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

// Where a pane's picture is put together before it is shown in one piece: kept from one tick to
// the next, and made anew only when a pane needs more room.
struct PaneBuffer {
    MemoryDc dc;
    GdiObject<HBITMAP> bitmap;
    // Declared last, so it puts the context's own bitmap back before the others go.
    std::optional<ScopedSelect> selected;
    int width = 0;
    int height = 0;
};

// The open magnifier: the instance it shows and what it owns.
class Magnifier : public RulerDialog {
  public:
    using RulerDialog::RulerDialog;
    void PaintPane(HWND pane);
    // The panes' own procedure (the static control's), to which their subclass passes on.
    WNDPROC paneProcedure = nullptr;

  private:
    bool ticking_ = false;
    PaneBuffer buffer_;
    // The panes' windows, each looked up once: under Wine every look-up of a control asks the
    // window system for the dialog's children, and the panes are redrawn at every tick.
    mutable HWND panes_[kMagnifierPanes]{};
    // The rectangle round every monitor, read as the window opens and at each display change:
    // under Wine each reading checks the display settings anew, four readings for each pane.
    Rect screen_{};

    INT_PTR OnInitDialog() override;
    // A closing command destroys the window and with it this state.
    INT_PTR OnCommand(int command, int code) override;
    void OnClose() override { DestroyWindow(window); }
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi() override;
    std::optional<SIZE> OpeningSize() const override;
    HWND Pane(int pane) const;
    void RedrawPanes() const;
    void StartTicking();
    void StopTicking();
    void OnSize(WPARAM kind);
    void OnTimer();
    void ShowMenu(LPARAM clickPoint) const;
    void OnContextMenu(LPARAM lParam) const;
    void OnDestroy();
};

// The state of the window a pane is in, which is always a magnifier.
Magnifier* MagnifierOf(HWND dialog) {
    return static_cast<Magnifier*>(DialogPart::Of(dialog));
}

HWND Magnifier::Pane(int pane) const {
    if (!panes_[pane]) panes_[pane] = GetDlgItem(window, IDC_MAG_PANE_1 + pane);
    return panes_[pane];
}

bool HasArea(const Rect& r) {
    return r.Width() > 0 && r.Height() > 0;
}

void Magnifier::RedrawPanes() const {
    for (int k = 0; k < kMagnifierPanes; ++k) InvalidateRect(Pane(k), nullptr, FALSE);
}

void Magnifier::StartTicking() {
    if (!ticking_) {
        ticking_ = SetTimer(window, kMagnifierTimerId, kMagnifierPeriodMs, nullptr) != 0;
    }
}

void Magnifier::StopTicking() {
    if (ticking_) KillTimer(window, kMagnifierTimerId);
    ticking_ = false;
}

BOOL CALLBACK JoinMonitor(HMONITOR, HDC, LPRECT monitor, LPARAM joined) {
    RECT& all = *reinterpret_cast<RECT*>(joined);
    UnionRect(&all, &all, monitor);
    return TRUE;
}

// The rectangle round every monitor. Only what lies inside it is read: a copy reaching beyond
// it may come back wholly black. One enumeration of the monitors asks the window system once;
// each of the four measures of the virtual screen would ask it again.
Rect VirtualScreen() {
    RECT all{};
    if (EnumDisplayMonitors(nullptr, nullptr, JoinMonitor, reinterpret_cast<LPARAM>(&all)) &&
        !IsRectEmpty(&all)) {
        return ToRect(all);
    }
    const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Rect{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

bool EnsureBuffer(PaneBuffer& b, HDC reference, int width, int height) {
    if (b.dc && width <= b.width && height <= b.height) return true;
    b.selected.reset();
    b.bitmap.reset();
    if (!b.dc) b.dc.reset(CreateCompatibleDC(reference));
    const int w = std::max(width, b.width);
    const int h = std::max(height, b.height);
    b.bitmap.reset(CreateCompatibleBitmap(reference, w, h));
    if (!b.dc || !b.bitmap) {
        b.width = b.height = 0;
        return false;
    }
    b.selected.emplace(b.dc.get(), b.bitmap.get());
    b.width = w;
    b.height = h;
    return true;
}

// The pane's stretch of the screen, enlarged: one stretched copy from the screen into the buffer,
// one copy of the buffer into the pane. What lies off the screen stays black, and so does what
// would show the magnifier itself: a picture of its own picture, taken half a second ago, is no
// part of the screen beneath it.
void Magnifier::PaintPane(HWND pane) {
    PaintDc paint(pane);
    RECT client{};
    GetClientRect(pane, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0 || !EnsureBuffer(buffer_, paint.get(), width, height)) return;
    HDC dc = buffer_.dc.get();
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    const int index = GetDlgCtrlID(pane) - IDC_MAG_PANE_1;
    const Rect source = PaneSource(app.state, index, width, height);
    if (const auto copy = OnScreenPart(source, screen_, width, height)) {
        {
            WindowDc screen(nullptr);
            // The ruler is a layered window, which a plain copy of the screen leaves out.
            StretchBlt(dc, copy->to.left, copy->to.top, copy->to.Width(), copy->to.Height(),
                       screen.get(), copy->from.left, copy->from.top, copy->from.Width(),
                       copy->from.Height(), SRCCOPY | CAPTUREBLT);
        }
        RECT self{};
        GetWindowRect(window, &self);
        const Rect covered = CoveredPart(source, ToRect(self), width, height);
        if (HasArea(covered)) {
            PatBlt(dc, covered.left, covered.top, covered.Width(), covered.Height(), BLACKNESS);
        }
    }
    BitBlt(paint.get(), 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

// The panes paint their picture themselves, over the whole pane, and nothing else.
LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    Magnifier* m = MagnifierOf(GetParent(pane));
    if (!m || !m->paneProcedure) return DefWindowProcW(pane, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            m->PaintPane(pane);
            return 0;
    }
    return CallWindowProcW(m->paneProcedure, pane, message, wParam, lParam);
}

void Magnifier::OnSize(WPARAM kind) {
    // A minimised window has nothing to show, and its size is not one to remember.
    if (kind == SIZE_MINIMIZED) {
        StopTicking();
        return;
    }
    RulerState& s = app.state;
    RECT outer{};
    GetWindowRect(window, &outer);
    s.MagnifierWinSizeX = outer.right - outer.left;
    s.MagnifierWinSizeY = outer.bottom - outer.top;
    RECT client{};
    GetClientRect(window, &client);
    const MagnifierLayout l = LayoutMagnifier(client.right, client.bottom, dpi.dpi.x);
    PlaceColourStrip();
    for (int k = 0; k < kMagnifierPanes; ++k) MoveOwnItem(Pane(k), l.panes[k]);
    // Everything at once, in its new place; a window not shown yet paints all of itself when it
    // shows.
    if (IsWindowVisible(window)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    StartTicking();
}

void Magnifier::OnTimer() {
    // Hidden or minimised, the window shows nothing: the ticks stop until it shows again.
    if (IsIconic(window) || !IsWindowVisible(window)) {
        StopTicking();
        return;
    }
    RedrawPanes();
}

void Magnifier::ShowMenu(LPARAM clickPoint) const {
    const OwnedMenu menu(LoadMenuW(app.module, L"MagnifierMenu"));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    const RulerState& s = app.state;
    CheckMenuRadioItem(popup, IDM_ZOOM_1, IDM_ZOOM_8, ZoomItem(s), MF_BYCOMMAND);
    CheckMenuRadioItem(popup, IDM_MAG_EDGE_RED, IDM_MAG_RED_BLUE, ModeItem(s), MF_BYCOMMAND);
    POINT p{GET_X_LPARAM(clickPoint), GET_Y_LPARAM(clickPoint)};
    ClientToScreen(window, &p);
    TrackPopupMenu(popup, TPM_LEFTBUTTON, p.x, p.y, 0, window, nullptr);
}

// Shift+F10 and the menu key ask for the menu a right click shows, at the middle of the window. A
// request from the mouse follows the right button's release, whose press has shown the menu.
void Magnifier::OnContextMenu(LPARAM lParam) const {
    if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return;
    RECT client{};
    GetClientRect(window, &client);
    ShowMenu(MAKELPARAM(client.right / 2, client.bottom / 2));
}

INT_PTR Magnifier::OnCommand(int command, int) {
    switch (RunMagnifierCommand(app.state, command)) {
        case MagnifierAction::kRedraw:
            // A new zoom or mode shows at once, not at the next tick.
            RedrawPanes();
            break;
        case MagnifierAction::kClose:
            DestroyWindow(window);
            break;
        case MagnifierAction::kReloadIcon:
            ShowRulerIcon();
            break;
        case MagnifierAction::kNone:
            break;
    }
    return TRUE;
}

// At a new density the window has taken the rectangle suggested for it, and with it the strip as
// wide as the density makes it and the panes are laid out again; the icon is chosen again.
void Magnifier::ApplyDpi() {
    ShowRulerIcon();
    OnSize(IsIconic(window) ? SIZE_MINIMIZED : SIZE_RESTORED);
}

// The size it had when it was last shown, taken with its place; the sizing lays the window out and
// remembers its size.
std::optional<SIZE> Magnifier::OpeningSize() const {
    const RulerState& s = app.state;
    return SIZE{s.MagnifierWinSizeX, s.MagnifierWinSizeY};
}

INT_PTR Magnifier::OnInitDialog() {
    screen_ = VirtualScreen();
    SetWindowTextW(window, MagnifierTitle(app.className).c_str());
    ShowRulerIcon();
    // The strip, its line and the panes come disabled from the template.
    for (int k = 0; k < kMagnifierPanes; ++k) {
        HWND pane = Pane(k);
        SetWindowTextW(pane, L"");
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaneProc)));
        if (!paneProcedure) paneProcedure = previous;
    }
    StartTicking();
    return TRUE;
}

void Magnifier::OnDestroy() {
    StopTicking();
    app.magnifierOpen = false;
    if (app.magnifierWindow == window) app.magnifierWindow = nullptr;
}

INT_PTR Magnifier::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            OnSize(wParam);
            return TRUE;
        case WM_SHOWWINDOW:
            if (wParam) StartTicking();
            return FALSE;
        case WM_DISPLAYCHANGE:
            screen_ = VirtualScreen();
            RedrawPanes();
            return FALSE;
        case WM_TIMER:
            if (wParam == kMagnifierTimerId) OnTimer();
            return TRUE;
        case WM_RBUTTONDOWN:
            ShowMenu(lParam);
            return TRUE;
        case WM_CONTEXTMENU:
            OnContextMenu(lParam);
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
    }
    return FALSE;
}

// Its size stays within bounds, from before the window has its state on. The frame's tracking
// asks for the bounds; a size given by a call is held within them here, rather than by the
// default handling, which under Wine measures the screen and its monitors afresh to work out
// defaults that these bounds then replace.
INT_PTR CALLBACK MagnifierProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{kMagnifierMinWidth, kMagnifierMinHeight};
        limits->ptMaxTrackSize = POINT{kMagnifierMaxWidth, kMagnifierMaxHeight};
        return TRUE;
    }
    if (message == WM_WINDOWPOSCHANGING) {
        auto* place = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(place->flags & SWP_NOSIZE)) {
            place->cx = std::min(place->cx, kMagnifierMaxWidth);
            place->cy = std::min(place->cy, kMagnifierMaxHeight);
            // A minimised window takes the size of its icon.
            if (!IsIconic(dialog)) {
                place->cx = std::max(place->cx, kMagnifierMinWidth);
                place->cy = std::max(place->cy, kMagnifierMinHeight);
            }
        }
        return TRUE;
    }
    return DialogPart::Procedure(dialog, message, wParam, lParam);
}

}  // namespace

void ToggleMagnifier(Instance& app) {
    ToggleModeless(app.magnifierOpen, app.magnifierWindow, [&app] {
        return CreateModelessDialog(std::make_unique<Magnifier>(app), app.module, L"MagnifierBox",
                                    app.ruler, MagnifierProc);
    });
}
