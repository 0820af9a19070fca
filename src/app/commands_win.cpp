// The ruler window's commands (menus, tray, other windows and instances) and its context menu.
#include "app/commands_win.h"

#include <windowsx.h>

#include "app/commands.h"
#include "app/instances_win.h"
#include "app/tray_win.h"
#include "dialogs/about_win.h"
#include "dialogs/display_size_win.h"
#include "dialogs/setup_win.h"
#include "dialogs/uninstall_win.h"
#include "magnifier/magnifier_win.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "ops/copy_adjust_win.h"
#include "ops/edge_snap.h"
#include "ops/operations_win.h"
#include "dialogs/panel_win.h"
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

void PrepareContextMenu(HMENU popup, const std::wstring& className, const ContextMenuState& m) {
    ModifyMenuW(popup, 0, MF_BYPOSITION | MF_STRING, IDM_ABOUT, className.c_str());
    Check(popup, IDM_OPERATION, m.operationChecked);
    Check(popup, IDM_MAGNIFIER, m.magnifierChecked);
    Check(popup, IDM_NARROW, m.narrowChecked);
    Check(popup, IDM_FULL, m.fullChecked);
    Check(popup, IDM_TOPMOST, m.topMostChecked);
    Check(popup, IDM_SNAP_EDGES, m.snapEdgesChecked);
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

void SwitchInstance(const InstanceSwitch& target) {
    HWND other = FindInstanceWindow(target.instance);
    if (!other) return;
    SetForegroundWindow(other);
    if (target.withPanel) SendToInstance(other, WM_COMMAND, IDM_OPERATION_AT_CURSOR);
}

void ToggleTopMost(Instance& app) {
    app.state.TopMost ^= 1;
    PlaceWindow(app.ruler, app.state, SWP_NOSIZE | SWP_NOMOVE);
}

// Deletes every stored setting and ends every ruler unsaved, this one last. No ruler chooses its
// number (and loads its settings) meanwhile: each has either loaded before, and has a window that
// All Exit finds, or loads once the settings are gone. Those whose process was made before the
// deletion but had not yet chosen end as they start, and this ruler waits for them.
void Uninstall(Instance& app) {
    InstanceChoiceLock choosing;
    const UninstallMark mark;
    RegistryStore store;
    DeleteSettings(app.state.InstanceMax, store);
    app.state.SaveOnExit = 0;
    AllExit(app);
    choosing.Release();
    mark.WaitForEarlierRulers();
}

// Instance 1 asks the user. The others, and instance 1 once its settings are gone, are told
// this way not to save them again.
void OnUninstallCommand(Instance& app) {
    RulerState& s = app.state;
    if (s.InstanceNumber == 1 && s.SaveOnExit) {
        if (ShowUninstallDialog(app)) Uninstall(app);
    } else {
        s.SaveOnExit = 0;
    }
}

// A ruler that does not answer in time is passed over. The toggle is not posted after it: a send
// that timed out may still be delivered, and a toggle must not arrive twice.
void BroadcastSameColorLock(const RulerState& s) {
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

bool RunRulerCommand(Instance& app, int command) {
    if (RunScaleCommand(app, command, CommandFrom::kMenu)) return true;
    RulerState& s = app.state;
    switch (command) {
        case IDM_EXIT:
            ShowWindow(app.ruler, SW_HIDE);
            PostMessageW(app.ruler, WM_CLOSE, 0, 0);
            return true;
        case IDM_DIRECTION:
            ApplyRefresh(app, TurnAbout(s, app.pivotPoint));
            app.pivotPending = false;
            return true;
        case IDM_COPY_LENGTH:
        case IDM_COPY_RED:
        case IDM_COPY_BLUE:
        case IDM_COPY_RED_BLUE:
            CopyReading(app.ruler, s, command);
            return true;
        case IDM_ADJUST_WINDOW:
        case IDM_ADJUST_CLIENT:
            AdjustToWindow(app, command);
            return true;
        case IDM_SNAP_EDGES:
            ToggleSnapEdges(s);
            return true;
        default:
            return false;
    }
}

bool RunInstanceCommand(Instance& app, int command) {
    RulerState& s = app.state;
    switch (command) {
        case IDM_ALL_EXIT:
            AllExit(app);
            return true;
        case IDM_ADD_LINOVA:
            StartRuler(L"");
            return true;
        case IDM_SAME_COLOR_LOCK:
            BroadcastSameColorLock(s);
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
            OnUninstallCommand(app);
            return true;
        case IDM_TURNED:
            RefreshCursor(app);
            return true;
        case IDM_TOPMOST:
            ToggleTopMost(app);
            return true;
        default:
            return false;
    }
}

// Commands whose dialogs come with the panel, Setup, display-size, magnifier and About windows.
bool RunDialogCommand(Instance& app, int command) {
    switch (command) {
        case IDM_ABOUT:
            ShowAboutBox(app);
            return true;
        case IDM_OPERATION:
        case IDM_OPERATION_AT_CURSOR:
            // Setup and the panel change the same settings: the panel waits until Setup is gone.
            if (app.setupOpen) return true;
            app.placeAtCursor = command == IDM_OPERATION_AT_CURSOR;
            TogglePanel(app);
            return true;
        case IDM_SETUP:
            app.placeAtCursor = false;
            // Setup is not offered beside the panel or the magnifier.
            if (!app.panelOpen && !app.magnifierOpen) {
                ShowSetupDialog(app);
            }
            return true;
        case IDM_DISPLAY_SIZE:
            app.placeAtCursor = false;
            ShowDisplaySizeDialog(app, app.ruler);
            // The display sizes may have changed: the automatic scale follows.
            ApplyRefresh(app, FollowDisplaySizes(app.state));
            return true;
        case IDM_MAGNIFIER:
            ToggleMagnifier(app);
            return true;
        default:
            return false;
    }
}

// The pictures of the first item, "Add Linova", "Reverse" and "Direction", on newer systems. The
// bitmaps are the caller's to delete once the menu has gone.
void SetContextMenuImages(const Instance& app, HMENU popup, int firstItemImage,
                          GdiObject<HBITMAP> (&images)[4]) {
    if (!NewerSystem(app)) return;
    images[0] = SetMenuItemImage(app.module, popup, IDM_ABOUT, firstItemImage);
    images[1] = SetMenuItemImage(app.module, popup, IDM_ADD_LINOVA, IDB_MENU_ADD);
    images[2] = SetMenuItemImage(app.module, popup, IDM_REVERSE, IDB_MENU_REVERSE);
    images[3] = SetMenuItemImage(app.module, popup, IDM_DIRECTION, IDB_MENU_DIRECTION);
}

}  // namespace

GdiObject<HBITMAP> SetMenuItemImage(HINSTANCE module, HMENU menu, UINT id, int bitmap) {
    GdiObject<HBITMAP> image(
        static_cast<HBITMAP>(LoadImageW(module, MAKEINTRESOURCEW(bitmap), IMAGE_BITMAP, 0, 0,
                                        LR_LOADTRANSPARENT | LR_DEFAULTSIZE | LR_LOADMAP3DCOLORS)));
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = image.get();
    SetMenuItemInfoW(menu, id, FALSE, &item);
    return image;
}

bool RunCommand(Instance& app, int command) {
    if (RunRulerCommand(app, command) || RunInstanceCommand(app, command) ||
        RunDialogCommand(app, command)) {
        return true;
    }
    if (const auto target = DecodeInstanceSwitch(command, app.state.InstanceMax)) {
        SwitchInstance(*target);
        return true;
    }
    return false;
}

void AllExit(Instance& app) {
    // A ruler starting now either has its window before the search, or starts after it.
    InstanceChoiceLock choosing;
    RemoveTrayIcon(app);
    const RulerState& s = app.state;
    // After an uninstall, no instance writes its settings back.
    const bool withoutSaving = !s.SaveOnExit && s.InstanceNumber == 1;
    for (int n = s.InstanceMax; n >= 1; --n) {
        if (HWND other = FindInstanceWindow(n)) CloseInstance(other, withoutSaving);
    }
}

void ShowContextMenu(Instance& app, LPARAM clickPoint) {
    GdiObject<HBITMAP> images[4];  // outlive the menu that shows them
    const OwnedMenu menu(LoadMenuW(app.module, L"PopMenu"));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    const ContextMenuState state = MenuStateOf(app.state, app.panelOpen, app.magnifierOpen,
                                               RunningInstances(app.state.InstanceMax));
    PrepareContextMenu(popup, app.className, state);
    SetContextMenuImages(app, popup, state.firstItemImage, images);
    POINT p{GET_X_LPARAM(clickPoint), GET_Y_LPARAM(clickPoint)};
    ClientToScreen(app.ruler, &p);
    // A right click chooses the point Direction turns about, until that is used.
    if (!app.pivotPending) {
        app.pivotPoint = Point{p.x, p.y};
        app.pivotPending = true;
    }
    TrackPopupMenu(popup, TPM_LEFTBUTTON, p.x, p.y, 0, app.ruler, nullptr);
}
