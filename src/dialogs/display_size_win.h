// The Display size dialog: the monitors with their positions and resolutions, and each one's
// physical diagonal, which the automatic scale is computed with.
#pragma once

#include <windows.h>

#include "ops/instance_win.h"

// Shows the dialog, modal, owned by `owner` (the ruler, or the Setup dialog's scaling page), and
// returns once it has ended. OK keeps the diagonals as the ruler's display sizes; the caller then
// has the automatic scale follow them.
void ShowDisplaySizeDialog(Instance& app, HWND owner);
