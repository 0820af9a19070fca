// The readings shown in the ruler's title and tooltip.
#pragma once

#include <string>

#include "model/ruler_state.h"

struct ReadoutTexts {
    std::wstring title;    // "Linova <1> - H 7.93 cm"
    std::wstring tooltip;  // the title and the red, blue and red - blue lines
};

ReadoutTexts MakeReadoutTexts(const RulerState& s, const std::wstring& className);
