// The ruler's title and tooltip readings, and where its window goes.
#include <gtest/gtest.h>

#include "app/placement.h"
#include "ops/readout.h"

namespace {

TEST(Readout, TitleAndTooltipLines) {
    RulerState s;
    s.Scaling = 378;
    s.ScaleLength = 300;
    ReadoutTexts texts = MakeReadoutTexts(s, L"Linova <1>");
    EXPECT_EQ(texts.title, L"Linova <1> - H 7.93 cm");
    EXPECT_EQ(texts.tooltip,
              L"Linova <1> - H 7.93 cm\nRed :  2.64 cm\nBlue :  3.43 cm\nRed - Blue : -0.79 cm");
    s.Unit = kUnitPixel;
    s.Vertical = 1;
    texts = MakeReadoutTexts(s, L"Linova <2>");
    EXPECT_EQ(texts.title, L"Linova <2> - V300 pixel");
    EXPECT_EQ(
        texts.tooltip,
        L"Linova <2> - V300 pixel\nRed : 100 pixel\nBlue : 130 pixel\nRed - Blue : -30 pixel");
}

TEST(Placement, RulerRectangle) {
    RulerState s;
    EXPECT_EQ(RulerWindowRect(s), (Rect{20, 100, 321, 150}));
    s.Vertical = 1;
    s.NarrowScale = 1;
    EXPECT_EQ(RulerWindowRect(s), (Rect{20, 100, 42, 401}));
    s.FullScale = 1;
    s.MonitorRect = {-1280, -10, 0, 790};
    s.ScaleLength = 800;
    EXPECT_EQ(RulerWindowRect(s), (Rect{20, -10, 42, 791}));
    s.Vertical = 0;
    s.xPosi = 500;
    s.ScaleLength = 1280;
    EXPECT_EQ(RulerWindowRect(s), (Rect{-1280, 100, 1, 122}));
    EXPECT_EQ(s.xPosi, 500);
}

TEST(Placement, FixMonitorKeepsTheRulerReachable) {
    const Rect monitor{0, 0, 1920, 1080};
    RulerState s;
    s.xPosi = -400;
    s.yPosi = 1070;
    FixMonitor(s, monitor, {monitor});
    EXPECT_EQ(s.xPosi, -250);
    EXPECT_EQ(s.yPosi, 1030);
    EXPECT_EQ(s.MonitorIndex, 0);
    EXPECT_EQ(s.AutoScaling, 510);
    s.xPosi = 1900;
    s.yPosi = -5;
    FixMonitor(s, monitor, {monitor});
    EXPECT_EQ(s.xPosi, 1870);
    EXPECT_EQ(s.yPosi, 0);

    RulerState v;
    v.Vertical = 1;
    v.NarrowScale = 1;
    v.ScaleLength = 400;
    v.yPosi = -500;
    FixMonitor(v, monitor, {monitor});
    EXPECT_EQ(v.yPosi, -378);
}

TEST(Placement, MonitorIndexAndItsDisplaySize) {
    const Rect left{-1920, 0, 0, 1080};
    const Rect right{0, 0, 1920, 1080};
    RulerState s;
    s.ScreenSize[1] = 240;
    FixMonitor(s, left, {right, left});
    EXPECT_EQ(s.MonitorIndex, 1);
    EXPECT_EQ(s.AutoScaling, 361);
    // Not recorded among four: past the table, with the default 17 inches.
    const std::vector<Rect> four = {right, right, right, right};
    FixMonitor(s, left, four);
    EXPECT_EQ(s.MonitorIndex, 4);
    EXPECT_EQ(s.AutoScaling, 510);
    FixMonitor(s, left, {});
    EXPECT_EQ(s.MonitorIndex, 0);
}

}  // namespace
