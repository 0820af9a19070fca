// Where the scale's ticks, arrowheads, numbers, origin square, icon and unit label go.
#include <gtest/gtest.h>

#include <map>

#include "render/scale_layout.h"

namespace {

RulerState Ruler(int16_t unit, int32_t scale) {
    RulerState s;
    s.Unit = unit;
    s.Scaling = scale;
    return s;
}

// Tick length by position, from the tick on the first edge (from across 1 to across length).
std::map<int32_t, int32_t> TopTicks(const ScaleLayout& layout) {
    std::map<int32_t, int32_t> ticks;
    for (const Stroke& k : layout.strokes) {
        if (k.from.across == 1 && k.to.along == k.from.along) ticks[k.from.along] = k.to.across;
    }
    return ticks;
}

std::map<int32_t, std::wstring> TopLabels(const ScaleLayout& layout) {
    std::map<int32_t, std::wstring> labels;
    for (const ScaleLabel& l : layout.labels) {
        if (!l.alignBottom) labels[l.at.along] = l.text;
    }
    return labels;
}

TEST(ScaleLayout, PixelTicksEveryFiveLongEveryTenNumbersEveryFifty) {
    const ScaleLayout layout = LayoutScale(Ruler(kUnitPixel, 378), kLongestScaleBuffer);
    const auto ticks = TopTicks(layout);
    EXPECT_EQ(ticks.at(0), 6);
    EXPECT_EQ(ticks.at(5), 3);
    EXPECT_EQ(ticks.at(10), 6);
    EXPECT_EQ(ticks.at(15), 3);
    EXPECT_EQ(ticks.count(1), 0u);
    EXPECT_EQ(ticks.begin()->first, 0);
    EXPECT_EQ(ticks.rbegin()->first, 22020);  // runs a little past the end
    EXPECT_EQ(ticks.size(), 22020u / 5 + 1);
    const auto labels = TopLabels(layout);
    EXPECT_EQ(labels.count(0), 0u);  // the zero point has no number
    EXPECT_EQ(labels.at(50), L"50");
    EXPECT_EQ(labels.at(100), L"100");
    EXPECT_EQ(labels.count(60), 0u);
    // Every number also stands on the far edge of a full body.
    EXPECT_EQ(layout.labels.size(), 2 * labels.size());
    EXPECT_EQ(layout.labels[1].at.along, 50);
    EXPECT_EQ(layout.labels[1].at.across, 49);
    EXPECT_TRUE(layout.labels[1].alignBottom);
    EXPECT_EQ(layout.labels[0].at.across, 2);
}

TEST(ScaleLayout, SecondEdgeTicksMirrorTheFirst) {
    const ScaleLayout layout = LayoutScale(Ruler(kUnitPixel, 378), kLongestScaleBuffer);
    ASSERT_GE(layout.strokes.size(), 4u);
    EXPECT_EQ(layout.strokes[1].from.along, 0);
    EXPECT_EQ(layout.strokes[1].from.across, 49);
    EXPECT_EQ(layout.strokes[1].to.across, 43);
    EXPECT_EQ(layout.strokes[3].to.across, 46);
}

TEST(ScaleLayout, CentimetresAtCoarseScaleTickEveryFiveMillimetres) {
    const auto layout = LayoutScale(Ruler(kUnitCm, 378), kLongestScaleBuffer);
    const auto ticks = TopTicks(layout);
    const std::vector<std::pair<int32_t, int32_t>> expected = {{0, 8},  {19, 5}, {38, 8}, {57, 5},
                                                               {76, 8}, {95, 5}, {113, 8}};
    auto it = ticks.begin();
    for (const auto& [along, length] : expected) {
        ASSERT_NE(it, ticks.end());
        EXPECT_EQ(it->first, along);
        EXPECT_EQ(it->second, length) << along;
        ++it;
    }
    const auto labels = TopLabels(layout);
    EXPECT_EQ(labels.at(38), L"1");
    EXPECT_EQ(labels.at(76), L"2");
    EXPECT_EQ(labels.at(113), L"3");
    EXPECT_EQ(layout.unitLabelText, L"[cm]");
}

TEST(ScaleLayout, CentimetresAtFineScaleTickEveryMillimetre) {
    const auto ticks = TopTicks(LayoutScale(Ruler(kUnitCm, 500), kLongestScaleBuffer));
    for (int32_t mm = 0; mm <= 20; ++mm) {
        ASSERT_EQ(ticks.count(mm * 5), 1u) << mm;
        EXPECT_EQ(ticks.at(mm * 5), mm % 5 == 0 ? 8 : 5) << mm;
    }
    EXPECT_EQ(ticks.count(2), 0u);
}

TEST(ScaleLayout, InchTenthsWithHalfInchArrowheads) {
    const auto layout = LayoutScale(Ruler(kUnitInch, 378), kLongestScaleBuffer);
    const auto ticks = TopTicks(layout);
    const std::vector<int32_t> tenths = {0, 10, 19, 29, 38, 48, 58, 67, 77, 86, 96};
    auto it = ticks.begin();
    for (size_t k = 0; k < tenths.size(); ++k, ++it) {
        EXPECT_EQ(it->first, tenths[k]);
        EXPECT_EQ(it->second, k % 5 == 0 ? 8 : 5) << k;
    }
    const auto labels = TopLabels(layout);
    EXPECT_EQ(labels.at(96), L"1");
    EXPECT_EQ(labels.at(192), L"2");
    EXPECT_EQ(labels.count(48), 0u);
    // Half an inch: four diagonal strokes from the inner ends of the two ticks.
    std::vector<Stroke> arrows;
    for (const Stroke& k : layout.strokes) {
        if (k.from.along == 48 && k.to.along != 48) arrows.push_back(k);
    }
    ASSERT_EQ(arrows.size(), 4u);
    EXPECT_EQ(arrows[0].from.across, 8);
    EXPECT_EQ(arrows[0].to.along, 52);
    EXPECT_EQ(arrows[0].to.across, 4);
    EXPECT_EQ(arrows[1].to.along, 44);
    EXPECT_EQ(arrows[2].from.across, 41);
    EXPECT_EQ(arrows[2].to.across, 45);
    // None at whole inches.
    for (const Stroke& k : layout.strokes) {
        if (k.from.along == 96) {
            EXPECT_EQ(k.to.along, 96);
        }
    }
}

TEST(ScaleLayout, ReversedScaleCountsFromTheFarEnd) {
    RulerState s = Ruler(kUnitPixel, 378);
    s.Reverse = 1;
    const auto layout = LayoutScale(s, kLongestScaleBuffer);
    const auto ticks = TopTicks(layout);
    EXPECT_EQ(ticks.at(22000), 6);
    EXPECT_EQ(ticks.at(21995), 3);
    EXPECT_EQ(ticks.begin()->first, -20);
    EXPECT_EQ(TopLabels(layout).at(21950), L"50");
    EXPECT_EQ(layout.originSquare.along, 21995);
    EXPECT_EQ(layout.icon.along, 21960);
    EXPECT_EQ(layout.unitLabel.along, 21875);
}

TEST(ScaleLayout, FullAndNarrowBodies) {
    RulerState s = Ruler(kUnitCm, 378);
    auto layout = LayoutScale(s, kLongestScaleBuffer);
    EXPECT_EQ(layout.thickness, 50);
    EXPECT_TRUE(layout.hasIcon);
    EXPECT_EQ(layout.icon.along, 9);
    EXPECT_EQ(layout.icon.across, 9);
    EXPECT_TRUE(layout.hasUnitLabel);
    EXPECT_EQ(layout.unitLabel.along, 125);
    EXPECT_EQ(layout.unitLabel.across, 15);

    s.NarrowScale = 1;
    layout = LayoutScale(s, kLongestScaleBuffer);
    EXPECT_EQ(layout.thickness, 22);
    EXPECT_FALSE(layout.hasIcon);
    EXPECT_FALSE(layout.hasUnitLabel);
    for (const ScaleLabel& l : layout.labels) EXPECT_FALSE(l.alignBottom);
    EXPECT_EQ(layout.strokes[1].from.across, 21);
    EXPECT_EQ(layout.strokes[1].to.across, 13);
}

TEST(ScaleLayout, VerticalFullBodyLeavesOutNumbersBesideTheIcon) {
    RulerState s = Ruler(kUnitPixel, 378);
    s.Vertical = 1;
    s.Unit = kUnitCm;  // numbers at 38 (beside the icon) and 76
    auto labels = TopLabels(LayoutScale(s, kLongestScaleBuffer));
    EXPECT_EQ(labels.count(39), 0u);
    EXPECT_EQ(labels.at(77), L"2");  // one pixel further along when vertical
    for (const ScaleLabel& l : LayoutScale(s, kLongestScaleBuffer).labels) {
        if (l.alignBottom) {
            EXPECT_EQ(l.at.across, 48);
        }
    }
    s.Reverse = 1;
    labels = TopLabels(LayoutScale(s, kLongestScaleBuffer));
    EXPECT_EQ(labels.count(22000 - 38 + 1), 0u);
    EXPECT_EQ(labels.at(22000 - 76 + 1), L"2");
    // A narrow vertical body has no icon, so the number stays.
    s.Reverse = 0;
    s.NarrowScale = 1;
    EXPECT_EQ(TopLabels(LayoutScale(s, kLongestScaleBuffer)).at(39), L"1");
    // Horizontal rulers keep it too.
    s.Vertical = 0;
    s.NarrowScale = 0;
    EXPECT_EQ(TopLabels(LayoutScale(s, kLongestScaleBuffer)).at(38), L"1");
}

TEST(ScaleLayout, UnitLabelsAndTheAutomaticScale) {
    RulerState s = Ruler(kUnitPixel, 300);
    EXPECT_EQ(LayoutScale(s, kLongestScaleBuffer).unitLabelText, L"[Pixel]");
    s.Unit = kUnitInch;
    EXPECT_EQ(LayoutScale(s, kLongestScaleBuffer).unitLabelText, L"[inch]");
    s.Unit = kUnitCm;
    s.ScalingAuto = 1;
    s.AutoScaling = 500;
    EXPECT_EQ(TopTicks(LayoutScale(s, kLongestScaleBuffer)).at(5),
              5);  // millimetre ticks at the automatic scale
    s.AutoScaling = 0;
    EXPECT_TRUE(LayoutScale(s, kLongestScaleBuffer).strokes.empty());
}

}  // namespace
