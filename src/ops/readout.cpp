// The readings shown in the ruler's title and tooltip.
#include "ops/readout.h"

#include "model/text_format.h"
#include "model/units.h"

namespace {

// Both texts come from one buffer of this many characters.
constexpr size_t kReadoutCapacity = 120;

}  // namespace

ReadoutTexts MakeReadoutTexts(const RulerState& s, const std::wstring& className) {
    ReadoutTexts texts;
    const std::wstring title =
        className + L" - " + (s.Vertical ? L"V" : L"H") + FormatLength(s, s.ScaleLength);
    const std::wstring tooltip = title + L"\nRed : " + FormatLength(s, s.Marker) + L"\nBlue : " +
                                 FormatLength(s, s.MarkerBlue) + L"\nRed - Blue : " +
                                 FormatLength(s, static_cast<int64_t>(s.Marker) - s.MarkerBlue);
    texts.title = FitBuffer(title, kReadoutCapacity);
    texts.tooltip = FitBuffer(tooltip, kReadoutCapacity);
    return texts;
}

std::wstring PanelReadout(const RulerState& s, PanelLine line) {
    // The label keeps its trailing blank and the format adds one more.
    switch (line) {
        case PanelLine::kLength:
            return FitBuffer(L"Lenght  " + FormatLength(s, s.ScaleLength), 60);
        case PanelLine::kRed:
            return FitBuffer(L"Red  " + FormatLength(s, s.Marker), 60);
        default:
            return FitBuffer(L"Blue  " + FormatLength(s, s.MarkerBlue), 60);
    }
}
