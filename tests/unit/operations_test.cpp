// The measuring operations: bounds, the stored length, full-scale, turning, keys, wheel, drag.
#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "model/placement.h"
#include "ops/operations.h"
#include "refresh_print.h"

namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

RulerState OnMonitor(int32_t x, int32_t y, int32_t length) {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.xPosi = x;
    s.yPosi = y;
    s.Lenght = length;
    s.ScaleLength = length;
    return s;
}

TEST(Operations, LengthStepsStopAtFiftyAndAtTheMonitor) {
    RulerState s = OnMonitor(0, 0, 52);
    Refresh r = LengthStep(s, StepSize(true), false);
    EXPECT_EQ(s.ScaleLength, 50);
    EXPECT_EQ(s.Lenght, 50);  // kept for the next start
    Refresh want;
    want.panel.length = true;
    want.placement = Placement::kResize;
    want.readout = true;
    want.repaint = Repaint::kKeepBackground;
    EXPECT_EQ(r, want);
    LengthStep(s, StepSize(false), false);
    EXPECT_EQ(s.ScaleLength, 50);

    s = OnMonitor(0, 0, 1915);
    LengthStep(s, 10, true);
    EXPECT_EQ(s.ScaleLength, 1920);
    s.Vertical = 1;
    LengthStep(s, 1, false);
    LengthStep(s, 10, true);
    EXPECT_EQ(s.ScaleLength, 1080);
}

TEST(Operations, MarkerStepsStayOnTheScale) {
    RulerState s = OnMonitor(0, 0, 300);
    s.Marker = 3;
    MarkerStep(s, false, 10, false);
    EXPECT_EQ(s.Marker, 0);
    s.MarkerBlue = 300;
    const Refresh r = MarkerStep(s, true, 1, true);
    EXPECT_EQ(s.MarkerBlue, 300);
    Refresh want;
    want.panel.blue = true;
    want.readout = true;
    want.repaint = Repaint::kKeepBackground;
    want.magnifier = true;
    EXPECT_EQ(r, want);
}

TEST(Operations, MovesKeepAThicknessOnTheMonitor) {
    RulerState s = OnMonitor(-245, 0, 300);
    MoveStep(s, Move::kLeft, 10);
    EXPECT_EQ(s.xPosi, -250);
    s.xPosi = 1865;
    MoveStep(s, Move::kRight, 10);
    EXPECT_EQ(s.xPosi, 1870);
    MoveStep(s, Move::kUp, 10);
    EXPECT_EQ(s.yPosi, 0);
    s.yPosi = 1025;
    MoveStep(s, Move::kDown, 10);
    EXPECT_EQ(s.yPosi, 1030);
    s.Vertical = 1;
    s.NarrowScale = 1;
    s.xPosi = 3;
    MoveStep(s, Move::kLeft, 10);
    EXPECT_EQ(s.xPosi, 0);
    s.yPosi = -270;
    MoveStep(s, Move::kUp, 10);
    EXPECT_EQ(s.yPosi, -278);
    Refresh want;
    want.placement = Placement::kStep;
    EXPECT_EQ(MoveStep(s, Move::kUp, 1), want);
}

TEST(Operations, FullScaleOnAndOffRestoresLengthAndPosition) {
    RulerState s = OnMonitor(500, 300, 400);
    Refresh r = ToggleFullScale(s);
    EXPECT_EQ(s.ScaleLength, 1920);
    EXPECT_EQ(s.Lenght, 400);
    Refresh want;
    want.panel.length = true;
    want.panel.arrows = true;
    want.panel.fullScaleButton = true;
    want.placement = Placement::kFull;
    want.readout = true;
    want.repaint = Repaint::kErase;
    EXPECT_EQ(r, want);
    EXPECT_EQ(ToggleFullScale(s), want);
    EXPECT_EQ(s.ScaleLength, 400);
    EXPECT_EQ(s.xPosi, 500);
    EXPECT_EQ(s.yPosi, 300);
}

TEST(Operations, ADensityChangeMovesTheRulerButKeepsItsPixels) {
    const Dpi at144 = MonitorDpi(144, 144, Dpi{});
    RulerState s = OnMonitor(500, 300, 400);
    s.NarrowScale = 1;
    const Refresh r = FollowDpi(s, at144, Point{2420, 310});
    EXPECT_EQ(DpiOf(s), (Dpi{144, 144, 3}));
    // Where the system suggests, and 401 x 22 pixels as before, not half as much again.
    EXPECT_EQ(RulerWindowRect(s), (Rect{2420, 310, 2821, 332}));
    EXPECT_EQ(s.Lenght, 400);
    Refresh want;
    want.placement = Placement::kFull;
    want.readout = true;
    EXPECT_EQ(r, want);

    // A full-scale ruler keeps the position it comes back to along its axis.
    RulerState full = OnMonitor(500, 300, 400);
    ToggleFullScale(full);
    FollowDpi(full, at144, Point{0, 310});
    EXPECT_EQ(full.xPosi, 500);
    EXPECT_EQ(full.yPosi, 310);
    EXPECT_EQ(full.ScaleLength, 1920);
    RulerState upright = OnMonitor(500, 300, 400);
    upright.Vertical = 1;
    ToggleFullScale(upright);
    FollowDpi(upright, at144, Point{520, 0});
    EXPECT_EQ(upright.xPosi, 520);
    EXPECT_EQ(upright.yPosi, 300);
    EXPECT_EQ(RulerWindowRect(upright), (Rect{520, 0, 570, 1081}));
}

TEST(Operations, TurningAboutTheCentreAndBack) {
    RulerState s = OnMonitor(100, 200, 300);
    Refresh r = TurnAboutCentre(s);
    EXPECT_EQ(s.Vertical, 1);
    EXPECT_EQ(s.xPosi, 225);
    EXPECT_EQ(s.yPosi, 75);
    Refresh want;
    want.panel.length = true;
    want.fixMonitorByCursor = true;
    want.placement = Placement::kFull;
    want.readout = true;
    want.repaint = Repaint::kErase;
    want.render = true;
    want.turned = true;
    EXPECT_EQ(r, want);
    EXPECT_EQ(TurnAboutCentre(s), want);
    EXPECT_EQ(s.Vertical, 0);
    EXPECT_EQ(s.xPosi, 100);
    EXPECT_EQ(s.yPosi, 200);
}

TEST(Operations, TurningAboutAPointKeepsThatScalePosition) {
    RulerState s = OnMonitor(100, 200, 300);
    TurnAbout(s, {160, 210});
    EXPECT_EQ(s.xPosi, 135);
    EXPECT_EQ(s.yPosi, 165);
    // Scale position 60 was at x 160; it is now at y 165 + 60 = 225, centred on x 160.
    TurnAbout(s, {0, 225});
    EXPECT_EQ(s.Vertical, 0);
    EXPECT_EQ(s.xPosi, 100);
    EXPECT_EQ(s.yPosi, 200);
    EXPECT_EQ(s.Lenght, 300);
}

TEST(Operations, TurningAFullScaleRulerTakesTheOtherExtent) {
    RulerState s = OnMonitor(100, 200, 300);
    ToggleFullScale(s);
    Refresh r = TurnAbout(s, {700, 500});
    EXPECT_EQ(s.ScaleLength, 1080);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.xPosi, 675);  // only across the ruler
    EXPECT_EQ(s.yPosi, 200);
    Refresh want;
    want.panel.length = true;
    want.panel.arrows = true;  // a full-scale ruler's arrows change with its direction
    want.fixMonitorByCursor = true;
    want.placement = Placement::kFull;
    want.readout = true;
    want.repaint = Repaint::kErase;
    want.render = true;
    want.turned = true;
    EXPECT_EQ(r, want);
    TurnAboutCentre(s);
    EXPECT_EQ(s.xPosi, 675);
    EXPECT_EQ(s.ScaleLength, 1920);
}

TEST(Operations, KeysOnAFullScaleRulerMoveOnlyAcross) {
    RulerState s = OnMonitor(100, 200, 300);
    ToggleFullScale(s);
    EXPECT_FALSE(OnKey(s, kKeyLeft, 1).Any());
    EXPECT_FALSE(OnKey(s, kKeyRight, 1).Any());
    EXPECT_FALSE(OnKey(s, kKeyPrior, 1).Any());
    EXPECT_FALSE(OnKey(s, kKeyNext, 1).Any());
    OnKey(s, kKeyDown, 10);
    EXPECT_EQ(s.yPosi, 210);
    const Refresh r = OnKey(s, kKeyNumpad9, 1);  // up only
    EXPECT_EQ(s.xPosi, 100);
    EXPECT_EQ(s.yPosi, 209);
    Refresh want;  // one placement for both halves
    want.placement = Placement::kStep;
    EXPECT_EQ(r, want);
}

TEST(Operations, KeyTable) {
    RulerState s = OnMonitor(100, 200, 300);
    OnKey(s, kKeyNumpad3, 10);  // right and down
    EXPECT_EQ(s.xPosi, 110);
    EXPECT_EQ(s.yPosi, 210);
    OnKey(s, kKeyNumpad7, 1);  // left and up
    EXPECT_EQ(s.xPosi, 109);
    EXPECT_EQ(s.yPosi, 209);
    OnKey(s, kKeyNext, 10);
    EXPECT_EQ(s.ScaleLength, 310);
    OnKey(s, kKeyAdd, 1);
    EXPECT_EQ(s.Marker, 101);
    OnKey(s, kKeySubtract, 10);
    EXPECT_EQ(s.Marker, 91);
    OnKey(s, kKeyMultiply, 1);
    EXPECT_EQ(s.MarkerBlue, 131);
    OnKey(s, kKeyDivide, 1);
    EXPECT_EQ(s.MarkerBlue, 130);
    OnKey(s, kKeyEnd, 1);
    EXPECT_EQ(s.Reverse, 1);
    OnKey(s, kKeyBack, 1);
    EXPECT_EQ(s.NarrowScale, 1);
    OnKey(s, kKeyDelete, 1);
    EXPECT_EQ(s.FullScale, 1);
    OnKey(s, kKeyNumpad5, 1);
    EXPECT_EQ(s.Vertical, 1);
    EXPECT_FALSE(OnKey(s, 'A', 1).Any());
}

// Only the keys that read the held keys may step by ten: any other key does the same whatever
// step it is given.
TEST(Operations, OnlyStepKeysDependOnTheStep) {
    const auto measures = [](const RulerState& s) {
        return std::make_tuple(s.xPosi, s.yPosi, s.ScaleLength, s.Lenght, s.Marker, s.MarkerBlue,
                               s.Vertical, s.Reverse, s.FullScale, s.NarrowScale);
    };
    int stepKeys = 0;
    for (int key = 0; key < 256; ++key) {
        RulerState one = OnMonitor(500, 500, 300);
        RulerState ten = one;
        const Refresh r1 = OnKey(one, key, 1);
        const Refresh r10 = OnKey(ten, key, 10);
        if (KeyTakesStep(key)) {
            ++stepKeys;
            EXPECT_NE(measures(one), measures(ten)) << "key " << key;
        } else {
            EXPECT_EQ(measures(one), measures(ten)) << "key " << key;
            EXPECT_EQ(r1, r10) << "key " << key;
        }
    }
    EXPECT_EQ(stepKeys, 18);
}

TEST(Operations, WheelStepsTheChosenMarker) {
    RulerState s = OnMonitor(0, 0, 300);
    OnWheel(s, -120, 1);
    EXPECT_EQ(s.Marker, 101);
    OnWheel(s, 240, 10);
    EXPECT_EQ(s.Marker, 91);
    s.WheelMode = 2;
    OnWheel(s, -1, 1);
    EXPECT_EQ(s.MarkerBlue, 131);
    EXPECT_FALSE(OnWheel(s, 0, 1).Any());
    s.WheelMode = 0;
    EXPECT_FALSE(OnWheel(s, -120, 1).Any());
    EXPECT_EQ(s.MarkerBlue, 131);
}

TEST(Operations, DragFollowsTheCursorAcrossOnlyWhenFullScale) {
    RulerState s = OnMonitor(100, 200, 300);
    EXPECT_FALSE(DragTo(s, {110, 210}, {10, 10}).Any());
    const Refresh r = DragTo(s, {150, 260}, {10, 10});
    Refresh want;
    want.placement = Placement::kDrag;
    EXPECT_EQ(r, want);
    EXPECT_EQ(s.xPosi, 140);
    EXPECT_EQ(s.yPosi, 250);
    s.FullScale = 1;
    DragTo(s, {500, 500}, {10, 10});
    EXPECT_EQ(s.xPosi, 140);
    EXPECT_EQ(s.yPosi, 490);
}

TEST(Operations, ANewAutomaticScaleIsDrawnAndReadOutAnew) {
    RulerState s = OnMonitor(0, 0, 300);
    s.ScalingAuto = 1;
    s.AutoScaling = 510;  // 17.0 inches on 1920 x 1080
    s.ScreenSize[0] = 240;
    Refresh r = FollowDisplaySizes(s);
    EXPECT_EQ(s.AutoScaling, 361);
    Refresh want;
    want.readout = true;
    want.repaint = Repaint::kErase;
    want.render = true;
    EXPECT_EQ(r, want);
    EXPECT_FALSE(FollowDisplaySizes(s).Any());  // the same size again changes nothing
    // A manual scale stays what it was, so the drawing does too.
    s.ScalingAuto = 0;
    s.Scaling = 378;
    s.ScreenSize[0] = 170;
    EXPECT_FALSE(FollowDisplaySizes(s).Any());
    EXPECT_EQ(s.AutoScaling, 510);
    // A monitor past the four with a display size has the default diagonal.
    s.ScalingAuto = 1;
    s.MonitorIndex = 4;
    s.AutoScaling = 361;
    EXPECT_TRUE(FollowDisplaySizes(s).render);
    EXPECT_EQ(s.AutoScaling, 510);
}

// A stored position or marker may lie at either end of the 32-bit range: every step from there
// stops at its bound instead of wrapping around to the other end.
TEST(OperationsAtTheNumberLimits, MarkerStepsLandOnTheirBounds) {
    RulerState s = OnMonitor(0, 0, 300);
    s.Marker = kMax;
    MarkerStep(s, false, 1, true);
    EXPECT_EQ(s.Marker, 300);
    s.MarkerBlue = kMax;
    MarkerStep(s, true, 10, true);
    EXPECT_EQ(s.MarkerBlue, 300);
    s.Marker = kMax;
    MarkerStep(s, false, 10, false);
    EXPECT_EQ(s.Marker, kMax - 10);
    s.MarkerBlue = kMin;
    MarkerStep(s, true, 10, false);
    EXPECT_EQ(s.MarkerBlue, 0);
}

TEST(OperationsAtTheNumberLimits, LengthAndMoveStepsLandOnTheirBounds) {
    RulerState s = OnMonitor(0, 0, kMax);
    LengthStep(s, 10, true);
    EXPECT_EQ(s.ScaleLength, 1920);
    s.ScaleLength = kMin;
    LengthStep(s, 10, false);
    EXPECT_EQ(s.ScaleLength, 50);

    s = OnMonitor(kMax, kMax, 300);
    MoveStep(s, Move::kRight, 10);
    EXPECT_EQ(s.xPosi, 1870);
    MoveStep(s, Move::kDown, 1);
    EXPECT_EQ(s.yPosi, 1030);
    s.xPosi = kMin;
    s.yPosi = kMin;
    MoveStep(s, Move::kLeft, 10);
    EXPECT_EQ(s.xPosi, -250);
    MoveStep(s, Move::kUp, 1);
    EXPECT_EQ(s.yPosi, 0);
    s.Vertical = 1;
    s.xPosi = kMin;
    s.yPosi = kMin;
    MoveStep(s, Move::kLeft, 1);
    EXPECT_EQ(s.xPosi, 0);
    MoveStep(s, Move::kUp, 10);
    EXPECT_EQ(s.yPosi, -250);
}

TEST(OperationsAtTheNumberLimits, TurnsAndDragsStopAtTheEnds) {
    RulerState s = OnMonitor(kMax, kMax, 300);
    TurnAbout(s, {0, 0});
    EXPECT_EQ(s.xPosi, -25);
    EXPECT_EQ(s.yPosi, kMax);
    s.xPosi = kMin;
    s.yPosi = kMin;
    TurnAbout(s, {0, 100});
    EXPECT_EQ(s.Vertical, 0);
    EXPECT_EQ(s.xPosi, kMin);
    EXPECT_EQ(s.yPosi, 75);

    s = OnMonitor(kMax, kMin, 300);
    TurnAboutCentre(s);  // 125 pixels right and up
    EXPECT_EQ(s.xPosi, kMax);
    EXPECT_EQ(s.yPosi, kMin);

    s = OnMonitor(0, 0, 300);
    DragTo(s, {kMin, kMax}, {10, -10});
    EXPECT_EQ(s.xPosi, kMin);
    EXPECT_EQ(s.yPosi, kMax);
}

TEST(Operations, UnitChange) {
    RulerState s;
    Refresh r = ChangeUnit(s, 23);
    EXPECT_EQ(s.Unit, 2);
    Refresh want;
    want.panel.allReadouts = true;
    want.panel.unitRadio = true;
    want.readout = true;
    want.repaint = Repaint::kErase;
    want.render = true;
    EXPECT_EQ(r, want);
    ChangeUnit(s, 21);
    EXPECT_EQ(s.Unit, 0);
}

TEST(Operations, ReverseAndNarrowRequests) {
    RulerState s = OnMonitor(100, 200, 300);
    Refresh want;
    want.repaint = Repaint::kErase;
    want.render = true;
    EXPECT_EQ(ToggleReverse(s), want);
    // Narrow changes the thickness, so the window takes its whole rectangle again.
    want.panel.narrowButton = true;
    want.placement = Placement::kFull;
    want.readout = true;
    EXPECT_EQ(ToggleNarrow(s), want);
    EXPECT_EQ(ToggleNarrow(s), want);
}

// Two requests together: each part that either asks for, and the placement that does more.
TEST(Operations, CombinedRequests) {
    Refresh drag;
    drag.placement = Placement::kDrag;
    Refresh step;
    step.placement = Placement::kStep;
    step.panel.red = true;
    Refresh full;
    full.placement = Placement::kFull;
    full.repaint = Repaint::kKeepBackground;
    Refresh erase;
    erase.repaint = Repaint::kErase;
    erase.render = true;

    EXPECT_EQ(Combine(step, Refresh{}), step);
    EXPECT_EQ(Combine(Refresh{}, step), step);
    EXPECT_EQ(Combine(step, step), step);
    Refresh want = full;
    want.panel.red = true;
    EXPECT_EQ(Combine(step, full), want);
    EXPECT_EQ(Combine(full, step), want);
    want = step;
    want.repaint = Repaint::kErase;
    want.render = true;
    EXPECT_EQ(Combine(drag, Combine(step, erase)), want);
    EXPECT_EQ(Combine(full, erase).repaint, Repaint::kErase);
}

}  // namespace
