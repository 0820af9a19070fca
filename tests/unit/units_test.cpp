// Length and scale texts, and the automatic scale of a monitor.
#include <gtest/gtest.h>

#include "model/units.h"

namespace {

RulerState Ruler(int16_t unit, int32_t scale) {
    RulerState s;
    s.Unit = unit;
    s.Scaling = scale;
    s.ScalingAuto = 0;
    return s;
}

TEST(FormatLength, PixelCmAndInchTexts) {
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 378), 300), L" 7.93 cm");
    EXPECT_EQ(FormatLength(Ruler(kUnitInch, 378), 300), L" 3.12 inches");
    EXPECT_EQ(FormatLength(Ruler(kUnitPixel, 378), 300), L"300 pixel");
    EXPECT_EQ(FormatLength(Ruler(kUnitPixel, 378), 1), L"1 pixel");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 300), 300), L"10.00 cm");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 300), 22000), L"733.33 cm");
}

TEST(FormatLength, InchTruncatesAndIsSingularOnlyAtZeroAndOne) {
    const RulerState s = Ruler(kUnitInch, 378);
    EXPECT_EQ(FormatLength(s, 960), L" 9.99 inches");
    EXPECT_EQ(FormatLength(s, 96), L" 0.99 inches");
    EXPECT_EQ(FormatLength(s, 0), L" 0.00 inch");
    const RulerState fine = Ruler(kUnitInch, 254);  // 64.5 pixel/inch
    EXPECT_EQ(FormatLength(fine, 65), L" 1.00 inch");
    EXPECT_EQ(FormatLength(fine, 66), L" 1.02 inches");
    EXPECT_EQ(FormatLength(Ruler(kUnitInch, 378), 97), L" 1.01 inches");
    EXPECT_EQ(FormatLength(fine, -65), L"-1.00 inches");
}

TEST(FormatLength, NegativeValuesKeepTheSignNextToTheDigits) {
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 378), -50), L"-1.32 cm");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 378), -19), L"-0.50 cm");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 1000), -1234), L"-12.34 cm");
    EXPECT_EQ(FormatLength(Ruler(kUnitPixel, 378), -30), L"-30 pixel");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 378), -1), L"-0.02 cm");
}

TEST(FormatLength, UsesTheAutomaticScaleWhenSelectedAndNothingForAnUnknownUnit) {
    RulerState s = Ruler(kUnitCm, 300);
    s.AutoScaling = 378;
    s.ScalingAuto = 1;
    EXPECT_EQ(FormatLength(s, 300), L" 7.93 cm");
    s.Unit = 3;
    EXPECT_EQ(FormatLength(s, 300), L"");
}

TEST(FormatLength, HugeMarkerPositionsDoNotOverflow) {
    EXPECT_EQ(FormatLength(Ruler(kUnitInch, 30), 2147483647), L"281822000.91 inches");
    EXPECT_EQ(FormatLength(Ruler(kUnitCm, 30), -2147483647), L"-715827882.33 cm");
}

TEST(FormatFixed, TenthsAndHundredthsFieldWidths) {
    EXPECT_EQ(FormatFixed(378, FixedKind::kTenths), L" 37.8");
    EXPECT_EQ(FormatFixed(5, FixedKind::kTenths), L"  0.5");
    EXPECT_EQ(FormatFixed(12345, FixedKind::kTenths), L"1234.5");
    EXPECT_EQ(FormatFixed(5, FixedKind::kHundredths), L" 0.05");
    EXPECT_EQ(FormatFixed(-50, FixedKind::kHundredths), L"-0.50");
    EXPECT_EQ(FormatFixed(-1234, FixedKind::kHundredths), L"-12.34");
}

TEST(FormatScale, PerCentimetreOrPerInch) {
    EXPECT_EQ(FormatScale(Ruler(kUnitPixel, 378)), L" 37.8 pixel/cm");
    EXPECT_EQ(FormatScale(Ruler(kUnitCm, 378)), L" 37.8 pixel/cm");
    EXPECT_EQ(FormatScale(Ruler(kUnitInch, 378)), L" 96.0 pixel/inch");
    EXPECT_EQ(FormatScale(Ruler(kUnitInch, 300)), L" 76.2 pixel/inch");
    EXPECT_EQ(FormatScale(Ruler(kUnitInch, 500)), L"127.0 pixel/inch");
    EXPECT_EQ(FormatScale(Ruler(-1, 500)), L"");
    EXPECT_EQ(FormatScale(Ruler(3, 500)), L"");
}

TEST(ComputeAutoScaling, MonitorDiagonals) {
    EXPECT_EQ(ComputeAutoScaling(1280, 1024, 170), 379);
    EXPECT_EQ(ComputeAutoScaling(1920, 1080, 240), 361);
    EXPECT_EQ(ComputeAutoScaling(1920, 1080, 170), 510);
    EXPECT_EQ(ComputeAutoScaling(2560, 1440, 270), 428);
    // No diagonal would divide by zero; the default 17 inches stands in.
    EXPECT_EQ(ComputeAutoScaling(1920, 1080, 0), 510);
}

}  // namespace
