// The readings shown in the ruler's title and tooltip.
#pragma once

#include <string>

#include "model/ruler_state.h"

struct ReadoutTexts {
    std::wstring title;    // "Linova <1> - H 7.93 cm"
    std::wstring tooltip;  // the title and the red, blue and red - blue lines
};

ReadoutTexts MakeReadoutTexts(const RulerState& s, const std::wstring& className);

enum class PanelLine { kLength, kRed, kBlue };

// One of the Operation panel's three readouts: "Lenght  7.93 cm", "Red  2.64 cm", "Blue ...".
std::wstring PanelReadout(const RulerState& s, PanelLine line);
