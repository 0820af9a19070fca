// What the Setup frame, its pages and the Display size dialog do alike: the fonts they make given
// to their controls, and the button-face colours of their controls.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "render/gdi_win.h"

// Gives the controls the font, which the system is not to replace when the density changes; a
// null font changes nothing.
void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font);

// A control-colour message's answer: transparent text on the system's button face (a brush the
// system keeps).
INT_PTR ButtonFaceColours(HDC dc);
