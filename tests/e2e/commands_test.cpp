// The ruler's commands: its context menu (items, marks, enabled states), choosing from it, the
// turning point of Direction, closing through the system command, Copy and Adjust.
#include <string>

#include "dialogs.h"
#include "harness.h"
#include "input.h"
#include "menus.h"
#include "screen.h"

namespace e2e {
namespace {

// A horizontal ruler of length 300 stored at the point, on top, in the unit, on a white ground,
// opaque, at 37.8 pixels per centimetre, with the red marker at 100 and the blue one at 130.
StoredRuler RulerAt(POINT at, int unit) {
    StoredRuler ruler;
    ruler.x = at.x;
    ruler.y = at.y;
    ruler.unit = unit;
    return ruler;
}

// The marks an item carries, in words; "absent" when the menu has no item with the id.
std::wstring Marks(const std::vector<MenuItem>& items, UINT id) {
    const MenuItem* item = FindItem(items, id);
    if (!item) return L"absent";
    std::wstring words;
    auto add = [&](bool on, const wchar_t* word) {
        if (!on) return;
        if (!words.empty()) words += L" ";
        words += word;
    };
    add(item->Checked(), L"checked");
    add(item->Radio(), L"radio");
    add(item->Grayed(), L"greyed");
    add(item->Default(), L"default");
    add(item->hasImage, L"image");
    return words;
}

class Commands : public MenuTest {
  protected:
    // Opens the ruler's context menu with a right click near its left end, each time at another
    // point so that two clicks in a row do not make a double click.
    std::optional<OpenMenu> MenuOf(HWND ruler) {
        const RECT r = RectOf(ruler);
        clicks_ = (clicks_ + 1) % 4;
        return OpenContextMenu(ruler, {r.left + 60 + 20 * clicks_, r.top + 10});
    }

    // Right-clicks the ruler and chooses the command from its menu with the keyboard.
    void Choose(HWND ruler, UINT id) {
        const auto menu = MenuOf(ruler);
        ASSERT_TRUE(menu) << "no context menu";
        ASSERT_TRUE(ChooseByKeys(*menu, id)) << "item " << id << " not there or not chosen";
    }

  private:
    int clicks_ = 0;
};

TEST_F(Commands, ContextMenuShowsTheInstanceItsFlagsAndWhatItMayDo) {
    StoredRuler narrowInch = RulerAt({100, 200}, 2);
    narrowInch.narrow = true;
    StoreRuler(1, narrowInch);
    StoredRuler fullPixel = RulerAt({100, 400}, 0);
    fullPixel.topMost = false;
    fullPixel.fullScale = true;
    StoreRuler(2, fullPixel);
    StoreRuler(3, RulerAt({100, 600}, 1));
    HWND first = StartInstance(1, L"Linova <1> - H 3.12 inches");
    HWND third = StartInstance(3, L"Linova <3> - H 7.93 cm");
    ASSERT_TRUE(first && third);

    // Instances 1 and 3: the row from 1 upward ends at 1, so All Exit waits for a second one.
    auto menu = MenuOf(first);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->processId, ProcessOf(first));
    EXPECT_EQ(Outline(menu->items),
              L"1 Linova <1> | - | &Scale > | &Function > | 19 &Setup... | - | &Copy > | "
              L"&Adjust > | 11 &Operation... | 40011 &Magnifier... | - | 0 E&xit");
    const MenuItem* function = FindPopUp(menu->items, L"&Function");
    ASSERT_TRUE(function);
    // Same Color Lock is taken out before the menu shows.
    EXPECT_EQ(Outline(function->items),
              L"902 &Add Linova | 40005 Alway on &top | - | 40003 &Display Size... | - | "
              L"901 All &Exit | - | 999 Uninstall...");
    EXPECT_EQ(Marks(menu->items, 905), L"absent");
    EXPECT_EQ(Marks(menu->items, 1), L"default image");
    EXPECT_EQ(Marks(menu->items, 14), L"image");
    EXPECT_EQ(Marks(menu->items, 13), L"image");
    EXPECT_EQ(Marks(menu->items, 16), L"");
    EXPECT_EQ(Marks(menu->items, 15), L"checked");
    EXPECT_EQ(Marks(menu->items, 21), L"");
    EXPECT_EQ(Marks(menu->items, 22), L"");
    EXPECT_EQ(Marks(menu->items, 23), L"checked radio");
    EXPECT_EQ(Marks(menu->items, 40005), L"checked");
    EXPECT_EQ(Marks(menu->items, 902), L"default image");
    EXPECT_EQ(Marks(menu->items, 40003), L"");
    EXPECT_EQ(Marks(menu->items, 901), L"greyed");
    EXPECT_EQ(Marks(menu->items, 999), L"");
    EXPECT_EQ(Marks(menu->items, 19), L"");
    EXPECT_EQ(Marks(menu->items, 11), L"");
    EXPECT_EQ(Marks(menu->items, 40011), L"");
    ASSERT_TRUE(CloseMenus());

    menu = MenuOf(third);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->processId, ProcessOf(third));
    ASSERT_FALSE(menu->items.empty());
    EXPECT_EQ(menu->items[0].text, L"Linova <3>");
    EXPECT_EQ(Marks(menu->items, 1), L"default image");
    EXPECT_EQ(Marks(menu->items, 22), L"checked radio");
    EXPECT_EQ(Marks(menu->items, 901), L"greyed");
    EXPECT_EQ(Marks(menu->items, 902), L"default image");
    EXPECT_EQ(Marks(menu->items, 40003), L"greyed");
    EXPECT_EQ(Marks(menu->items, 999), L"greyed");
    ASSERT_TRUE(CloseMenus());

    // A ruler started without a number takes 2; now three run in a row.
    StartLinova(L"");
    HWND second = WaitForRuler(2);
    ASSERT_TRUE(second);
    ASSERT_TRUE(TitleIs(second, L"Linova <2> - H1920 pixel"));
    menu = MenuOf(second);
    ASSERT_TRUE(menu);
    ASSERT_FALSE(menu->items.empty());
    EXPECT_EQ(menu->items[0].text, L"Linova <2>");
    EXPECT_EQ(menu->items[0].id, 1u);
    EXPECT_EQ(Marks(menu->items, 16), L"checked");
    EXPECT_EQ(Marks(menu->items, 15), L"");
    EXPECT_EQ(Marks(menu->items, 21), L"checked radio");
    EXPECT_EQ(Marks(menu->items, 23), L"");
    EXPECT_EQ(Marks(menu->items, 40005), L"");
    EXPECT_EQ(Marks(menu->items, 901), L"");
    EXPECT_EQ(Marks(menu->items, 902), L"default image");
    EXPECT_EQ(Marks(menu->items, 40003), L"greyed");
    EXPECT_EQ(Marks(menu->items, 999), L"greyed");
    EXPECT_EQ(Marks(menu->items, 19), L"");
}

// Whether the origin square (6 x 6, black on the white ground) is at the near or far end of a
// horizontal ruler of length 300 in Pixel units: the 4 x 4 inside of each corner, where no
// tick falls.
std::string Corners(HWND ruler) {
    const RECT r = RectOf(ruler);
    const Capture shot = Capture::Screen(r);
    auto corner = [&](int x0) {
        bool black = true;
        bool white = true;
        for (int x = x0; x < x0 + 4; ++x) {
            black = black && shot.ColumnIs(x, 1, 4, kBlack);
            white = white && shot.ColumnIs(x, 1, 4, kWhite);
        }
        return black ? "square" : white ? "ground" : "other";
    };
    return std::string(corner(1)) + " " + corner(296);
}

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST_F(Commands, ChosenItemsChangeUnitReverseFullNarrowAndTopMost) {
    StoreRuler(1, RulerAt({100, 200}, 1));
    HWND ruler = StartInstance(1, L"Linova <1> - H 7.93 cm");
    ASSERT_TRUE(ruler);

    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 21));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H300 pixel"));

    // Out of the way, so that no tooltip covers the ruler.
    MoveCursor(kAway);
    EXPECT_TRUE(WaitUntil([&] { return Corners(ruler) == "square ground"; })) << Corners(ruler);
    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 14));
    MoveCursor(kAway);
    EXPECT_TRUE(WaitUntil([&] { return Corners(ruler) == "ground square"; })) << Corners(ruler);

    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 23));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H 3.12 inches"));

    // Full scale: the whole width of the 1920-pixel monitor, readout included.
    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 16));
    EXPECT_TRUE(ShowsAt(ruler, 0, 200, 1921, 50));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H19.99 inches"));

    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 15));
    EXPECT_TRUE(ShowsAt(ruler, 0, 200, 1921, 22));

    ASSERT_TRUE(IsTopmost(ruler));
    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 40005));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(ruler); }));
    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 40005));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(ruler); }));
}

TEST_F(Commands, ShiftF10AndTheMenuKeyOpenTheRightClickMenuAtTheMiddleOfTheRuler) {
    StoreRuler(1, RulerAt({100, 200}, 1));
    HWND ruler = StartInstance(1, L"Linova <1> - H 7.93 cm");
    ASSERT_TRUE(ruler);
    auto clicked = MenuOf(ruler);
    ASSERT_TRUE(clicked);
    ASSERT_TRUE(CloseMenus());

    for (bool menuKey : {true, false}) {
        const auto menu = OpenContextMenuByKey(ruler, menuKey);
        ASSERT_TRUE(menu) << "no menu from the key, menu key " << menuKey;
        EXPECT_EQ(Outline(menu->items), Outline(clicked->items));
        EXPECT_EQ(Marks(menu->items, 22), L"checked radio");
        // The 301 x 50 ruler at (100, 200) has its middle at (250, 225).
        const RECT r = RectOf(menu->window);
        EXPECT_EQ(RectText({r.left, r.top, 0, 0}), "(250, 225)-(0, 0)");
        if (menuKey) {
            ASSERT_TRUE(CloseMenus());
        } else {
            ASSERT_TRUE(ChooseByKeys(*menu, 21));
        }
    }
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H300 pixel"));
}

// The ruler in front hides itself once as it ends: losing the activation on the way does not
// show it again.
TEST_F(Commands, ExitHidesTheRulerOnce) {
    StoreRuler(1, RulerAt({100, 200}, 1));
    HWND ruler = StartInstance(1, L"Linova <1> - H 7.93 cm");
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(BringToFront(ruler));
    PostMessageW(ruler, WM_COMMAND, 0, 0);
    std::string shown;
    const DWORD start = GetTickCount();
    while (IsWindow(ruler) && GetTickCount() - start < 5000) {
        const char now = IsWindowVisible(ruler) ? 'V' : 'h';
        if (shown.empty() || shown.back() != now) shown += now;
    }
    EXPECT_FALSE(IsWindow(ruler));
    // Seen shown and then hidden, or hidden already at the first look, but never shown again.
    EXPECT_TRUE(shown == "Vh" || shown == "h") << shown;
}

TEST_F(Commands, SystemCloseEndsTheRulerWhichSavesItsSettings) {
    HWND ruler = StartInstance(1, L"Linova <1> - H10.00 cm");
    ASSERT_TRUE(ruler);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ruler));
    ASSERT_TRUE(process);
    EXPECT_TRUE(SendWaiting(ruler, WM_COMMAND, 14));  // reversed: something to save
    PostMessageW(ruler, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
    CloseHandle(process);
    EXPECT_FALSE(FindRuler(1));
    EXPECT_EQ(ReadText(InstanceKey(1), L"Settings"), L"1,0,1,1,0,0,1,0,0,1,0,1,");
}

TEST_F(Commands, DirectionTurnsAboutTheFirstRightClickStillUnused) {
    StoreRuler(1, RulerAt({100, 200}, 0));
    HWND ruler = StartInstance(1, L"Linova <1> - H300 pixel");
    ASSERT_TRUE(ruler);

    ASSERT_TRUE(OpenContextMenu(ruler, {160, 210}));
    ASSERT_TRUE(CloseMenus());
    const auto menu = OpenContextMenu(ruler, {300, 230});
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeys(*menu, 13));

    // About (160, 210), with half the thickness 25: x = 160 - 25, y = 200 + (100 - 160) + 25.
    // Scale position 60 stays at the screen x of the first click. About the second point the
    // ruler would have gone to (275, 25).
    EXPECT_TRUE(ShowsAt(ruler, 135, 165, 50, 301));
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - V300 pixel"));
}

std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"(clipboard busy)";
    std::wstring text = L"(no text)";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// Whether the clipboard has changed since the sequence number and holds the text; what it held
// goes to seen. The clipboard is opened only once it has changed: a ruler that finds it open
// gives up its copy.
std::function<bool()> ClipboardTurnedTo(DWORD before, const std::wstring& text,
                                        std::wstring* seen) {
    return [=] {
        if (GetClipboardSequenceNumber() == before) return false;
        *seen = ClipboardText();
        return *seen == text;
    };
}

TEST_F(Commands, CopyPutsTheReadingInTheCurrentUnitOnTheClipboard) {
    StoreRuler(1, RulerAt({100, 200}, 0));
    HWND ruler = StartInstance(1, L"Linova <1> - H300 pixel");
    ASSERT_TRUE(ruler);

    std::wstring seen;
    // Red - Blue, chosen in the menu: the text alone, signed, no label.
    DWORD before = GetClipboardSequenceNumber();
    const auto menu = OpenContextMenu(ruler, {160, 210});
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeys(*menu, 40033));
    EXPECT_TRUE(WaitUntil(ClipboardTurnedTo(before, L"-30 pixel", &seen)))
        << testing::PrintToString(seen);

    struct Case {
        UINT unit;
        UINT copy;
        const wchar_t* text;
    };
    // At 37.8 pixels per centimetre: 100 pixels are 2.64 cm, -30 are -0.79 cm; 130 pixels are
    // 1.35 inches and the length 300 is 3.12 inches.
    const Case cases[] = {{22, 102, L" 2.64 cm"},
                          {22, 40033, L"-0.79 cm"},
                          {23, 40023, L" 1.35 inches"},
                          {23, 101, L" 3.12 inches"},
                          {21, 40023, L"130 pixel"}};
    for (const Case& c : cases) {
        before = GetClipboardSequenceNumber();
        PostMessageW(ruler, WM_COMMAND, c.unit, 0);
        PostMessageW(ruler, WM_COMMAND, c.copy, 0);
        EXPECT_TRUE(WaitUntil(ClipboardTurnedTo(before, c.text, &seen)))
            << c.copy << ": " << testing::PrintToString(seen);
    }
}

// A window of the test program's own, to measure: it must be seen at the ruler's probe point.
class TargetWindow {
  public:
    TargetWindow(DWORD style, RECT outer) {
        WNDCLASSW type{};
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        type.lpszClassName = L"LinovaTestTarget";
        RegisterClassW(&type);
        window_ = CreateWindowExW(0, type.lpszClassName, L"Target", style | WS_VISIBLE, outer.left,
                                  outer.top, outer.right - outer.left, outer.bottom - outer.top,
                                  nullptr, nullptr, type.hInstance, nullptr);
        Pump();
    }
    ~TargetWindow() {
        if (window_) DestroyWindow(window_);
        Pump();
    }
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    HWND Handle() const { return window_; }

    // The client rectangle in screen coordinates.
    RECT Client() const {
        RECT r{};
        GetClientRect(window_, &r);
        POINT origin{0, 0};
        ClientToScreen(window_, &origin);
        OffsetRect(&r, origin.x, origin.y);
        return r;
    }

    // Waits for the condition while the window answers its messages.
    static bool WaitPumping(const std::function<bool()>& condition) {
        return WaitUntil([&] {
            Pump();
            return condition();
        });
    }

  private:
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    HWND window_ = nullptr;
};

TEST_F(Commands, AdjustFitsTheRulerToTheWindowAboveIt) {
    TargetWindow target(WS_OVERLAPPEDWINDOW, {100, 50, 740, 530});
    ASSERT_TRUE(target.Handle());
    ASSERT_TRUE(IsAtNow(target.Handle(), {100, 50, 740, 530})) << RectText(RectOf(target.Handle()));
    const RECT client = target.Client();
    const int clientWidth = client.right - client.left;
    ASSERT_LT(clientWidth, 640) << "the frame must make the client narrower";

    // Both just below the window; the second one reversed, so it probes above its far end.
    StoredRuler storedReversed = RulerAt({120, 530}, 0);
    storedReversed.reverse = true;
    StoreRuler(1, RulerAt({120, 530}, 0));
    StoreRuler(2, storedReversed);
    HWND ruler = StartInstance(1, L"Linova <1> - H300 pixel");
    HWND reversed = StartInstance(2, L"Linova <2> - H300 pixel");
    ASSERT_TRUE(ruler && reversed);
    MoveCursor(kAway);
    // The red marker, as Copy writes it.
    auto redMarkerReads = [](HWND r, const std::wstring& text) {
        std::wstring seen;
        const DWORD before = GetClipboardSequenceNumber();
        PostMessageW(r, WM_COMMAND, 102, 0);
        if (TargetWindow::WaitPumping(ClipboardTurnedTo(before, text, &seen))) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "red marker copied as " << testing::PrintToString(seen);
    };

    // Whole window: the origin on its left edge, the red marker at its width 640, the ruler 32
    // pixels longer than that.
    PostMessageW(ruler, WM_COMMAND, 201, 0);
    EXPECT_TRUE(TargetWindow::WaitPumping([&] {
        return IsAtNow(ruler, {100, 530, 773, 580});
    })) << RectText(RectOf(ruler));
    EXPECT_TRUE(TargetWindow::WaitPumping([&] {
        return WindowText(ruler) == L"Linova <1> - H672 pixel";
    })) << testing::PrintToString(WindowText(ruler));
    EXPECT_TRUE(redMarkerReads(ruler, L"640 pixel"));

    // Reversed: the origin, now at the far end, on the window's last pixel.
    PostMessageW(reversed, WM_COMMAND, 201, 0);
    EXPECT_TRUE(TargetWindow::WaitPumping([&] {
        return IsAtNow(reversed, {67, 530, 740, 580});
    })) << RectText(RectOf(reversed));
    EXPECT_TRUE(redMarkerReads(reversed, L"640 pixel"));

    // Client area: its screen origin and its width.
    PostMessageW(ruler, WM_COMMAND, 202, 0);
    const RECT fitted{client.left, 530, client.left + clientWidth + 33, 580};
    EXPECT_TRUE(TargetWindow::WaitPumping([&] { return IsAtNow(ruler, fitted); }))
        << RectText(RectOf(ruler)) << ", expected " << RectText(fitted);
    EXPECT_TRUE(redMarkerReads(ruler, std::to_wstring(clientWidth) + L" pixel"));
}

// Whether `upper` lies above `lower` in the z-order.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV)) {
        if (w == upper) return true;
    }
    return false;
}

// Opens the ruler's magnifier, which takes the activation from the ruler, and waits until it has
// and the ruler has answered the change: the command that made the magnifier has come to its end.
HWND OpenMagnifier(HWND ruler) {
    PostMessageW(ruler, WM_COMMAND, 40011, 0);
    HWND magnifier = WaitForDialog(ruler, L"Magnifier - Linova <1>");
    EXPECT_TRUE(magnifier);
    EXPECT_TRUE(TargetWindow::WaitPumping([&] { return GetForegroundWindow() == magnifier; }));
    EXPECT_TRUE(Answers(ruler));
    return magnifier;
}

void CloseMagnifier(HWND ruler, HWND magnifier) {
    PostMessageW(ruler, WM_COMMAND, 40011, 0);
    EXPECT_TRUE(WaitGone(magnifier));
}

// A topmost ruler that loses the activation comes back to the top of its band, just below its
// own windows, when another window has come above it or it has been put out of the band. A
// ruler that is not topmost stays below the window that took the activation.
TEST_F(Commands, ARulerLosingTheActivationKeepsItsBand) {
    StoreRuler(1, RulerAt({100, 200}, 1));
    HWND ruler = StartInstance(1, L"Linova <1> - H 7.93 cm");
    ASSERT_TRUE(ruler);
    // Away from the ruler, where the right clicks that open its menu cannot reach it.
    TargetWindow other(WS_POPUP, {500, 400, 700, 500});
    ASSERT_TRUE(BringToFront(ruler));
    SetWindowPos(other.Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_TRUE(Above(other.Handle(), ruler));
    HWND magnifier = OpenMagnifier(ruler);
    EXPECT_EQ(GetWindow(ruler, GW_HWNDPREV), magnifier);
    EXPECT_TRUE(Above(ruler, other.Handle()));
    CloseMagnifier(ruler, magnifier);

    ASSERT_TRUE(BringToFront(ruler));
    SetWindowPos(ruler, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_FALSE(IsTopmost(ruler));
    magnifier = OpenMagnifier(ruler);
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(ruler); }));
    EXPECT_EQ(GetWindow(ruler, GW_HWNDPREV), magnifier);
    CloseMagnifier(ruler, magnifier);

    ASSERT_NO_FATAL_FAILURE(Choose(ruler, 40005));
    ASSERT_TRUE(WaitUntil([&] { return !IsTopmost(ruler); }));
    SetWindowPos(other.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_TRUE(BringToFront(ruler));
    SetForegroundWindow(other.Handle());
    EXPECT_TRUE(TargetWindow::WaitPumping(
        [&] { return GetForegroundWindow() == other.Handle() && Above(other.Handle(), ruler); }));
    // Long enough for a ruler answering the change to have come back above.
    Sleep(200);
    EXPECT_TRUE(TargetWindow::WaitPumping([&] { return Above(other.Handle(), ruler); }));
}
}  // namespace
}  // namespace e2e
