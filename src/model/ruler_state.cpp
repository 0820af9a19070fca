// The one state record of a ruler instance, and its Settings flag text.
#include "model/ruler_state.h"

namespace {

constexpr size_t kSlotCount = 12;

int SlotDigit(const std::wstring& text, size_t slot) {
    // The texts are UTF-16 code units; read them as such on every platform.
    const size_t index = 2 * slot;
    const wchar_t c = index < text.size() ? text[index] : kDefaultSettingsText[index];
    return static_cast<int>(static_cast<uint32_t>(c) & 0xFFFF) - '0';
}

bool SlotFlag(const std::wstring& text, size_t slot) {
    return SlotDigit(text, slot) != 0;
}

// (c - '0') mod m, truncating as C does, so characters below '0' give negative values.
int SlotModulo(const std::wstring& text, size_t slot, int modulus) {
    return SlotDigit(text, slot) % modulus;
}

// A negative slot value would select nothing sensible: take the default text's digit instead.
int SlotModuloOrDefault(const std::wstring& text, size_t slot, int modulus) {
    const int v = SlotModulo(text, slot, modulus);
    return v < 0 ? SlotModulo(kDefaultSettingsText, slot, modulus) : v;
}

}  // namespace

int32_t CurrentScale(const RulerState& s) {
    return s.ScalingAuto ? s.AutoScaling : s.Scaling;
}

void ParseSettings(RulerState& s, const std::wstring& rawText) {
    // Only the characters before a terminator count.
    const std::wstring text = rawText.substr(0, rawText.find(L'\0'));
    const size_t length = text.size();

    s.TopMost = static_cast<int16_t>(SlotModulo(text, 0, 2));
    s.Vertical = SlotFlag(text, 1);
    s.Reverse = SlotFlag(text, 2);
    s.Unit = static_cast<int16_t>(SlotModulo(text, 3, 3));
    s.FullScale = SlotFlag(text, 4);
    s.NarrowScale = SlotFlag(text, 5);
    s.FontStyle = static_cast<int16_t>(SlotModuloOrDefault(text, 6, 8));
    s.NoKeyOperation = static_cast<int16_t>(SlotModuloOrDefault(text, 7, 2));
    s.NoMouseOperation = static_cast<int16_t>(SlotModulo(text, 8, 2));
    // The last three slots came later; an older, shorter text leaves them as they are.
    if (length > 18) s.SpareFlag = static_cast<int16_t>(SlotModulo(text, 9, 2));
    if (length > 20) s.ScalingAuto = SlotModuloOrDefault(text, 10, 2);
    if (length > 22) s.WheelMode = static_cast<int16_t>(SlotModuloOrDefault(text, 11, 3));
}

std::wstring FormatSettings(const RulerState& s) {
    const int values[kSlotCount] = {
        s.TopMost % 2,   s.Vertical,           s.Reverse,
        s.Unit % 3,      s.FullScale,          s.NarrowScale,
        s.FontStyle % 8, s.NoKeyOperation % 2, s.NoMouseOperation % 2,
        s.SpareFlag % 2, s.ScalingAuto % 2,    s.WheelMode % 3,
    };
    std::wstring text;
    for (int v : values) {
        text += static_cast<wchar_t>(L'0' + v);
        text += L',';
    }
    return text;
}

void ApplyLoadClamps(RulerState& s) {
    // The drawn scale is 22001 pixels long, so no longer ruler can be shown.
    if (s.Lenght < 50) s.Lenght = 300;
    if (s.Lenght > 22000) s.Lenght = 22000;
    // Larger scales would overflow the inch arithmetic.
    if (s.Scaling < 30 || s.Scaling > 3000) s.Scaling = 300;
    if (s.Marker < 0) s.Marker = 100;
    if (s.MarkerBlue < 0) s.MarkerBlue = 130;
    if (s.BackColor < 0) s.BackColor = 1;
    if (s.LayerWindow < 35) s.LayerWindow = 35;
    // Above 255 the low byte could make the ruler invisible.
    if (s.LayerWindow > 255) s.LayerWindow = 255;
    if (s.Magnifier < 1 || s.Magnifier > 8) s.Magnifier = 4;
    if (s.MagType < 0 || s.MagType > 2) s.MagType = 0;
    if (s.TopMost < 0) s.TopMost = 0;
    if (s.Unit < 0) s.Unit = kUnitCm;
    if (s.NoMouseOperation < 0) s.NoMouseOperation = 0;
    if (s.SpareFlag < 0) s.SpareFlag = 1;

    if (!s.FullScale) {
        s.ScaleLength = s.Lenght;
    } else {
        s.ScaleLength = s.Vertical ? s.MonitorRect.Height() : s.MonitorRect.Width();
    }
}
