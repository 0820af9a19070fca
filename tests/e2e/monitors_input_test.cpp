// A ruler taken from one monitor to another: the automatic scale and the bounds follow the
// monitor it is dropped on. Only meaningful on the two-monitor desktop with the second monitor
// (-1280, 0)-(0, 800) to the left of the primary one (0, 0)-(1280, 800).
#include <string>
#include <vector>

#include "harness.h"
#include "input.h"
#include "screen.h"

namespace e2e {
namespace {

// Where the cursor rests between the drags: the bottom right of the primary monitor.
constexpr POINT kAwayOnPrimary{1270, 790};

// Where the primary monitor comes in the system's enumeration, which numbers the stored display
// sizes.
int PrimaryIndex() {
    const std::vector<RECT> monitors = Monitors();
    for (size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].left == 0 && monitors[i].top == 0) return static_cast<int>(i);
    }
    return -1;
}

// The start of a drag from one monitor to the other. The two monitors of 1280 x 800 (a diagonal
// of 1509 pixels) are given 17.0 and 24.0 inches in the order the system enumerates them, which
// give 349 and 247 tenths of a pixel per centimetre (1509 * 10000 / 170 / 254); with the cursor
// away, a centimetre ruler of 300 pixels with the automatic scale starts at (100, 300) on the
// primary monitor. Returns the ruler, and sets where the primary monitor comes in that order; null,
// with a failure, when either is not as expected.
HWND StartForDrag(int& primary) {
    primary = PrimaryIndex();
    EXPECT_TRUE(primary == 0 || primary == 1) << primary;
    if (primary != 0 && primary != 1) return nullptr;
    MoveCursor(kAwayOnPrimary);
    PutDword(kProductKey, L"ScreenSize01", 170);
    PutDword(kProductKey, L"ScreenSize02", 240);
    StoredRuler stored;
    stored.x = 100;
    stored.unit = 1;
    stored.scalingAuto = true;
    const std::vector<HWND> started = StartRulers({stored});
    EXPECT_EQ(started.size(), 1u);
    return started.empty() ? nullptr : started.front();
}

TEST_F(TwoMonitors, DroppedOnTheOtherMonitorItTakesThatMonitorsScaleAndBounds) {
    if (!XdotoolAvailable()) GTEST_SKIP() << "no xdotool or no X display";
    int primary = -1;
    HWND ruler = StartForDrag(primary);
    ASSERT_TRUE(ruler);
    const int primaryScale = primary == 0 ? 349 : 247;
    // 300 pixels at 349 are 8.59 cm, at 247 they are 12.14 cm; 1280 pixels 36.67 and 51.82 cm.
    const std::wstring onPrimary = primaryScale == 349 ? L" 8.59 cm" : L"12.14 cm";
    const std::wstring onLeft = primaryScale == 349 ? L"12.14 cm" : L" 8.59 cm";
    const std::wstring leftFullWidth = primaryScale == 349 ? L"51.82 cm" : L"36.67 cm";

    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H" + onPrimary));

    // Dragged through the X server, where both monitors lie side by side: grabbed 5 pixels from
    // its right end and let go at the left monitor's left edge, further out than a ruler may stay.
    ASSERT_TRUE(XLeftDragTo(ruler, {395, 320}, {-1280, 320}, 12));
    EXPECT_TRUE(ShowsAt(ruler, -1575, 300, 301, 50));
    ASSERT_TRUE(XLeftUp(kAwayOnPrimary));
    ASSERT_TRUE(BringToFront(ruler));
    // The next readout is in the left monitor's scale.
    PressKey(VK_ADD);
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H" + onLeft));
    // Still where it was let go.
    EXPECT_TRUE(ShowsAt(ruler, -1575, 300, 301, 50));
    // 50 pixels stay on the left monitor, and the next move starts from there.
    PressRun(ruler, {{VK_LEFT, kAlone, -1530, 300, 301, 50},
                     {VK_RIGHT, kAlone, -1529, 300, 301, 50},
                     {VK_DELETE, kAlone, -1280, 300, 1281, 50, L"Linova <1> - H" + leftFullWidth},
                     {VK_DELETE, kAlone, -1529, 300, 301, 50}});

    // And back onto the primary monitor, grabbed at (279, 20) of the ruler.
    ASSERT_TRUE(XLeftDragTo(ruler, {-1250, 320}, {621, 340}, 10));
    EXPECT_TRUE(ShowsAt(ruler, 342, 320, 301, 50));
    ASSERT_TRUE(XLeftUp(kAwayOnPrimary));
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_SUBTRACT);
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H" + onPrimary));
}

// Along positions between the origin square and the far end where the window shows ink in the
// row next to its top outline: the ticks of a horizontal ruler, less those under a marker.
std::vector<int> TicksShown(HWND ruler) {
    RECT r{};
    GetWindowRect(ruler, &r);
    const Capture shot = Capture::Screen(r);
    std::vector<int> ticks;
    for (int a = 6; a < r.right - r.left - 1; ++a) {
        if (shot.Pixel(a, 1) == RGB(0, 0, 0)) ticks.push_back(a);
    }
    return ticks;
}

TEST_F(TwoMonitors, DroppedOnTheOtherMonitorItIsDrawnAndReadInThatMonitorsScaleAtOnce) {
    if (!XdotoolAvailable()) GTEST_SKIP() << "no xdotool or no X display";
    int primary = -1;
    HWND ruler = StartForDrag(primary);
    ASSERT_TRUE(ruler);
    const int leftScale = primary == 0 ? 247 : 349;
    // A tick every 5 mm, stepped from half a pixel; the markers at 100 and 130 cover theirs.
    std::vector<int> leftTicks;
    for (int k = 1; (50 + 5 * k * leftScale) / 100 < 300; ++k) {
        const int a = (50 + 5 * k * leftScale) / 100;
        if (a != 100 && a != 130) leftTicks.push_back(a);
    }
    const std::wstring readout = leftScale == 247
                                     ? L"Linova <1> - H12.14 cm\nRed :  4.04 cm\nBlue :  5.26 cm"
                                       L"\nRed - Blue : -1.21 cm"
                                     : L"Linova <1> - H 8.59 cm\nRed :  2.86 cm\nBlue :  3.72 cm"
                                       L"\nRed - Blue : -0.85 cm";

    ASSERT_NE(TicksShown(ruler), leftTicks);

    // Grabbed 10 pixels from its zero end and let go wholly on the left monitor; no key follows.
    ASSERT_TRUE(XLeftDragTo(ruler, {110, 320}, {-1000, 320}, 12));
    ASSERT_TRUE(XLeftUp(kAwayOnPrimary));
    EXPECT_TRUE(ShowsAt(ruler, -1010, 300, 301, 50));
    EXPECT_TRUE(TitleIs(ruler, readout.substr(0, readout.find(L'\n'))));
    EXPECT_TRUE(TooltipIs(ruler, readout));
    std::vector<int> shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = TicksShown(ruler)) == leftTicks; }))
        << "ticks at " << testing::PrintToString(shown) << ", expected "
        << testing::PrintToString(leftTicks);
}

}  // namespace
}  // namespace e2e
