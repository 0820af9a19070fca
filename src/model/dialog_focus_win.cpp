// The keyboard focus in a dialog whose controls come and go out of use.
#include "model/dialog_focus_win.h"

void EnableItem(HWND dialog, int id, bool enabled) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return;
    if (!enabled && GetFocus() == item) {
        // The dialog that tabs through the control's neighbours: for a page inside a frame, the
        // frame.
        SendMessageW(GetAncestor(item, GA_ROOT), WM_NEXTDLGCTL, 0, FALSE);
    }
    EnableWindow(item, enabled);
}
