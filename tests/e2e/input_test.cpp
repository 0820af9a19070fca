// The ruler under the user's hands: keys, drags, double clicks and the wheel on one monitor of
// 1920 x 1080 at (0, 0), and the title and tooltip that read the ruler out.
#include <string>
#include <vector>

#include "harness.h"
#include "input.h"
#include "screen.h"

namespace e2e {
namespace {

// The tooltip of a horizontal ruler of instance 1 in Pixel.
std::wstring PixelReadout(int length, int red, int blue) {
    auto pixels = [](int n) { return std::to_wstring(n) + L" pixel"; };
    return L"Linova <1> - H" + pixels(length) + L"\nRed : " + pixels(red) + L"\nBlue : " +
           pixels(blue) + L"\nRed - Blue : " + pixels(red - blue);
}

class Input : public RulerTest {
  protected:
    void SetUp() override {
        RulerTest::SetUp();
        MoveCursor(kAway);
    }
};

using InputKeys = Input;
using InputMouse = Input;
using InputReadout = Input;

// ---- Keys ----

TEST_F(InputKeys, ArrowsAndNumericPadMoveOnePixelAndShiftMakesItTen) {
    HWND ruler = StartInFront(StoredRuler{});
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_RIGHT, kAlone, 401, 300, 301, 50},
                     {VK_DOWN, kAlone, 401, 301, 301, 50},
                     {VK_LEFT, kAlone, 400, 301, 301, 50},
                     {VK_UP, kAlone, 400, 300, 301, 50},
                     {VK_RIGHT, kShifted, 410, 300, 301, 50},
                     {VK_DOWN, kShifted, 410, 310, 301, 50},
                     {VK_LEFT, kShifted, 400, 310, 301, 50},
                     {VK_UP, kShifted, 400, 300, 301, 50},
                     // Control is not a step modifier.
                     {VK_RIGHT, kWithControl, 401, 300, 301, 50},
                     {VK_NUMPAD6, kAlone, 402, 300, 301, 50},
                     {VK_NUMPAD2, kAlone, 402, 301, 301, 50},
                     {VK_NUMPAD4, kAlone, 401, 301, 301, 50},
                     {VK_NUMPAD8, kAlone, 401, 300, 301, 50},
                     // The diagonals move along both axes at once.
                     {VK_NUMPAD7, kAlone, 400, 299, 301, 50},
                     {VK_NUMPAD9, kAlone, 401, 298, 301, 50},
                     {VK_NUMPAD3, kAlone, 402, 299, 301, 50},
                     {VK_NUMPAD1, kAlone, 401, 300, 301, 50},
                     {VK_NUMPAD3, kShifted, 411, 310, 301, 50}});
}

// A ruler keeps one thickness of its length on the monitor at either end, and lies wholly on it
// across its thickness. Each key that meets a bound is followed by one that moves, so that what
// it did is seen.
TEST_F(InputKeys, MovesStopWhereTheRulerWouldLeaveTheMonitor) {
    StoredRuler stored;
    stored.x = -245;
    stored.y = 5;
    HWND ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_LEFT, kShifted, -250, 5, 301, 50},
                     {VK_LEFT, kAlone},
                     {VK_UP, kShifted, -250, 0, 301, 50},
                     {VK_UP, kAlone},
                     {VK_RIGHT, kAlone, -249, 0, 301, 50}});

    stored.x = 1865;
    stored.y = 1025;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_RIGHT, kShifted, 1870, 1025, 301, 50},
                     {VK_RIGHT, kAlone},
                     {VK_DOWN, kShifted, 1870, 1030, 301, 50},
                     {VK_DOWN, kAlone},
                     {VK_LEFT, kAlone, 1869, 1030, 301, 50}});

    stored.vertical = true;
    stored.x = 5;
    stored.y = -245;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_LEFT, kShifted, 0, -245, 50, 301},
                     {VK_LEFT, kAlone},
                     {VK_UP, kShifted, 0, -250, 50, 301},
                     {VK_UP, kAlone},
                     {VK_RIGHT, kAlone, 1, -250, 50, 301}});

    // Downward a vertical ruler, too, only has to keep one thickness on the monitor.
    stored.x = 1865;
    stored.y = 1025;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_RIGHT, kShifted, 1870, 1025, 50, 301},
                     {VK_DOWN, kShifted, 1870, 1030, 50, 301},
                     {VK_DOWN, kAlone},
                     {VK_UP, kAlone, 1870, 1029, 50, 301}});
}

TEST_F(InputKeys, PageKeysChangeTheLengthBetweenFiftyAndTheMonitorAndItIsKept) {
    StoredRuler stored;
    stored.x = 100;
    stored.y = 100;
    stored.length = 52;
    HWND ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_PRIOR, kShifted, 100, 100, 51, 50, L"Linova <1> - H50 pixel"},
                     {VK_PRIOR, kAlone},
                     {VK_NEXT, kAlone, 100, 100, 52, 50, L"Linova <1> - H51 pixel"}});
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Lenght"), 51u);

    stored.x = 0;
    stored.y = 300;
    stored.length = 1915;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_NEXT, kShifted, 0, 300, 1921, 50, L"Linova <1> - H1920 pixel"},
                     {VK_NEXT, kAlone},
                     {VK_PRIOR, kAlone, 0, 300, 1920, 50}});
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Lenght"), 1919u);

    // A vertical ruler is bounded by the monitor's height.
    stored.vertical = true;
    stored.x = 500;
    stored.y = 0;
    stored.length = 1075;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_NEXT, kShifted, 500, 0, 50, 1081, L"Linova <1> - V1080 pixel"},
                     {VK_NEXT, kAlone},
                     {VK_PRIOR, kAlone, 500, 0, 50, 1080}});
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Lenght"), 1079u);
}

TEST_F(InputKeys, MarkerKeysStepTheMarkersBetweenZeroAndTheLength) {
    StoredRuler stored;
    stored.marker = 5;
    stored.markerBlue = 295;
    HWND ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);

    PressKey(VK_SUBTRACT);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 4, 295)));
    PressShifted(VK_SUBTRACT);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 0, 295)));
    PressKey(VK_SUBTRACT);
    PressKey(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 1, 295)));
    PressShifted(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 11, 295)));

    PressKey(VK_MULTIPLY);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 11, 296)));
    PressShifted(VK_MULTIPLY);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 11, 300)));
    PressKey(VK_MULTIPLY);
    PressKey(VK_DIVIDE);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 11, 299)));
    PressShifted(VK_DIVIDE);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 11, 289)));

    // The lines are painted where the markers now are, and nowhere else.
    const RECT r = RectOf(ruler);
    Capture shot;
    EXPECT_TRUE(WaitUntil([&] {
        shot = Capture::Screen(r);
        return shot.ColumnIs(11, 0, 49, kRed) && shot.ColumnIs(289, 0, 49, kBlue);
    })) << "red at 11: "
        << ColourText(shot.Pixel(11, 25)) << ", blue at 289: " << ColourText(shot.Pixel(289, 25));
    for (int y = 0; y < 50; ++y) {
        EXPECT_NE(shot.Pixel(5, y), kRed) << "old red line, row " << y;
        EXPECT_NE(shot.Pixel(295, y), kBlue) << "old blue line, row " << y;
    }
}

TEST_F(InputKeys, HomeTurnsAboutTheCentreAndTheCursorFollows) {
    StoredRuler stored;
    stored.x = 100;
    stored.y = 200;
    stored.unit = 1;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 7.93 cm"));
    ASSERT_TRUE(BringToFront(ruler));
    // The centre, which stays under the pointer whichever way the ruler lies.
    const HCURSOR elsewhere = ShownCursor();
    MoveCursor({250, 225});
    HCURSOR horizontal = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (horizontal = ShownCursor()) != elsewhere; }))
        << "no ruler cursor over the ruler";

    // The pointer shows the other cursor at once after each turn.
    PressKey(VK_HOME);
    EXPECT_TRUE(ShowsAt(ruler, 225, 75, 50, 301));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - V 7.93 cm"));
    HCURSOR vertical = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (vertical = ShownCursor()) != horizontal; }))
        << "the cursor did not change";

    PressKey(VK_HOME);
    EXPECT_TRUE(ShowsAt(ruler, 100, 200, 301, 50));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 7.93 cm"));
    EXPECT_TRUE(WaitUntil([&] { return ShownCursor() != vertical; }))
        << "the cursor did not change back";

    PressKey(VK_NUMPAD5);
    EXPECT_TRUE(ShowsAt(ruler, 225, 75, 50, 301));
}

TEST_F(InputKeys, EndMovesTheZeroToTheFarEnd) {
    StoredRuler stored;
    stored.x = 300;
    stored.y = 400;
    stored.marker = 60;
    stored.markerBlue = 120;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    const RECT r = RectOf(ruler);
    auto squareAt = [](const Capture& shot, int from) {
        for (int x = from; x <= from + 5; ++x) {
            if (!shot.ColumnIs(x, 0, 5, kBlack)) return false;
        }
        return true;
    };
    Capture shot;
    ASSERT_TRUE(WaitUntil([&] {
        shot = Capture::Screen(r);
        return squareAt(shot, 0) && shot.ColumnIs(60, 0, 49, kRed);
    })) << "the ruler never showed its zero end at the left";

    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_END);
    // The markers count from the zero end too. They are drawn after the scale, so the wait is
    // for the whole picture: a shot between the two showed the square moved and no markers.
    EXPECT_TRUE(WaitUntil([&] {
        shot = Capture::Screen(r);
        return squareAt(shot, 295) && !squareAt(shot, 0) && shot.ColumnIs(240, 0, 49, kRed) &&
               shot.ColumnIs(180, 0, 49, kBlue);
    })) << "square at the far end "
        << squareAt(shot, 295) << ", at the near end " << squareAt(shot, 0)
        << ", red at 240: " << ColourText(shot.Pixel(240, 25))
        << ", blue at 180: " << ColourText(shot.Pixel(180, 25));
    EXPECT_TRUE(ShowsAt(ruler, 300, 400, 301, 50));
    EXPECT_EQ(WindowText(ruler), L"Linova <1> - H300 pixel");
}

TEST_F(InputKeys, DeleteSpansTheMonitorAndMovesOnlyAcrossIt) {
    HWND ruler = StartInFront(StoredRuler{});
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_DELETE, kAlone, 0, 300, 1921, 50, L"Linova <1> - H1920 pixel"},
                     // Along its own axis nothing moves it or changes its length; a diagonal
                     // moves it across.
                     {VK_LEFT, kAlone},
                     {VK_RIGHT, kAlone},
                     {VK_NUMPAD4, kAlone},
                     {VK_NUMPAD6, kAlone},
                     {VK_PRIOR, kAlone},
                     {VK_NEXT, kAlone},
                     {VK_NUMPAD9, kAlone, 0, 299, 1921, 50},
                     {VK_DOWN, kAlone, 0, 300, 1921, 50}});

    // A drag takes it across only; its own x is kept for when it leaves full scale.
    LeftDragTo(ruler, {960, 320}, {1100, 420}, 5, Follows::kVerticallyOnly);
    EXPECT_TRUE(ShowsAt(ruler, 0, 400, 1921, 50));
    LeftUp();
    MoveCursor(kAway);
    ASSERT_TRUE(BringToFront(ruler));
    PressRun(ruler, {{VK_DELETE, kAlone, 400, 400, 301, 50, L"Linova <1> - H300 pixel"}});

    StoredRuler vertical;
    vertical.vertical = true;
    vertical.x = 800;
    ruler = StartInFront(vertical);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_DELETE, kAlone, 800, 0, 50, 1081, L"Linova <1> - V1080 pixel"},
                     {VK_UP, kAlone},
                     {VK_DOWN, kAlone},
                     {VK_NUMPAD8, kAlone},
                     {VK_NUMPAD2, kAlone},
                     {VK_NUMPAD3, kAlone, 801, 0, 50, 1081}});
}

TEST_F(InputKeys, BackspaceMakesTheBodyNarrowAndItMayLeaveMoreOfItself) {
    StoredRuler stored;
    stored.x = -240;
    stored.y = 400;
    HWND ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    PressRun(ruler, {{VK_BACK, kAlone, -240, 400, 301, 22},
                     // 22 pixels of a narrow ruler stay on the monitor, not 50.
                     {VK_LEFT, kShifted},
                     {VK_LEFT, kShifted},
                     {VK_LEFT, kShifted},
                     {VK_LEFT, kShifted, -278, 400, 301, 22},
                     {VK_BACK, kAlone, -278, 400, 301, 50}});
    EXPECT_EQ(WindowText(ruler), L"Linova <1> - H300 pixel");
}

TEST_F(InputKeys, LockedKeysChangeNothingButTheWheelStillSteps) {
    StoredRuler stored;
    stored.noKeys = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    const RECT r = RectOf(ruler);
    ASSERT_TRUE(BringToFront(ruler));

    for (WORD key : {VK_RIGHT, VK_DOWN, VK_NUMPAD7, VK_NEXT, VK_ADD, VK_MULTIPLY, VK_HOME, VK_END,
                     VK_DELETE, VK_BACK}) {
        PressKey(key);
    }
    PressShifted(VK_LEFT);
    MoveCursor({550, 325});
    WheelTowardUser(1);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 101, 130)));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
    EXPECT_EQ(WindowText(ruler), L"Linova <1> - H300 pixel");
    MoveCursor(kAway);
    Capture shot;
    EXPECT_TRUE(WaitUntil([&] {
        shot = Capture::Screen(r);
        return shot.ColumnIs(101, 0, 49, kRed);
    }));
    EXPECT_TRUE(shot.ColumnIs(0, 0, 5, kBlack) && shot.ColumnIs(5, 0, 5, kBlack))
        << "origin square left the near end";
}

// ---- Wheel ----

TEST_F(InputMouse, WheelStepsTheMarkerChosenByTheWheelMode) {
    StoredRuler stored;
    HWND ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    MoveCursor({550, 325});
    // Toward the user is away from the zero end; one step per message whatever its size.
    WheelTowardUser(2);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 102, 130)));
    WheelTowardUser(-1);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 101, 130)));
    WheelDelta(-3 * WHEEL_DELTA);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 102, 130)));
    // Shift makes the step ten pixels.
    WheelDeltaShifted(-WHEEL_DELTA);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 112, 130)));

    stored.wheelMode = 2;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    MoveCursor({550, 325});
    WheelTowardUser(1);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 100, 131)));
    WheelTowardUser(-2);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 100, 129)));

    stored.wheelMode = 0;
    ruler = StartInFront(stored);
    ASSERT_TRUE(ruler);
    MoveCursor({550, 325});
    WheelTowardUser(1);
    WheelTowardUser(-1);
    PressKey(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 101, 130)));
}

// ---- Mouse ----

TEST_F(InputMouse, LeftDragMovesTheRulerFromTheFirstPixel) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    LeftDragTo(ruler, {450, 320}, {451, 320}, 1);
    EXPECT_TRUE(ShowsAt(ruler, 401, 300, 301, 50));
    LeftUp();
    // Grabbed elsewhere, so that the two presses do not make a double click.
    LeftDragTo(ruler, {600, 325}, {800, 525}, 10);
    EXPECT_TRUE(ShowsAt(ruler, 601, 500, 301, 50));
    LeftUp();
}

TEST_F(InputMouse, DroppedPastTheEdgeItStaysUntilTheNextMovePullsItBack) {
    StoredRuler stored;
    stored.x = 100;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    // Grabbed 5 pixels from its right end and dropped at the screen's left edge.
    LeftDragTo(ruler, {395, 320}, {0, 320}, 8);
    EXPECT_TRUE(ShowsAt(ruler, -295, 300, 301, 50));
    LeftUp();
    MoveCursor(kAway);
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_ADD);  // shows when the release has been handled
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 101, 130)));
    EXPECT_TRUE(ShowsAt(ruler, -295, 300, 301, 50));
    PressKey(VK_RIGHT);
    EXPECT_TRUE(ShowsAt(ruler, -249, 300, 301, 50));
}

// Through the X server, as a pointer device moves it: dropped partly above the screen, then
// pulled back onto it by the next key move.
TEST_F(InputMouse, DragThroughTheXServer) {
    if (!XdotoolAvailable()) GTEST_SKIP() << "no xdotool or no X display";
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    // Grabbed at (50, 40) of the ruler, let go 5 pixels below the screen's top.
    ASSERT_TRUE(XLeftDragTo(ruler, {450, 340}, {470, 5}, 9));
    EXPECT_TRUE(ShowsAt(ruler, 420, -35, 301, 50));
    ASSERT_TRUE(XLeftUp(kAway));
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_DOWN);
    EXPECT_TRUE(ShowsAt(ruler, 420, 1, 301, 50));
}

TEST_F(InputMouse, DoubleClickTurnsAboutTheClickedPoint) {
    StoredRuler stored;
    stored.x = 100;
    stored.y = 200;
    stored.unit = 1;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    // Scale position 60 stays at the screen point (160, 225), the body centred across it.
    DoubleClick({160, 210});
    EXPECT_TRUE(ShowsAt(ruler, 135, 165, 50, 301));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - V 7.93 cm"));
    // Back about scale position 135: it stays at (160, 300).
    DoubleClick({150, 300});
    EXPECT_TRUE(ShowsAt(ruler, 25, 275, 301, 50));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 7.93 cm"));
}

TEST_F(InputMouse, LockedMouseIgnoresDragAndDoubleClickButNotTheWheelOrTheMenu) {
    StoredRuler stored;
    stored.noMouse = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    LeftDragTo(ruler, {450, 320}, {550, 420}, 5, Follows::kNot);
    LeftUp();
    DoubleClick({460, 320});
    ASSERT_TRUE(BringToFront(ruler));
    WheelTowardUser(1);
    EXPECT_TRUE(TooltipIs(ruler, PixelReadout(300, 101, 130)));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
    EXPECT_EQ(WindowText(ruler), L"Linova <1> - H300 pixel");

    // The right button still opens the context menu.
    RightDown();
    RightUp();
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    })) << "no menu";
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(menu); }));
}

// ---- Readout ----

TEST_F(InputReadout, TitleAndTooltipReadLengthAndMarkersInEachUnit) {
    StoredRuler cm;
    cm.unit = 1;
    cm.y = 100;
    StoredRuler pixel;
    pixel.y = 300;
    StoredRuler inch;
    inch.unit = 2;
    inch.y = 500;
    const std::vector<HWND> rulers = StartRulers({cm, pixel, inch});
    ASSERT_EQ(rulers.size(), 3u);
    // 37.8 pixels per centimetre, 96 per inch; lengths of 300, 100, 130 and -30 pixels.
    EXPECT_TRUE(TitleIs(rulers[0], L"Linova <1> - H 7.93 cm"));
    EXPECT_TRUE(TooltipIs(rulers[0],
                          L"Linova <1> - H 7.93 cm\nRed :  2.64 cm\nBlue :  3.43 cm\n"
                          L"Red - Blue : -0.79 cm"));
    EXPECT_TRUE(TitleIs(rulers[1], L"Linova <2> - H300 pixel"));
    EXPECT_TRUE(TooltipIs(rulers[1],
                          L"Linova <2> - H300 pixel\nRed : 100 pixel\nBlue : 130 pixel\n"
                          L"Red - Blue : -30 pixel"));
    EXPECT_TRUE(TitleIs(rulers[2], L"Linova <3> - H 3.12 inches"));
    EXPECT_TRUE(TooltipIs(rulers[2],
                          L"Linova <3> - H 3.12 inches\nRed :  1.04 inches\nBlue :  1.35 inches\n"
                          L"Red - Blue : -0.31 inches"));
}

}  // namespace
}  // namespace e2e
