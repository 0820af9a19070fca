// The picture of the whole scale as plain data: where every tick, arrowhead, number, the origin
// square, the icon and the unit label go. The painting code only iterates it.
#include "render/scale_layout.h"

#include <algorithm>
#include <cstdlib>

#include "model/placement.h"
#include "model/text_format.h"

namespace {

constexpr int32_t kOriginSquareSize = 6;
constexpr int32_t kIconInset = 9;
constexpr int32_t kUnitLabelAlong = 125;
constexpr int32_t kUnitLabelAcross = 15;
// Numbers this close to the zero end of a full vertical body would cover the icon.
constexpr int32_t kIconClearance = 45;
// The tick loop runs this far past both ends of the buffer.
constexpr int32_t kLoopOverrun = 20;

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

void AddNumbers(ScaleLayout& layout, const RulerState& s, int32_t origin, int32_t a,
                int64_t value) {
    const bool full = !s.NarrowScale;
    if (s.Vertical && full && (s.Reverse ? a > origin - kIconClearance : a < kIconClearance)) {
        return;
    }
    const std::wstring text = DecimalText(value);
    // Vertical text runs upward, so its centre sits one pixel further along.
    const int32_t along = s.Vertical ? a + 1 : a;
    layout.labels.push_back({{along, 2}, false, text});
    if (full) layout.labels.push_back({{along, s.Vertical ? 48 : 49}, true, text});
}

void AddTickLoop(ScaleLayout& layout, const RulerState& s, int32_t bufferLength) {
    const TickRule rule = RuleFor(s);
    // A scale of zero would never advance; nothing else leads there, so it draws no ticks.
    if (rule.step <= 0) return;
    const int32_t origin = bufferLength - 1;  // of a reversed scale
    int64_t m = 50;  // hundredths of a pixel: the half rounds each position to the nearest pixel
    for (int64_t o = 0;; o += rule.stepsPerTick, m += rule.step * rule.stepsPerTick) {
        int32_t a = static_cast<int16_t>(m / 100);
        if (s.Reverse) a = origin - a;
        const bool halfInch = s.Unit == kUnitInch && o % 5 == 0 && o % 10 != 0;
        AddTicks(layout, a, TickLength(s, o), halfInch);
        if (o % rule.labelEvery == 0 && o != 0) {
            AddNumbers(layout, s, origin, a, o / rule.labelDivisor);
        }
        // A little past both ends, so that numbers standing on the edge show their inner half.
        if (s.Reverse ? a <= -kLoopOverrun : a >= bufferLength + kLoopOverrun - 1) break;
    }
}

}  // namespace

int32_t BufferLengthFor(const RulerState& s, int32_t current, bool monitorChanged) {
    const int32_t longest = kLongestScaleBuffer;
    const int64_t wanted = std::max<int64_t>(s.ScaleLength, FullScaleLength(s)) + 1;
    const int32_t fitted = static_cast<int32_t>(std::min<int64_t>(wanted, longest));
    const int32_t roomy = std::min(fitted + fitted / 2, longest);
    const int32_t scale =
        static_cast<int32_t>(std::min<int64_t>(int64_t{s.ScaleLength} + 1, longest));
    if (current <= 0) return fitted;
    if (current < scale) return roomy;
    // Only a monitor the ruler was not yet fitted to leaves the buffer short of a full scale.
    if (current < fitted) return fitted;
    if (monitorChanged && current > roomy) return fitted;
    return current;
}

int32_t BufferSourceAlong(const RulerState& s, int32_t bufferLength) {
    return s.Reverse ? bufferLength - 1 - s.ScaleLength : 0;
}

int32_t MarkerAlong(const RulerState& s, int32_t position) {
    // A marker far past the scale stays past it: a position that does not fit the 16 bits of
    // the line call is kept one pixel outside the window instead of wrapping round onto it.
    const int64_t along = s.Reverse ? int64_t{s.ScaleLength} - position : position;
    return static_cast<int32_t>(std::clamp<int64_t>(along, -1, int64_t{s.ScaleLength} + 1));
}

ScalePictureKey PictureKeyOf(const RulerState& s, int32_t bufferLength) {
    ScalePictureKey key;
    key.vertical = s.Vertical != 0;
    key.reverse = s.Reverse != 0;
    key.narrow = s.NarrowScale != 0;
    key.unit = s.Unit;
    key.scale = CurrentScale(s);
    key.fontStyle = s.FontStyle;
    key.backColor = s.BackColor;
    key.bufferLength = bufferLength;
    return key;
}

ScaleLayout LayoutScale(const RulerState& s, int32_t bufferLength) {
    ScaleLayout layout;
    layout.thickness = RulerThickness(s);
    const int32_t origin = bufferLength - 1;  // of a reversed scale
    layout.originSquare = {s.Reverse ? bufferLength - kOriginSquareSize : 0, 0};
    if (!s.NarrowScale) {
        layout.hasIcon = true;
        layout.icon = {s.Reverse ? bufferLength - layout.thickness + kIconInset : kIconInset,
                       kIconInset};
        layout.hasUnitLabel = true;
        layout.unitLabel = {s.Reverse ? origin - kUnitLabelAlong : kUnitLabelAlong,
                            kUnitLabelAcross};
        const int unit = s.Unit >= 0 && s.Unit <= 2 ? s.Unit : 0;
        layout.unitLabelText = std::wstring(L"[") + kUnitNames[unit] + L"]";
    }
    AddTickLoop(layout, s, bufferLength);
    return layout;
}

void PutStrokes(const ScaleLayout& layout, bool vertical, uint32_t pixel, PixelBlock block) {
    for (const Stroke& k : layout.strokes) {
        const int32_t x0 = vertical ? k.from.across : k.from.along;
        const int32_t y0 = vertical ? k.from.along : k.from.across;
        const int32_t x1 = vertical ? k.to.across : k.to.along;
        const int32_t y1 = vertical ? k.to.along : k.to.across;
        // Ticks are straight and arrowheads exact diagonals, so one step moves both by one.
        const int32_t dx = (x1 > x0) - (x1 < x0);
        const int32_t dy = (y1 > y0) - (y1 < y0);
        const int32_t count = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int32_t i = 0; i < count; ++i) {
            const int32_t x = x0 + i * dx;
            const int32_t y = y0 + i * dy;
            if (x >= 0 && x < block.width && y >= 0 && y < block.height) {
                block.pixels[static_cast<size_t>(y) * block.width + x] = pixel;
            }
        }
    }
}
