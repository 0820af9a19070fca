// Dots per inch: which density a monitor is drawn at, the picture step, and sizes and font
// heights carried between densities.
#include <gtest/gtest.h>

#include "model/dpi.h"

namespace {

TEST(Dpi, StepOnlyAtTheExactStandardDensities) {
    EXPECT_EQ(DpiStep(96.0f), 0);
    EXPECT_EQ(DpiStep(120.0f), 2);
    EXPECT_EQ(DpiStep(144.0f), 3);
    EXPECT_EQ(DpiStep(192.0f), 4);
    // In between, and beyond, the pictures for 96 dots per inch serve.
    for (float between : {97.0f, 119.0f, 121.0f, 143.5f, 168.0f, 191.0f, 240.0f, 288.0f}) {
        EXPECT_EQ(DpiStep(between), 0) << between;
    }
}

TEST(Dpi, SizesGrowWithTheDensityAndAreTruncated) {
    // The colour strip's 15 pixels and the panel's 28-pixel buttons.
    EXPECT_EQ(ScaledToDpi(15, 96), 15);
    EXPECT_EQ(ScaledToDpi(15, 120), 18);  // 18.75
    EXPECT_EQ(ScaledToDpi(15, 144), 22);  // 22.5
    EXPECT_EQ(ScaledToDpi(15, 168), 26);  // 26.25
    EXPECT_EQ(ScaledToDpi(15, 192), 30);
    EXPECT_EQ(ScaledToDpi(28, 144), 42);
    EXPECT_EQ(ScaledToDpi(300, 72), 225);
    EXPECT_EQ(ScaledToDpi(0, 144), 0);
}

TEST(Dpi, AMonitorsDensityIsItsOwnWhenBelievable) {
    Dpi screen;
    screen.x = screen.y = 120;
    screen.step = 2;
    const Dpi d144 = MonitorDpi(144, 144, screen);
    EXPECT_EQ(d144.x, 144.0f);
    EXPECT_EQ(d144.y, 144.0f);
    EXPECT_EQ(d144.step, 3);
    const Dpi d168 = MonitorDpi(168, 168, screen);
    EXPECT_EQ(d168.x, 168.0f);
    EXPECT_EQ(d168.step, 0);
    // Across and down apart: the step goes by the width.
    const Dpi wide = MonitorDpi(192, 96, screen);
    EXPECT_EQ(wide.x, 192.0f);
    EXPECT_EQ(wide.y, 96.0f);
    EXPECT_EQ(wide.step, 4);
    EXPECT_EQ(MonitorDpi(48, 960, screen).y, 960.0f);

    // None reported, or one not to be believed on either axis: the screen's setting stays.
    EXPECT_EQ(MonitorDpi(0, 0, screen), screen);
    EXPECT_EQ(MonitorDpi(47, 96, screen), screen);
    EXPECT_EQ(MonitorDpi(96, 961, screen), screen);
    EXPECT_EQ(MonitorDpi(65535, 65535, screen), screen);
    // Without a screen setting either, the standard density.
    EXPECT_EQ(MonitorDpi(0, 0, Dpi{}), (Dpi{96, 96, 0}));
}

TEST(Dpi, FontHeightsAreCarriedToTheNearestPixelAndNeverVanish) {
    // A dialog's 8-point font is 11 pixels high at 96 dots per inch.
    EXPECT_EQ(CarriedToDpi(-11, 96, 144), -17);  // 16.5, away from zero
    EXPECT_EQ(CarriedToDpi(-11, 96, 120), -14);  // 13.75
    EXPECT_EQ(CarriedToDpi(-12, 96, 192), -24);
    EXPECT_EQ(CarriedToDpi(-17, 144, 96), -11);  // 11.33, and back where it was
    EXPECT_EQ(CarriedToDpi(16, 96, 120), 20);    // a cell height keeps its sign
    EXPECT_EQ(CarriedToDpi(-1, 240, 96), -1);    // 0.4 would be the default size
    EXPECT_EQ(CarriedToDpi(1, 240, 96), 1);
    // The default size stays the default; an unknown density changes nothing.
    EXPECT_EQ(CarriedToDpi(0, 96, 144), 0);
    EXPECT_EQ(CarriedToDpi(-11, 0, 144), -11);
    EXPECT_EQ(CarriedToDpi(-11, 96, 0), -11);
}

TEST(Dpi, TheRulersDensityIsHeldInItsState) {
    RulerState s;
    SetDpi(s, MonitorDpi(144, 120, Dpi{}));
    EXPECT_EQ(s.DpiX, 144.0f);
    EXPECT_EQ(s.DpiY, 120.0f);
    EXPECT_EQ(s.DpiStep, 3);
    EXPECT_EQ(DpiOf(s), (Dpi{144, 120, 3}));
}

}  // namespace
