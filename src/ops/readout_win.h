// The ruler's title and its tooltip, which show the current readings.
#pragma once

#include <windows.h>

// The tooltip over the whole ruler window, first showing its class name.
void CreateRulerTooltip(HWND ruler);

// Passes a mouse message on to the tooltip and keeps a shown tip above a topmost ruler.
void RelayToTooltip(HWND ruler, UINT message, WPARAM wParam, LPARAM lParam);

// The tool's rectangle follows the window's size.
void ResizeTooltip(HWND ruler);

void RefreshReadout(HWND ruler);
