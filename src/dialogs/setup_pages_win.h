// The Setup dialog's five pages: child dialogs of the frame that write every change straight into
// the ruler's state and show the ruler's look changing at once.
#pragma once

#include <windows.h>

#include "dialogs/setup.h"
#include "ops/instance_win.h"
#include "render/dpi_win.h"

// What the frame shares with its pages while it is open.
struct SetupContext {
    Instance& app;
    SetupSession session;
    DialogDpi dpi;  // the frame's: the pages are laid out at it
};

// Makes the page with this number inside the frame; null when it cannot be made.
HWND CreateSetupPage(int page, HWND frame, SetupContext& context);

// A page changed the ruler's look: it is shown at once, and Cancel will draw the ruler again.
void Preview(SetupContext& context, const Refresh& refresh);

// The colour and the scaling page (each in a file of its own).
INT_PTR CALLBACK ColourPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ScalingPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
