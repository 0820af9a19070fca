// What the Setup frame, its pages and the Display size dialog do alike: fonts made from the
// dialog's own, and the button-face colours of their controls.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "render/gdi_win.h"

// The dialog's font made bold (not italic, not underlined), or italic (weight kept, not
// underlined); nothing when the dialog's font cannot be read.
GdiObject<HFONT> BoldFontOf(HWND dialog);
GdiObject<HFONT> ItalicFontOf(HWND dialog);

// Gives the controls the font, without redrawing them; a null font changes nothing.
void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font);

// A control-colour message's answer: transparent text on the system's button face (a brush the
// system keeps).
INT_PTR ButtonFaceColours(HDC dc);
