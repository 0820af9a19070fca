// The context menu's state, the instance commands, Copy's texts and Adjust's arithmetic.
#include <gtest/gtest.h>

#include <set>

#include "app/commands.h"
#include "model/placement.h"
#include "ops/copy_adjust.h"
#include "refresh_print.h"
#include "resources/resource.h"

namespace {

TEST(ContextMenu, FirstAndThirdRunningWithAGap) {
    RulerState s;
    s.InstanceNumber = 3;
    const ContextMenuState m = MenuStateOf(s, false, false, 1);  // 1 and 3 run: one without gap
    EXPECT_FALSE(m.allExitEnabled);
    EXPECT_TRUE(m.addEnabled);
    EXPECT_FALSE(m.displaySizeEnabled);
    EXPECT_FALSE(m.uninstallEnabled);
    EXPECT_TRUE(m.setupEnabled);
    EXPECT_TRUE(m.topMostChecked);
    EXPECT_EQ(m.unitCommand, IDM_UNIT_CM);
    EXPECT_EQ(m.firstItemImage, IDB_MENU_RULER);
}

TEST(ContextMenu, ChecksAndEnabledItems) {
    RulerState s;
    s.InstanceNumber = 1;
    s.NarrowScale = 1;
    s.FullScale = 1;
    s.TopMost = 0;
    s.Unit = kUnitInch;
    s.Vertical = 1;
    ContextMenuState m = MenuStateOf(s, true, false, 8);
    EXPECT_TRUE(m.operationChecked);
    EXPECT_FALSE(m.setupEnabled);  // not while the panel is open
    EXPECT_TRUE(m.narrowChecked);
    EXPECT_TRUE(m.fullChecked);
    EXPECT_FALSE(m.topMostChecked);
    EXPECT_EQ(m.unitCommand, IDM_UNIT_INCH);
    EXPECT_TRUE(m.displaySizeEnabled);
    EXPECT_TRUE(m.uninstallEnabled);
    EXPECT_TRUE(m.allExitEnabled);
    EXPECT_FALSE(m.addEnabled);  // all eight taken
    EXPECT_EQ(m.firstItemImage, IDB_MENU_RULER_VERT);
    m = MenuStateOf(s, false, true, 2);
    EXPECT_TRUE(m.magnifierChecked);
    EXPECT_FALSE(m.setupEnabled);
    s.InstanceMax = 9;
    EXPECT_TRUE(MenuStateOf(s, false, false, 8).addEnabled);
}

TEST(Instances, SwitchCommands) {
    auto decoded = DecodeInstanceSwitch(1003, 8);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->instance, 3);
    EXPECT_FALSE(decoded->withPanel);
    decoded = DecodeInstanceSwitch(1013, 8);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->instance, 3);
    EXPECT_TRUE(decoded->withPanel);
    EXPECT_FALSE(DecodeInstanceSwitch(1009, 8));
    EXPECT_TRUE(DecodeInstanceSwitch(1009, 9));
    EXPECT_FALSE(DecodeInstanceSwitch(1010, 9));
    EXPECT_FALSE(DecodeInstanceSwitch(1000, 9));
    EXPECT_FALSE(DecodeInstanceSwitch(1019, 8));
    EXPECT_EQ(DecodeInstanceSwitch(1019, 9)->instance, 9);
}

TEST(Instances, TrayTextsAndTheBroadcastReachesEveryOtherRunningInstance) {
    EXPECT_EQ(TrayMenuItemText(2, false), L"Linova <2>");
    EXPECT_EQ(TrayMenuItemText(4, true), L"Linova <4> Operation...");
    EXPECT_STREQ(kTrayTip, L"Linova - version " LINOVA_VERSION);
    const std::set<int> running = {1, 2, 3, 5, 9};
    std::vector<int> asked;
    const auto others = OtherInstances(3, 8, [&](int n) {
        asked.push_back(n);
        return running.count(n) != 0;
    });
    EXPECT_EQ(others, (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(asked, (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));  // never itself, never past 8
}

TEST(Copy, TextsAsTheReadoutsWriteThem) {
    RulerState s;
    s.Unit = kUnitPixel;
    s.Scaling = 378;
    EXPECT_EQ(CopyText(s, IDM_COPY_RED_BLUE), L"-30 pixel");
    EXPECT_EQ(CopyText(s, IDM_COPY_LENGTH), L"300 pixel");
    s.Unit = kUnitCm;
    EXPECT_EQ(CopyText(s, IDM_COPY_RED), L" 2.64 cm");
    s.Unit = kUnitInch;
    EXPECT_EQ(CopyText(s, IDM_COPY_BLUE), L" 1.35 inches");
    EXPECT_FALSE(CopyText(s, 103));
}

RulerState Below(int32_t x, int32_t y) {
    RulerState s;
    s.xPosi = x;
    s.yPosi = y;
    return s;
}

TEST(Adjust, ProbePoints) {
    RulerState s = Below(120, 530);
    EXPECT_EQ(AdjustProbe(s).x, 121);
    EXPECT_EQ(AdjustProbe(s).y, 529);
    s.Reverse = 1;
    EXPECT_EQ(AdjustProbe(s).x, 120 + 299);
    s.Vertical = 1;
    EXPECT_EQ(AdjustProbe(s).x, 119);
    EXPECT_EQ(AdjustProbe(s).y, 530 + 299);
    s.Reverse = 0;
    EXPECT_EQ(AdjustProbe(s).y, 531);
}

TEST(Adjust, FitsTheWindowAboveOrLeft) {
    const Rect window{100, 50, 740, 530};
    RulerState s = Below(120, 530);
    const Refresh r = AdjustTo(s, window);
    EXPECT_EQ(s.xPosi, 100);
    EXPECT_EQ(s.yPosi, 530);
    EXPECT_EQ(s.Marker, 640);
    EXPECT_EQ(s.ScaleLength, 672);
    EXPECT_EQ(s.Lenght, 672);
    EXPECT_EQ(s.MarkerBlue, 130);
    Refresh want;
    want.panel.length = true;
    want.panel.red = true;
    want.fixMonitorByCursor = true;
    want.recomputeLength = true;
    want.placement = Placement::kFull;
    want.readout = true;
    want.repaint = Repaint::kErase;
    EXPECT_EQ(r, want);

    s = Below(120, 530);
    s.Reverse = 1;
    AdjustTo(s, window);
    EXPECT_EQ(s.xPosi, 67);

    s = Below(740, 60);
    s.Vertical = 1;
    AdjustTo(s, window);
    EXPECT_EQ(s.xPosi, 740);
    EXPECT_EQ(s.yPosi, 50);
    EXPECT_EQ(s.Marker, 480);
    EXPECT_EQ(s.ScaleLength, 512);

    // A client area of 624 x 441 at (108, 81) on screen.
    s = Below(120, 530);
    AdjustTo(s, Rect{108, 81, 108 + 624, 81 + 441});
    EXPECT_EQ(s.xPosi, 108);
    EXPECT_EQ(s.Marker, 624);
}

TEST(Adjust, FullScaleKeepsItsLengthButMovesTheOrigin) {
    RulerState s = Below(500, 530);
    s.FullScale = 1;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.ScaleLength = 1920;
    s.Lenght = 300;
    AdjustTo(s, Rect{100, 50, 740, 530});
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.xPosi, 100);
    EXPECT_EQ(s.Marker, 640);
    RecomputeLength(s);
    EXPECT_EQ(s.ScaleLength, 1920);
}

}  // namespace
