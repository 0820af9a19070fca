// The 23 ruler backgrounds: solid colours, colours that follow the desktop, and tiled patterns,
// each with the ink its scale is drawn in.
#include "render/backgrounds.h"

#include <algorithm>

namespace {

constexpr Rgb kBlack = MakeRgb(0, 0, 0);
constexpr Rgb kLightInk = MakeRgb(192, 192, 192);
constexpr Rgb kPaleInk = MakeRgb(223, 223, 223);

Background Solid(uint8_t r, uint8_t g, uint8_t b) {
    return {BackgroundKind::kSolid, MakeRgb(r, g, b), 0, nullptr, false};
}
Background System(int colour) {
    return {BackgroundKind::kSystem, 0, colour, nullptr, false};
}
Background Pattern(const wchar_t* name, bool recolored) {
    return {BackgroundKind::kPattern, 0, 0, name, recolored};
}

const Background kBackgrounds[kBackgroundCount] = {
    Solid(255, 255, 255),          Solid(192, 192, 192),          Solid(255, 255, 192),
    Solid(192, 255, 255),          Solid(255, 192, 255),          Solid(255, 255, 128),
    Solid(192, 192, 255),          Solid(192, 255, 192),          System(kColorMenu),
    System(kColorHighlight),       System(kColorBackground),      System(kColorActiveCaption),
    System(kColorInactiveCaption), Pattern(L"LinovaBmp", false),  Pattern(L"LinovaBmp1", false),
    Pattern(L"LinovaBmp2", false), Pattern(L"LinovaBmp3", false), Pattern(L"LinovaBmp4", false),
    Pattern(L"LinovaBmp5", true),  Pattern(L"LinovaBmp6", true),  Pattern(L"LinovaBmp7", true),
    Pattern(L"LinovaBmp8", true),  Pattern(L"LinovaBmp9", true),
};

}  // namespace

const Background& BackgroundOf(int index) {
    return kBackgrounds[index >= 0 && index < kBackgroundCount ? index : 0];
}

Rgb InkColor(int index, Rgb colour) {
    if (index >= kFirstSystemBackground && index < kFirstPatternBackground) {
        // Brightness in percent of the strongest channel, rounded; dark colours get light ink.
        const int strongest = std::max({RedOf(colour), GreenOf(colour), BlueOf(colour)});
        const int percent = (strongest * 100 + 127) / 255;
        return percent <= 55 ? kLightInk : kBlack;
    }
    if (index == 19 || index == 20) return kPaleInk;
    return kBlack;
}

Rgb BlueMarkerColor(int index) {
    const bool dark = index == 9 || index == 10 || index == 19 || index == 20;
    return dark ? MakeRgb(0, 255, 255) : kBlueMarkerColour;
}

bool LightOriginSquare(int index) {
    return index == 10 || index == 19 || index == 20;
}

const wchar_t* RulerIconName(int backColor, bool vertical) {
    static const wchar_t* const kNames[] = {L"Linova", L"LinovaG", L"Linova_Vert", L"LinovaG_Vert"};
    return kNames[(backColor == 0 ? 1 : 0) + (vertical ? 2 : 0)];
}

Rgb RecolorPixel(Rgb pixel, const PatternColours& colours) {
    if (pixel == MakeRgb(223, 223, 223) || pixel == MakeRgb(255, 255, 255)) {
        pixel = colours.highlight;
    }
    if (pixel == MakeRgb(192, 192, 192)) pixel = colours.menu;
    if (pixel == MakeRgb(128, 128, 128)) pixel = colours.shadow;
    return pixel;
}
