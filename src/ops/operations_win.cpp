// Carries out what an operation asks for: panel texts, monitor, placement, title and tooltip,
// repaint and rendering.
#include "ops/operations_win.h"

#include <optional>

#include "model/dialog_focus_win.h"
#include "model/geometry_win.h"
#include "model/placement.h"
#include "model/placement_win.h"
#include "ops/panel.h"
#include "ops/readout.h"
#include "ops/readout_win.h"
#include "render/ruler_paint_win.h"
#include "resources/resource.h"

namespace {

// The window is shown with the size and in the z-order band the state gives it, so that a
// placement of the position alone leaves nothing else to do.
bool OnlyPositionDiffers(HWND ruler, const RulerState& s, const Rect& rect) {
    RECT now{};
    if (!IsWindowVisible(ruler) || !GetWindowRect(ruler, &now)) return false;
    const bool topmost = (GetWindowLongPtrW(ruler, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    return now.right - now.left == rect.Width() && now.bottom - now.top == rect.Height() &&
           topmost == (s.TopMost != 0);
}

// Size, z-order and frame stay as they are.
void MovePosition(HWND ruler, const Rect& rect) {
    SetWindowPos(ruler, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Whether the placement gives the shown window a new size.
bool Resizes(HWND ruler, Placement placement, const Rect& rect) {
    if (placement != Placement::kResize && placement != Placement::kFull) return false;
    RECT now{};
    return IsWindowVisible(ruler) && GetWindowRect(ruler, &now) &&
           (now.right - now.left != rect.Width() || now.bottom - now.top != rect.Height());
}

// `discard`: SWP_NOCOPYBITS, for a placement that resizes the shown window, or 0.
void Reposition(const Instance& app, Placement placement, UINT discard) {
    HWND ruler = app.ruler;
    const RulerState& s = app.state;
    const Rect rect = RulerWindowRect(s);
    switch (placement) {
        case Placement::kNone:
            break;
        case Placement::kDrag:
            MovePosition(ruler, rect);
            break;
        case Placement::kStep:
        case Placement::kStepKeepingFocus:
            // A step keeps the size; when the z-order needs nothing either, it moves as a drag
            // does.
            if (OnlyPositionDiffers(ruler, s, rect)) {
                MovePosition(ruler, rect);
            } else {
                PlaceWindow(
                    ruler, s,
                    placement == Placement::kStep ? SWP_NOSIZE : SWP_NOSIZE | SWP_NOACTIVATE);
            }
            break;
        case Placement::kResize:
            SetWindowPos(ruler, s.TopMost ? HWND_TOPMOST : HWND_NOTOPMOST, rect.left, rect.top,
                         rect.Width(), rect.Height(), SWP_NOACTIVATE | discard);
            break;
        case Placement::kFull:
            PlaceWindow(ruler, s, SWP_NOACTIVATE | discard);
            break;
    }
}

// The monitor under the cursor becomes the ruler's. A scale that changed with it is drawn and read
// out anew, and a back buffer that does not suit a new monitor is made anew.
Refresh FixMonitorByCursor(Instance& app, POINT cursor, bool& monitorChanged) {
    RulerState& s = app.state;
    const int32_t scale = CurrentScale(s);
    const Rect monitor = s.MonitorRect;
    FixMonitorUnderCursor(s, app.monitorList, cursor);
    Refresh r = AfterScaleChange(scale, s);
    monitorChanged = s.MonitorRect != monitor;
    if (monitorChanged &&
        BackBufferWouldChange(s, app.picture.BufferFor(s), BufferFit::kMonitorChanged)) {
        r.repaint = Repaint::kErase;
        r.render = true;
    }
    return r;
}

// After a turn: the panel and the magnifier show the new direction, the cursor too.
void DirectionFollowUp(const Instance& app, POINT cursor) {
    if (app.panelOpen && app.panelWindow) SendMessageW(app.panelWindow, WM_COMMAND, IDM_TURNED, 0);
    if (app.magnifierOpen && app.magnifierWindow) {
        SendMessageW(app.magnifierWindow, WM_COMMAND, IDM_TURNED, 0);
    }
    RefreshCursor(app, cursor);
}

HCURSOR LoadSharedCursor(HINSTANCE module, const wchar_t* name) {
    return static_cast<HCURSOR>(LoadImageW(module, name, IMAGE_CURSOR, 0, 0, LR_SHARED));
}

}  // namespace

void RefreshPanel(const Instance& app, const PanelRefresh& p) {
    HWND panel = app.panelWindow;
    if (!app.panelOpen || !panel) return;
    const RulerState& s = app.state;
    if (p.fullScaleButton) SendMessageW(panel, WM_COMMAND, IDM_SHOW_FULL, 0);
    if (p.narrowButton) SendMessageW(panel, WM_COMMAND, IDM_SHOW_NARROW, 0);
    if (p.length || p.allReadouts) {
        SetDlgItemTextW(panel, IDC_LENGTH_TEXT, PanelReadout(s, PanelLine::kLength).c_str());
    }
    if (p.red || p.allReadouts) {
        SetDlgItemTextW(panel, IDC_RED_TEXT, PanelReadout(s, PanelLine::kRed).c_str());
    }
    if (p.blue || p.allReadouts) {
        SetDlgItemTextW(panel, IDC_BLUE_TEXT, PanelReadout(s, PanelLine::kBlue).c_str());
    }
    if (p.unitRadio) {
        CheckRadioButton(panel, IDC_PANEL_PIXEL, IDC_PANEL_INCH, IDC_PANEL_PIXEL + s.Unit);
    }
    if (p.arrows) {
        const PanelArrows usable = PanelArrowsEnabled(s);
        EnableItem(panel, IDC_MOVE_HORZ, usable.moveHorizontal);
        EnableItem(panel, IDC_MOVE_VERT, usable.moveVertical);
        EnableItem(panel, IDC_LENGTH_ARROW, usable.length);
    }
}

int32_t CurrentStep() {
    // Both keys in one reading: each reading is a trip to the window system.
    BYTE keys[256]{};
    if (!GetKeyboardState(keys)) {
        return StepSize(GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_RBUTTON) < 0);
    }
    return StepSize(((keys[VK_SHIFT] | keys[VK_RBUTTON]) & 0x80) != 0);
}

HCURSOR RulerCursor(HINSTANCE module, bool vertical) {
    // Looked up once each: every turn shows one of them.
    static const HCURSOR horizontal = LoadSharedCursor(module, L"LINOVACUR");
    static const HCURSOR upright = LoadSharedCursor(module, L"LINOVA_V_CUR");
    return vertical ? upright : horizontal;
}

void RefreshCursor(const Instance& app, POINT pointer) {
    HCURSOR cursor = RulerCursor(app.module, app.state.Vertical != 0);
    SetClassLongPtrW(app.ruler, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    // The pointer over the ruler changes now, not at the next mouse move. Which window is under
    // the pointer is a trip to the window system, asked only when the pointer is within the
    // ruler's rectangle.
    RECT rect{};
    if (GetWindowRect(app.ruler, &rect) && PtInRect(&rect, pointer) &&
        WindowFromPoint(pointer) == app.ruler) {
        SetCursor(cursor);
    }
}

void RefreshCursor(const Instance& app) {
    POINT pointer{};
    GetCursorPos(&pointer);
    RefreshCursor(app, pointer);
}

void ApplyRefresh(Instance& app, const Refresh& refresh) {
    HWND ruler = app.ruler;
    Refresh r = refresh;
    RefreshPanel(app, r.panel);
    // The pointer is read, a trip to the window system, only where it decides something: with
    // one monitor the ruler's monitor is that one wherever the pointer is, and the cursor shown
    // after a turn follows the place of the input that made it.
    POINT cursor{};
    if (r.fixMonitorByCursor && app.monitorList.size() != 1) {
        GetCursorPos(&cursor);
    } else if (r.fixMonitorByCursor || r.turned) {
        cursor = MessagePoint();
    }
    bool monitorChanged = false;
    if (r.fixMonitorByCursor) r = Combine(r, FixMonitorByCursor(app, cursor, monitorChanged));
    if (r.recomputeLength) RecomputeLength(app.state);
    // A window that takes a new size and is to be repainted whole with its background erased
    // discards its picture as it is placed: that invalidates and erases all of it in the same
    // trip to the window system, and the window is not invalidated again.
    const bool discard =
        r.repaint == Repaint::kErase && Resizes(ruler, r.placement, RulerWindowRect(app.state));
    Reposition(app, r.placement, discard ? SWP_NOCOPYBITS : 0);
    if (r.readout) RefreshReadout(app);
    if (r.repaint != Repaint::kNone && !discard) {
        InvalidateRect(ruler, nullptr, r.repaint == Repaint::kErase);
    }
    if (r.render) {
        RenderScale(ruler, app.state, app.module, app.picture,
                    monitorChanged ? BufferFit::kMonitorChanged : BufferFit::kKeep);
    }
    if (r.turned) DirectionFollowUp(app, cursor);
    // The magnifier shows a marker's new place now rather than at its next tick.
    if (r.magnifier && app.magnifierOpen && app.magnifierWindow) {
        RedrawWindow(app.magnifierWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void FollowMonitor(Instance& app) {
    Refresh r;
    r.fixMonitorByCursor = true;
    ApplyRefresh(app, r);
}

bool RunScaleCommand(Instance& app, int command, CommandFrom from) {
    const std::optional<Refresh> r = RunScaleCommand(app.state, command, from);
    if (r) ApplyRefresh(app, *r);
    return r.has_value();
}
