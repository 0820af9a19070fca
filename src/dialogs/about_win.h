// The About box: the version, the build, the maker's home page, and a link that opens it.
#pragma once

#include "ops/instance_win.h"

// Shows the About box of the ruler, modal, and returns once it is closed.
void ShowAboutBox(Instance& app);
