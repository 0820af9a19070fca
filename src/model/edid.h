// What a monitor tells of its own size in its EDID, and which diagonal a monitor is given.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/ruler_state.h"

// The EDID base block; extension blocks may follow it and are not read.
inline constexpr size_t kEdidBlockSize = 128;

// The visible image's size, millimetres.
struct ImageSize {
    int32_t widthMm = 0;
    int32_t heightMm = 0;
};

// The image size of an EDID whose base block is whole, has the fixed header and sums to zero:
// the first detailed timing's millimetres, or the basic block's centimetres when the timing gives
// no size a display could have (several televisions give their aspect ratio there, 16 x 9 "mm").
// Nothing when the block is not valid or neither names a plausible size.
std::optional<ImageSize> EdidImageSize(const std::vector<uint8_t>& edid);

// The diagonal of an image size, tenths of an inch, rounded.
int32_t DiagonalTenths(const ImageSize& size);

// Whether a size is a monitor's: a diagonal of 10.0 to 100.0 inches, the long side at most four
// times the short one.
bool PlausibleImageSize(const ImageSize& size);

// The diagonal an EDID gives, tenths of an inch; nothing when it gives no plausible size.
std::optional<int16_t> EdidDiagonal(const std::vector<uint8_t>& edid);

struct ChosenDiagonal {
    int16_t tenthsOfInch;
    DiagonalSource source;
};

// A diagonal the user stored always wins; else the monitor's own; else 17.0 inches.
ChosenDiagonal ChooseDiagonal(std::optional<int16_t> stored, std::optional<int16_t> edid);

// Gives each monitor whose diagonal the user never stored the diagonal of its EDID (or the
// default when it has none). `edids` holds each monitor's EDID bytes in the order the system
// enumerates the monitors (empty for a monitor without one).
void TakeEdidDiagonals(RulerState& s, const std::vector<std::vector<uint8_t>>& edids);

// The device instance (DISPLAY\DEL4061\5&2a1b&0&UID4353) a monitor's device interface path
// (\\?\DISPLAY#DEL4061#5&2a1b&0&UID4353#{e6f07b5f-...}) names; empty when it names none.
std::wstring InstanceIdOfInterface(const std::wstring& interfacePath);
