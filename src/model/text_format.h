// Small text builders: wide printf is not portable between the C libraries we build with.
#pragma once

#include <cstdint>
#include <string>

// Decimal digits with a leading minus sign when negative ("%ld").
std::wstring DecimalText(int64_t value);

// At least `width` characters, blanks on the left ("%*ld").
std::wstring PaddedDecimal(int64_t value, size_t width);

// At least `width` digits, zeros on the left ("%02d" for non-negative values).
std::wstring ZeroPadded(int64_t value, size_t width);

// The text as a C buffer of `capacity` characters (terminator included) would hold it.
std::wstring FitBuffer(const std::wstring& text, size_t capacity);
