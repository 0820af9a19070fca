// The first instance's notification-area icon and its two menus.
#include "app/tray_win.h"

#include <shellapi.h>

#include "app/commands.h"
#include "app/commands_win.h"
#include "app/instances_win.h"
#include "model/placement_win.h"
#include "model/trace_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

NOTIFYICONDATAW IconData(HWND ruler) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = ruler;
    data.uID = ID_TRAY_ICON;
    return data;
}

// The running instances, in ascending order above the menu's separator.
void InsertInstances(HMENU popup, int instanceMax, bool right) {
    for (int n = instanceMax; n >= 1; --n) {
        if (!FindInstanceWindow(n)) continue;
        const int id = (right ? IDM_SWITCH_PANEL_BASE : IDM_SWITCH_BASE) + n;
        InsertMenuW(popup, 0, MF_BYPOSITION, id, TrayMenuItemText(n, right).c_str());
    }
}

// "&Add Linova": enabled while a number is free, bold, with its picture on newer systems.
GdiObject<HBITMAP> PrepareAddItem(const Instance& app, HMENU popup) {
    const int max = app.state.InstanceMax;
    EnableMenuItem(popup, IDM_ADD_LINOVA,
                   MF_BYCOMMAND | (RunningInstances(max) < max ? MF_ENABLED : MF_GRAYED));
    SetMenuDefaultItem(popup, GetMenuItemCount(popup) - 1, TRUE);
    if (!NewerSystem(app)) return nullptr;
    return SetMenuItemImage(app.module, popup, IDM_ADD_LINOVA, IDB_MENU_ADD);
}

void ShowTrayMenu(const Instance& app, bool right) {
    GdiObject<HBITMAP> image;  // outlives the menu that shows it
    const OwnedMenu menu(LoadMenuW(app.module, right ? L"TaskRMenu" : L"TaskLMenu"));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    InsertInstances(popup, app.state.InstanceMax, right);
    if (!right) image = PrepareAddItem(app, popup);
    POINT cursor{};
    GetCursorPos(&cursor);
    // In the foreground, the menu closes when the user clicks elsewhere.
    SetForegroundWindow(app.ruler);
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    GetTaskbarRect(&params.rcExclude);
    TrackPopupMenuEx(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, app.ruler, &params);
    // Without a message after it, a notification icon's menu may stay open when the user
    // clicks elsewhere, or close at once the next time it opens.
    PostMessageW(app.ruler, WM_NULL, 0, 0);
}

}  // namespace

void AddTrayIcon(Instance& app) {
    app.trayIconWanted = true;
    NOTIFYICONDATAW data = IconData(app.ruler);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_USER;
    // The shell keeps its own copy of the icon.
    const OwnedIcon icon(
        static_cast<HICON>(LoadImageW(app.module, L"Linova", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    data.hIcon = icon.get();
    lstrcpynW(data.szTip, kTrayTip, ARRAYSIZE(data.szTip));
    if (!Shell_NotifyIconW(NIM_ADD, &data)) TraceFailure(L"adding the notification-area icon");
}

void RemoveTrayIcon(Instance& app) {
    app.trayIconWanted = false;
    NOTIFYICONDATAW data = IconData(app.ruler);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool IsTaskbarCreated(UINT message) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    return taskbarCreated != 0 && message == taskbarCreated;
}

void OnTaskbarCreated(Instance& app) {
    if (app.trayIconWanted) AddTrayIcon(app);
}

void OnTrayCallback(const Instance& app, WPARAM wParam, LPARAM lParam) {
    if (wParam != ID_TRAY_ICON) return;
    if (lParam == WM_LBUTTONDOWN) ShowTrayMenu(app, false);
    if (lParam == WM_RBUTTONDOWN) ShowTrayMenu(app, true);
}
