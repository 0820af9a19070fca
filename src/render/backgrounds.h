// The 23 ruler backgrounds: solid colours, colours that follow the desktop, and tiled patterns,
// each with the ink its scale is drawn in.
#pragma once

#include <cstdint>

#include "model/geometry.h"
#include "model/ruler_state.h"

inline constexpr int kFirstSystemBackground = 8;
inline constexpr int kFirstPatternBackground = 13;
inline constexpr int kFirstRecoloredPattern = 18;

// The system colours the backgrounds and the recoloured patterns follow, numbered as the system
// numbers them.
enum SystemColour : int {
    kColorBackground = 1,  // the desktop
    kColorActiveCaption = 2,
    kColorInactiveCaption = 3,
    kColorMenu = 4,
    kColorHighlight = 13,
};

enum class BackgroundKind { kSolid, kSystem, kPattern };

struct Background {
    BackgroundKind kind;
    Rgb colour;             // solid backgrounds
    int systemColour;       // COLOR_* index of a system background
    const wchar_t* bitmap;  // resource name of a pattern
    bool recolored;         // pattern whose greys follow the system colours
};

// The background of an index 0..22; anything else reads as white.
const Background& BackgroundOf(int index);

// The ink of the scale; `colour` is the background's colour after the system colours were read
// (only backgrounds 8..12 look at it).
Rgb InkColor(int index, Rgb colour);

// The markers' colours, on the ruler and in the Operation panel's readouts.
inline constexpr Rgb kRedMarkerColour = MakeRgb(255, 0, 0);
inline constexpr Rgb kBlueMarkerColour = MakeRgb(0, 64, 255);

// The blue marker is lighter on the dark backgrounds.
Rgb BlueMarkerColor(int index);

// The origin square is light grey instead of black on the dark backgrounds.
bool LightOriginSquare(int index);

// The ruler icon for a background and direction: the "G" pictures go with the white background.
const wchar_t* RulerIconName(int backColor, bool vertical);

// The three system colours the greys of a recoloured pattern become.
struct PatternColours {
    Rgb highlight;  // button highlight: for white and light grey (223)
    Rgb menu;       // menu: for grey (192)
    Rgb shadow;     // button shadow: for dark grey (128)
};

// One pixel of a recoloured pattern; the three tests run one after another on the pixel's value
// at that moment, so a changed pixel can change again.
Rgb RecolorPixel(Rgb pixel, const PatternColours& colours);
