// The magnifier's arithmetic: which point each pane shows, the screen rectangle it copies, its
// layout, the part that would show the magnifier itself, and its menu commands.
#include <gtest/gtest.h>

#include <climits>

#include "magnifier/magnifier.h"
#include "resources/resource.h"

namespace {

std::string Text(const Rect& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

#define EXPECT_RECT(actual, l, t, r, b) EXPECT_EQ(Text(actual), Text(Rect{l, t, r, b}))

// A horizontal ruler at (400, 300), 300 pixels long, with the red marker at 100 and the blue one
// at 130, magnified 4 times in the mode Edge / Red.
RulerState Ruler() {
    RulerState s;
    s.xPosi = 400;
    s.yPosi = 300;
    s.Lenght = 300;
    s.ScaleLength = 300;
    s.Marker = 100;
    s.MarkerBlue = 130;
    s.Magnifier = 4;
    s.MagType = 0;
    return s;
}

TEST(MagnifierSource, EachPaneIsCentredOnItsPointAndItsSideOfTheRuler) {
    const RulerState s = Ruler();
    // 160 x 100 at zoom 4 copies 40 x 25: the origin on the left, the red marker on the right,
    // the top side above and the bottom side, 50 pixels lower, below.
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 380, 288, 420, 313);
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 480, 288, 520, 313);
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 380, 338, 420, 363);
    EXPECT_RECT(PaneSource(s, 3, 160, 100), 480, 338, 520, 363);
}

TEST(MagnifierSource, TheSourceIsThePaneDividedByTheZoomTruncated) {
    RulerState s = Ruler();
    s.Magnifier = 3;
    // 53 x 33, stretched over the 160 x 100 pane.
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 374, 284, 427, 317);
    s.Magnifier = 1;
    EXPECT_RECT(PaneSource(s, 3, 161, 101), 420, 300, 581, 401);
    // Narrower or lower than the zoom: nothing to copy, the pane stays black.
    s.Magnifier = 8;
    EXPECT_EQ(PaneSource(s, 1, 7, 100).Width(), 0);
    EXPECT_EQ(PaneSource(s, 1, 100, 7).Height(), 0);
    EXPECT_EQ(PaneSource(s, 1, 8, 8).Width(), 1);
    EXPECT_EQ(PaneSource(s, 1, 0, 0).Width(), 0);
}

TEST(MagnifierSource, ANarrowRulersBottomRowIs22PixelsBelowTheTop) {
    RulerState s = Ruler();
    s.NarrowScale = 1;
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 380, 288, 420, 313);
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 380, 310, 420, 335);
}

TEST(MagnifierSource, TheModesChooseTheTwoPointsAndReverseCountsFromTheFarEnd) {
    RulerState s = Ruler();
    s.MagType = 1;  // Edge / Blue
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 510, 288, 550, 313);
    s.MagType = 2;  // Red / Blue: red on the left, blue on the right
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 480, 288, 520, 313);
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 510, 288, 550, 313);
    // Reversed, the markers lie 100 and 130 pixels from the right end: blue at 170 on the left,
    // red at 200 on the right.
    s.Reverse = 1;
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 550, 288, 590, 313);
    EXPECT_RECT(PaneSource(s, 3, 160, 100), 580, 338, 620, 363);
    // Edge / Red reversed: the red marker on the left, the origin at the far end on the right.
    s.MagType = 0;
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 580, 338, 620, 363);
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 680, 288, 720, 313);
}

TEST(MagnifierSource, AVerticalRulerHasItsPointsInRowsAndItsSidesInColumns) {
    RulerState s = Ruler();
    s.Vertical = 1;
    s.MagType = 1;  // Edge / Blue
    // The origin in the top row, the blue marker below; the left side in the left column, the
    // right side 50 pixels further right.
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 380, 288, 420, 313);
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 430, 288, 470, 313);
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 380, 418, 420, 443);
    EXPECT_RECT(PaneSource(s, 3, 160, 100), 430, 418, 470, 443);
    s.NarrowScale = 1;
    EXPECT_RECT(PaneSource(s, 3, 160, 100), 402, 418, 442, 443);
}

TEST(MagnifierSource, AFullScaleRulersOriginLiesOnThePanesBorder) {
    RulerState s = Ruler();
    s.FullScale = 1;
    s.MonitorRect = Rect{1920, 0, 3840, 1080};
    s.ScaleLength = 1920;
    // The stored x no longer counts: the ruler starts at the monitor's left edge, which is the
    // left border of the origin's panes; the red marker's panes are centred.
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 1920, 288, 1960, 313);
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 1920, 338, 1960, 363);
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 2000, 288, 2040, 313);
    // Reversed, the origin is the ruler's right end, on the right border of the right panes.
    s.Reverse = 1;
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 3800, 288, 3840, 313);
    EXPECT_RECT(PaneSource(s, 3, 160, 100), 3800, 338, 3840, 363);
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 3720, 288, 3760, 313);
    // Red / Blue has no origin pane: both are centred.
    s.Reverse = 0;
    s.MagType = 2;
    EXPECT_RECT(PaneSource(s, 0, 160, 100), 2000, 288, 2040, 313);
    // A vertical full-scale ruler starts at its monitor's top.
    s.MagType = 0;
    s.Vertical = 1;
    s.MonitorRect = Rect{0, -1080, 1920, 0};
    s.ScaleLength = 1080;
    EXPECT_RECT(PaneSource(s, 1, 160, 100), 430, -1080, 470, -1055);
    EXPECT_RECT(PaneSource(s, 2, 160, 100), 380, -992, 420, -967);
}

TEST(MagnifierSource, AMarkerFarBeyondTheScreenGivesARectangleFarOff) {
    RulerState s = Ruler();
    s.Marker = INT32_MAX;
    s.xPosi = INT32_MAX - 10;
    const Rect r = PaneSource(s, 1, 160, 100);
    EXPECT_EQ(r.left, 1 << 30);
    EXPECT_EQ(r.Width(), 40);
    // Reversed, the origin is far off at the far end, and the marker far off before the start.
    s.Reverse = 1;
    EXPECT_EQ(PaneSource(s, 1, 160, 100).left, 1 << 30);
    s.xPosi = 0;
    EXPECT_EQ(PaneSource(s, 0, 160, 100).left, -(1 << 30));
}

TEST(MagnifierLayout, StripLineAndFourPanes) {
    const MagnifierLayout l = LayoutMagnifier(310, 241, 96);
    EXPECT_RECT(l.strip, 0, 0, 15, 241);
    EXPECT_RECT(l.line, 15, 0, 17, 241);
    // 293 pixels left: 146 and 147 wide; 120 and 121 high.
    EXPECT_RECT(l.panes[0], 17, 0, 163, 120);
    EXPECT_RECT(l.panes[1], 163, 0, 310, 120);
    EXPECT_RECT(l.panes[2], 17, 120, 163, 241);
    EXPECT_RECT(l.panes[3], 163, 120, 310, 241);
    // The strip grows with the screen's DPI: 22.5 and 18.75 pixels are truncated.
    EXPECT_EQ(LayoutMagnifier(310, 241, 144).strip.right, 22);
    EXPECT_EQ(LayoutMagnifier(310, 241, 120).panes[0].left, 20);
    // A client area narrower than the strip leaves the panes empty, not negative.
    const MagnifierLayout narrow = LayoutMagnifier(10, 40, 96);
    EXPECT_EQ(narrow.panes[0].Width(), 0);
    EXPECT_EQ(narrow.panes[1].Width(), 0);
    EXPECT_EQ(narrow.panes[3].Height(), 20);
}

TEST(MagnifierCovered, ThePanePixelsThatWouldShowTheMagnifier) {
    // 40 x 25 source pixels over a 160 x 100 pane: each is 4 x 4.
    const Rect source{380, 288, 420, 313};
    EXPECT_RECT(CoveredPart(source, Rect{400, 310, 700, 600}, 160, 100), 80, 88, 160, 100);
    EXPECT_RECT(CoveredPart(source, Rect{0, 0, 381, 289}, 160, 100), 0, 0, 4, 4);
    // Apart, or only touching: nothing covered.
    EXPECT_EQ(CoveredPart(source, Rect{420, 288, 500, 313}, 160, 100).Width(), 0);
    EXPECT_EQ(CoveredPart(source, Rect{380, 200, 420, 288}, 160, 100).Height(), 0);
    // 53 source pixels over 160: a covered source pixel blackens every pane pixel it reaches.
    EXPECT_RECT(CoveredPart(Rect{374, 284, 427, 317}, Rect{384, 284, 394, 317}, 160, 100), 30, 0,
                61, 100);
    // An empty source covers nothing.
    EXPECT_EQ(CoveredPart(Rect{380, 288, 380, 313}, Rect{0, 0, 1000, 1000}, 7, 100).Width(), 0);
}

TEST(MagnifierOnScreen, OnlyWhatTheScreenHoldsIsCopiedWhereTheWholeWouldHaveGone) {
    const Rect screen{0, 0, 1920, 1080};
    // 37 x 31 source pixels over a 148 x 124 pane: 4 x 4 each.
    auto copy = OnScreenPart(Rect{100, 400, 137, 431}, screen, 148, 124);
    ASSERT_TRUE(copy);
    EXPECT_RECT(copy->from, 100, 400, 137, 431);
    EXPECT_RECT(copy->to, 0, 0, 148, 124);
    // Half beyond the left edge: the right part of the pane.
    copy = OnScreenPart(Rect{-20, 400, 17, 431}, screen, 148, 124);
    ASSERT_TRUE(copy);
    EXPECT_RECT(copy->from, 0, 400, 17, 431);
    EXPECT_RECT(copy->to, 80, 0, 148, 124);
    // Beyond the bottom right corner: the top left of the pane.
    copy = OnScreenPart(Rect{1900, 1070, 1937, 1101}, screen, 148, 124);
    ASSERT_TRUE(copy);
    EXPECT_RECT(copy->from, 1900, 1070, 1920, 1080);
    EXPECT_RECT(copy->to, 0, 0, 80, 40);
    // 53 source pixels over 160: the part starts where its first pixel would have.
    copy = OnScreenPart(Rect{-10, 0, 43, 33}, screen, 160, 100);
    ASSERT_TRUE(copy);
    EXPECT_RECT(copy->to, 30, 0, 160, 100);
    // A monitor left of the primary one.
    copy = OnScreenPart(Rect{-1300, 10, -1263, 41}, Rect{-1280, 0, 1920, 1080}, 148, 124);
    ASSERT_TRUE(copy);
    EXPECT_RECT(copy->to, 80, 0, 148, 124);
    // Wholly off the screen, or no source at all: nothing is read.
    EXPECT_FALSE(OnScreenPart(Rect{-40, 400, -3, 431}, screen, 148, 124));
    EXPECT_FALSE(OnScreenPart(Rect{1920, 400, 1957, 431}, screen, 148, 124));
    EXPECT_FALSE(OnScreenPart(Rect{100, 400, 100, 431}, screen, 7, 124));
}

TEST(MagnifierCommands, ZoomModeCloseAndTurn) {
    RulerState s = Ruler();
    EXPECT_EQ(ZoomItem(s), IDM_ZOOM_4);
    EXPECT_EQ(ModeItem(s), IDM_MAG_EDGE_RED);
    EXPECT_EQ(RunMagnifierCommand(s, 40011), MagnifierAction::kRedraw);
    EXPECT_EQ(s.Magnifier, 1);
    EXPECT_EQ(RunMagnifierCommand(s, 40018), MagnifierAction::kRedraw);
    EXPECT_EQ(s.Magnifier, 8);
    EXPECT_EQ(ZoomItem(s), 40018);
    EXPECT_EQ(RunMagnifierCommand(s, 40030), MagnifierAction::kRedraw);
    EXPECT_EQ(s.MagType, 2);
    EXPECT_EQ(RunMagnifierCommand(s, 40029), MagnifierAction::kRedraw);
    EXPECT_EQ(s.MagType, 1);
    EXPECT_EQ(ModeItem(s), 40029);
    EXPECT_EQ(RunMagnifierCommand(s, 40021), MagnifierAction::kClose);
    EXPECT_EQ(RunMagnifierCommand(s, 1), MagnifierAction::kClose);
    EXPECT_EQ(RunMagnifierCommand(s, 2), MagnifierAction::kClose);
    EXPECT_EQ(RunMagnifierCommand(s, 2001), MagnifierAction::kReloadIcon);
    // Next to the ranges: nothing changes.
    for (int other : {40010, 40019, 40027, 40031, 1020, 0}) {
        EXPECT_EQ(RunMagnifierCommand(s, other), MagnifierAction::kNone) << other;
    }
    EXPECT_EQ(s.Magnifier, 8);
    EXPECT_EQ(s.MagType, 1);
}

}  // namespace
