// What a monitor tells of its own size in its EDID, and which diagonal a monitor is given.
#include "model/edid.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr size_t kCentimetresAt = 21;  // horizontal, then vertical
constexpr size_t kFirstDescriptorAt = 54;

bool ValidBaseBlock(const std::vector<uint8_t>& edid) {
    if (edid.size() < kEdidBlockSize) return false;
    if (!std::equal(std::begin(kHeader), std::end(kHeader), edid.begin())) return false;
    const unsigned sum = std::accumulate(edid.begin(), edid.begin() + kEdidBlockSize, 0u);
    return sum % 256 == 0;
}

// A descriptor whose pixel clock is 0 is a display descriptor (name, serial, ranges), no timing.
std::optional<ImageSize> TimingImageSize(const std::vector<uint8_t>& edid) {
    const uint8_t* d = edid.data() + kFirstDescriptorAt;
    if (d[0] == 0 && d[1] == 0) return std::nullopt;
    // Twelve bits each: the low eight in bytes 12 and 13, the high four in byte 14's two halves.
    return ImageSize{d[12] | ((d[14] & 0xF0) << 4), d[13] | ((d[14] & 0x0F) << 8)};
}

ImageSize BasicImageSize(const std::vector<uint8_t>& edid) {
    return ImageSize{edid[kCentimetresAt] * 10, edid[kCentimetresAt + 1] * 10};
}

}  // namespace

int32_t DiagonalTenths(const ImageSize& size) {
    const double mm =
        std::sqrt(double(size.widthMm) * size.widthMm + double(size.heightMm) * size.heightMm);
    return static_cast<int32_t>(std::floor(mm * 10.0 / 25.4 + 0.5));
}

bool PlausibleImageSize(const ImageSize& size) {
    const int32_t longSide = std::max(size.widthMm, size.heightMm);
    const int32_t shortSide = std::min(size.widthMm, size.heightMm);
    if (shortSide <= 0 || longSide > 4 * shortSide) return false;
    const int32_t diagonal = DiagonalTenths(size);
    return diagonal >= 100 && diagonal <= 1000;
}

std::optional<ImageSize> EdidImageSize(const std::vector<uint8_t>& edid) {
    if (!ValidBaseBlock(edid)) return std::nullopt;
    const auto timing = TimingImageSize(edid);
    if (timing && PlausibleImageSize(*timing)) return timing;
    const ImageSize basic = BasicImageSize(edid);
    if (PlausibleImageSize(basic)) return basic;
    return std::nullopt;
}

std::optional<int16_t> EdidDiagonal(const std::vector<uint8_t>& edid) {
    const auto size = EdidImageSize(edid);
    if (!size) return std::nullopt;
    return static_cast<int16_t>(DiagonalTenths(*size));
}

ChosenDiagonal ChooseDiagonal(std::optional<int16_t> stored, std::optional<int16_t> edid) {
    if (stored) return {*stored, DiagonalSource::kStored};
    if (edid) return {*edid, DiagonalSource::kEdid};
    return {kDefaultDiagonal, DiagonalSource::kDefault};
}

void TakeEdidDiagonals(RulerState& s, const std::vector<std::vector<uint8_t>>& edids) {
    for (size_t i = 0; i < kMaxMonitors; ++i) {
        if (s.ScreenSizeSource[i] == DiagonalSource::kStored) continue;
        // A monitor that is gone, or has changed for one without an EDID, goes back to the default.
        const auto chosen =
            ChooseDiagonal(std::nullopt, i < edids.size() ? EdidDiagonal(edids[i]) : std::nullopt);
        s.ScreenSize[i] = chosen.tenthsOfInch;
        s.ScreenSizeSource[i] = chosen.source;
    }
}

std::wstring InstanceIdOfInterface(const std::wstring& interfacePath) {
    const std::wstring prefix = L"\\\\?\\";
    const size_t guid = interfacePath.rfind(L"#{");
    if (interfacePath.compare(0, prefix.size(), prefix) != 0 || guid == std::wstring::npos ||
        guid <= prefix.size()) {
        return std::wstring();
    }
    std::wstring id = interfacePath.substr(prefix.size(), guid - prefix.size());
    std::replace(id.begin(), id.end(), L'#', L'\\');
    return id;
}
