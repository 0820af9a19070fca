// Markers that find edges: beside a picture of known stripes, Snap to Edges takes the markers from
// edge to edge with the keys and the wheel, Shift still steps ten pixels, off steps one, and the
// setting is kept between runs.
#include <iterator>
#include <string>

#include "harness.h"
#include "input.h"
#include "menus.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr UINT kSnapEdges = 40041;

// A ruler of 300 pixels at (400, 300), in Pixel; horizontal, its scale runs from x 400 to 700.
constexpr POINT kRuler{400, 300};

// The ground is a white dithered by 23 levels from pixel to pixel, which is no edge. Across it
// (along x for a horizontal ruler, y for a vertical one, counted from the ruler's origin): black
// from 50 to 59, a one-pixel grey border at 120, and a blue band from 200 to 249.
COLORREF StripeAt(int along) {
    if (along >= 50 && along < 60) return RGB(0, 0, 0);
    if (along == 120) return RGB(174, 174, 174);
    if (along >= 200 && along < 250) return RGB(40, 90, 200);
    return (along & 1) ? RGB(255, 255, 255) : RGB(232, 232, 232);
}

// The edges a marker meets from the origin on, and their positions.
const int kEdges[] = {50, 60, 120, 121, 200, 250};

std::wstring Readout(bool vertical, int red, int blue) {
    auto pixels = [](int n) { return std::to_wstring(n) + L" pixel"; };
    return std::wstring(L"Linova <1> - ") + (vertical ? L"V" : L"H") + pixels(300) + L"\nRed : " +
           pixels(red) + L"\nBlue : " + pixels(blue) + L"\nRed - Blue : " + pixels(red - blue);
}

StoredRuler RulerBesideStripes(bool vertical, bool snap) {
    StoredRuler stored;
    stored.x = kRuler.x;
    stored.y = kRuler.y;
    stored.marker = 10;
    stored.markerBlue = 130;
    stored.vertical = vertical;
    stored.snapEdges = snap;
    return stored;
}

// The item's check mark in the ruler's context menu, under "&Scale" after a separator.
testing::AssertionResult SnapItemIs(HWND ruler, bool checked, bool choose) {
    const auto menu = OpenContextMenu(ruler, {kRuler.x + 150, kRuler.y + 10});
    if (!menu) return testing::AssertionFailure() << "no context menu";
    const MenuItem* scale = FindPopUp(menu->items, L"&Scale");
    const std::wstring tail = scale ? Outline(scale->items) : L"";
    const std::wstring expected = L"23 &inch | - | 40041 Snap to &Edges";
    const MenuItem* item = FindItem(menu->items, kSnapEdges);
    const bool placed = tail.size() >= expected.size() &&
                        tail.compare(tail.size() - expected.size(), expected.size(), expected) == 0;
    const bool asExpected = placed && item && item->Checked() == checked;
    const bool done = choose && asExpected ? ChooseByKeys(*menu, kSnapEdges) : CloseMenus();
    if (!asExpected) {
        return testing::AssertionFailure()
               << "the Scale menu reads " << testing::PrintToString(tail)
               << (item && item->Checked() ? ", checked" : "");
    }
    if (!done) return testing::AssertionFailure() << "the menu did not end";
    return testing::AssertionSuccess();
}

class Snap : public MenuTest {
  protected:
    void SetUp() override {
        MenuTest::SetUp();
        MoveCursor(kAway);
    }
};

TEST_F(Snap, KeysAndWheelTakeTheRedMarkerFromEdgeToEdgeAndTheSettingIsKept) {
    // The stripes lie above the ruler, where neither its menu nor its tooltip opens.
    ScreenPicture stripes({300, 230, 800, kRuler.y},
                          [](int x, int) { return StripeAt(x - kRuler.x); });
    HWND ruler = StartInFront(RulerBesideStripes(false, false));
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));

    // Off, a marker steps one pixel whatever lies beside it.
    PressKey(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 11, 130)));
    ASSERT_TRUE(SnapItemIs(ruler, false, true));
    ASSERT_TRUE(BringToFront(ruler));

    for (int edge : kEdges) {
        PressKey(VK_ADD);
        EXPECT_TRUE(TooltipIs(ruler, Readout(false, edge, 130))) << edge;
    }
    // No edge lies further on: one ordinary step.
    PressKey(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 251, 130)));

    // The wheel, away from the user, goes back edge by edge.
    MoveCursor({kRuler.x + 150, kRuler.y + 25});
    for (int i = static_cast<int>(std::size(kEdges)) - 1; i >= 0; --i) {
        WheelTowardUser(-1);
        EXPECT_TRUE(TooltipIs(ruler, Readout(false, kEdges[i], 130))) << kEdges[i];
    }
    WheelTowardUser(-1);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 49, 130)));
    MoveCursor(kAway);

    // Shift steps ten pixels past the edge at 50; the blue marker snaps too.
    PressShifted(VK_ADD);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 59, 130)));
    PressKey(VK_DIVIDE);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 59, 121)));

    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"SnapEdges"), 1u);
    StartLinova(L"");
    ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(SnapItemIs(ruler, true, true));  // and turned off
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_SUBTRACT);
    EXPECT_TRUE(TooltipIs(ruler, Readout(false, 58, 121)));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"SnapEdges"), 0u);
}

TEST_F(Snap, AVerticalRulerSnapsToHorizontalStripes) {
    ScreenPicture stripes({330, 250, kRuler.x, 750},
                          [](int, int y) { return StripeAt(y - kRuler.y); });
    HWND ruler = StartInFront(RulerBesideStripes(true, true));
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));
    for (int edge : {50, 60, 120}) {
        PressKey(VK_ADD);
        EXPECT_TRUE(TooltipIs(ruler, Readout(true, edge, 130))) << edge;
    }
    PressKey(VK_MULTIPLY);
    EXPECT_TRUE(TooltipIs(ruler, Readout(true, 120, 200)));
}

}  // namespace
}  // namespace e2e
