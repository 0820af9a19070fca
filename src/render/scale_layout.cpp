// The picture of the whole scale as plain data: where every tick, arrowhead, number, the origin
// square, the icon and the unit label go. The painting code only iterates it.
#include "render/scale_layout.h"

#include "app/placement.h"
#include "model/text_format.h"

namespace {

constexpr int32_t kOriginSquareSize = 6;
constexpr int32_t kIconInset = 9;
constexpr int32_t kUnitLabelAlong = 125;
constexpr int32_t kUnitLabelAcross = 15;
// Numbers this close to the zero end of a full vertical body would cover the icon.
constexpr int32_t kIconClearance = 45;

const wchar_t* const kUnitNames[] = {L"Pixel", L"cm", L"inch"};

struct TickRule {
    int64_t step;      // one counting step, hundredths of a pixel
    int stepsPerTick;  // counting steps from one tick to the next
    int labelEvery;    // counting steps between numbers
    int labelDivisor;  // counting steps per number unit
};

TickRule RuleFor(const RulerState& s) {
    const int64_t scale = CurrentScale(s);
    switch (s.Unit) {
        case kUnitCm:  // a step is a millimetre; fine scales get a tick for each one
            return {scale, scale >= 500 ? 1 : 5, 10, 10};
        case kUnitInch:  // a step is a tenth of an inch
            return {scale * 254 / 100, 1, 10, 10};
        default:  // a step is a pixel, a tick every five
            return {100, 5, 50, 1};
    }
}

int32_t TickLength(const RulerState& s, int64_t count) {
    switch (s.Unit) {
        case kUnitCm:
            return count % 10 == 0 || (CurrentScale(s) >= 500 && count % 5 == 0) ? 8 : 5;
        case kUnitInch:
            return count % 5 == 0 ? 8 : 5;
        default:
            return count % 10 == 0 ? 6 : 3;
    }
}

void AddTicks(ScaleLayout& layout, int32_t a, int32_t t, bool halfInch) {
    const int32_t edge = layout.thickness - 1;
    const int32_t b = edge - t;
    layout.strokes.push_back({{a, 1}, {a, t}});
    layout.strokes.push_back({{a, edge}, {a, b}});
    if (!halfInch) return;
    // A small arrowhead at the inner end of each tick, pointing into the body.
    layout.strokes.push_back({{a, t}, {a + 4, t - 4}});
    layout.strokes.push_back({{a, t}, {a - 4, t - 4}});
    layout.strokes.push_back({{a, b}, {a + 4, b + 4}});
    layout.strokes.push_back({{a, b}, {a - 4, b + 4}});
}

void AddNumbers(ScaleLayout& layout, const RulerState& s, int32_t a, int64_t value) {
    const bool full = !s.NarrowScale;
    if (s.Vertical && full &&
        (s.Reverse ? a > kReverseOrigin - kIconClearance : a < kIconClearance)) {
        return;
    }
    const std::wstring text = DecimalText(value);
    // Vertical text runs upward, so its centre sits one pixel further along.
    const int32_t along = s.Vertical ? a + 1 : a;
    layout.labels.push_back({{along, 2}, false, text});
    if (full) layout.labels.push_back({{along, s.Vertical ? 48 : 49}, true, text});
}

void AddTickLoop(ScaleLayout& layout, const RulerState& s) {
    const TickRule rule = RuleFor(s);
    // A scale of zero would never advance; nothing else leads there, so it draws no ticks.
    if (rule.step <= 0) return;
    int64_t m = 50;  // hundredths of a pixel: the half rounds each position to the nearest pixel
    for (int64_t o = 0;; o += rule.stepsPerTick, m += rule.step * rule.stepsPerTick) {
        int32_t a = static_cast<int16_t>(m / 100);
        if (s.Reverse) a = kReverseOrigin - a;
        const bool halfInch = s.Unit == kUnitInch && o % 5 == 0 && o % 10 != 0;
        AddTicks(layout, a, TickLength(s, o), halfInch);
        if (o % rule.labelEvery == 0 && o != 0) AddNumbers(layout, s, a, o / rule.labelDivisor);
        // The loop runs a little past both ends of the buffer.
        if (s.Reverse ? a <= -20 : a >= 22020) break;
    }
}

}  // namespace

ScaleLayout LayoutScale(const RulerState& s) {
    ScaleLayout layout;
    layout.thickness = RulerThickness(s);
    layout.originSquare = {s.Reverse ? kScaleBufferLength - kOriginSquareSize : 0, 0};
    if (!s.NarrowScale) {
        layout.hasIcon = true;
        layout.icon = {s.Reverse ? kScaleBufferLength - layout.thickness + kIconInset : kIconInset,
                       kIconInset};
        layout.hasUnitLabel = true;
        layout.unitLabel = {s.Reverse ? kReverseOrigin - kUnitLabelAlong : kUnitLabelAlong,
                            kUnitLabelAcross};
        const int unit = s.Unit >= 0 && s.Unit <= 2 ? s.Unit : 0;
        layout.unitLabelText = std::wstring(L"[") + kUnitNames[unit] + L"]";
    }
    AddTickLoop(layout, s);
    return layout;
}
