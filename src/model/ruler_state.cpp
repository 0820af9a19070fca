// The one state record of a ruler instance, and its Settings flag text.
#include "model/ruler_state.h"

#include <algorithm>
#include <iterator>

#include "model/placement.h"

namespace {

// How a slot's character c becomes the flag's value.
enum class SlotRead {
    kNonZero,  // 1 when c is not '0', else 0
    // (c - '0') mod m, truncating as C does, so characters below '0' give negative values (the
    // load repairs those of the fields that need it).
    kModulo,
    // The same, but a negative value would select nothing sensible: the default text's digit is
    // taken instead.
    kModuloOrDefault,
};

struct FlagSlot {
    StateField field;
    SlotRead read;
    // Taken by the read and by the formatting; 0 for a yes/no flag, which is written as it is.
    int modulus;
    // The slot is read only from a text longer than this; 0: always (past the end of a short
    // text it reads as the default text's digit).
    size_t readOnlyPast;
};

// Slot k is the character at index 2k.
const FlagSlot kSettingsFlags[] = {
    {&RulerState::TopMost, SlotRead::kModulo, 2, 0},
    {&RulerState::Vertical, SlotRead::kNonZero, 0, 0},
    {&RulerState::Reverse, SlotRead::kNonZero, 0, 0},
    {&RulerState::Unit, SlotRead::kModulo, 3, 0},
    {&RulerState::FullScale, SlotRead::kNonZero, 0, 0},
    {&RulerState::NarrowScale, SlotRead::kNonZero, 0, 0},
    {&RulerState::FontStyle, SlotRead::kModuloOrDefault, 8, 0},
    {&RulerState::NoKeyOperation, SlotRead::kModuloOrDefault, 2, 0},
    {&RulerState::NoMouseOperation, SlotRead::kModulo, 2, 0},
    // The last three slots came later; an older, shorter text leaves them as they are.
    {&RulerState::SpareFlag, SlotRead::kModulo, 2, 18},
    {&RulerState::ScalingAuto, SlotRead::kModuloOrDefault, 2, 20},
    {&RulerState::WheelMode, SlotRead::kModuloOrDefault, 3, 22},
};

int SlotDigit(const std::wstring& text, size_t slot) {
    // The texts are UTF-16 code units; read them as such on every platform.
    const size_t index = 2 * slot;
    const wchar_t c = index < text.size() ? text[index] : kDefaultSettingsText[index];
    return static_cast<int>(static_cast<uint32_t>(c) & 0xFFFF) - '0';
}

int SlotValue(const std::wstring& text, size_t slot, const FlagSlot& flag) {
    const int digit = SlotDigit(text, slot);
    if (flag.read == SlotRead::kNonZero) return digit != 0;
    const int v = digit % flag.modulus;
    if (v < 0 && flag.read == SlotRead::kModuloOrDefault) {
        return SlotDigit(kDefaultSettingsText, slot) % flag.modulus;
    }
    return v;
}

}  // namespace

int16_t Low16(uint32_t v) {
    return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF));
}

int32_t StateField::Get(const RulerState& s) const {
    return wide_ ? s.*wide_ : s.*narrow_;
}

void StateField::Set(RulerState& s, int32_t value) const {
    if (wide_) {
        s.*wide_ = value;
    } else {
        s.*narrow_ = Low16(static_cast<uint32_t>(value));
    }
}

int32_t CurrentScale(const RulerState& s) {
    return s.ScalingAuto ? s.AutoScaling : s.Scaling;
}

void ParseSettings(RulerState& s, const std::wstring& rawText) {
    // Only the characters before a terminator count.
    const std::wstring text = rawText.substr(0, rawText.find(L'\0'));
    for (size_t slot = 0; slot < std::size(kSettingsFlags); ++slot) {
        const FlagSlot& flag = kSettingsFlags[slot];
        if (flag.readOnlyPast && text.size() <= flag.readOnlyPast) continue;
        flag.field.Set(s, SlotValue(text, slot, flag));
    }
}

std::wstring FormatSettings(const RulerState& s) {
    std::wstring text;
    for (const FlagSlot& flag : kSettingsFlags) {
        int v = flag.field.Get(s);
        if (flag.modulus) v %= flag.modulus;
        text += static_cast<wchar_t>(L'0' + v);
        text += L',';
    }
    return text;
}

void ApplyLoadClamps(RulerState& s) {
    if (s.Lenght < kShortestLength) s.Lenght = 300;
    if (s.Lenght > kLongestLength) s.Lenght = kLongestLength;
    // Larger scales would overflow the inch arithmetic.
    if (s.Scaling < 30 || s.Scaling > 3000) s.Scaling = 300;
    if (s.Marker < 0) s.Marker = 100;
    if (s.MarkerBlue < 0) s.MarkerBlue = 130;
    if (s.BackColor < 0) s.BackColor = 1;
    if (s.LayerWindow < 35) s.LayerWindow = 35;
    // Above 255 the low byte could make the ruler invisible.
    if (s.LayerWindow > 255) s.LayerWindow = 255;
    // A stored size outside the window's limits would give a window of impossible size.
    s.MagnifierWinSizeX = std::clamp(s.MagnifierWinSizeX, kMagnifierMinWidth, kMagnifierMaxWidth);
    s.MagnifierWinSizeY = std::clamp(s.MagnifierWinSizeY, kMagnifierMinHeight, kMagnifierMaxHeight);
    if (s.Magnifier < 1 || s.Magnifier > 8) s.Magnifier = 4;
    if (s.MagType < 0 || s.MagType > 2) s.MagType = 0;
    if (s.TopMost < 0) s.TopMost = 0;
    if (s.Unit < 0) s.Unit = kUnitCm;
    if (s.NoMouseOperation < 0) s.NoMouseOperation = 0;
    if (s.SpareFlag < 0) s.SpareFlag = 1;
    RecomputeLength(s);
}
