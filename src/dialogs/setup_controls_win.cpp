// What the Setup frame, its pages and the Display size dialog do alike: the fonts they make given
// to their controls, and the button-face colours of their controls.
#include "dialogs/setup_controls_win.h"

#include "render/dpi_win.h"

void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font) {
    if (!font) return;
    for (int id : ids) {
        HWND item = GetDlgItem(dialog, id);
        // The font is the dialog's own, made again at each density: the system's must not
        // replace it.
        KeepOwnFont(item);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

INT_PTR ButtonFaceColours(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}
