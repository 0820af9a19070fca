// The Setup dialog: a frame with a page toolbar, one of five pages at a time, OK and Cancel.
#pragma once

#include "ops/instance_win.h"

// Shows the ruler's Setup dialog, modal, and returns once it has ended; the page chosen last in
// this process comes back.
void ShowSetupDialog(Instance& app);
