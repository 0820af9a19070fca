// The one state record of a ruler instance, and its Settings flag text.
#include "model/ruler_state.h"

#include <algorithm>
#include <iterator>

#include "model/placement.h"
#include "model/stored_values.h"

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
    int16_t start;  // a new ruler's value
    // What a negative value (from a character below '0') becomes after a load; kKeepNegative: it
    // stays (the read never gives one).
    int16_t negativeGives;
};

constexpr int16_t kKeepNegative = -1;

// Slot k is the character at index 2k.
const FlagSlot kSettingsFlags[] = {
    {&RulerState::TopMost, SlotRead::kModulo, 2, 0, 1, 0},
    {&RulerState::Vertical, SlotRead::kNonZero, 0, 0, 0, kKeepNegative},
    {&RulerState::Reverse, SlotRead::kNonZero, 0, 0, 0, kKeepNegative},
    {&RulerState::Unit, SlotRead::kModulo, 3, 0, kUnitCm, kUnitCm},
    {&RulerState::FullScale, SlotRead::kNonZero, 0, 0, 0, kKeepNegative},
    {&RulerState::NarrowScale, SlotRead::kNonZero, 0, 0, 0, kKeepNegative},
    {&RulerState::FontStyle, SlotRead::kModuloOrDefault, 8, 0, 1, kKeepNegative},
    {&RulerState::NoKeyOperation, SlotRead::kModuloOrDefault, 2, 0, 0, kKeepNegative},
    {&RulerState::NoMouseOperation, SlotRead::kModulo, 2, 0, 0, 0},
    // The last three slots came later; an older, shorter text leaves them as they are.
    {&RulerState::SpareFlag, SlotRead::kModulo, 2, 18, 1, 1},
    {&RulerState::ScalingAuto, SlotRead::kModuloOrDefault, 2, 20, 0, kKeepNegative},
    {&RulerState::WheelMode, SlotRead::kModuloOrDefault, 3, 22, 1, kKeepNegative},
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

RulerState::RulerState() {
    for (const StoredValue& row : kStoredValues) row.field.Set(*this, row.start);
    for (const FlagSlot& flag : kSettingsFlags) flag.field.Set(*this, flag.start);
}

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
    for (const StoredValue& row : kStoredValues) {
        row.field.Set(s, row.range.Repaired(row.field.Get(s)));
    }
    for (const FlagSlot& flag : kSettingsFlags) {
        if (flag.negativeGives != kKeepNegative && flag.field.Get(s) < 0) {
            flag.field.Set(s, flag.negativeGives);
        }
    }
    RecomputeLength(s);
}
