// Shows the current readings in the ruler's title.
#pragma once

#include <windows.h>

void RefreshReadout(HWND ruler);
