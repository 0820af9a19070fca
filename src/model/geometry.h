// Small plain geometry types shared by the core and the Win32 shell.
#pragma once

#include <cstdint>

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const Rect& o) const { return !(*this == o); }
};

// A colour laid out as the system's COLORREF: red in the low byte, then green, then blue.
using Rgb = uint32_t;

constexpr Rgb MakeRgb(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}
constexpr uint8_t RedOf(Rgb c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t GreenOf(Rgb c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(Rgb c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
