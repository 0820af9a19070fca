// The background table, the ink on each background and the recolouring of patterns.
#include <gtest/gtest.h>

#include "render/backgrounds.h"

namespace {

TEST(Backgrounds, TableOfSolidSystemAndPatternBackgrounds) {
    const Rgb solids[] = {MakeRgb(255, 255, 255), MakeRgb(192, 192, 192), MakeRgb(255, 255, 192),
                          MakeRgb(192, 255, 255), MakeRgb(255, 192, 255), MakeRgb(255, 255, 128),
                          MakeRgb(192, 192, 255), MakeRgb(192, 255, 192)};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(BackgroundOf(i).kind, BackgroundKind::kSolid);
        EXPECT_EQ(BackgroundOf(i).colour, solids[i]) << i;
    }
    const int systemColours[] = {4, 13, 1, 2, 3};  // menu, highlight, desktop, captions
    for (int i = 8; i < 13; ++i) {
        EXPECT_EQ(BackgroundOf(i).kind, BackgroundKind::kSystem);
        EXPECT_EQ(BackgroundOf(i).systemColour, systemColours[i - 8]) << i;
    }
    EXPECT_STREQ(BackgroundOf(13).bitmap, L"LinovaBmp");
    EXPECT_STREQ(BackgroundOf(16).bitmap, L"LinovaBmp3");
    EXPECT_STREQ(BackgroundOf(22).bitmap, L"LinovaBmp9");
    for (int i = 13; i < 23; ++i) {
        EXPECT_EQ(BackgroundOf(i).kind, BackgroundKind::kPattern);
        EXPECT_EQ(BackgroundOf(i).recolored, i >= 18) << i;
    }
}

TEST(Backgrounds, InkByBrightnessOnSystemColours) {
    EXPECT_EQ(InkColor(8, MakeRgb(240, 240, 240)), MakeRgb(0, 0, 0));
    EXPECT_EQ(InkColor(9, MakeRgb(0, 120, 215)), MakeRgb(0, 0, 0));
    EXPECT_EQ(InkColor(9, MakeRgb(0, 0, 128)), MakeRgb(192, 192, 192));
    EXPECT_EQ(InkColor(10, MakeRgb(141, 0, 0)), MakeRgb(192, 192, 192));  // 55 percent
    EXPECT_EQ(InkColor(12, MakeRgb(0, 142, 0)), MakeRgb(0, 0, 0));        // 56 percent
    // Fixed backgrounds ignore the colour.
    EXPECT_EQ(InkColor(0, MakeRgb(0, 0, 0)), MakeRgb(0, 0, 0));
    EXPECT_EQ(InkColor(7, MakeRgb(0, 0, 0)), MakeRgb(0, 0, 0));
    EXPECT_EQ(InkColor(13, MakeRgb(0, 0, 0)), MakeRgb(0, 0, 0));
    EXPECT_EQ(InkColor(19, 0), MakeRgb(223, 223, 223));
    EXPECT_EQ(InkColor(20, 0), MakeRgb(223, 223, 223));
    EXPECT_EQ(InkColor(21, 0), MakeRgb(0, 0, 0));
}

TEST(Backgrounds, MarkerAndOriginSquareOnDarkBackgrounds) {
    for (int i = 0; i < kBackgroundCount; ++i) {
        const bool cyan = i == 9 || i == 10 || i == 19 || i == 20;
        EXPECT_EQ(BlueMarkerColor(i), cyan ? MakeRgb(0, 255, 255) : MakeRgb(0, 64, 255)) << i;
        EXPECT_EQ(LightOriginSquare(i), i == 10 || i == 19 || i == 20) << i;
    }
}

TEST(Backgrounds, RecolouredPatternGreysFollowTheSystem) {
    const PatternColours colours{MakeRgb(250, 250, 250), MakeRgb(240, 240, 240),
                                 MakeRgb(160, 160, 160)};
    EXPECT_EQ(RecolorPixel(MakeRgb(255, 255, 255), colours), MakeRgb(250, 250, 250));
    EXPECT_EQ(RecolorPixel(MakeRgb(223, 223, 223), colours), MakeRgb(250, 250, 250));
    EXPECT_EQ(RecolorPixel(MakeRgb(192, 192, 192), colours), MakeRgb(240, 240, 240));
    EXPECT_EQ(RecolorPixel(MakeRgb(128, 128, 128), colours), MakeRgb(160, 160, 160));
    EXPECT_EQ(RecolorPixel(MakeRgb(77, 77, 77), colours), MakeRgb(77, 77, 77));
    // The tests run in turn: a highlight that is itself grey 192 goes on to the menu colour.
    const PatternColours chained{MakeRgb(192, 192, 192), MakeRgb(128, 128, 128), MakeRgb(1, 2, 3)};
    EXPECT_EQ(RecolorPixel(MakeRgb(255, 255, 255), chained), MakeRgb(1, 2, 3));
}

}  // namespace
