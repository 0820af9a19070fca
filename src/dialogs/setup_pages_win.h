// The Setup dialog's five pages: child dialogs of the frame that write every change straight into
// the ruler's state and show the ruler's look changing at once.
#pragma once

#include <windows.h>

#include "dialogs/setup.h"
#include "dialogs/dialog_win.h"
#include "model/dpi.h"
#include "ops/instance_win.h"
#include "ops/operations.h"

// What the frame shares with its pages while it is open.
struct SetupContext {
    Instance& app;
    SetupSession session;
    const Dpi& dpi;  // the frame's: the pages are laid out at it
};

// What a page's start answers: the keys stay where they are. The frame gives them to the page's
// first control when the page takes the place of the one that had them, and a control of its
// own as it opens; a page that took them first would activate the hidden frame on the way.
inline constexpr INT_PTR kPageKeepsFocus = FALSE;

// A page's state: the frame's context, and what the page itself owns.
class SetupPagePart : public DialogPart {
  public:
    explicit SetupPagePart(SetupContext& context) : context_(context) {}

  protected:
    SetupContext& context_;
};

// Makes the page with this number inside the frame; null when it cannot be made.
HWND CreateSetupPage(int page, HWND frame, SetupContext& context);

// A page changed the ruler's look: it is shown at once, and Cancel will draw the ruler again.
void Preview(SetupContext& context, const Refresh& refresh);

// The colour and the scaling page (each in a file of its own), made inside the frame; null when
// it cannot be made.
HWND CreateColourPage(HWND frame, SetupContext& context);
HWND CreateScalingPage(HWND frame, SetupContext& context);
