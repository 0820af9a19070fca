// The first instance's notification-area icon and its two menus.
#pragma once

#include <windows.h>

void AddTrayIcon(HWND ruler);
void RemoveTrayIcon(HWND ruler);

// The message a new taskbar sends every top-level window after it starts (again, as when
// Explorer restarts): the icons of the old one are gone. The owner of the icon adds it again.
bool IsTaskbarCreated(UINT message);
void OnTaskbarCreated(HWND ruler);

// WM_USER from the icon: a left or right button press opens its menu.
void OnTrayCallback(HWND ruler, WPARAM wParam, LPARAM lParam);
