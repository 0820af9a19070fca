// The magnifier window: a modeless dialog owned by the ruler whose four panes show the screen
// around the ruler's origin and markers, enlarged and refreshed twice a second.
#pragma once

#include "ops/instance_win.h"

// Opens the magnifier beside the ruler, or closes it when it is open.
void ToggleMagnifier(Instance& app);
