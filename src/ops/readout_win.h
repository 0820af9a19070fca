// The ruler's title and its tooltip, which show the current readings.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"

// The tooltip over the whole ruler window, first showing its class name.
void CreateRulerTooltip(Instance& app);

// The tooltip's text in the system's tooltip font at the ruler's density.
void FitTooltipToDpi(Instance& app);

// Passes a mouse message on to the tooltip and keeps a shown tip above a topmost ruler.
void RelayToTooltip(const Instance& app, UINT message, WPARAM wParam, LPARAM lParam);

// The tool's rectangle follows the window's size.
void ResizeTooltip(const Instance& app);

void RefreshReadout(const Instance& app);
