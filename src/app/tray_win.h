// The first instance's notification-area icon and its two menus.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"

void AddTrayIcon(Instance& app);
void RemoveTrayIcon(Instance& app);

// The message a new taskbar sends every top-level window after it starts (again, as when
// Explorer restarts): the icons of the old one are gone. The owner of the icon adds it again.
bool IsTaskbarCreated(UINT message);
void OnTaskbarCreated(Instance& app);

// WM_USER from the icon: a left or right button press opens its menu.
void OnTrayCallback(const Instance& app, WPARAM wParam, LPARAM lParam);
