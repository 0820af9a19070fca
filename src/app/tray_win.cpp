// The first instance's notification-area icon and its two menus.
#include "app/tray_win.h"

#include <shellapi.h>

#include "app/app_win.h"
#include "app/commands.h"
#include "app/commands_win.h"
#include "app/instances_win.h"
#include "resources/resource.h"

namespace {

// From the add to the removal this instance shows the icon, whether or not a taskbar took it.
bool g_iconWanted = false;

NOTIFYICONDATAW IconData(HWND ruler) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = ruler;
    data.uID = ID_TRAY_ICON;
    return data;
}

// The running instances, in ascending order above the menu's separator.
void InsertInstances(HMENU popup, bool right) {
    const int max = TheApp().state.InstanceMax;
    for (int n = max; n >= 1; --n) {
        if (!FindInstanceWindow(n)) continue;
        const int id = (right ? IDM_SWITCH_PANEL_BASE : IDM_SWITCH_BASE) + n;
        InsertMenuW(popup, 0, MF_BYPOSITION, id, TrayMenuItemText(n, right).c_str());
    }
}

// "&Add Linova": enabled while a number is free, bold, with its picture on newer systems.
HBITMAP PrepareAddItem(HMENU popup) {
    const App& app = TheApp();
    const int running = FindFreeInstance(app.state.InstanceMax, IsInstanceWindowPresent).running;
    EnableMenuItem(popup, IDM_ADD_LINOVA,
                   MF_BYCOMMAND | (running < app.state.InstanceMax ? MF_ENABLED : MF_GRAYED));
    SetMenuDefaultItem(popup, GetMenuItemCount(popup) - 1, TRUE);
    if (app.osVersionCode < 600) return nullptr;
    return SetMenuItemImage(popup, IDM_ADD_LINOVA, IDB_MENU_ADD);
}

void ShowTrayMenu(HWND ruler, bool right) {
    HMENU menu = LoadMenuW(TheApp().module, right ? L"TaskRMenu" : L"TaskLMenu");
    if (!menu) return;
    HMENU popup = GetSubMenu(menu, 0);
    InsertInstances(popup, right);
    HBITMAP image = right ? nullptr : PrepareAddItem(popup);
    POINT cursor{};
    GetCursorPos(&cursor);
    // In the foreground, the menu closes when the user clicks elsewhere.
    SetForegroundWindow(ruler);
    TPMPARAMS params{};
    params.cbSize = sizeof(params);
    if (HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr)) {
        GetWindowRect(taskbar, &params.rcExclude);
    }
    TrackPopupMenuEx(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, ruler, &params);
    // Without a message after it, a notification icon's menu may stay open when the user
    // clicks elsewhere, or close at once the next time it opens.
    PostMessageW(ruler, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (image) DeleteObject(image);
}

}  // namespace

void AddTrayIcon(HWND ruler) {
    g_iconWanted = true;
    NOTIFYICONDATAW data = IconData(ruler);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_USER;
    data.hIcon = static_cast<HICON>(
        LoadImageW(TheApp().module, L"Linova", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    lstrcpynW(data.szTip, kTrayTip, ARRAYSIZE(data.szTip));
    Shell_NotifyIconW(NIM_ADD, &data);
    if (data.hIcon) DestroyIcon(data.hIcon);
}

void RemoveTrayIcon(HWND ruler) {
    g_iconWanted = false;
    NOTIFYICONDATAW data = IconData(ruler);
    Shell_NotifyIconW(NIM_DELETE, &data);
}

bool IsTaskbarCreated(UINT message) {
    static const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    return taskbarCreated != 0 && message == taskbarCreated;
}

void OnTaskbarCreated(HWND ruler) {
    if (g_iconWanted) AddTrayIcon(ruler);
}

void OnTrayCallback(HWND ruler, WPARAM wParam, LPARAM lParam) {
    if (wParam != ID_TRAY_ICON) return;
    if (lParam == WM_LBUTTONDOWN) ShowTrayMenu(ruler, false);
    if (lParam == WM_RBUTTONDOWN) ShowTrayMenu(ruler, true);
}
