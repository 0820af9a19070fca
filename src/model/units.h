// Units and scales: pixel counts and scales as the texts the ruler shows.
#pragma once

#include <cstdint>
#include <string>

#include "model/ruler_state.h"

enum class FixedKind { kTenths = 1, kHundredths = 2 };

// "%3ld.%01ld" of tenths or "%2ld.%02ld" of hundredths; a negative value keeps its minus sign
// right before the digits of its magnitude.
std::wstring FormatFixed(int64_t value, FixedKind kind);

// A pixel count in the ruler's unit at its current scale: "300 pixel", " 7.93 cm", " 3.12 inches".
std::wstring FormatLength(const RulerState& s, int64_t pixels);

// The current scale: " 37.8 pixel/cm", or per inch for an inch ruler.
std::wstring FormatScale(const RulerState& s);

// Tenths of a pixel per centimetre of a monitor of width x height pixels whose diagonal is
// `diagonal` tenths of an inch.
int32_t ComputeAutoScaling(int32_t width, int32_t height, int32_t diagonal);
