// The first instance's notification-area icon and its two menus.
#pragma once

#include <windows.h>

void AddTrayIcon(HWND ruler);
void RemoveTrayIcon(HWND ruler);

// WM_USER from the icon: a left or right button press opens its menu.
void OnTrayCallback(HWND ruler, WPARAM wParam, LPARAM lParam);
