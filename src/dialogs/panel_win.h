// The Operation panel: a modeless dialog beside the ruler through which the mouse alone moves
// the ruler, changes its length and markers, and switches its unit and modes.
#pragma once

#include "ops/instance_win.h"

// The ruler's Operation commands: opens the panel (beside the ruler, or centred on the cursor as
// `placeAtCursor` says), or closes an open one at once, keeping what it changed.
void TogglePanel(Instance& app);
