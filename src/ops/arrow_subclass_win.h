// Scroll bars that serve as arrow buttons (the Operation panel's, the Setup dialog's scale): the
// right button, held for ten-pixel steps, opens no context menu on them.
#pragma once

#include <windows.h>

// Takes the right button's press and the context menu from the scroll bar; every other message
// goes on to its own procedure. The subclass goes with the window.
bool SubclassArrow(HWND scrollBar);
