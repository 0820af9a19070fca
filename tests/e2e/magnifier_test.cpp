// The magnifier window: opening and closing it from the ruler's menu, its four panes showing the
// screen around the ruler's origin and markers enlarged, its zoom and display modes, its size
// kept between runs, and that it never shows itself.
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

#include "dialogs.h"
#include "harness.h"
#include "input.h"
#include "menus.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr UINT kMagnifierCommand = 40011;
constexpr UINT kSetupCommand = 19;
constexpr UINT kZoomBase = 40010;  // + zoom: "x1" ... "x8"
constexpr UINT kEdgeRed = 40028;
constexpr UINT kEdgeBlue = 40029;
constexpr UINT kRedBlue = 40030;
constexpr UINT kClose = 40021;
constexpr int kFirstPane = 1020;  // four panes: top left, top right, bottom left, bottom right

// Every screen pixel of the stripes window has its own colour near any other: red counts the
// columns, green the rows, and blue is never that of the ruler's white or black.
COLORREF StripeColour(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, 0x90);
}

// The stripes beside the ruler and behind it, in a window of this test program.
class Stripes : public ScreenPicture {
  public:
    explicit Stripes(RECT at) : ScreenPicture(at, StripeColour) {}
};

// A pane's client area as the screen shows it, and its size.
struct PaneShot {
    Capture shot;
    int width = 0;
    int height = 0;
};

PaneShot ShotOfPane(HWND magnifier, int pane) {
    HWND control = GetDlgItem(magnifier, kFirstPane + pane);
    RECT client{};
    GetClientRect(control, &client);
    POINT origin{0, 0};
    ClientToScreen(control, &origin);
    PaneShot p;
    p.width = client.right;
    p.height = client.bottom;
    p.shot = Capture::Screen({origin.x, origin.y, origin.x + p.width, origin.y + p.height});
    return p;
}

// What a pane must show, read at the middle of each enlarged source pixel: a pane of W x H at
// zoom Z copies (W / Z) x (H / Z) screen pixels centred on `centre`, and stretches them over
// itself. Source pixels the test cannot know (the ruler's own drawing, the desktop) are passed
// over; what lies off the screen, and `covering` (when given), must show black. Returns a
// description of the first mismatch, or nothing when the pane shows what it must; `checked` counts
// the pixels compared.
std::string Mismatch(const PaneShot& p, POINT centre, int zoom, const Stripes& stripes,
                     const RECT& ruler, const RECT* covering, int* checked) {
    const int sw = p.width / zoom;
    const int sh = p.height / zoom;
    if (sw == 0 || sh == 0) return "no source pixels";
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const int left = centre.x - sw / 2;
    const int top = centre.y - sh / 2;
    for (int j = 0; j < sh; ++j) {
        for (int i = 0; i < sw; ++i) {
            const int x = left + i;
            const int y = top + j;
            const POINT sp{x, y};
            COLORREF expected = CLR_INVALID;
            if (!PtInRect(&screen, sp) || (covering && PtInRect(covering, sp))) {
                expected = kBlack;
            } else if (PtInRect(&ruler, sp)) {
                continue;
            } else if (stripes.Contains(x, y)) {
                expected = StripeColour(x, y);
            } else {
                continue;
            }
            const int px = (2 * i + 1) * p.width / (2 * sw);
            const int py = (2 * j + 1) * p.height / (2 * sh);
            const COLORREF seen = p.shot.Pixel(px, py);
            if (checked) ++*checked;
            if (seen != expected) {
                return "screen (" + std::to_string(x) + ", " + std::to_string(y) + ") at pane (" +
                       std::to_string(px) + ", " + std::to_string(py) + "): " + ColourText(seen) +
                       ", expected " + ColourText(expected);
            }
        }
    }
    return "";
}

class Magnifier : public MenuTest {
  protected:
    void TearDown() override {
        // LINOVA_SHOTS=Z:\some\dir keeps what a failing test saw.
        const char* dir = std::getenv("LINOVA_SHOTS");
        if (dir && HasFailure()) {
            const auto* test = testing::UnitTest::GetInstance()->current_test_info();
            const std::string name = std::string(dir) + "\\magnifier_" + test->name() + ".bmp";
            Capture::Screen({0, 0, 1920, 1080}).SaveBmp(std::wstring(name.begin(), name.end()));
        }
        MenuTest::TearDown();
    }

    // Right-clicks the window (a ruler or the magnifier) at a point and chooses the command
    // from the menu that opens; then the cursor goes out of the way.
    void Choose(HWND window, POINT at, UINT id) {
        at.x += clicks_ % 2;  // two right clicks in a row at one place would be a double click
        ++clicks_;
        const auto menu = OpenContextMenu(window, at);
        ASSERT_TRUE(menu) << "no context menu";
        ASSERT_TRUE(ChooseByKeys(*menu, id)) << "item " << id << " not there or not chosen";
        MoveCursor(kAway);
    }

    void ChooseOnRuler(HWND ruler, UINT id) {
        const RECT r = RectOf(ruler);
        Choose(ruler, {r.left + 200, r.top + 10}, id);
    }

    // The magnifier's own menu, opened on its top-left pane.
    void ChooseOnMagnifier(HWND magnifier, UINT id) {
        const POINT centre = ItemCentre(magnifier, kFirstPane);
        Choose(magnifier, centre, id);
    }

    // Opens the magnifier from the ruler's context menu and waits for its window.
    HWND Open(HWND ruler, int instance = 1) {
        ChooseOnRuler(ruler, kMagnifierCommand);
        return WaitForDialog(ruler, L"Magnifier - Linova <" + std::to_wstring(instance) + L">");
    }

    int clicks_ = 0;
};

// The screen points the four panes are centred on, in pane order: for a horizontal ruler the
// columns are the two points and the rows the top and bottom sides; for a vertical one the rows
// are the points and the columns the left and right sides.
std::array<POINT, 4> Centres(HWND ruler, int first, int second) {
    const RECT r = RectOf(ruler);
    if (r.right - r.left > r.bottom - r.top) {
        return {POINT{r.left + second, r.top}, POINT{r.left + first, r.top},
                POINT{r.left + second, r.bottom}, POINT{r.left + first, r.bottom}};
    }
    return {POINT{r.left, r.top + second}, POINT{r.right, r.top + second},
            POINT{r.left, r.top + first}, POINT{r.right, r.top + first}};
}

// Waits until every pane shows its stretch of the screen at the zoom (see Mismatch).
testing::AssertionResult PanesShow(HWND magnifier, HWND ruler, const std::array<POINT, 4>& centres,
                                   int zoom, const Stripes& stripes, int timeoutMs = 2000,
                                   const RECT* covering = nullptr) {
    std::string failures;
    const RECT rulerRect = RectOf(ruler);
    WaitUntil(
        [&] {
            failures.clear();
            for (int k = 0; k < 4; ++k) {
                int checked = 0;
                const std::string m = Mismatch(ShotOfPane(magnifier, k), centres[k], zoom, stripes,
                                               rulerRect, covering, &checked);
                if (!m.empty()) {
                    failures += "\n  pane " + std::to_string(k) + ": " + m;
                } else if (checked < 10) {
                    failures += "\n  pane " + std::to_string(k) + ": only " +
                                std::to_string(checked) + " pixels could be compared";
                }
            }
            return failures.empty();
        },
        timeoutMs);
    if (failures.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "at zoom " << zoom << failures;
}

// Moves a window of the ruler's process as a user's drag would.
void MoveTo(HWND window, int x, int y) {
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil([&] { return RectOf(window).left == x && RectOf(window).top == y; });
}

bool SizeIs(HWND window, LONG width, LONG height) {
    return WaitUntil([&] {
        const RECT r = RectOf(window);
        return r.right - r.left == width && r.bottom - r.top == height;
    });
}

std::string SizeText(HWND window) {
    const RECT r = RectOf(window);
    return std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top);
}

// Whether the window's caption shows the icon: every pixel the icon covers (the same on a black
// and on a white ground) is found in the caption's left end.
bool CaptionShowsIcon(HWND window, const wchar_t* name) {
    const Capture onBlack = Capture::Icon(LinovaPath(), name, kBlack, 16);
    const Capture onWhite = Capture::Icon(LinovaPath(), name, kWhite, 16);
    if (onBlack.Empty() || onWhite.Empty()) return false;
    const RECT r = RectOf(window);
    const Capture corner = Capture::Screen({r.left, r.top, r.left + 40, r.top + 32});
    for (int dy = 0; dy + 16 <= corner.Height(); ++dy) {
        for (int dx = 0; dx + 16 <= corner.Width(); ++dx) {
            bool found = true;
            for (int y = 0; y < 16 && found; ++y) {
                for (int x = 0; x < 16 && found; ++x) {
                    const COLORREF c = onBlack.Pixel(x, y);
                    if (c == onWhite.Pixel(x, y)) found = corner.Pixel(dx + x, dy + y) == c;
                }
            }
            if (found) return true;
        }
    }
    return false;
}

// The horizontal ruler the panes look at: at (400, 300), 300 long, red marker at 100, blue at
// 130, over a window of stripes that surrounds it.
StoredRuler Looked() {
    StoredRuler stored;
    stored.x = 400;
    stored.y = 300;
    return stored;
}
constexpr RECT kStripes{100, 80, 1000, 700};
// Where the magnifier is moved so that it shows none of itself.
constexpr POINT kAside{1250, 720};

UINT MenuMarks(const std::vector<MenuItem>& items, UINT id) {
    const MenuItem* item = FindItem(items, id);
    return item ? item->state & (MFS_CHECKED | MFS_GRAYED) : 0xFFFFFFFF;
}

TEST_F(Magnifier, OpensAndClosesFromTheRulersMenuWhichChecksItAndGreysSetup) {
    HWND ruler = StartRuler(Looked());
    ASSERT_TRUE(ruler);
    const RECT r = RectOf(ruler);
    auto menu = OpenContextMenu(ruler, {r.left + 200, r.top + 10});
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuMarks(menu->items, kMagnifierCommand), 0u);
    EXPECT_EQ(MenuMarks(menu->items, kSetupCommand), 0u);
    ASSERT_TRUE(ChooseByKeys(*menu, kMagnifierCommand));
    HWND magnifier = WaitForDialog(ruler, L"Magnifier - Linova <1>");
    ASSERT_TRUE(magnifier);
    MoveCursor(kAway);

    // Its stored size (here the first one), its icon, and panes without their template texts.
    EXPECT_TRUE(SizeIs(magnifier, 325, 278)) << SizeText(magnifier);
    // The icon of a horizontal ruler on the white ground, the first background.
    EXPECT_TRUE(WaitUntil([&] { return CaptionShowsIcon(magnifier, L"LinovaG"); }));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(ItemText(magnifier, kFirstPane + k), L"") << k;
    // Beside the ruler: below it, with a gap.
    const RECT m = RectOf(magnifier);
    EXPECT_EQ(m.top, r.bottom + 10);

    menu = OpenContextMenu(ruler, {r.left + 201, r.top + 10});
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuMarks(menu->items, kMagnifierCommand), static_cast<UINT>(MFS_CHECKED));
    EXPECT_EQ(MenuMarks(menu->items, kSetupCommand), static_cast<UINT>(MFS_GRAYED));
    ASSERT_TRUE(ChooseByKeys(*menu, kMagnifierCommand));
    EXPECT_TRUE(WaitGone(magnifier));

    menu = OpenContextMenu(ruler, {r.left + 200, r.top + 10});
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuMarks(menu->items, kMagnifierCommand), 0u);
    EXPECT_EQ(MenuMarks(menu->items, kSetupCommand), 0u);
    ASSERT_TRUE(ChooseByKeys(*menu, kMagnifierCommand));
    magnifier = WaitForDialog(ruler, L"Magnifier - Linova <1>");
    ASSERT_TRUE(magnifier);

    // Its own menu: the zoom and the mode in use carry the radio mark; "Close" ends it, and the
    // ruler knows.
    const POINT pane = ItemCentre(magnifier, kFirstPane);
    menu = OpenContextMenu(magnifier, pane);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->processId, ProcessOf(ruler));
    const MenuItem* zoom = FindPopUp(menu->items, L"Magnifier");
    const MenuItem* mode = FindPopUp(menu->items, L"Display");
    ASSERT_TRUE(zoom && mode);
    EXPECT_EQ(Outline(zoom->items),
              L"40011 x1 | 40012 x2 | 40013 x3 | 40014 x4 | 40015 x5 | 40016 x6 | 40017 x7 | "
              L"40018 x8");
    EXPECT_EQ(Outline(mode->items), L"40028 Edge / Red | 40029 Edge / Blue | 40030 Red / Blue");
    for (UINT id = kZoomBase + 1; id <= kZoomBase + 8; ++id) {
        EXPECT_EQ(FindItem(zoom->items, id)->Checked(), id == kZoomBase + 4) << id;
        EXPECT_EQ(FindItem(zoom->items, id)->Radio(), id == kZoomBase + 4) << id;
    }
    EXPECT_TRUE(FindItem(mode->items, kEdgeRed)->Checked());
    EXPECT_TRUE(FindItem(mode->items, kEdgeRed)->Radio());
    EXPECT_FALSE(FindItem(mode->items, kEdgeBlue)->Checked());
    EXPECT_FALSE(FindItem(mode->items, kRedBlue)->Checked());
    ASSERT_TRUE(ChooseByKeys(*menu, kZoomBase + 7));
    Choose(magnifier, pane, kRedBlue);
    menu = OpenContextMenu(magnifier, {pane.x + 3, pane.y});
    ASSERT_TRUE(menu);
    EXPECT_TRUE(FindItem(menu->items, kZoomBase + 7)->Checked());
    EXPECT_FALSE(FindItem(menu->items, kZoomBase + 4)->Checked());
    EXPECT_TRUE(FindItem(menu->items, kRedBlue)->Checked());
    EXPECT_FALSE(FindItem(menu->items, kEdgeRed)->Checked());
    ASSERT_TRUE(ChooseByKeys(*menu, kClose));
    EXPECT_TRUE(WaitGone(magnifier));
    menu = OpenContextMenu(ruler, {r.left + 201, r.top + 10});
    ASSERT_TRUE(menu);
    EXPECT_EQ(MenuMarks(menu->items, kMagnifierCommand), 0u);
    EXPECT_EQ(MenuMarks(menu->items, kSetupCommand), 0u);
    ASSERT_TRUE(CloseMenus());

    // The caption's close box ends it too; zoom and mode are the ruler's and are kept.
    magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    PostMessageW(magnifier, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(WaitGone(magnifier));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Magnifier"), 7u);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"MagType"), 2u);
}

TEST_F(Magnifier, KeepsTheFocusItselfOpensItsMenuFromTheKeysAndEscClosesIt) {
    HWND ruler = StartRuler(Looked());
    ASSERT_TRUE(ruler);
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier && BringToFront(magnifier));
    // Neither a pane nor the colour strip takes the focus.
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow(magnifier) == magnifier; }))
        << FocusedItem(magnifier);
    auto menu = OpenContextMenuByKey(magnifier);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(FindPopUp(menu->items, L"Magnifier") && FindPopUp(menu->items, L"Display"));
    ASSERT_TRUE(ChooseByKeys(*menu, kZoomBase + 2));
    menu = OpenContextMenuByKey(magnifier, true);
    ASSERT_TRUE(menu);
    EXPECT_TRUE(FindItem(menu->items, kZoomBase + 2)->Checked());
    ASSERT_TRUE(CloseMenus());
    ASSERT_TRUE(BringToFront(magnifier));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitGone(magnifier));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"Magnifier"), 2u);
}

TEST_F(Magnifier, PanesShowTheOriginAndAMarkerOnBothSidesEnlarged) {
    HWND ruler = StartRuler(Looked());
    ASSERT_TRUE(ruler);
    Stripes stripes(kStripes);
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    MoveTo(magnifier, kAside.x, kAside.y);

    // Edge / Red: the origin on the left, the red marker on the right.
    const auto edgeRed = Centres(ruler, 100, 0);
    EXPECT_TRUE(PanesShow(magnifier, ruler, edgeRed, 4, stripes));
    ChooseOnMagnifier(magnifier, kZoomBase + 1);
    EXPECT_TRUE(PanesShow(magnifier, ruler, edgeRed, 1, stripes));
    ChooseOnMagnifier(magnifier, kZoomBase + 2);
    EXPECT_TRUE(PanesShow(magnifier, ruler, edgeRed, 2, stripes));

    // Another mode shows within a second: the blue marker on the right.
    ChooseOnMagnifier(magnifier, kEdgeBlue);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 130, 0), 2, stripes, 1000));
    // Red / Blue: the red marker on the left, the blue one on the right.
    ChooseOnMagnifier(magnifier, kRedBlue);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 130, 100), 2, stripes, 1000));

    // A turned ruler: the rows are the points and the columns its left and right sides; the
    // window's icon follows the direction.
    EXPECT_TRUE(CaptionShowsIcon(magnifier, L"LinovaG"));
    EXPECT_FALSE(CaptionShowsIcon(magnifier, L"LinovaG_Vert"));
    ASSERT_TRUE(BringToFront(ruler));
    PressKey(VK_HOME);
    ASSERT_TRUE(WaitUntil([&] {
        const RECT r = RectOf(ruler);
        return r.right - r.left == 50 && r.bottom - r.top == 301;
    }));
    MoveCursor(kAway);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 130, 100), 2, stripes));
    EXPECT_TRUE(WaitUntil([&] { return CaptionShowsIcon(magnifier, L"LinovaG_Vert"); }));
    ChooseOnMagnifier(magnifier, kEdgeRed);
    ChooseOnMagnifier(magnifier, kZoomBase + 4);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 100, 0), 4, stripes, 1000));
}

// Where the magnifier lies over what a pane would show, the pane shows black there: never a
// picture of its own picture.
TEST_F(Magnifier, DoesNotShowItself) {
    HWND ruler = StartRuler(Looked());
    ASSERT_TRUE(ruler);
    Stripes stripes(kStripes);
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    ChooseOnMagnifier(magnifier, kZoomBase + 1);
    // Below the ruler and right of its origin, over part of what the bottom row shows.
    MoveTo(magnifier, 440, 390);
    const RECT covering = RectOf(magnifier);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 100, 0), 1, stripes, 2000, &covering));
}

// A ruler at the screen's left edge: the origin's panes show black beyond the edge and the screen
// on this side of it.
TEST_F(Magnifier, ShowsBlackBeyondTheScreensEdge) {
    StoredRuler stored = Looked();
    stored.x = 0;
    HWND ruler = StartRuler(stored);
    ASSERT_TRUE(ruler);
    Stripes stripes({0, 80, 900, 700});
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    MoveTo(magnifier, kAside.x, kAside.y);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 100, 0), 4, stripes));
}

TEST_F(Magnifier, KeepsItsSizeWithinItsLimitsAndFromOneRunToTheNext) {
    StoreRuler(1, Looked());
    // Garbage stored for the size gives the nearest limits.
    PutDword(InstanceKey(1), L"MagnifierWinSizeX", 0x80000000);
    PutDword(InstanceKey(1), L"MagnifierWinSizeY", 100000);
    StartLinova(L"1");
    HWND ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H300 pixel"));
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    EXPECT_TRUE(SizeIs(magnifier, 150, 500)) << SizeText(magnifier);

    // Resized as a user would; beyond its limits it stops at them.
    SetWindowPos(magnifier, nullptr, 0, 0, 700, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(SizeIs(magnifier, 600, 120)) << SizeText(magnifier);
    SetWindowPos(magnifier, nullptr, 0, 0, 411, 307, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(SizeIs(magnifier, 411, 307)) << SizeText(magnifier);
    // Minimised, the window keeps the size it is restored to.
    ShowWindowAsync(magnifier, SW_MINIMIZE);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(magnifier) != FALSE; }));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"MagnifierWinSizeX"), 411u);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"MagnifierWinSizeY"), 307u);

    StartLinova(L"1");
    ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H300 pixel"));
    magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    EXPECT_TRUE(SizeIs(magnifier, 411, 307)) << SizeText(magnifier);
    // The panes share the client area beside the strip and its line, 17 pixels at 96 DPI.
    RECT client{};
    GetClientRect(magnifier, &client);
    const PaneShot topLeft = ShotOfPane(magnifier, 0);
    const PaneShot bottomRight = ShotOfPane(magnifier, 3);
    EXPECT_EQ(topLeft.width + bottomRight.width, client.right - 17);
    EXPECT_EQ(topLeft.height + bottomRight.height, client.bottom);
    EXPECT_EQ(topLeft.height, client.bottom / 2);
}

// At its smallest and at zoom 8 a pane shows a few screen pixels, each at least 8 times as
// large; a pane narrower than 8 pixels has none to show and stays black.
TEST_F(Magnifier, SmallestWindowAtZoomEight) {
    HWND ruler = StartRuler(Looked());
    ASSERT_TRUE(ruler);
    Stripes stripes(kStripes);
    ASSERT_TRUE(WaitUntil([&] { return stripes.Shown(); }));
    HWND magnifier = Open(ruler);
    ASSERT_TRUE(magnifier);
    MoveTo(magnifier, kAside.x, kAside.y);
    SetWindowPos(magnifier, nullptr, 0, 0, 150, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(SizeIs(magnifier, 150, 120)) << SizeText(magnifier);
    ChooseOnMagnifier(magnifier, kZoomBase + 8);
    EXPECT_TRUE(PanesShow(magnifier, ruler, Centres(ruler, 100, 0), 8, stripes));

    HWND pane = GetDlgItem(magnifier, kFirstPane + 1);
    SetWindowPos(pane, nullptr, 0, 0, 7, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(pane, nullptr, FALSE);
    EXPECT_TRUE(WaitUntil([&] {
        const PaneShot p = ShotOfPane(magnifier, 1);
        bool black = p.width == 7 && p.height == 40;
        for (int x = 0; x < p.width && black; ++x) black = p.shot.ColumnIs(x, 0, 39, kBlack);
        return black;
    }));
}

}  // namespace
}  // namespace e2e
