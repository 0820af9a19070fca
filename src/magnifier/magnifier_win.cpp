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
#include "model/placement_win.h"
#include "model/trace_win.h"
#include "render/backgrounds.h"
#include "render/dpi_win.h"
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
struct Magnifier {
    explicit Magnifier(Instance& instance, HWND dialog) : app(instance), window(dialog) {}

    Instance& app;
    HWND window;
    OwnedIcon icon;
    // The panes' own procedure (the static control's), to which their subclass passes on.
    WNDPROC paneProcedure = nullptr;
    bool ticking = false;
    PaneBuffer buffer;
    DialogDpi dpi;
};

Magnifier* MagnifierOf(HWND dialog) {
    return reinterpret_cast<Magnifier*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

HWND Pane(HWND dialog, int pane) {
    return GetDlgItem(dialog, IDC_MAG_PANE_1 + pane);
}

bool HasArea(const Rect& r) {
    return r.Width() > 0 && r.Height() > 0;
}

void RedrawPanes(const Magnifier& m) {
    for (int k = 0; k < kMagnifierPanes; ++k) InvalidateRect(Pane(m.window, k), nullptr, FALSE);
}

void StartTicking(Magnifier& m) {
    if (!m.ticking) {
        m.ticking = SetTimer(m.window, kMagnifierTimerId, kMagnifierPeriodMs, nullptr) != 0;
    }
}

void StopTicking(Magnifier& m) {
    if (m.ticking) KillTimer(m.window, kMagnifierTimerId);
    m.ticking = false;
}

// The window's icon for the ruler's direction and background; the one it replaces goes once the
// window no longer shows it.
void SetWindowIcon(Magnifier& m) {
    const RulerState& s = m.app.state;
    OwnedIcon icon =
        CaptionIcon(m.app.module, RulerIconName(s.BackColor, s.Vertical != 0), m.dpi.dpi);
    SendMessageW(m.window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    m.icon = std::move(icon);
}

// The rectangle round every monitor. Only what lies inside it is read: a copy reaching beyond
// it may come back wholly black.
Rect VirtualScreen() {
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
void PaintPane(Magnifier& m, HWND pane) {
    PaintDc paint(pane);
    RECT client{};
    GetClientRect(pane, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0 || !EnsureBuffer(m.buffer, paint.get(), width, height)) return;
    HDC dc = m.buffer.dc.get();
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    const int index = GetDlgCtrlID(pane) - IDC_MAG_PANE_1;
    const Rect source = PaneSource(m.app.state, index, width, height);
    if (const auto copy = OnScreenPart(source, VirtualScreen(), width, height)) {
        {
            WindowDc screen(nullptr);
            // The ruler is a layered window, which a plain copy of the screen leaves out.
            StretchBlt(dc, copy->to.left, copy->to.top, copy->to.Width(), copy->to.Height(),
                       screen.get(), copy->from.left, copy->from.top, copy->from.Width(),
                       copy->from.Height(), SRCCOPY | CAPTUREBLT);
        }
        RECT self{};
        GetWindowRect(m.window, &self);
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
            PaintPane(*m, pane);
            return 0;
    }
    return CallWindowProcW(m->paneProcedure, pane, message, wParam, lParam);
}

// The magnifier lays out its controls itself, at every density.
void MoveItem(HWND dialog, int id, const Rect& r) {
    HWND item = GetDlgItem(dialog, id);
    KeepOwnLayout(item);
    MoveWindow(item, r.left, r.top, r.Width(), r.Height(), FALSE);
}

void OnSize(Magnifier& m, WPARAM kind) {
    // A minimised window has nothing to show, and its size is not one to remember.
    if (kind == SIZE_MINIMIZED) {
        StopTicking(m);
        return;
    }
    RulerState& s = m.app.state;
    RECT outer{};
    GetWindowRect(m.window, &outer);
    s.MagnifierWinSizeX = outer.right - outer.left;
    s.MagnifierWinSizeY = outer.bottom - outer.top;
    RECT client{};
    GetClientRect(m.window, &client);
    const MagnifierLayout l = LayoutMagnifier(client.right, client.bottom, m.dpi.dpi.x);
    MoveItem(m.window, IDC_COLOR_STRIP, l.strip);
    MoveItem(m.window, IDC_STRIP_LINE, l.line);
    for (int k = 0; k < kMagnifierPanes; ++k) MoveItem(m.window, IDC_MAG_PANE_1 + k, l.panes[k]);
    // Everything at once, in its new place.
    RedrawWindow(m.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    StartTicking(m);
}

void OnTimer(Magnifier& m) {
    // Hidden or minimised, the window shows nothing: the ticks stop until it shows again.
    if (IsIconic(m.window) || !IsWindowVisible(m.window)) {
        StopTicking(m);
        return;
    }
    RedrawPanes(m);
}

INT_PTR OnControlColour(const Magnifier& m, UINT message, HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    HBRUSH ground = m.app.picture.background.brush.get();
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(control) == IDC_COLOR_STRIP && ground) {
        return reinterpret_cast<INT_PTR>(ground);
    }
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void ShowMagnifierMenu(const Magnifier& m, LPARAM clickPoint) {
    const OwnedMenu menu(LoadMenuW(m.app.module, L"MagnifierMenu"));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    const RulerState& s = m.app.state;
    CheckMenuRadioItem(popup, IDM_ZOOM_1, IDM_ZOOM_8, ZoomItem(s), MF_BYCOMMAND);
    CheckMenuRadioItem(popup, IDM_MAG_EDGE_RED, IDM_MAG_RED_BLUE, ModeItem(s), MF_BYCOMMAND);
    POINT p{GET_X_LPARAM(clickPoint), GET_Y_LPARAM(clickPoint)};
    ClientToScreen(m.window, &p);
    TrackPopupMenu(popup, TPM_LEFTBUTTON, p.x, p.y, 0, m.window, nullptr);
}

// Shift+F10 and the menu key ask for the menu a right click shows, at the middle of the window. A
// request from the mouse follows the right button's release, whose press has shown the menu.
void OnContextMenu(const Magnifier& m, LPARAM lParam) {
    if (GET_X_LPARAM(lParam) != -1 || GET_Y_LPARAM(lParam) != -1) return;
    RECT client{};
    GetClientRect(m.window, &client);
    ShowMagnifierMenu(m, MAKELPARAM(client.right / 2, client.bottom / 2));
}

// A closing command destroys the window and with it `m`.
void OnCommand(Magnifier& m, int command) {
    switch (RunMagnifierCommand(m.app.state, command)) {
        case MagnifierAction::kRedraw:
            // A new zoom or mode shows at once, not at the next tick.
            RedrawPanes(m);
            break;
        case MagnifierAction::kClose:
            DestroyWindow(m.window);
            break;
        case MagnifierAction::kReloadIcon:
            SetWindowIcon(m);
            break;
        case MagnifierAction::kNone:
            break;
    }
}

// The window takes the rectangle suggested for the new density, and with it the strip as wide as
// the density makes it and the panes laid out again; the icon is chosen again.
INT_PTR OnDpiChanged(Magnifier& m, WPARAM wParam, LPARAM lParam) {
    m.dpi.Follow(m.window, wParam, lParam);
    SetWindowIcon(m);
    OnSize(m, IsIconic(m.window) ? SIZE_MINIMIZED : SIZE_RESTORED);
    return FALSE;
}

INT_PTR OnInitDialog(HWND dialog, Instance& app) {
    auto owned = std::make_unique<Magnifier>(app, dialog);
    Magnifier& m = *owned;
    // Attached first: the sizing below lays the window out and remembers its size.
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    const RulerState& s = m.app.state;
    m.dpi.Start(dialog, DpiOf(s));
    SetWindowPos(dialog, nullptr, 0, 0, s.MagnifierWinSizeX, s.MagnifierWinSizeY,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceBesideRuler(dialog, m.app);
    SetWindowTextW(dialog, MagnifierTitle(m.app.className).c_str());
    SetWindowIcon(m);
    // Nothing in the window takes keys: disabled, the strip, its line and the panes leave the
    // focus to the window itself, for Esc and the menu key. They still paint, and the mouse
    // passes through them to the window.
    EnableWindow(GetDlgItem(dialog, IDC_COLOR_STRIP), FALSE);
    EnableWindow(GetDlgItem(dialog, IDC_STRIP_LINE), FALSE);
    for (int k = 0; k < kMagnifierPanes; ++k) {
        HWND pane = Pane(dialog, k);
        EnableWindow(pane, FALSE);
        SetWindowTextW(pane, L"");
        const auto previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(pane, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaneProc)));
        if (!m.paneProcedure) m.paneProcedure = previous;
    }
    StartTicking(m);
    return TRUE;
}

void OnDestroy(Magnifier& m) {
    StopTicking(m);
    m.app.magnifierOpen = false;
    if (m.app.magnifierWindow == m.window) m.app.magnifierWindow = nullptr;
}

INT_PTR CALLBACK MagnifierProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, *reinterpret_cast<Instance*>(lParam));
    }
    if (message == WM_GETMINMAXINFO) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = POINT{kMagnifierMinWidth, kMagnifierMinHeight};
        limits->ptMaxTrackSize = POINT{kMagnifierMaxWidth, kMagnifierMaxHeight};
        return TRUE;
    }
    Magnifier* m = MagnifierOf(dialog);
    if (!m) return FALSE;
    switch (message) {
        case WM_SIZE:
            OnSize(*m, wParam);
            return TRUE;
        case WM_DPICHANGED:
            return OnDpiChanged(*m, wParam, lParam);
        case WM_SHOWWINDOW:
            if (wParam) StartTicking(*m);
            return FALSE;
        case WM_TIMER:
            if (wParam == kMagnifierTimerId) OnTimer(*m);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(*m, message, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_RBUTTONDOWN:
            ShowMagnifierMenu(*m, lParam);
            return TRUE;
        case WM_CONTEXTMENU:
            OnContextMenu(*m, lParam);
            return TRUE;
        case WM_COMMAND:
            OnCommand(*m, LOWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(dialog);
            return TRUE;
        case WM_DESTROY:
            OnDestroy(*m);
            return TRUE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            delete m;
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ToggleMagnifier(Instance& app) {
    if (app.magnifierOpen) {
        app.magnifierOpen = false;
        if (app.magnifierWindow) DestroyWindow(app.magnifierWindow);
        app.magnifierWindow = nullptr;
        return;
    }
    app.magnifierOpen = true;
    app.magnifierWindow = CreateDialogParamW(app.module, L"MagnifierBox", app.ruler, MagnifierProc,
                                             reinterpret_cast<LPARAM>(&app));
    // A magnifier that could not be made is not open.
    if (!app.magnifierWindow) TraceFailure(L"making the magnifier");
    if (!app.magnifierWindow) app.magnifierOpen = false;
}
