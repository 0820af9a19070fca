// What the dialogs' toolbars need alike: room for every button.
#pragma once

#include <windows.h>

// Makes the toolbar, where it stands in its dialog, as large as its buttons reach (the toolbar
// sets them off its edges by margins of its own), and the dialog's client area large enough to
// hold the toolbar: no button is cut off at any density.
void FitToolbar(HWND toolbar);
