// The ruler window's commands (menus, tray, other windows and instances) and its context menu.
#include "app/commands_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include "app/app_win.h"
#include "app/commands.h"
#include "app/instances_win.h"
#include "app/placement_win.h"
#include "app/tray_win.h"
#include "ops/copy_adjust_win.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

void SetItemState(HMENU menu, UINT id, UINT set, UINT clear, BOOL byPosition) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STATE;
    if (!GetMenuItemInfoW(menu, id, byPosition, &item)) return;
    item.fState = (item.fState & ~clear) | set;
    SetMenuItemInfoW(menu, id, byPosition, &item);
}

void Check(HMENU menu, UINT id, bool on) {
    SetItemState(menu, id, on ? MFS_CHECKED : 0, on ? 0 : MFS_CHECKED, FALSE);
}

void Enable(HMENU menu, UINT id, bool on) {
    SetItemState(menu, id, on ? 0 : MFS_GRAYED | MFS_DISABLED, on ? MFS_GRAYED | MFS_DISABLED : 0,
                 FALSE);
}

void PrepareContextMenu(HMENU popup, const ContextMenuState& m) {
    ModifyMenuW(popup, 0, MF_BYPOSITION | MF_STRING, IDM_ABOUT, TheApp().className.c_str());
    Check(popup, IDM_OPERATION, m.operationChecked);
    Check(popup, IDM_MAGNIFIER, m.magnifierChecked);
    Check(popup, IDM_NARROW, m.narrowChecked);
    Check(popup, IDM_FULL, m.fullChecked);
    Check(popup, IDM_TOPMOST, m.topMostChecked);
    CheckMenuRadioItem(popup, IDM_UNIT_PIXEL, IDM_UNIT_INCH, m.unitCommand, MF_BYCOMMAND);
    Enable(popup, IDM_SETUP, m.setupEnabled);
    Enable(popup, IDM_DISPLAY_SIZE, m.displaySizeEnabled);
    Enable(popup, IDM_UNINSTALL, m.uninstallEnabled);
    Enable(popup, IDM_ALL_EXIT, m.allExitEnabled);
    Enable(popup, IDM_ADD_LINOVA, m.addEnabled);
    // The class name item and "Add Linova" at the top of the Function submenu are bold.
    SetItemState(popup, 0, MFS_DEFAULT, 0, TRUE);
    SetItemState(GetSubMenu(popup, 3), 0, MFS_DEFAULT, 0, TRUE);
    DeleteMenu(popup, IDM_SAME_COLOR_LOCK, MF_BYCOMMAND);
}

void StartAnotherInstance() {
    wchar_t path[MAX_PATH] = L"";
    if (GetModuleFileNameW(nullptr, path, MAX_PATH)) {
        ShellExecuteW(nullptr, nullptr, path, nullptr, L"", SW_SHOW);
    }
}

void SwitchInstance(const InstanceSwitch& target) {
    HWND other = FindInstanceWindow(target.instance);
    if (!other) return;
    SetForegroundWindow(other);
    if (target.withPanel) SendToInstance(other, WM_COMMAND, IDM_OPERATION_AT_CURSOR);
}

void ToggleTopMost(HWND ruler) {
    TheApp().state.TopMost ^= 1;
    PlaceWindow(ruler, SWP_NOSIZE | SWP_NOMOVE);
}

// The display sizes may have changed: the automatic scale follows.
void AfterDisplaySize(HWND ruler) {
    ApplyRefresh(ruler, FollowDisplaySizes(TheApp().state));
}

void OnUninstallCommand() {
    RulerState& s = TheApp().state;
    // Instance 1 asks the user; the others are told by instance 1 not to save again.
    if (s.InstanceNumber != 1 || !s.SaveOnExit) s.SaveOnExit = 0;
}

// A ruler that does not answer in time is passed over. The toggle is not posted after it: a send
// that timed out may still be delivered, and a toggle must not arrive twice.
void BroadcastSameColorLock() {
    const RulerState& s = TheApp().state;
    for (int n : OtherInstances(s.InstanceNumber, s.InstanceMax, IsInstanceWindowPresent)) {
        if (HWND other = FindInstanceWindow(n)) {
            SendToInstance(other, WM_COMMAND, IDM_TOGGLE_COLOR_LOCK);
        }
    }
}

// Hides and closes one ruler, first telling it not to save when `withoutSaving`. Each is waited
// for, so that it has saved before the next is asked, but only a short while: a ruler that hangs
// gets the same requests posted, to be carried out in order once it runs again.
void CloseInstance(HWND other, bool withoutSaving) {
    const bool told = !withoutSaving || SendToInstance(other, WM_COMMAND, IDM_UNINSTALL);
    // ShowWindow would wait for the other ruler's thread.
    ShowWindowAsync(other, SW_HIDE);
    // Not told: a close sent now could overtake the posted request and save after all.
    if (told && SendToInstance(other, WM_CLOSE, 0)) return;
    if (!told) PostMessageW(other, WM_COMMAND, IDM_UNINSTALL, 0);
    PostMessageW(other, WM_CLOSE, 0, 0);
}

bool RunRulerCommand(HWND ruler, int command) {
    App& app = TheApp();
    RulerState& s = app.state;
    switch (command) {
        case IDM_EXIT:
            ShowWindow(ruler, SW_HIDE);
            PostMessageW(ruler, WM_CLOSE, 0, 0);
            return true;
        case IDM_DIRECTION:
            ApplyRefresh(ruler, TurnAbout(s, app.pivotPoint));
            app.pivotPending = false;
            return true;
        case IDM_REVERSE:
            ApplyRefresh(ruler, ToggleReverse(s));
            return true;
        case IDM_NARROW:
            ApplyRefresh(ruler, ToggleNarrow(s));
            return true;
        case IDM_FULL:
            ApplyRefresh(ruler, ToggleFullScale(s));
            return true;
        case IDM_UNIT_PIXEL:
        case IDM_UNIT_CM:
        case IDM_UNIT_INCH:
            ApplyRefresh(ruler, ChangeUnit(s, command));
            return true;
        case IDM_COPY_LENGTH:
        case IDM_COPY_RED:
        case IDM_COPY_BLUE:
        case IDM_COPY_RED_BLUE:
            CopyReading(ruler, command);
            return true;
        case IDM_ADJUST_WINDOW:
        case IDM_ADJUST_CLIENT:
            AdjustToWindow(ruler, command);
            return true;
        default:
            return false;
    }
}

bool RunInstanceCommand(HWND ruler, int command) {
    App& app = TheApp();
    RulerState& s = app.state;
    switch (command) {
        case IDM_ALL_EXIT:
            AllExit(ruler);
            return true;
        case IDM_ADD_LINOVA:
            StartAnotherInstance();
            return true;
        case IDM_SAME_COLOR_LOCK:
            BroadcastSameColorLock();
            s.SameColorLock ^= 1;
            return true;
        case IDM_TOGGLE_COLOR_LOCK:
            s.SameColorLock ^= 1;
            return true;
        case IDM_TOGGLE_NO_MOUSE:
            s.NoMouseOperation ^= 1;
            return true;
        case IDM_TOGGLE_NO_KEY:
            s.NoKeyOperation ^= 1;
            return true;
        case IDM_UNINSTALL:
            OnUninstallCommand();
            return true;
        case IDM_TURNED:
            RefreshCursor(ruler);
            return true;
        case IDM_TOPMOST:
            ToggleTopMost(ruler);
            return true;
        default:
            return false;
    }
}

// Commands whose dialogs come with the panel, Setup, display-size, magnifier and About windows.
bool RunDialogCommand(HWND ruler, int command) {
    App& app = TheApp();
    switch (command) {
        case IDM_ABOUT:
            return true;
        case IDM_OPERATION:
        case IDM_SETUP:
            app.placeAtCursor = false;
            return true;
        case IDM_OPERATION_AT_CURSOR:
            app.placeAtCursor = true;
            return true;
        case IDM_DISPLAY_SIZE:
            app.placeAtCursor = false;
            AfterDisplaySize(ruler);
            return true;
        case IDM_MAGNIFIER:
            return true;
        default:
            return false;
    }
}

}  // namespace

HBITMAP SetMenuItemImage(HMENU menu, UINT id, int bitmap) {
    HBITMAP image = static_cast<HBITMAP>(
        LoadImageW(TheApp().module, MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0,
                   LR_LOADTRANSPARENT | LR_DEFAULTSIZE | LR_LOADMAP3DCOLORS));
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = image;
    SetMenuItemInfoW(menu, id, FALSE, &item);
    return image;
}

bool RunCommand(HWND ruler, int command) {
    if (RunRulerCommand(ruler, command) || RunInstanceCommand(ruler, command) ||
        RunDialogCommand(ruler, command)) {
        return true;
    }
    if (const auto target = DecodeInstanceSwitch(command, TheApp().state.InstanceMax)) {
        SwitchInstance(*target);
        return true;
    }
    return false;
}

void AllExit(HWND ruler) {
    RemoveTrayIcon(ruler);
    const RulerState& s = TheApp().state;
    // After an uninstall, no instance writes its settings back.
    const bool withoutSaving = !s.SaveOnExit && s.InstanceNumber == 1;
    for (int n = s.InstanceMax; n >= 1; --n) {
        if (HWND other = FindInstanceWindow(n)) CloseInstance(other, withoutSaving);
    }
}

void ShowContextMenu(HWND ruler, LPARAM clickPoint) {
    App& app = TheApp();
    HMENU menu = LoadMenuW(app.module, L"PopMenu");
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    const int running = FindFreeInstance(app.state.InstanceMax, IsInstanceWindowPresent).running;
    const ContextMenuState state =
        MenuStateOf(app.state, app.panelOpen, app.magnifierOpen, running);
    PrepareContextMenu(popup, state);
    HBITMAP images[4] = {};
    if (app.osVersionCode >= 600) {
        images[0] = SetMenuItemImage(popup, IDM_ABOUT, state.firstItemImage);
        images[1] = SetMenuItemImage(popup, IDM_ADD_LINOVA, IDB_MENU_ADD);
        images[2] = SetMenuItemImage(popup, IDM_REVERSE, IDB_MENU_REVERSE);
        images[3] = SetMenuItemImage(popup, IDM_DIRECTION, IDB_MENU_DIRECTION);
    }
    POINT p{GET_X_LPARAM(clickPoint), GET_Y_LPARAM(clickPoint)};
    ClientToScreen(ruler, &p);
    // A right click chooses the point Direction turns about, until that is used.
    if (!app.pivotPending) {
        app.pivotPoint = Point{p.x, p.y};
        app.pivotPending = true;
    }
    TrackPopupMenu(popup, TPM_LEFTBUTTON, p.x, p.y, 0, ruler, nullptr);
    DestroyMenu(menu);
    for (HBITMAP image : images) {
        if (image) DeleteObject(image);
    }
}
