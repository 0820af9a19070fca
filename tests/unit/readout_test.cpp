// The ruler's title and tooltip readings, and where its window goes.
#include <gtest/gtest.h>

#include "model/placement.h"
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

TEST(Placement, TheListedMonitorUnderAPointOwnsItsLeftAndTopEdgesOnly) {
    const Rect left{-1920, 0, 0, 1080};
    const Rect right{0, 0, 1920, 1080};
    const std::vector<Rect> list = {right, left};
    EXPECT_EQ(ListedMonitorAt(list, {0, 0}), right);
    EXPECT_EQ(ListedMonitorAt(list, {-1, 1079}), left);
    EXPECT_EQ(ListedMonitorAt(list, {-1920, 500}), left);
    // Past both: the caller asks the system for the nearest.
    EXPECT_EQ(ListedMonitorAt(list, {1920, 500}), std::nullopt);
    EXPECT_EQ(ListedMonitorAt(list, {100, 1080}), std::nullopt);
    EXPECT_EQ(ListedMonitorAt({}, {100, 100}), std::nullopt);
}

}  // namespace

namespace {

DialogPlacement Dialog(int32_t w, int32_t h, Point cursor) {
    DialogPlacement d{};
    d.cursor = cursor;
    d.monitor = {0, 0, 1920, 1080};
    d.width = w;
    d.height = h;
    d.newerSystem = true;
    return d;
}

TEST(PlaceDialog, BelowAHorizontalRulerCentredOnTheCursor) {
    RulerState s;
    s.xPosi = 100;
    s.yPosi = 200;
    s.PrimaryScreenWidth = 1920;
    s.PrimaryScreenHeight = 1080;
    const Point p = PlaceDialog(s, Dialog(300, 200, {400, 220}));
    EXPECT_EQ(p.x, 250);
    EXPECT_EQ(p.y, 260);
}

TEST(PlaceDialog, AboveWhenThePrimaryScreenHasNoRoomBelow) {
    RulerState s;
    s.yPosi = 1020;
    s.PrimaryScreenWidth = 1920;
    s.PrimaryScreenHeight = 1080;
    DialogPlacement d = Dialog(400, 300, {500, 1030});
    d.hasTaskbar = true;
    d.taskbar = {0, 1040, 1920, 1080};
    EXPECT_EQ(PlaceDialog(s, d).y, 710);
    d.newerSystem = false;
    EXPECT_EQ(PlaceDialog(s, d).y, 715);
}

TEST(PlaceDialog, RightOfAVerticalRulerOrLeftOfIt) {
    RulerState s;
    s.Vertical = 1;
    s.xPosi = 100;
    s.yPosi = 100;
    s.PrimaryScreenWidth = 1920;
    s.PrimaryScreenHeight = 1080;
    Point p = PlaceDialog(s, Dialog(300, 200, {120, 500}));
    EXPECT_EQ(p.x, 160);
    EXPECT_EQ(p.y, 400);
    s.xPosi = 1700;
    p = PlaceDialog(s, Dialog(300, 200, {1720, 500}));
    EXPECT_EQ(p.x, 1390);
}

TEST(PlaceDialog, KeptInsideTheMonitorAndOffTheTaskbar) {
    RulerState s;
    s.PrimaryScreenWidth = 1920;
    s.PrimaryScreenHeight = 1080;
    DialogPlacement d = Dialog(2000, 100, {10, 10});
    d.hasTaskbar = true;
    d.taskbar = {1860, 0, 1920, 1080};  // standing at the right
    Point p = PlaceDialog(s, d);
    EXPECT_EQ(p.x, 1860 - 2000 - 5);  // the right edge wins
    d = Dialog(300, 100, {10, 10});
    d.hasTaskbar = true;
    d.taskbar = {0, 0, 60, 1080};  // standing at the left
    p = PlaceDialog(s, d);
    EXPECT_EQ(p.x, 65);
    d.taskbar = {0, 0, 1920, 40};  // lying at the top
    d.placeAtCursor = true;
    p = PlaceDialog(s, d);
    EXPECT_EQ(p.y, 43);
    // A monitor left of the primary one.
    d = Dialog(300, 100, {-1910, 500});
    d.monitor = {-1920, 0, 0, 1080};
    EXPECT_EQ(PlaceDialog(s, d).x, -1915);
}

}  // namespace
