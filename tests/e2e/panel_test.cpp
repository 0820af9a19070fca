// The Operation panel on the real program: where it opens and what it shows, its arrows with and
// without the right button, its readouts following the ruler, what Esc puts back and Close
// keeps, its arrows in full-scale mode, its keys, and its toolbar at 144 dots per inch.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "dialogs.h"
#include "harness.h"
#include "input.h"
#include "menus.h"
#include "resources/resource.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr wchar_t kTitle[] = L"Operation - Linova <1>";

// The ruler's panel, opened by one of the ruler's Operation commands, in front.
HWND OpenPanel(HWND ruler, UINT command = IDM_OPERATION) {
    PostMessageW(ruler, WM_COMMAND, command, 0);
    HWND panel = WaitForDialog(ruler, kTitle);
    EXPECT_TRUE(panel && BringToFront(panel)) << "no panel in front";
    return panel;
}

std::wstring Readouts(HWND panel) {
    return ItemText(panel, IDC_LENGTH_TEXT) + L" | " + ItemText(panel, IDC_RED_TEXT) + L" | " +
           ItemText(panel, IDC_BLUE_TEXT);
}

testing::AssertionResult ReadoutsAre(HWND panel, const std::wstring& expected) {
    if (WaitUntil([&] { return Readouts(panel) == expected; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << testing::PrintToString(Readouts(panel));
}

LRESULT ButtonState(HWND panel, int command) {
    return SendWaiting(GetDlgItem(panel, IDC_TOOLBAR), TB_GETSTATE, command).value_or(-1);
}

// A click on a scroll bar's up or left arrow (`first`) or its other one; with the right button
// pressed on the arrow before and released after when `rightHeld`.
void ClickArrow(HWND panel, int id, bool first, bool rightHeld = false) {
    ASSERT_TRUE(BringToFront(panel));
    HWND arrow = GetDlgItem(panel, id);
    const POINT at = ScrollArrow(arrow, first);
    if (!rightHeld) {
        EXPECT_TRUE(ClickOn(arrow, at));
        return;
    }
    // The right button must go down on the arrow, not where the cursor was a moment ago.
    SettleCursor(at);
    RightDown();
    EXPECT_TRUE(ClickOn(arrow, at));
    RightUp();
}

// The screen rectangle of a toolbar button, by its index.
RECT ButtonOnScreen(HWND panel, int index) {
    HWND toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    RECT r = ToolbarItemRect(toolbar, index).value_or(RECT{});
    const RECT t = RectOf(toolbar);
    OffsetRect(&r, t.left, t.top);
    return r;
}

using PanelTest = MenuTest;

TEST_F(PanelTest, OpensBelowTheRulerFromTheMenuAndOnTheCursorFromAnotherRuler) {
    StoredRuler stored;
    stored.unit = 1;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    PostMessageW(ruler, WM_COMMAND, IDM_NARROW, 0);
    ASSERT_TRUE(ShowsAt(ruler, 400, 300, 301, 22));
    const POINT click{450, 310};
    auto menu = OpenContextMenu(ruler, click);
    ASSERT_TRUE(menu && ChooseByKeys(*menu, IDM_OPERATION));
    HWND panel = WaitForDialog(ruler, kTitle);
    ASSERT_TRUE(panel);
    // Below the narrow ruler with a gap of 10, centred on the cursor.
    RECT r = RectOf(panel);
    EXPECT_EQ(r.left, click.x - (r.right - r.left) / 2);
    EXPECT_EQ(r.top, 300 + 22 + 10);
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght   7.93 cm | Red   2.64 cm | Blue   3.43 cm"));
    EXPECT_EQ(ItemCheck(panel, IDC_PANEL_PIXEL), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(ItemCheck(panel, IDC_PANEL_CM), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(ItemCheck(panel, IDC_PANEL_INCH), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(ButtonState(panel, IDC_PANEL_FULL), TBSTATE_ENABLED);
    EXPECT_EQ(ButtonState(panel, IDC_PANEL_NARROW), TBSTATE_ENABLED | TBSTATE_CHECKED);
    // The buttons' tips, which the panel gives when the toolbar's tooltip asks for them.
    HWND toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    const auto tips = SendWaiting(toolbar, TB_GETTOOLTIPS);
    ASSERT_TRUE(tips && *tips);
    std::wstring texts;
    for (int command : {IDC_PANEL_REVERSE, IDC_PANEL_DIRECTION, IDC_PANEL_FULL, IDC_PANEL_NARROW}) {
        texts += ToolText(reinterpret_cast<HWND>(*tips), toolbar, command) + L"|";
    }
    EXPECT_EQ(texts, L"Reverse|Direction|Full Scale|Narrow Scale|");
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(ButtonShowsWhole(toolbar, i));
    // The strip in the ruler's white with the line beside it, and the two swatches (whose left
    // edges the marker arrows leave free).
    auto leftOf = [&](int id) {
        const RECT item = RectOf(GetDlgItem(panel, id));
        return Capture::Screen(item).Pixel(0, (item.bottom - item.top) / 2);
    };
    EXPECT_TRUE(WaitUntil([&] { return leftOf(IDC_COLOR_STRIP) == kWhite; }))
        << ColourText(leftOf(IDC_COLOR_STRIP));
    const RECT strip = RectOf(GetDlgItem(panel, IDC_COLOR_STRIP));
    const RECT line = RectOf(GetDlgItem(panel, IDC_STRIP_LINE));
    EXPECT_EQ(line.left, strip.right);
    EXPECT_EQ(line.right - line.left, 2);
    EXPECT_EQ(line.bottom - line.top, strip.bottom - strip.top);
    EXPECT_EQ(ColourText(leftOf(IDC_RED_SWATCH)), ColourText(kRed));
    EXPECT_EQ(ColourText(leftOf(IDC_BLUE_SWATCH)), ColourText(kBlue));

    // The menu shows the panel open and Setup out of reach; choosing Operation closes it.
    menu = OpenContextMenu(ruler, click);
    ASSERT_TRUE(menu);
    const MenuItem* operation = FindItem(menu->items, IDM_OPERATION);
    const MenuItem* setup = FindItem(menu->items, IDM_SETUP);
    ASSERT_TRUE(operation && setup);
    EXPECT_TRUE(operation->Checked());
    EXPECT_TRUE(setup->Grayed());
    ASSERT_TRUE(ChooseByKeys(*menu, IDM_OPERATION));
    EXPECT_TRUE(WaitGone(panel));

    // Another ruler's request opens it centred on the cursor, and closes it again.
    ASSERT_TRUE(MoveCursor({900, 600}));
    panel = OpenPanel(ruler, IDM_OPERATION_AT_CURSOR);
    ASSERT_TRUE(panel);
    r = RectOf(panel);
    EXPECT_EQ(r.left, 900 - (r.right - r.left) / 2);
    EXPECT_EQ(r.top, 600 - (r.bottom - r.top) / 2);
    PostMessageW(ruler, WM_COMMAND, IDM_OPERATION_AT_CURSOR, 0);
    EXPECT_TRUE(WaitGone(panel));
}

TEST_F(PanelTest, EachArrowStepsByOneAndByTenWithTheRightButtonHeldOnIt) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    ClickArrow(panel, IDC_MOVE_VERT, true);
    EXPECT_TRUE(ShowsAt(ruler, 400, 299, 301, 50));
    ClickArrow(panel, IDC_MOVE_VERT, false);
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
    ClickArrow(panel, IDC_MOVE_HORZ, true);
    EXPECT_TRUE(ShowsAt(ruler, 399, 300, 301, 50));
    ClickArrow(panel, IDC_MOVE_HORZ, false);
    ClickArrow(panel, IDC_LENGTH_ARROW, true);
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 302, 50));
    ClickArrow(panel, IDC_LENGTH_ARROW, false);
    ClickArrow(panel, IDC_RED_ARROW, true);
    ClickArrow(panel, IDC_BLUE_ARROW, false);
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght  300 pixel | Red  101 pixel | Blue  129 pixel"));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H300 pixel"));
    // The ruler moved and grew without taking the front from the panel.
    EXPECT_EQ(GetForegroundWindow(), panel);

    // The right button held on an arrow makes the steps ten pixels and opens no menu: a menu
    // would take the click that follows.
    ClickArrow(panel, IDC_LENGTH_ARROW, true, true);
    ClickArrow(panel, IDC_MOVE_HORZ, false, true);
    ClickArrow(panel, IDC_RED_ARROW, false, true);
    ClickArrow(panel, IDC_BLUE_ARROW, true);
    EXPECT_TRUE(ShowsAt(ruler, 410, 300, 311, 50));
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght  310 pixel | Red  91 pixel | Blue  130 pixel"));
    EXPECT_FALSE(FindMenuWindow(ProcessOf(ruler)));
}

TEST_F(PanelTest, ReadoutsFollowTheRulersKeysWheelAndUnit) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel && BringToFront(ruler));
    PressKey(VK_NEXT);
    PressKey(VK_ADD);
    PressKey(VK_MULTIPLY);
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght  301 pixel | Red  101 pixel | Blue  131 pixel"));
    MoveCursor({550, 325});
    WheelTowardUser(1);
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght  301 pixel | Red  102 pixel | Blue  131 pixel"));
    PostMessageW(ruler, WM_COMMAND, IDM_UNIT_INCH, 0);
    EXPECT_TRUE(
        ReadoutsAre(panel, L"Lenght   3.13 inches | Red   1.06 inches | Blue   1.36 inches"));
    EXPECT_EQ(ItemCheck(panel, IDC_PANEL_INCH), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(ItemCheck(panel, IDC_PANEL_PIXEL), static_cast<UINT>(BST_UNCHECKED));
}

TEST_F(PanelTest, EscPutsBackLengthRedMarkerAndFullScaleButCloseKeepsTheLength) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    ClickArrow(panel, IDC_LENGTH_ARROW, true, true);
    ClickArrow(panel, IDC_RED_ARROW, true);
    ASSERT_TRUE(ReadoutsAre(panel, L"Lenght  310 pixel | Red  101 pixel | Blue  130 pixel"));
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_MULTIPLY);  // the blue marker, which Esc leaves where it is
    ASSERT_TRUE(ReadoutsAre(panel, L"Lenght  310 pixel | Red  101 pixel | Blue  131 pixel"));
    ASSERT_TRUE(BringToFront(panel));
    const RECT full = ButtonOnScreen(panel, 4);
    const POINT fullButton{(full.left + full.right) / 2, (full.top + full.bottom) / 2};
    ASSERT_TRUE(ClickOn(GetDlgItem(panel, IDC_TOOLBAR), fullButton));
    ASSERT_TRUE(ShowsAt(ruler, 0, 300, 1921, 50));
    ASSERT_TRUE(BringToFront(panel));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitGone(panel));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
    EXPECT_TRUE(TooltipIs(ruler,
                          L"Linova <1> - H300 pixel\nRed : 100 pixel\nBlue : 131 pixel\n"
                          L"Red - Blue : -31 pixel"));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == ruler; }));

    // Close keeps the new length, and the ruler stores it at its end.
    panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    ClickArrow(panel, IDC_LENGTH_ARROW, true);
    ASSERT_TRUE(ClickItem(panel, IDOK));
    EXPECT_TRUE(WaitGone(panel));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 302, 50));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Lenght"), 301u);
}

TEST_F(PanelTest, TheFocusLeavesAnArrowThatFullScaleDisablesSoEscStillCancels) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    ClickArrow(panel, IDC_LENGTH_ARROW, true);
    ASSERT_TRUE(ShowsAt(ruler, 400, 300, 302, 50));
    ASSERT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_LENGTH_ARROW; }))
        << FocusedItem(panel);
    const RECT full = ButtonOnScreen(panel, 4);
    ClickAt({(full.left + full.right) / 2, (full.top + full.bottom) / 2}, false);
    ASSERT_TRUE(ShowsAt(ruler, 0, 300, 1921, 50));
    EXPECT_FALSE(ItemEnabled(panel, IDC_LENGTH_ARROW));
    // On to the next control in the tab order, the red marker's arrow.
    EXPECT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_RED_ARROW; }))
        << FocusedItem(panel);
    ASSERT_TRUE(BringToFront(panel));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitGone(panel));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
}

TEST_F(PanelTest, ARulerEndedWithItsPanelOpenStaysHiddenAndSaves) {
    // Exit hides the ruler first; the close box closes it as it stands.
    for (UINT command : {static_cast<UINT>(IDM_EXIT), static_cast<UINT>(SC_CLOSE)}) {
        HWND ruler = StartRuler(StoredRuler{});
        ASSERT_TRUE(ruler);
        ASSERT_TRUE(OpenPanel(ruler));
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ruler));
        ASSERT_TRUE(process);
        PostMessageW(ruler, command == IDM_EXIT ? WM_COMMAND : WM_SYSCOMMAND, command, 0);
        // The panel goes before the ruler does; the ruler must not come back on the screen.
        bool hidden = false;
        bool shownAgain = false;
        EXPECT_TRUE(WaitUntil([&] {
            const bool visible = IsWindowVisible(ruler) != FALSE;
            shownAgain = shownAgain || (hidden && visible);
            hidden = hidden || !visible;
            return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        }));
        CloseHandle(process);
        EXPECT_FALSE(shownAgain) << command;
        EXPECT_EQ(ReadDword(InstanceKey(1), L"Lenght"), 300u) << command;
    }
}

TEST_F(PanelTest, FullScaleFromTheRulerDisablesTheArrowsAlongItsAxis) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel && BringToFront(ruler));
    auto usable = [&] {
        std::string ids;
        for (int id :
             {IDC_MOVE_VERT, IDC_MOVE_HORZ, IDC_LENGTH_ARROW, IDC_RED_ARROW, IDC_BLUE_ARROW}) {
            if (ItemEnabled(panel, id)) ids += std::to_string(id) + " ";
        }
        return ids;
    };
    PressKey(VK_DELETE);
    EXPECT_TRUE(WaitUntil(
        [&] { return ButtonState(panel, IDC_PANEL_FULL) == (TBSTATE_ENABLED | TBSTATE_CHECKED); }));
    EXPECT_EQ(usable(), "311 323 324 ");
    // Turned, the full-scale ruler moves only sideways, and the panel shows the turned icon.
    auto captionIcon = [&] {
        const RECT r = RectOf(panel);
        const LONG left = r.left + GetSystemMetrics(SM_CXFIXEDFRAME);
        const LONG top = r.top + GetSystemMetrics(SM_CYFIXEDFRAME);
        return Capture::Screen({left, top, left + 20, top + GetSystemMetrics(SM_CYCAPTION)});
    };
    const Capture horizontalIcon = captionIcon();
    PressKey(VK_HOME);
    EXPECT_TRUE(WaitUntil([&] { return usable() == "312 323 324 "; })) << usable();
    EXPECT_TRUE(WaitUntil([&] { return !(captionIcon() == horizontalIcon); }));
    PressKey(VK_BACK);
    EXPECT_TRUE(WaitUntil([&] {
        return ButtonState(panel, IDC_PANEL_NARROW) == (TBSTATE_ENABLED | TBSTATE_CHECKED);
    }));
    PressKey(VK_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return usable() == "311 312 321 323 324 "; })) << usable();
    EXPECT_EQ(ButtonState(panel, IDC_PANEL_FULL), TBSTATE_ENABLED);
    PressKey(VK_HOME);
    EXPECT_TRUE(WaitUntil([&] { return captionIcon() == horizontalIcon; }));
}

TEST_F(PanelTest, TrackAndThumbDoNothingTabMovesTheFocusAndEnterCloses) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    EXPECT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_PANEL_PIXEL; }))
        << FocusedItem(panel);
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_MOVE_VERT; }))
        << FocusedItem(panel);
    PressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_MOVE_HORZ; }))
        << FocusedItem(panel);

    // The horizontal Move bar's track right of its thumb, where the up-down bar leaves it
    // uncovered, and the up-down bar's middle, which is all track. No thumb is in reach of the
    // mouse here (the up-down bar lies over the other's), so the thumb's notifications come as
    // a drag of it sends them.
    HWND across = GetDlgItem(panel, IDC_MOVE_HORZ);
    HWND upDown = GetDlgItem(panel, IDC_MOVE_VERT);
    const RECT h = RectOf(across);
    const RECT v = RectOf(upDown);
    EXPECT_TRUE(ClickOn(across, {(v.right + h.right - GetSystemMetrics(SM_CXHSCROLL)) / 2,
                                 (h.top + h.bottom) / 2}));
    EXPECT_TRUE(ClickOn(upDown, {(v.left + v.right) / 2, (v.top + v.bottom) / 2}));
    for (HWND bar : {across, upDown}) {
        const UINT message = bar == across ? WM_HSCROLL : WM_VSCROLL;
        for (WORD code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL}) {
            PostMessageW(panel, message, MAKEWPARAM(code, 2), reinterpret_cast<LPARAM>(bar));
        }
    }
    ClickArrow(panel, IDC_RED_ARROW, true);  // after the others in the same queue
    EXPECT_TRUE(ReadoutsAre(panel, L"Lenght  300 pixel | Red  101 pixel | Blue  130 pixel"));
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));

    // Enter is Close: the panel goes and keeps what it changed.
    ASSERT_TRUE(BringToFront(panel));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(panel));
    EXPECT_TRUE(TooltipIs(ruler,
                          L"Linova <1> - H300 pixel\nRed : 101 pixel\nBlue : 130 pixel\n"
                          L"Red - Blue : -29 pixel"));
}

TEST_F(PanelTest, TheToolbarTakesTheKeysAndNoPanelOpensBesideSetup) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    HWND toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    PostMessageW(panel, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(toolbar), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return FocusedItem(panel) == IDC_TOOLBAR; }));
    // The keys start on Reverse; Right twice passes Direction and the separator to Full Scale.
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    PressKey(VK_SPACE);
    EXPECT_TRUE(ShowsAt(ruler, 0, 300, 1921, 50));
    EXPECT_TRUE(WaitUntil(
        [&] { return ButtonState(panel, IDC_PANEL_FULL) == (TBSTATE_ENABLED | TBSTATE_CHECKED); }));
    // Enter presses too, instead of closing the panel; Left from Full Scale is Direction.
    PressKey(VK_RETURN);
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 50));
    EXPECT_EQ(ButtonState(panel, IDC_PANEL_FULL), TBSTATE_ENABLED);
    PressKey(VK_LEFT);
    PressKey(VK_SPACE);
    EXPECT_TRUE(ShowsAt(ruler, 525, 175, 50, 301));
    EXPECT_EQ(FocusedItem(panel), IDC_TOOLBAR);
    ASSERT_TRUE(IsWindowVisible(panel));
    PostMessageW(panel, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitGone(panel));

    // With Setup open, another ruler's tray command opens no panel.
    PostMessageW(ruler, WM_COMMAND, IDM_SETUP, 0);
    HWND setup = WaitForDialog(ruler, L"Setup - Linova <1>");
    ASSERT_TRUE(setup);
    EXPECT_TRUE(SendWaiting(ruler, WM_COMMAND, IDM_OPERATION_AT_CURSOR));
    EXPECT_TRUE(TopWindows(L"#32770", kTitle).empty());
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(setup));
}

TEST_F(PanelTest, At144DotsPerInchTheToolbarHasLargerButtonsAndTheLargeImages) {
    ScopedDpi dpi(144);
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenPanel(ruler);
    ASSERT_TRUE(panel);
    HWND toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    EXPECT_EQ(SendWaiting(toolbar, TB_GETBUTTONSIZE), MAKELONG(67, 42));
    // As large as the buttons reach, below the toolbar's own margin above them, and inside the
    // panel's client area.
    const RECT t = RectOf(toolbar);
    EXPECT_EQ(t.right - t.left, 292);
    EXPECT_EQ(t.bottom - t.top, 44);
    for (int i = 0; i < 7; ++i) EXPECT_TRUE(ButtonShowsWhole(toolbar, i));

    // The Reverse button shows the first picture of the large strip, whose extent the small
    // strip's picture does not have.
    const Capture large = Capture::Bitmap(LinovaPath(), IDB_PANEL_TOOLBAR_BIG);
    const Capture small = Capture::Bitmap(LinovaPath(), IDB_PANEL_TOOLBAR);
    const COLORREF face = RGB(192, 192, 192);
    const SIZE expected = Extent(large, {0, 0, 25, 25}, face);
    const SIZE smaller = Extent(small, {0, 0, 17, 17}, face);
    ASSERT_NE(expected.cx, smaller.cx);
    ASSERT_TRUE(MoveCursor(kAway));
    RECT button = ButtonOnScreen(panel, 1);
    InflateRect(&button, -3, -3);  // inside the button's edges
    SIZE shown{};
    EXPECT_TRUE(WaitUntil([&] {
        const Capture c = Capture::Screen(button);
        shown = Extent(c, {0, 0, button.right - button.left, button.bottom - button.top},
                       GetSysColor(COLOR_BTNFACE));
        return shown.cx == expected.cx && shown.cy == expected.cy;
    })) << shown.cx
        << " x " << shown.cy << ", expected " << expected.cx << " x " << expected.cy;
}

}  // namespace
}  // namespace e2e
