// The ruler window's commands (menus, tray, other windows and instances) and its context menu.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"
#include "render/gdi_win.h"

// WM_COMMAND and WM_SYSCOMMAND on the low word; returns false for a command the table does not
// hold, which then goes to the default procedure.
bool RunCommand(Instance& app, int command);

// The right-click menu, built anew each time at the clicked client point.
void ShowContextMenu(Instance& app, LPARAM clickPoint);

// Gives a menu item its picture (one of the 16 x 16 menu bitmaps); the bitmap must outlive the
// menu while it shows.
GdiObject<HBITMAP> SetMenuItemImage(HINSTANCE module, HMENU menu, UINT id, int bitmap);

// Ends every running instance from the highest number down, this one among them.
void AllExit(Instance& app);
