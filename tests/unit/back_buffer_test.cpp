// The back buffer's length, and what the window shows of a scale drawn into a buffer of that
// length, pixel by pixel, against a picture worked out in the window's own coordinates.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "render/scale_layout.h"

namespace {

RulerState OnMonitor(int32_t width, int32_t height, int32_t length) {
    RulerState s;
    s.MonitorRect = {0, 0, width, height};
    s.ScaleLength = length;
    s.Scaling = 378;
    return s;
}

TEST(BackBuffer, NewBufferHoldsTheScaleAndAFullScaleRulerOnItsMonitor) {
    RulerState s = OnMonitor(1920, 1080, 301);
    EXPECT_EQ(BufferLengthFor(s, 0, false), 1921);
    s.Vertical = 1;
    EXPECT_EQ(BufferLengthFor(s, 0, false), 1081);
    s.ScaleLength = 1900;  // a long ruler turned upright is longer than its monitor is high
    EXPECT_EQ(BufferLengthFor(s, 0, true), 1901);
    s = OnMonitor(30000, 1080, 300);
    EXPECT_EQ(BufferLengthFor(s, 0, false), kLongestScaleBuffer);
    s = OnMonitor(1920, 1080, 22000);
    EXPECT_EQ(BufferLengthFor(s, 0, false), 22001);
    s.ScaleLength = 40000;  // not drawable: the longest buffer, as always
    EXPECT_EQ(BufferLengthFor(s, 0, false), kLongestScaleBuffer);
}

TEST(BackBuffer, KeptWhileTheScaleFitsAndGrownWithRoomToSpare) {
    RulerState s = OnMonitor(1920, 1080, 1920);
    EXPECT_EQ(BufferLengthFor(s, 1921, false), 1921);
    EXPECT_EQ(BufferLengthFor(s, 1921, true), 1921);
    s.ScaleLength = 2000;  // adjusted to a window wider than the monitor
    EXPECT_EQ(BufferLengthFor(s, 1921, false), 3001);
    EXPECT_EQ(BufferLengthFor(s, 3001, false), 3001);
    s.ScaleLength = 2900;
    EXPECT_EQ(BufferLengthFor(s, 3001, false), 3001);
    s.ScaleLength = 20000;
    EXPECT_EQ(BufferLengthFor(s, 3001, false), kLongestScaleBuffer);
    // Back to a short ruler: only a monitor change gives the room back.
    s.ScaleLength = 300;
    EXPECT_EQ(BufferLengthFor(s, 22001, false), 22001);
    EXPECT_EQ(BufferLengthFor(s, 22001, true), 1921);
}

TEST(BackBuffer, AnotherMonitorKeepsTheBufferOnlyWhileItSuits) {
    RulerState s = OnMonitor(1920, 1080, 300);
    s.MonitorRect = {-1280, 0, 0, 800};
    EXPECT_EQ(BufferLengthFor(s, 1921, true), 1921);  // still room for a full scale
    EXPECT_EQ(BufferLengthFor(s, 1922, true), 1281);  // half as long again is too long
    s.MonitorRect = {1920, 0, 4480, 1440};
    EXPECT_EQ(BufferLengthFor(s, 1921, true), 2561);
    // Even without being told, a buffer short of a full scale on the monitor is re-made.
    EXPECT_EQ(BufferLengthFor(s, 1921, false), 2561);
}

// ---- The window's pixels ----

// What covers a pixel of the window. The core decides where each thing goes; how an icon or a
// number looks is the system's business, so they count as their boxes and anchor points.
enum Cover : uint8_t { kGround, kInk, kSquare, kIcon, kRed, kBlue, kBlueOnRed };

// A number or the unit label: its anchor along and across, hanging from it or standing on it, and
// its text.
using Text = std::tuple<int32_t, int32_t, bool, std::wstring>;

// Texts are centred on their anchor; this far outside the window a number can still show.
constexpr int32_t kTextReach = 20;

struct Window {
    int32_t length;  // along, ScaleLength + 1
    int32_t thickness;
    std::vector<uint8_t> cover;
    std::vector<Text> texts;

    Window(int32_t l, int32_t t) : length(l), thickness(t), cover(static_cast<size_t>(l) * t) {}

    void Put(int32_t along, int32_t across, Cover c) {
        if (along >= 0 && along < length && across >= 0 && across < thickness) {
            cover[static_cast<size_t>(along) * thickness + across] = c;
        }
    }
    void Box(int32_t along, int32_t across, int32_t size, Cover c) {
        for (int32_t a = along; a < along + size; ++a) {
            for (int32_t k = across; k < across + size; ++k) Put(a, k, c);
        }
    }
    void Write(int32_t along, int32_t across, bool bottom, const std::wstring& text) {
        if (along >= -kTextReach && along <= length - 1 + kTextReach) {
            texts.emplace_back(along, across, bottom, text);
        }
    }
    // The border, then the red and the blue marker across the body.
    void Finish(const RulerState& s, int32_t red, int32_t blue) {
        for (int32_t a = 0; a < length; ++a) {
            Put(a, 0, kInk);
            Put(a, thickness - 1, kInk);
        }
        for (int32_t c = 0; c < thickness; ++c) {
            Put(0, c, kInk);
            Put(length - 1, c, kInk);
        }
        const bool together = s.Marker == s.MarkerBlue;
        for (int32_t c = 0; c < thickness; ++c) {
            Put(red, c, kRed);
            Put(blue, c, together ? kBlueOnRed : kBlue);
        }
        std::sort(texts.begin(), texts.end());
    }
};

// What the paint shows of a scale rendered into a buffer of the given length: the core's layout
// drawn into the buffer in the render's order, the covered stretch copied, border and markers.
Window Shown(const RulerState& s, int32_t bufferLength) {
    const ScaleLayout layout = LayoutScale(s, bufferLength);
    const int32_t t = layout.thickness;
    const bool vertical = s.Vertical != 0;
    const int32_t width = vertical ? t : bufferLength;
    const int32_t height = vertical ? bufferLength : t;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, kGround);
    auto put = [&](int32_t along, int32_t across, Cover c) {
        const int32_t x = vertical ? across : along;
        const int32_t y = vertical ? along : across;
        if (x >= 0 && x < width && y >= 0 && y < height) pixels[size_t(y) * width + x] = c;
    };
    auto box = [&](ScalePoint at, int32_t size, Cover c) {
        for (int32_t a = at.along; a < at.along + size; ++a) {
            for (int32_t k = at.across; k < at.across + size; ++k) put(a, k, c);
        }
    };
    // The render fills the whole buffer with a rectangle outlined in ink.
    for (int32_t a = 0; a < bufferLength; ++a) {
        put(a, 0, kInk);
        put(a, t - 1, kInk);
    }
    for (int32_t c = 0; c < t; ++c) {
        put(0, c, kInk);
        put(bufferLength - 1, c, kInk);
    }
    box(layout.originSquare, 6, kSquare);
    if (layout.hasIcon) box(layout.icon, 32, kIcon);
    PutStrokes(layout, vertical, kInk, PixelBlock{pixels.data(), width, height});

    Window w(s.ScaleLength + 1, t);
    const int32_t source = BufferSourceAlong(s, bufferLength);
    for (int32_t a = 0; a < w.length; ++a) {
        for (int32_t c = 0; c < t; ++c) {
            const int32_t x = vertical ? c : source + a;
            const int32_t y = vertical ? source + a : c;
            w.Put(a, c, static_cast<Cover>(pixels[size_t(y) * width + x]));
        }
    }
    if (layout.hasUnitLabel) {
        w.Write(layout.unitLabel.along - source, layout.unitLabel.across, false,
                layout.unitLabelText);
    }
    for (const ScaleLabel& l : layout.labels) {
        w.Write(l.at.along - source, l.at.across, l.alignBottom, l.text);
    }
    w.Finish(s, MarkerAlong(s, s.Marker), MarkerAlong(s, s.MarkerBlue));
    return w;
}

// The same window worked out from the ruler's rules, counting from its zero end.
Window Expected(const RulerState& s) {
    const int32_t t = s.NarrowScale ? 22 : 50;
    const int32_t length = s.ScaleLength;
    const bool full = !s.NarrowScale;
    // Along the window, d pixels from the zero end.
    auto at = [&](int32_t d) { return s.Reverse ? length - d : d; };
    Window w(length + 1, t);
    w.Box(s.Reverse ? length - 5 : 0, 0, 6, kSquare);
    if (full) w.Box(s.Reverse ? length - 40 : 9, 9, 32, kIcon);
    if (full) {
        const wchar_t* names[] = {L"[Pixel]", L"[cm]", L"[inch]"};
        w.Write(at(125), 15, false, names[s.Unit]);
    }
    const int64_t scale = s.ScalingAuto ? s.AutoScaling : s.Scaling;
    // Hundredths of a pixel per counting step, counting steps per tick, ticks 1..5 long.
    const int64_t step = s.Unit == kUnitPixel ? 100 : s.Unit == kUnitCm ? scale : scale * 254 / 100;
    const int every = s.Unit == kUnitInch || (s.Unit == kUnitCm && scale >= 500) ? 1 : 5;
    for (int64_t o = 0;; o += every) {
        const int32_t d = static_cast<int32_t>((50 + o * step) / 100);
        if (d > length + kTextReach) break;
        int32_t tick = 5;
        if (s.Unit == kUnitPixel) tick = o % 10 == 0 ? 6 : 3;
        if (s.Unit == kUnitCm && (o % 10 == 0 || (scale >= 500 && o % 5 == 0))) tick = 8;
        if (s.Unit == kUnitInch && o % 5 == 0) tick = 8;
        const int32_t a = at(d);
        for (int32_t c = 1; c < tick; ++c) w.Put(a, c, kInk);
        for (int32_t c = t - 1; c > t - 1 - tick; --c) w.Put(a, c, kInk);
        if (s.Unit == kUnitInch && o % 5 == 0 && o % 10 != 0) {
            for (int32_t k = 0; k < 4; ++k) {
                for (int32_t side : {-1, 1}) {
                    w.Put(a + side * k, tick - k, kInk);
                    w.Put(a + side * k, t - 1 - tick + k, kInk);
                }
            }
        }
        const int64_t labelEvery = s.Unit == kUnitPixel ? 50 : 10;
        const bool besideIcon = s.Vertical && full && d < 45;
        if (o != 0 && o % labelEvery == 0 && !besideIcon) {
            const std::wstring text = std::to_wstring(s.Unit == kUnitPixel ? o : o / 10);
            const int32_t along = s.Vertical ? a + 1 : a;
            w.Write(along, 2, false, text);
            if (full) w.Write(along, s.Vertical ? 48 : 49, true, text);
        }
    }
    // A marker beyond the window is not drawn, however far beyond it stands.
    w.Finish(s, at(s.Marker), at(s.MarkerBlue));
    return w;
}

// The first pixel where the windows differ, for the failure message.
std::string FirstDifference(const Window& a, const Window& b) {
    for (size_t i = 0; i < a.cover.size(); ++i) {
        if (a.cover[i] != b.cover[i]) {
            return "along " + std::to_string(i / a.thickness) + " across " +
                   std::to_string(i % a.thickness) + ": " + std::to_string(a.cover[i]) +
                   " instead of " + std::to_string(b.cover[i]);
        }
    }
    return a.texts == b.texts ? "none" : "texts differ";
}

std::string Describe(const RulerState& s, int32_t buffer) {
    return "unit " + std::to_string(s.Unit) + (s.Vertical ? " vertical" : " horizontal") +
           (s.Reverse ? " reversed" : "") + (s.NarrowScale ? " narrow" : "") +
           (s.FullScale ? " full-scale" : "") + " length " + std::to_string(s.ScaleLength) +
           " scale " + std::to_string(s.ScalingAuto ? s.AutoScaling : s.Scaling) + " markers " +
           std::to_string(s.Marker) + "/" + std::to_string(s.MarkerBlue) + " buffer " +
           std::to_string(buffer);
}

// The window drawn from buffers of the length the ruler gets, of a grown length and of the
// longest length against the expected window.
void ExpectWindowsAgree(const RulerState& s) {
    const Window expected = Expected(s);
    const int32_t extent = s.Vertical ? s.MonitorRect.Height() : s.MonitorRect.Width();
    const int32_t fitted = BufferLengthFor(s, 0, false);
    const int32_t grown = BufferLengthFor(s, std::max(1, s.ScaleLength - 10), false);
    // Room for a full-scale ruler on the monitor, so length steps never render.
    ASSERT_GE(fitted, std::min(extent + 1, kLongestScaleBuffer)) << Describe(s, fitted);
    for (int32_t buffer : {fitted, grown, kLongestScaleBuffer}) {
        ASSERT_GE(buffer, s.ScaleLength + 1) << Describe(s, buffer);
        ASSERT_LE(buffer, kLongestScaleBuffer) << Describe(s, buffer);
        const Window shown = Shown(s, buffer);
        EXPECT_TRUE(shown.cover == expected.cover)
            << Describe(s, buffer) << "; first difference at " << FirstDifference(shown, expected);
        EXPECT_TRUE(shown.texts == expected.texts) << Describe(s, buffer);
    }
}

TEST(BackBuffer, EveryWindowPixelIsWhatTheRulerShowsWhateverTheBufferLength) {
    // The first centimetre just inside and just outside the numbers left out beside the icon of
    // an upright ruler, from either end; a full scale; the longest ruler.
    for (int32_t scale : {440, 450}) {
        for (int32_t reverse : {0, 1}) {
            RulerState s = OnMonitor(1920, 1080, 700);
            s.Vertical = 1;
            s.Reverse = reverse;
            s.Scaling = scale;
            ExpectWindowsAgree(s);
        }
    }
    RulerState s = OnMonitor(1920, 1080, 1080);
    s.Vertical = 1;
    s.FullScale = 1;
    ExpectWindowsAgree(s);
    s = OnMonitor(1920, 1080, 22000);
    s.Reverse = 1;
    s.Unit = kUnitInch;
    ExpectWindowsAgree(s);
    // Markers stored far past the scale, whose positions do not fit 16 bits, are not drawn.
    s = OnMonitor(1920, 1080, 300);
    s.Marker = 65536 + 100;
    s.MarkerBlue = 65536 + 130;
    ExpectWindowsAgree(s);
    s.Reverse = 1;
    ExpectWindowsAgree(s);

    std::mt19937 random(20240611);
    auto pick = [&](int32_t low, int32_t high) {
        return low + static_cast<int32_t>(random() % static_cast<uint32_t>(high - low + 1));
    };
    for (int n = 0; n < 150 && !HasFailure(); ++n) {
        s = RulerState{};
        s.Unit = static_cast<int16_t>(pick(0, 2));
        s.Vertical = pick(0, 1);
        s.Reverse = pick(0, 1);
        s.NarrowScale = pick(0, 1);
        s.ScalingAuto = pick(0, 1);
        (s.ScalingAuto ? s.AutoScaling : s.Scaling) = pick(30, 3000);
        const int32_t left = pick(-4000, 4000);
        const int32_t top = pick(-2000, 2000);
        s.MonitorRect = {left, top, left + pick(640, 7680), top + pick(480, 4320)};
        s.FullScale = pick(0, 3) == 0;
        const int32_t extent = s.Vertical ? s.MonitorRect.Height() : s.MonitorRect.Width();
        s.ScaleLength = s.FullScale ? extent : pick(50, pick(0, 1) ? 3000 : 22000);
        // Markers on the scale, beyond it, before its zero point or past the 16 bits of the line
        // call.
        auto marker = [&] { return pick(0, 2) ? pick(0, s.ScaleLength) : pick(-100, 70000); };
        s.Marker = marker();
        s.MarkerBlue = pick(0, 4) == 0 ? s.Marker : marker();
        ExpectWindowsAgree(s);
    }
}

// ---- The buffer kept for the other direction ----

bool SameLayout(const ScaleLayout& a, const ScaleLayout& b) {
    auto point = [](ScalePoint p) { return std::make_pair(p.along, p.across); };
    auto strokes = [&](const ScaleLayout& l) {
        std::vector<std::pair<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>>> all;
        for (const Stroke& k : l.strokes) all.emplace_back(point(k.from), point(k.to));
        return all;
    };
    auto labels = [&](const ScaleLayout& l) {
        std::vector<std::tuple<std::pair<int32_t, int32_t>, bool, std::wstring>> all;
        for (const ScaleLabel& x : l.labels) all.emplace_back(point(x.at), x.alignBottom, x.text);
        return all;
    };
    return a.thickness == b.thickness && point(a.originSquare) == point(b.originSquare) &&
           a.hasIcon == b.hasIcon && point(a.icon) == point(b.icon) &&
           a.hasUnitLabel == b.hasUnitLabel && point(a.unitLabel) == point(b.unitLabel) &&
           a.unitLabelText == b.unitLabelText && strokes(a) == strokes(b) && labels(a) == labels(b);
}

// A buffer drawn for one key is shown again for a state with the same key, so two states with
// equal keys must draw the same scale. Each round changes one value of the state.
TEST(BackBuffer, StatesWithOnePictureKeyDrawOneScale) {
    std::mt19937 random(20261209);
    auto pick = [&](int32_t low, int32_t high) {
        return low + static_cast<int32_t>(random() % static_cast<uint32_t>(high - low + 1));
    };
    int same = 0;
    int different = 0;
    for (int n = 0; n < 400 && !HasFailure(); ++n) {
        RulerState a = OnMonitor(1920, 1080, pick(50, 1900));
        a.Unit = static_cast<int16_t>(pick(0, 2));
        a.Vertical = pick(0, 1);
        a.Reverse = pick(0, 1);
        a.NarrowScale = pick(0, 1);
        a.ScalingAuto = pick(0, 1);
        a.Scaling = pick(30, 3000);
        a.AutoScaling = pick(30, 3000);
        RulerState b = a;
        switch (pick(0, 9)) {
            case 0:
                b.Unit = static_cast<int16_t>(pick(0, 2));
                break;
            case 1:
                b.Vertical ^= 1;
                break;
            case 2:
                b.Reverse ^= 1;
                break;
            case 3:
                b.NarrowScale ^= 1;
                break;
            case 4:
                b.ScalingAuto ^= 1;
                break;
            case 5:
                b.Scaling = pick(30, 3000);
                break;
            case 6:
                b.AutoScaling = pick(30, 3000);
                break;
            case 7:
                b.ScaleLength = pick(50, 1900);
                break;
            case 8:
                b.Marker = pick(0, 1900);
                break;
            default:
                b.FullScale ^= 1;
                break;
        }
        const int32_t length = pick(0, 1) ? 1921 : 3001;
        if (PictureKeyOf(a, length) != PictureKeyOf(b, length)) {
            ++different;
            continue;
        }
        ++same;
        EXPECT_TRUE(SameLayout(LayoutScale(a, length), LayoutScale(b, length))) << "round " << n;
    }
    EXPECT_GT(same, 100);
    EXPECT_GT(different, 100);
    RulerState s = OnMonitor(1920, 1080, 300);
    EXPECT_NE(PictureKeyOf(s, 1921), PictureKeyOf(s, 3001));
    const ScalePictureKey plain = PictureKeyOf(s, 1921);
    s.FontStyle = 2;
    EXPECT_NE(PictureKeyOf(s, 1921), plain);
    s.FontStyle = 1;
    s.BackColor = 5;
    EXPECT_NE(PictureKeyOf(s, 1921), plain);
}

}  // namespace
