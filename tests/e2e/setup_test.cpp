// The Setup dialog and the Display size dialog on the real program: each page shows the stored
// values, the ruler's look follows the colour, font, scale and opacity at once, Cancel puts it
// back, the close box keeps it unsaved and OK saves it; the colour list's samples; the scale's
// steps and bounds; the display sizes on one and on two monitors; the page toolbar at 144 dots
// per inch.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "dialogs.h"
#include "harness.h"
#include "input.h"
#include "menus.h"
#include "resources/resource.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr wchar_t kSetup[] = L"Setup - Linova <1>";
constexpr wchar_t kDisplaySize[] = L"Linova - Display Size";

// Page numbers, as the toolbar orders its buttons.
enum Page { kColour, kScaling, kMagnifier, kMouse, kOther };
// A control of each page, by which a test knows the page.
constexpr int kPageControls[] = {IDC_COLOR_LIST, IDC_SCALING_TEXT, IDC_MAG_FACTOR, IDC_WHEEL_MODE,
                                 IDC_LAYER};

// A horizontal centimetre ruler of 300 pixels at (400, 300), manual scale 37.8 pixel/cm.
StoredRuler CmRuler() {
    StoredRuler ruler;
    ruler.unit = 1;
    return ruler;
}

// A dialog is ready once it shows: its title may come before its controls.
HWND WaitShown(HWND dialog) {
    return dialog && WaitUntil([&] { return IsWindowVisible(dialog); }) ? dialog : nullptr;
}

HWND OpenSetup(HWND ruler, const wchar_t* title = kSetup) {
    return OpenDialog(ruler, IDM_SETUP, title);
}

// The page the dialog shows: its one visible child dialog.
HWND ShownPage(HWND setup) {
    for (HWND child = FindWindowExW(setup, nullptr, L"#32770", nullptr); child;
         child = FindWindowExW(setup, child, L"#32770", nullptr)) {
        if (IsWindowVisible(child)) return child;
    }
    return nullptr;
}

HWND WaitForPage(HWND setup, Page page) {
    HWND shown = nullptr;
    WaitUntil([&] {
        shown = ShownPage(setup);
        return shown && GetDlgItem(shown, kPageControls[page]);
    });
    return shown && GetDlgItem(shown, kPageControls[page]) ? shown : nullptr;
}

// A click on the page's toolbar button, as a user chooses it.
HWND ChoosePage(HWND setup, Page page) {
    HWND toolbar = GetDlgItem(setup, IDC_TOOLBAR);
    const auto button = ToolbarItemRect(toolbar, page);
    if (!button || !BringToFront(setup)) return nullptr;
    const RECT t = RectOf(toolbar);
    const POINT at{t.left + (button->left + button->right) / 2,
                   t.top + (button->top + button->bottom) / 2};
    return ClickOn(toolbar, at) ? WaitForPage(setup, page) : nullptr;
}

LRESULT PressedButtons(HWND setup) {
    LRESULT pressed = 0;
    for (int id = IDC_PAGE_COLOR; id <= IDC_PAGE_OTHER; ++id) {
        const auto state = SendWaiting(GetDlgItem(setup, IDC_TOOLBAR), TB_GETSTATE, id);
        if (state && (*state & TBSTATE_CHECKED)) pressed = pressed * 10000 + id;
    }
    return pressed;
}

LRESULT Selection(HWND page, int list) {
    return SendWaiting(GetDlgItem(page, list), CB_GETCURSEL).value_or(-2);
}

std::wstring ListItem(HWND page, int list, int index) {
    wchar_t text[64] = L"";
    SendWaiting(GetDlgItem(page, list), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

BYTE Opacity(HWND ruler) {
    BYTE alpha = 0;
    DWORD flags = 0;
    GetLayeredWindowAttributes(ruler, nullptr, &alpha, &flags);
    return alpha;
}

// What the ruler shows now, once it has settled: the ruler has handled what was sent to it, and
// the picture stays the same over a third of a second. (On a loaded machine a ruler that has just
// started can go 50 ms or more between two of its first paints.)
Capture Settled(HWND ruler) {
    Answers(ruler);
    Answers(ruler);
    Capture now = Capture::Screen(RectOf(ruler));
    int samePolls = 0;
    WaitUntil([&] {
        Sleep(100);
        const Capture again = Capture::Screen(RectOf(ruler));
        samePolls = again == now ? samePolls + 1 : 0;
        now = again;
        return samePolls >= 3;
    });
    return now;
}

testing::AssertionResult Shows(HWND ruler, const Capture& expected) {
    Capture now;
    if (WaitUntil([&] { return (now = Capture::Screen(RectOf(ruler))) == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "the ruler shows another picture: " << now.DifferenceFrom(expected);
}

// The colour of the ruler's body away from its ticks, numbers and markers.
COLORREF Ground(HWND ruler) {
    const RECT r = RectOf(ruler);
    return Capture::Screen(r).Pixel(250, 25);
}

testing::AssertionResult GroundIs(HWND ruler, COLORREF expected) {
    if (WaitUntil([&] { return Ground(ruler) == expected; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << ColourText(Ground(ruler));
}

// Opens the colour list and walks it down to the background with the keys; Return chooses it.
void ChooseBackground(HWND page, int from, int to) {
    ASSERT_TRUE(ClickItem(page, IDC_COLOR_LIST));
    for (int i = from; i < to; ++i) PressKey(VK_DOWN);
    PressKey(VK_RETURN);
}

using SetupTest = MenuTest;

TEST_F(SetupTest, EveryPageShowsTheStoredValuesAndTheLastChosenPageComesBack) {
    StoredRuler stored = CmRuler();
    stored.backColor = 5;
    stored.fontStyle = 3;
    stored.topMost = false;
    stored.noKeys = true;
    stored.noMouse = true;
    stored.wheelMode = 2;
    stored.layerWindow = 200;
    stored.magnifier = 6;
    stored.magType = 1;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    // The first opening shows the colour page with its button pressed.
    HWND colour = WaitForPage(setup, kColour);
    ASSERT_TRUE(colour);
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_COLOR);
    EXPECT_EQ(Selection(colour, IDC_COLOR_LIST), 5);
    EXPECT_EQ(ItemCheck(colour, IDC_BOLD_FONT), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(ItemCheck(colour, IDC_ITALIC_FONT), static_cast<UINT>(BST_CHECKED));
    // The buttons' tips, given when the toolbar's tooltip asks for them.
    HWND toolbar = GetDlgItem(setup, IDC_TOOLBAR);
    const auto tips = SendWaiting(toolbar, TB_GETTOOLTIPS);
    ASSERT_TRUE(tips && *tips);
    std::wstring texts;
    for (int id = IDC_PAGE_COLOR; id <= IDC_PAGE_OTHER; ++id) {
        texts += ToolText(reinterpret_cast<HWND>(*tips), toolbar, id) + L"|";
    }
    EXPECT_EQ(texts,
              L"Color, Font,|Scaling Auto/Manual.|Magnifier.|Mouse settings.|other settings.|");
    // Asked for a tip, the tooltip takes the dialog's dark red on light grey and its margins.
    const HWND tooltip = reinterpret_cast<HWND>(*tips);
    EXPECT_EQ(SendWaiting(tooltip, TTM_GETTIPTEXTCOLOR), LRESULT{RGB(128, 0, 0)});
    EXPECT_EQ(SendWaiting(tooltip, TTM_GETTIPBKCOLOR), LRESULT{RGB(232, 232, 232)});
    RemoteBlock margin(tooltip, sizeof(RECT));
    RECT margins{};
    ASSERT_TRUE(SendWaiting(tooltip, TTM_GETMARGIN, 0, margin.At()));
    ASSERT_TRUE(margin.Read(0, &margins, sizeof(margins)));
    EXPECT_EQ(RectText(margins), RectText(RECT{3, 3, 2, 2}));
    for (int page = kColour; page <= kOther; ++page) EXPECT_TRUE(ButtonShowsWhole(toolbar, page));

    HWND scaling = ChoosePage(setup, kScaling);
    ASSERT_TRUE(scaling);
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_SCALING);
    EXPECT_EQ(ItemText(scaling, IDC_SCALING_TEXT), L"Scale  37.8 pixel/cm");
    EXPECT_EQ(ItemText(scaling, IDC_DISPLAY_SIZE_TEXT), L"1920x1080pixel, 17.0inch.");
    EXPECT_EQ(ItemCheck(scaling, IDC_SCALING_MANUAL), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(ItemCheck(scaling, IDC_SCALING_AUTO), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_TRUE(ItemEnabled(scaling, IDC_SCALING_ARROW));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(scaling, IDC_SCALING_LINE)));
    EXPECT_TRUE(ItemEnabled(scaling, IDC_DISPLAY_SIZE_BUTTON));

    HWND magnifier = ChoosePage(setup, kMagnifier);
    ASSERT_TRUE(magnifier);
    EXPECT_EQ(Selection(magnifier, IDC_MAG_FACTOR), 5);
    EXPECT_EQ(ListItem(magnifier, IDC_MAG_FACTOR, 5), L"x6");
    EXPECT_EQ(Selection(magnifier, IDC_MAG_TYPE), 1);
    EXPECT_EQ(ListItem(magnifier, IDC_MAG_TYPE, 1), L"Edge / Blue");

    HWND mouse = ChoosePage(setup, kMouse);
    ASSERT_TRUE(mouse);
    EXPECT_EQ(Selection(mouse, IDC_WHEEL_MODE), 2);
    EXPECT_EQ(ListItem(mouse, IDC_WHEEL_MODE, 1), L"Rad Marker");
    EXPECT_EQ(ItemCheck(mouse, IDC_NO_MOUSE), static_cast<UINT>(BST_CHECKED));

    HWND other = ChoosePage(setup, kOther);
    ASSERT_TRUE(other);
    HWND layer = GetDlgItem(other, IDC_LAYER);
    EXPECT_EQ(SendWaiting(layer, TBM_GETPOS), 200);
    EXPECT_EQ(SendWaiting(layer, TBM_GETRANGEMIN), 35);
    EXPECT_EQ(SendWaiting(layer, TBM_GETRANGEMAX), 255);
    EXPECT_EQ(ItemCheck(other, IDC_TOPMOST), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(ItemCheck(other, IDC_NO_KEY), static_cast<UINT>(BST_CHECKED));

    // A page chosen takes the place of the one shown, which is gone; the pressed button makes
    // nothing anew.
    EXPECT_FALSE(IsWindow(scaling));
    HWND scalingAgain = ChoosePage(setup, kScaling);
    ASSERT_TRUE(scalingAgain);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_EQ(ItemText(scalingAgain, IDC_SCALING_TEXT), L"Scale  37.8 pixel/cm");
    EXPECT_EQ(ChoosePage(setup, kScaling), scalingAgain);

    // Closed by the close box, the dialog opens again on the page chosen last.
    ASSERT_TRUE(ChoosePage(setup, kMouse));
    PostMessageW(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(setup));
    setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    EXPECT_TRUE(WaitForPage(setup, kMouse));
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_MOUSE);
    // And after Esc the same.
    ASSERT_TRUE(ChoosePage(setup, kOther));
    ASSERT_TRUE(BringToFront(setup));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitGone(setup));
    setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    EXPECT_TRUE(WaitForPage(setup, kOther));
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_OTHER);
}

TEST_F(SetupTest, ColourFontAndOpacityShowAtOnceCancelPutsThemBackAndOkSavesThem) {
    StoredRuler stored = CmRuler();
    stored.layerWindow = 200;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(MoveCursor(kAway));
    ASSERT_EQ(Opacity(ruler), 200);
    const Capture before = Settled(ruler);
    ASSERT_EQ(before.Pixel(250, 25), kWhite);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND colour = WaitForPage(setup, kColour);
    ASSERT_TRUE(colour);

    // The third background below white, and the frame's strip with it.
    ChooseBackground(colour, 0, 3);
    EXPECT_TRUE(GroundIs(ruler, RGB(192, 255, 255)));
    const RECT strip = RectOf(GetDlgItem(setup, IDC_COLOR_STRIP));
    EXPECT_TRUE(WaitUntil([&] {
        return Capture::Screen(strip).Pixel(2, (strip.bottom - strip.top) / 2) ==
               RGB(192, 255, 255);
    }));
    // The numbers drawn upright and light instead of bold.
    const Capture cyan = Settled(ruler);
    ASSERT_TRUE(ClickItem(colour, IDC_BOLD_FONT));
    EXPECT_TRUE(WaitUntil([&] { return !(Capture::Screen(RectOf(ruler)) == cyan); }));
    EXPECT_EQ(ItemCheck(colour, IDC_BOLD_FONT), static_cast<UINT>(BST_UNCHECKED));

    // The slider at its left end leaves the ruler faint, never invisible.
    HWND other = ChoosePage(setup, kOther);
    ASSERT_TRUE(other);
    // The slider lies under the page's frame, which lets the click through to it.
    ASSERT_TRUE(BringToFront(setup));
    ASSERT_TRUE(ClickOn(GetDlgItem(other, IDC_LAYER), ItemCentre(other, IDC_LAYER)));
    PressKey(VK_HOME);
    EXPECT_TRUE(WaitUntil([&] { return Opacity(ruler) == 35; })) << int{Opacity(ruler)};
    EXPECT_EQ(SendWaiting(GetDlgItem(other, IDC_LAYER), TBM_GETPOS), 35);

    // Cancel: the old background, font and opacity, exactly as drawn before; nothing saved.
    ASSERT_TRUE(BringToFront(setup));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_TRUE(WaitUntil([&] { return Opacity(ruler) == 200; })) << int{Opacity(ruler)};
    EXPECT_TRUE(Shows(ruler, before));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"BackColor"), 0u);

    // OK: the choice stays and is saved at once.
    setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    colour = ChoosePage(setup, kColour);
    ASSERT_TRUE(colour);
    ChooseBackground(colour, 0, 2);
    EXPECT_TRUE(GroundIs(ruler, RGB(255, 255, 192)));
    ASSERT_TRUE(ClickItem(colour, IDC_ITALIC_FONT));
    ASSERT_TRUE(ClickItem(setup, IDOK));
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_TRUE(WaitUntil([&] { return ReadDword(InstanceKey(1), L"BackColor") == 2u; }));
    EXPECT_EQ(ReadText(InstanceKey(1), L"Settings"), L"1,0,0,1,0,0,3,0,0,1,0,1,");
    EXPECT_TRUE(GroundIs(ruler, RGB(255, 255, 192)));
    EXPECT_EQ(Opacity(ruler), 200);
}

TEST_F(SetupTest, TheCloseBoxKeepsTheChangesUnsavedUntilTheRulerSaves) {
    StoredRuler stored = CmRuler();
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND colour = WaitForPage(setup, kColour);
    ASSERT_TRUE(colour);
    ChooseBackground(colour, 0, 4);
    EXPECT_TRUE(GroundIs(ruler, RGB(255, 192, 255)));
    HWND mouse = ChoosePage(setup, kMouse);
    ASSERT_TRUE(mouse);
    ASSERT_TRUE(ClickItem(mouse, IDC_NO_MOUSE));
    EXPECT_TRUE(WaitUntil([&] { return ItemCheck(mouse, IDC_NO_MOUSE) == BST_CHECKED; }));
    // The keys follow to the next page: the check box that had them went with its page.
    ASSERT_TRUE(ChoosePage(setup, kOther));
    EXPECT_TRUE(WaitUntil([&] { return FocusedItem(setup) == IDC_TOPMOST; })) << FocusedItem(setup);
    PostMessageW(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_TRUE(GroundIs(ruler, RGB(255, 192, 255)));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"BackColor"), 0u);
    // Still in effect at the next opening, and saved when the ruler ends.
    setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    EXPECT_EQ(ItemCheck(ChoosePage(setup, kMouse), IDC_NO_MOUSE), static_cast<UINT>(BST_CHECKED));
    PostMessageW(setup, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(setup));
    EndAllRulers();
    EXPECT_EQ(ReadDword(InstanceKey(1), L"BackColor"), 4u);
    EXPECT_EQ(ReadText(InstanceKey(1), L"Settings"), L"1,0,0,1,0,0,1,0,1,1,0,1,");
}

TEST_F(SetupTest, TheColourListDrawsTwentyThreeNumberedSamplesAndLeavesTheRulersPattern) {
    StoredRuler stored = CmRuler();
    stored.backColor = 16;  // a pattern
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(MoveCursor(kAway));
    const Capture before = Settled(ruler);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND colour = WaitForPage(setup, kColour);
    ASSERT_TRUE(colour);
    HWND combo = GetDlgItem(colour, IDC_COLOR_LIST);
    EXPECT_EQ(SendWaiting(combo, CB_GETCOUNT), 23);
    // Clicked as a user clicks it, with the dialog already in front: asking for the front again
    // as the list drops down would raise the dialog (topmost with its ruler) over the list.
    ASSERT_TRUE(BringToFront(setup));
    ASSERT_TRUE(ClickOn(combo, ItemCentre(colour, IDC_COLOR_LIST)));
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        list = FindWindowW(L"ComboLBox", nullptr);
        return list && IsWindowVisible(list);
    }));
    const int height = static_cast<int>(SendWaiting(combo, CB_GETITEMHEIGHT, 0).value_or(0));
    ASSERT_GT(height, 10);

    // The ink pixels in a sample's number, and the sample's colour at its right end.
    auto sample = [&](int index) {
        SendWaiting(list, LB_SETTOPINDEX, index);
        const auto top = SendWaiting(list, LB_GETTOPINDEX).value_or(-1);
        RECT client{};
        GetClientRect(list, &client);
        POINT origin{0, 0};
        ClientToScreen(list, &origin);
        const int y = origin.y + static_cast<int>(index - top) * height;
        return Capture::Screen({origin.x, y, origin.x + client.right, y + height});
    };
    auto inkPixels = [&](const Capture& c, COLORREF ink) {
        int count = 0;
        for (int y = 3; y < height - 2; ++y) {
            for (int x = 8; x < 30; ++x) count += c.Pixel(x, y) == ink;
        }
        return count;
    };
    const COLORREF solids[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 192)};
    for (int index = 0; index < 3; ++index) {
        Capture c;
        EXPECT_TRUE(WaitUntil([&] {
            c = sample(index);
            return c.Pixel(c.Width() - 6, height / 2) == solids[index] && inkPixels(c, kBlack) > 5;
        })) << index
            << ": " << ColourText(c.Pixel(c.Width() - 6, height / 2)) << ", "
            << inkPixels(c, kBlack);
    }
    // Samples 20 and 21 are dark patterns numbered in light grey; 14 is the first pattern.
    for (int index : {19, 20}) {
        Capture c;
        EXPECT_TRUE(WaitUntil([&] {
            c = sample(index);
            return inkPixels(c, RGB(223, 223, 223)) > 5 && inkPixels(c, kBlack) == 0;
        })) << index;
    }
    Capture first;
    EXPECT_TRUE(WaitUntil([&] {
        first = sample(13);
        return first.Pixel(first.Width() - 6, height / 2) == RGB(255, 255, 204);
    })) << ColourText(first.Pixel(first.Width() - 6, height / 2));
    // The chosen sample is framed in black (once the list has scrolled to it and drawn it).
    Capture chosen;
    EXPECT_TRUE(WaitUntil([&] {
        chosen = sample(16);
        return chosen.Pixel(0, height / 2) == kBlack;
    })) << ColourText(chosen.Pixel(0, height / 2));

    // Drawing the samples left the ruler's own pattern as it was: the ruler, drawn again for
    // another font and back, shows what it showed.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(list); }));
    ASSERT_TRUE(ClickItem(colour, IDC_ITALIC_FONT));
    ASSERT_TRUE(ClickItem(colour, IDC_ITALIC_FONT));
    EXPECT_TRUE(Shows(ruler, before));
}

TEST_F(SetupTest, TheManualScaleStepsByOneAndTenWithinItsBoundsAndAutoTakesItsArrows) {
    StoredRuler stored = CmRuler();
    stored.scaling = 35;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H85.71 cm"));
    const Capture before = Settled(ruler);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND page = ChoosePage(setup, kScaling);
    ASSERT_TRUE(page);
    EXPECT_EQ(ItemText(page, IDC_SCALING_TEXT), L"Scale   3.5 pixel/cm");
    HWND arrow = GetDlgItem(page, IDC_SCALING_ARROW);
    auto step = [&](bool up, bool shift, bool rightHeld) {
        ASSERT_TRUE(BringToFront(setup));
        const POINT at = ScrollArrow(arrow, up);
        if (shift) return ShiftClickAt(at);
        if (rightHeld) {
            // The right button must go down on the arrow, not where the cursor was before.
            SettleCursor(at);
            RightDown();
        }
        EXPECT_TRUE(ClickOn(arrow, at));
        if (rightHeld) RightUp();
    };
    auto textIs = [&](const std::wstring& expected) {
        return WaitUntil([&] { return ItemText(page, IDC_SCALING_TEXT) == expected; });
    };
    // Ten down with Shift stops at 3.0, and stays there.
    step(false, true, false);
    EXPECT_TRUE(textIs(L"Scale   3.0 pixel/cm"));
    step(false, false, false);
    EXPECT_TRUE(textIs(L"Scale   3.0 pixel/cm"));
    // Ten up with the right button held on the arrow, which opens no menu; then one up.
    step(true, false, true);
    EXPECT_TRUE(textIs(L"Scale   4.0 pixel/cm"));
    EXPECT_FALSE(FindMenuWindow(ProcessOf(ruler)));
    step(true, false, false);
    EXPECT_TRUE(textIs(L"Scale   4.1 pixel/cm"));
    // The ruler reads and draws its length in the new scale at once.
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H73.17 cm"));
    EXPECT_TRUE(WaitUntil([&] { return !(Capture::Screen(RectOf(ruler)) == before); }));

    // Auto: the automatic scale of the 17-inch 1920 x 1080 monitor, and no arrows.
    ASSERT_TRUE(ClickItem(page, IDC_SCALING_AUTO));
    EXPECT_TRUE(textIs(L"Scale  51.0 pixel/cm"));
    EXPECT_FALSE(ItemEnabled(page, IDC_SCALING_ARROW));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_SCALING_LINE)));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.88 cm"));
    ASSERT_TRUE(ClickItem(page, IDC_SCALING_MANUAL));
    EXPECT_TRUE(textIs(L"Scale   4.1 pixel/cm"));
    EXPECT_TRUE(ItemEnabled(page, IDC_SCALING_ARROW));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_SCALING_LINE)));

    // Cancel: back to 3.5 pixel/cm, in the title and on the ruler.
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H85.71 cm"));
    EXPECT_TRUE(Shows(ruler, before));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Scaling"), 35u);

    // At the top: ten up with Shift from 299.5 stops at 300.0, and stays there.
    stored.scaling = 2995;
    ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    // A new ruler's Setup opens on the first page again.
    EXPECT_TRUE(WaitForPage(setup, kColour));
    page = ChoosePage(setup, kScaling);
    ASSERT_TRUE(page);
    arrow = GetDlgItem(page, IDC_SCALING_ARROW);
    EXPECT_EQ(ItemText(page, IDC_SCALING_TEXT), L"Scale 299.5 pixel/cm");
    step(true, true, false);
    EXPECT_TRUE(textIs(L"Scale 300.0 pixel/cm"));
    step(true, false, false);
    step(true, false, true);
    EXPECT_TRUE(textIs(L"Scale 300.0 pixel/cm"));
    step(false, false, false);
    EXPECT_TRUE(textIs(L"Scale 299.9 pixel/cm"));
    ASSERT_TRUE(ClickItem(setup, IDOK));
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Scaling"), 2999u);
}

// The Display size dialog's rows, column by column, in one line each.
std::vector<std::wstring> Rows(HWND dialog) {
    std::vector<std::wstring> lines;
    for (const auto& row : ListViewRows(GetDlgItem(dialog, IDC_MONITOR_LIST), 5)) {
        std::wstring line;
        for (const std::wstring& cell : row) line += cell + L"|";
        lines.push_back(line);
    }
    return lines;
}

LRESULT SelectedRow(HWND dialog) {
    return SendWaiting(GetDlgItem(dialog, IDC_MONITOR_LIST), LVM_GETNEXTITEM,
                       static_cast<WPARAM>(-1), LVNI_SELECTED)
        .value_or(-2);
}

// One click on the up arrow of the diagonal's up-down control.
void StepUp(HWND dialog) {
    const RECT r = RectOf(GetDlgItem(dialog, IDC_MONITOR_SPIN));
    ASSERT_TRUE(BringToFront(dialog));
    EXPECT_TRUE(ClickOn(GetDlgItem(dialog, IDC_MONITOR_SPIN),
                        {(r.left + r.right) / 2, r.top + (r.bottom - r.top) / 4}));
}

testing::AssertionResult FieldIs(HWND dialog, const std::wstring& expected) {
    if (WaitUntil([&] { return ItemText(dialog, IDC_MONITOR_SIZE) == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << testing::PrintToString(ItemText(dialog, IDC_MONITOR_SIZE));
}

HWND WaitForDisplaySize(HWND ruler) {
    return WaitShown(WaitForDialog(ruler, kDisplaySize));
}

HWND OpenDisplaySize(HWND ruler) {
    return OpenDialog(ruler, IDM_DISPLAY_SIZE, kDisplaySize);
}

TEST_F(SetupTest, DisplaySizeStepsTheMonitorsDiagonalAndOkChangesTheAutomaticScale) {
    StoredRuler stored = CmRuler();
    stored.scalingAuto = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.88 cm"));
    HWND dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Rows(dialog), std::vector<std::wstring>{L"\\\\.\\DISPLAY1|P|0, 0|1920 x 1080|17.0|"});
    EXPECT_EQ(SelectedRow(dialog), 0);
    EXPECT_TRUE(FieldIs(dialog, L"17.0"));
    StepUp(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    EXPECT_EQ(Rows(dialog), std::vector<std::wstring>{L"\\\\.\\DISPLAY1|P|0, 0|1920 x 1080|17.1|"});
    // Cancel drops the step: the scale stays, and the next opening shows the stored size.
    ASSERT_TRUE(ClickItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitGone(dialog));
    dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.0"));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.88 cm"));
    // OK: 17.1 inches make 50.7 pixel/cm.
    StepUp(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    ASSERT_TRUE(ClickItem(dialog, IDOK));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.91 cm"));

    // From the scaling page: the page's texts follow at once.
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND page = ChoosePage(setup, kScaling);
    ASSERT_TRUE(page);
    EXPECT_EQ(ItemText(page, IDC_SCALING_TEXT), L"Scale  50.7 pixel/cm");
    ASSERT_TRUE(ClickItem(page, IDC_DISPLAY_SIZE_BUTTON));
    dialog = WaitForDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    StepUp(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.2"));
    ASSERT_TRUE(ClickItem(dialog, IDOK));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(WaitUntil(
        [&] { return ItemText(page, IDC_DISPLAY_SIZE_TEXT) == L"1920x1080pixel, 17.2inch."; }));
    EXPECT_EQ(ItemText(page, IDC_SCALING_TEXT), L"Scale  50.4 pixel/cm");
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.95 cm"));
    // Committed sizes stay after Cancel; they are saved with the ruler's settings.
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitGone(setup));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 5.95 cm"));
    EndAllRulers();
    EXPECT_EQ(ReadDword(kProductKey, L"ScreenSize01"), 172u);
}

TEST_F(SetupTest, OnlyTheFirstRulerOffersTheDisplaySizes) {
    StoredRuler first = CmRuler();
    StoredRuler second = CmRuler();
    second.y = 500;
    const std::vector<HWND> rulers = StartRulers({first, second});
    ASSERT_EQ(rulers.size(), 2u);
    auto menu = OpenContextMenu(rulers[1], {450, 520});
    ASSERT_TRUE(menu);
    const MenuItem* item = FindItem(menu->items, IDM_DISPLAY_SIZE);
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->Grayed());
    ASSERT_TRUE(CloseMenus());
    HWND setup = OpenSetup(rulers[1], L"Setup - Linova <2>");
    ASSERT_TRUE(setup);
    HWND page = ChoosePage(setup, kScaling);
    ASSERT_TRUE(page);
    EXPECT_FALSE(ItemEnabled(page, IDC_DISPLAY_SIZE_BUTTON));
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(setup));
}

TEST_F(SetupTest, TheArrowKeysStepTheDiagonalAndTheKeysTurnSetupsPages) {
    HWND ruler = StartRuler(CmRuler());
    ASSERT_TRUE(ruler);
    HWND dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog && BringToFront(dialog));
    // The focus on the arrows, as Tab gives it: the arrow keys step and the focus stays.
    PostMessageW(dialog, WM_NEXTDLGCTL,
                 reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_MONITOR_SPIN)), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return FocusedItem(dialog) == IDC_MONITOR_SPIN; }));
    PressKey(VK_UP);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    PressKey(VK_UP);
    EXPECT_TRUE(FieldIs(dialog, L"17.2"));
    PressKey(VK_DOWN);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    EXPECT_EQ(FocusedItem(dialog), IDC_MONITOR_SPIN);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitGone(dialog));

    // Ctrl+Tab and Ctrl+Page Down turn to the next page, Ctrl+Page Up back, around the ends.
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup && BringToFront(setup) && WaitForPage(setup, kColour));
    PressWithControl(VK_TAB);
    EXPECT_TRUE(WaitForPage(setup, kScaling));
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_SCALING);
    PressWithControl(VK_NEXT);
    EXPECT_TRUE(WaitForPage(setup, kMagnifier));
    PressWithControl(VK_PRIOR);
    PressWithControl(VK_PRIOR);
    PressWithControl(VK_PRIOR);
    EXPECT_TRUE(WaitForPage(setup, kOther));
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_OTHER);

    // On the page toolbar the arrows walk the buttons from the pressed one, around the ends and
    // never onto the colour strip; Space and Enter choose, and Enter does not end the dialog.
    PostMessageW(setup, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(setup, IDC_TOOLBAR)),
                 TRUE);
    ASSERT_TRUE(WaitUntil([&] { return FocusedItem(setup) == IDC_TOOLBAR; }));
    PressKey(VK_DOWN);
    PressKey(VK_SPACE);
    EXPECT_TRUE(WaitForPage(setup, kColour));
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitForPage(setup, kScaling));
    EXPECT_EQ(PressedButtons(setup), IDC_PAGE_SCALING);
    EXPECT_EQ(FocusedItem(setup), IDC_TOOLBAR);
    EXPECT_TRUE(IsWindowVisible(setup));
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(setup));
}

TEST_F(SetupTest, At144DotsPerInchThePageToolbarShowsTheLargePictures) {
    ScopedDpi dpi(144);
    HWND ruler = StartRuler(CmRuler());
    ASSERT_TRUE(ruler);
    HWND setup = OpenSetup(ruler);
    ASSERT_TRUE(setup);
    HWND toolbar = GetDlgItem(setup, IDC_TOOLBAR);
    EXPECT_EQ(SendWaiting(toolbar, TB_GETBUTTONSIZE), MAKELONG(165, 45));
    for (int page = kColour; page <= kOther; ++page) EXPECT_TRUE(ButtonShowsWhole(toolbar, page));
    // The mouse button (not pressed) shows the large picture, as tall as its drawing is.
    const Capture large = Capture::Bitmap(LinovaPath(), IDB_PAGE_TOOLBAR_BIG);
    const Capture small = Capture::Bitmap(LinovaPath(), IDB_PAGE_TOOLBAR);
    const COLORREF ground = RGB(192, 192, 192);
    const LONG expected = Extent(large, {3 * 36, 0, 4 * 36, 36}, ground).cy;
    ASSERT_NE(expected, Extent(small, {3 * 24, 0, 4 * 24, 24}, ground).cy);
    ASSERT_TRUE(MoveCursor(kAway));
    RECT button = ToolbarItemRect(toolbar, kMouse).value_or(RECT{});
    const RECT t = RectOf(toolbar);
    OffsetRect(&button, t.left, t.top);
    LONG shown = 0;
    EXPECT_TRUE(WaitUntil([&] {
        const Capture c = Capture::Screen(button);
        // The picture's column, left of the caption.
        shown = Extent(c, {0, 0, 44, c.Height()}, GetSysColor(COLOR_BTNFACE)).cy;
        return shown == expected;
    })) << shown
        << ", expected " << expected;
}

TEST_F(TwoMonitors, DisplaySizeListsBothMonitorsAndEditsTheRulersOwn) {
    StoredRuler stored = CmRuler();
    stored.x = -1000;
    stored.scalingAuto = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    // 1280 x 800 at 17 inches: 34.9 pixel/cm.
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H 8.59 cm"));
    HWND dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    const std::vector<std::wstring> rows = Rows(dialog);
    ASSERT_EQ(rows.size(), 2u);
    const int left = rows[0].find(L"|-1280, 0|") != std::wstring::npos ? 0 : 1;
    EXPECT_NE(rows[left].find(L"| |-1280, 0|1280 x 800|17.0|"), std::wstring::npos) << rows[left];
    EXPECT_NE(rows[1 - left].find(L"|P|0, 0|1280 x 800|17.0|"), std::wstring::npos)
        << rows[1 - left];
    // The ruler's own monitor is the one edited.
    EXPECT_EQ(SelectedRow(dialog), left);
    StepUp(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"17.1"));
    EXPECT_NE(Rows(dialog)[left].find(L"|17.1|"), std::wstring::npos);
    EXPECT_NE(Rows(dialog)[1 - left].find(L"|17.0|"), std::wstring::npos);
    ASSERT_TRUE(ClickItem(dialog, IDOK));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 8.64 cm"));
    EndAllRulers();
    EXPECT_EQ(ReadDword(kProductKey, (L"ScreenSize0" + std::to_wstring(left + 1)).c_str()), 171u);
    EXPECT_EQ(ReadDword(kProductKey, (L"ScreenSize0" + std::to_wstring(2 - left)).c_str()), 170u);
}

// The EDID base block of an ASUS VW246, a 24-inch monitor (531 x 299 mm), as it reports it.
const char kAsusVW246[] =
    "00ffffffffffff000469f224010101010713010380351e78eec4f6a3574a9c23114f54bfef00714f81808140"
    "9500a940b300d1c00101023a801871382d40582c4500132b2100001e000000fd00384c1f5311000a20202020"
    "2020000000fc0056573234360a20202020202020000000ff0039324c4d51533030323330320a01bd";

// The EDID base block of a Dell U2713H, a 27-inch monitor (597 x 336 mm).
const char kDellU2713H[] =
    "00ffffffffffff0010ac92a04c57433112170104b53c22783a1df5ae4f35b3250d5054a54b008100b300d100"
    "714fa9408180d1c00101565e00a0a0a029503020350055502100001a000000ff00433646304b333454314357"
    "4c0a000000fc0044454c4c205532373133480a20000000fd0031561d711e000a20202020202001bc";

constexpr wchar_t kDisplayDevices[] = L"System\\CurrentControlSet\\Enum\\DISPLAY";

// The registry key (under HKLM) of the device instance of the monitor whose top-left corner is
// `corner`, found the old way: the monitor device's driver key, which the instance names as its
// "Driver". Empty when there is none.
std::wstring MonitorDeviceKey(POINT corner) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    DISPLAY_DEVICEW device{};
    device.cb = sizeof(device);
    if (!GetMonitorInfoW(MonitorFromPoint(corner, MONITOR_DEFAULTTONULL), &info) ||
        !EnumDisplayDevicesW(info.szDevice, 0, &device, 0)) {
        return std::wstring();
    }
    // MONITOR\<model>\{class}\<number>: the driver key is the last two parts.
    const std::wstring id = device.DeviceID;
    const size_t classAt = id.find(L"\\{");
    if (classAt == std::wstring::npos) return std::wstring();
    const std::wstring driver = id.substr(classAt + 1);
    HKEY display = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kDisplayDevices, 0, KEY_READ, &display)) return {};
    std::wstring found;
    wchar_t model[256];
    for (DWORD m = 0; found.empty() && !RegEnumKeyW(display, m, model, 256); ++m) {
        HKEY modelKey = nullptr;
        if (RegOpenKeyExW(display, model, 0, KEY_READ, &modelKey)) continue;
        wchar_t instance[256];
        for (DWORD i = 0; found.empty() && !RegEnumKeyW(modelKey, i, instance, 256); ++i) {
            wchar_t value[256] = L"";
            DWORD bytes = sizeof(value);
            if (!RegGetValueW(modelKey, instance, L"Driver", RRF_RT_REG_SZ, nullptr, value,
                              &bytes) &&
                _wcsicmp(value, driver.c_str()) == 0) {
                found = std::wstring(kDisplayDevices) + L"\\" + model + L"\\" + instance;
            }
        }
        RegCloseKey(modelKey);
    }
    RegCloseKey(display);
    return found;
}

// An EDID put where the system keeps a monitor's device data, as the monitor's driver puts it
// there; taken away again at the end.
class PlantedEdid {
  public:
    PlantedEdid(const char* hex, POINT monitorCorner = {0, 0})
        : key_(MonitorDeviceKey(monitorCorner) + L"\\Device Parameters") {
        std::vector<BYTE> bytes;
        for (size_t i = 0; hex[i] && hex[i + 1]; i += 2) {
            bytes.push_back(static_cast<BYTE>(std::stoi(std::string(hex + i, 2), nullptr, 16)));
        }
        ok_ = RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), L"EDID", REG_BINARY, bytes.data(),
                              static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
    }
    ~PlantedEdid() { RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_.c_str(), L"EDID"); }
    PlantedEdid(const PlantedEdid&) = delete;
    PlantedEdid& operator=(const PlantedEdid&) = delete;

    bool Ok() const { return ok_; }

  private:
    std::wstring key_;
    bool ok_ = false;
};

TEST_F(SetupTest, AMonitorsOwnSizeGivesTheAutomaticScaleUntilTheUserGivesOne) {
    PlantedEdid edid(kAsusVW246);
    ASSERT_TRUE(edid.Ok());
    StoredRuler stored = CmRuler();
    stored.scalingAuto = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    // 1920 x 1080 at 24.0 inches: 36.1 pixel/cm.
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 8.31 cm"));
    HWND dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Rows(dialog),
              std::vector<std::wstring>{L"\\\\.\\DISPLAY1|P|0, 0|1920 x 1080|24.0 (EDID)|"});
    EXPECT_TRUE(FieldIs(dialog, L"24.0"));
    ASSERT_TRUE(ClickItem(dialog, IDCANCEL));
    ASSERT_TRUE(WaitGone(dialog));
    // What the user saw is written at exit, and is the user's from then on.
    EndAllRulers();
    EXPECT_EQ(ReadDword(kProductKey, L"ScreenSize01"), 240u);

    const std::vector<HWND> again = StartRulers({stored});  // the stored sizes kept
    ASSERT_EQ(again.size(), 1u);
    ruler = again.front();
    dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Rows(dialog), std::vector<std::wstring>{L"\\\\.\\DISPLAY1|P|0, 0|1920 x 1080|24.0|"});
    // A size the user steps is the user's at once, and wins over the monitor's own.
    StepUp(dialog);
    EXPECT_TRUE(FieldIs(dialog, L"24.1"));
    ASSERT_TRUE(ClickItem(dialog, IDOK));
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 8.35 cm"));
    EndAllRulers();
    EXPECT_EQ(ReadDword(kProductKey, L"ScreenSize01"), 241u);
}

TEST_F(TwoMonitors, EachMonitorTakesItsOwnSize) {
    PlantedEdid left(kDellU2713H, {-1280, 0});
    PlantedEdid primary(kAsusVW246, {0, 0});
    ASSERT_TRUE(left.Ok());
    ASSERT_TRUE(primary.Ok());
    StoredRuler stored = CmRuler();
    stored.x = -1000;
    stored.scalingAuto = true;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    // 1280 x 800 at 27.0 inches: 22.0 pixel/cm.
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H13.63 cm"));
    HWND dialog = OpenDisplaySize(ruler);
    ASSERT_TRUE(dialog);
    const std::vector<std::wstring> rows = Rows(dialog);
    ASSERT_EQ(rows.size(), 2u);
    const int leftRow = rows[0].find(L"|-1280, 0|") != std::wstring::npos ? 0 : 1;
    EXPECT_NE(rows[leftRow].find(L"| |-1280, 0|1280 x 800|27.0 (EDID)|"), std::wstring::npos)
        << rows[leftRow];
    EXPECT_NE(rows[1 - leftRow].find(L"|P|0, 0|1280 x 800|24.0 (EDID)|"), std::wstring::npos)
        << rows[1 - leftRow];
    ASSERT_TRUE(ClickItem(dialog, IDCANCEL));
    EXPECT_TRUE(WaitGone(dialog));
}

}  // namespace
}  // namespace e2e
