// The process's one instance record, for the window procedure, the entry point and the message
// loop; everything else is handed the record it works on.
#pragma once

#include "ops/instance_win.h"

Instance& TheApp();
