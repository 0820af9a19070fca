// Small text builders: wide printf is not portable between the C libraries we build with.
#include "model/text_format.h"

namespace {

std::wstring Digits(uint64_t magnitude) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

uint64_t Magnitude(int64_t value) {
    return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

}  // namespace

std::wstring DecimalText(int64_t value) {
    return (value < 0 ? L"-" : L"") + Digits(Magnitude(value));
}

std::wstring PaddedDecimal(int64_t value, size_t width) {
    std::wstring text = DecimalText(value);
    if (text.size() < width) text.insert(0, width - text.size(), L' ');
    return text;
}

std::wstring ZeroPadded(int64_t value, size_t width) {
    std::wstring digits = Digits(Magnitude(value));
    if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
    return (value < 0 ? L"-" : L"") + digits;
}

std::wstring FitBuffer(const std::wstring& text, size_t capacity) {
    if (capacity == 0) return std::wstring();
    return text.size() < capacity ? text : text.substr(0, capacity - 1);
}
