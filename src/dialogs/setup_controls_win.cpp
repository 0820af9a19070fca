// What the Setup frame, its pages and the Display size dialog do alike: fonts made from the
// dialog's own, and the button-face colours of their controls.
#include "dialogs/setup_controls_win.h"

namespace {

GdiObject<HFONT> DerivedFont(HWND dialog, bool bold, bool italic) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (!font || !GetObjectW(font, sizeof(description), &description)) return nullptr;
    if (bold) description.lfWeight = FW_BOLD;
    description.lfItalic = italic ? TRUE : FALSE;
    description.lfUnderline = FALSE;
    return GdiObject<HFONT>(CreateFontIndirectW(&description));
}

}  // namespace

GdiObject<HFONT> BoldFontOf(HWND dialog) {
    return DerivedFont(dialog, true, false);
}

GdiObject<HFONT> ItalicFontOf(HWND dialog) {
    return DerivedFont(dialog, false, true);
}

void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font) {
    if (!font) return;
    for (int id : ids) {
        SendDlgItemMessageW(dialog, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

INT_PTR ButtonFaceColours(HDC dc) {
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}
