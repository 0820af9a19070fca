// The ruler window's commands (menus, tray, other windows and instances) and its context menu.
#pragma once

#include <windows.h>

// WM_COMMAND and WM_SYSCOMMAND on the low word; returns false for a command the table does not
// hold, which then goes to the default procedure.
bool RunCommand(HWND ruler, int command);

// The right-click menu, built anew each time at the clicked client point.
void ShowContextMenu(HWND ruler, LPARAM clickPoint);

// Gives a menu item its picture (one of the 16 x 16 menu bitmaps); the caller deletes the bitmap
// once the menu has closed.
HBITMAP SetMenuItemImage(HMENU menu, UINT id, int bitmap);

// Ends every running instance from the highest number down, this one among them.
void AllExit(HWND ruler);
