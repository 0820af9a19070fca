// The keyboard focus in a dialog whose controls come and go out of use.
#pragma once

#include <windows.h>

// Enables or disables a dialog's control. A control that has the keyboard focus passes it on to
// the next one in the tab order before it is disabled, as Tab would: a disabled control cannot
// keep the focus, and a dialog with no focus answers no key (not even Esc) until the user clicks
// a control.
void EnableItem(HWND dialog, int id, bool enabled);
