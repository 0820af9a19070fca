// Units and scales: pixel counts and scales as the texts the ruler shows.
#include "model/units.h"

#include <cmath>

#include "model/text_format.h"

std::wstring FormatFixed(int64_t value, FixedKind kind) {
    const bool tenths = kind == FixedKind::kTenths;
    const int64_t divisor = tenths ? 10 : 100;
    const int64_t magnitude = value < 0 ? -value : value;
    std::wstring whole = DecimalText(magnitude / divisor);
    if (value < 0) whole.insert(0, L"-");
    const size_t width = tenths ? 3 : 2;
    if (whole.size() < width) whole.insert(0, width - whole.size(), L' ');
    return whole + L"." + ZeroPadded(magnitude % divisor, tenths ? 1 : 2);
}

std::wstring FormatLength(const RulerState& s, int64_t pixels) {
    const int64_t scale = CurrentScale(s);
    switch (s.Unit) {
        case kUnitPixel:
            return DecimalText(pixels) + L" pixel";
        case kUnitCm:
            if (scale <= 0) return std::wstring();
            return FormatFixed(pixels * 1000 / scale, FixedKind::kHundredths) + L" cm";
        case kUnitInch: {
            if (scale <= 0) return std::wstring();
            const int64_t v = pixels * 100000 / scale / 254;
            // One inch and nothing read in the singular; everything else, negatives too, plural.
            const bool singular = v == 0 || v == 100;
            return FormatFixed(v, FixedKind::kHundredths) + (singular ? L" inch" : L" inches");
        }
        default:
            return std::wstring();
    }
}

std::wstring FormatScale(const RulerState& s) {
    const int64_t scale = CurrentScale(s);
    switch (s.Unit) {
        case kUnitPixel:
        case kUnitCm:
            return FormatFixed(scale, FixedKind::kTenths) + L" pixel/cm";
        case kUnitInch:
            return FormatFixed(scale * 254 / 100, FixedKind::kTenths) + L" pixel/inch";
        default:
            return std::wstring();
    }
}

int32_t ComputeAutoScaling(int32_t width, int32_t height, int32_t diagonal) {
    if (diagonal <= 0) diagonal = kDefaultDiagonal;
    const double w = width;
    const double h = height;
    const int64_t pixels = static_cast<int64_t>(std::sqrt(w * w + h * h) + 0.5);
    return static_cast<int32_t>(pixels * 10000 / diagonal / 254);
}
