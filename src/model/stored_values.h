// Every value a ruler keeps under its own key, one row each: the stored name and type, the value a
// new ruler starts with, what a missing value gives, and how a loaded value is repaired.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

#include "model/placement.h"
#include "model/ruler_state.h"
#include "model/settings_store.h"

// A loaded value below `least` becomes `belowGives`, one above `greatest` becomes `aboveGives`.
// The least and the greatest are also the bounds of any control that sets the value.
struct StoredRange {
    int32_t least;
    int32_t belowGives;
    int32_t greatest;
    int32_t aboveGives;

    constexpr int32_t Repaired(int32_t v) const {
        return v < least ? belowGives : v > greatest ? aboveGives : v;
    }
};

// Any value the field can hold is kept.
inline constexpr StoredRange kAnyValue{std::numeric_limits<int32_t>::min(), 0,
                                       std::numeric_limits<int32_t>::max(), 0};

// A value below `least` becomes `belowGives`; there is no greatest.
constexpr StoredRange AtLeast(int32_t least, int32_t belowGives) {
    return {least, belowGives, std::numeric_limits<int32_t>::max(), 0};
}

// A value outside is brought to the nearer bound.
constexpr StoredRange Within(int32_t least, int32_t greatest) {
    return {least, least, greatest, greatest};
}

// What a missing value gives ruler N: perInstance * N + base, or (kept) the field as it is.
struct MissingValue {
    bool kept;
    int32_t perInstance;
    int32_t base;
};

constexpr MissingValue PerInstance(int32_t perInstance, int32_t base) {
    return {false, perInstance, base};
}

inline constexpr MissingValue kKeptWhenMissing{true, 0, 0};

struct StoredValue {
    const wchar_t* name;
    StateField field;
    int32_t start;  // a new ruler's value, before anything is loaded
    MissingValue missing;
    StoredRange range;
    // A stored value is first taken modulo this (0: as it is), then repaired into its range.
    int32_t modulus = 0;
    StoredType type = StoredType::kDword;
};

// In the order the values are written.
inline constexpr StoredValue kStoredValues[] = {
    {L"xPosi", &RulerState::xPosi, 20, PerInstance(35, 20), kAnyValue},
    {L"yPosi", &RulerState::yPosi, 100, PerInstance(23, 100), kAnyValue},
    // A shorter length would leave no room for the scale; a longer one could not be drawn.
    {L"Lenght",
     &RulerState::Lenght,
     300,
     PerInstance(0, 380),
     {kShortestLength, 300, kLongestLength, kLongestLength}},
    {L"Marker", &RulerState::Marker, 100, PerInstance(0, 150), AtLeast(0, 100)},
    {L"MarkerBlue", &RulerState::MarkerBlue, 130, PerInstance(0, 180), AtLeast(0, 130)},
    // Tenths of a pixel per centimetre; a new ruler's 0 is repaired to 300 by its first load.
    // Larger scales would overflow the inch arithmetic.
    {L"Scaling", &RulerState::Scaling, 0, PerInstance(0, 300), {30, 300, 3000, 300}},
    {L"BackColor", &RulerState::BackColor, 0, PerInstance(1, 1), AtLeast(0, 1), kBackgroundCount},
    // Opacity: never fully transparent, and above 255 the low byte could make the ruler
    // invisible.
    {L"LayerWindow", &RulerState::LayerWindow, 192, kKeptWhenMissing, Within(35, 255)},
    // A stored size outside the window's limits would give a window of impossible size.
    {L"MagnifierWinSizeX", &RulerState::MagnifierWinSizeX, 325, kKeptWhenMissing,
     Within(kMagnifierMinWidth, kMagnifierMaxWidth)},
    {L"MagnifierWinSizeY", &RulerState::MagnifierWinSizeY, 278, kKeptWhenMissing,
     Within(kMagnifierMinHeight, kMagnifierMaxHeight)},
    {L"Magnifier", &RulerState::Magnifier, 4, kKeptWhenMissing, {1, 4, 8, 4}},
    {L"MagType", &RulerState::MagType, 0, kKeptWhenMissing, {0, 0, 2, 0}},
};

// The row of the value with this stored name; a name without a row does not compile where it is
// used as a constant.
constexpr const StoredValue& StoredValueNamed(const wchar_t* name) {
    for (const StoredValue& row : kStoredValues) {
        size_t i = 0;
        while (row.name[i] != L'\0' && row.name[i] == name[i]) ++i;
        if (row.name[i] == name[i]) return row;
    }
    throw "no stored value of that name";
}
