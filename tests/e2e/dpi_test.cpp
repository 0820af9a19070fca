// A monitor of another density: the ruler keeps its pixels and takes the suggested place; the
// dialogs take the suggested rectangle and make their fonts, pictures and sizes again.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "dialogs.h"
#include "dialogs/display_size.h"
#include "harness.h"
#include "input.h"
#include "model/dpi.h"
#include "resources/resource.h"

namespace e2e {
namespace {

// Tells the window, as the system does when it reaches a monitor of another density, that it is
// now at `dpi` dots per inch and where it should be. The message carries a pointer to the
// rectangle, which Wine passes between processes as it is: the rectangle lives in the window's
// own process.
bool SendDpiChanged(HWND window, UINT dpi, const RECT& suggested) {
    RemoteBlock block(window, sizeof(suggested));
    return block.Ok() && block.Write(0, &suggested, sizeof(suggested)) &&
           SendWaiting(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), block.At()).has_value();
}

RECT Grown(const RECT& r, int dx, int dy) {
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    return RECT{r.left + dx, r.top + dy, r.left + dx + width * 3 / 2, r.top + dy + height * 3 / 2};
}

LONG WidthOf(HWND window) {
    const RECT r = RectOf(window);
    return r.right - r.left;
}

using DpiChange = RulerTest;

TEST_F(DpiChange, TheRulerTakesTheSuggestedPlaceButStaysAsManyPixels) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    const std::wstring title = WindowText(ruler);

    // The system suggests the ruler half as large again: it takes only the place.
    ASSERT_TRUE(SendDpiChanged(ruler, 144, RECT{407, 309, 407 + 452, 309 + 75}));
    EXPECT_TRUE(ShowsAt(ruler, 407, 309, 301, 50));
    EXPECT_EQ(WindowText(ruler), title);
    EXPECT_TRUE(TooltipIs(ruler,
                          L"Linova <1> - H300 pixel\nRed : 100 pixel\nBlue : 130 pixel\n"
                          L"Red - Blue : -30 pixel"));

    // What is stored is where the ruler was seen.
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"xPosi"), 407u);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"yPosi"), 309u);
}

TEST_F(DpiChange, ThePanelTakesTheSuggestedRectangleAndScalesItsOwnParts) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND panel = OpenDialog(ruler, IDM_OPERATION, L"Operation - Linova <1>");
    ASSERT_TRUE(panel);
    HWND toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    ASSERT_EQ(SendWaiting(toolbar, TB_GETBUTTONSIZE), MAKELONG(45, 28));

    const RECT suggested = Grown(RectOf(panel), 10, 20);
    ASSERT_TRUE(SendDpiChanged(panel, 144, suggested));
    EXPECT_TRUE(ShowsAt(panel, suggested));
    // A toolbar made again, of the sizes and the large pictures for 144 dots per inch.
    toolbar = GetDlgItem(panel, IDC_TOOLBAR);
    EXPECT_EQ(SendWaiting(toolbar, TB_GETBUTTONSIZE), MAKELONG(67, 42));
    EXPECT_EQ(WidthOf(toolbar), 292);
    EXPECT_EQ(WidthOf(GetDlgItem(panel, IDC_COLOR_STRIP)), 22);
    // Still the ruler's panel: its buttons act.
    SendWaiting(panel, WM_COMMAND, IDC_PANEL_NARROW);
    EXPECT_TRUE(ShowsAt(ruler, 400, 300, 301, 22));
    EXPECT_EQ(SendWaiting(toolbar, TB_GETSTATE, IDC_PANEL_NARROW).value_or(0) & TBSTATE_CHECKED,
              TBSTATE_CHECKED);
}

TEST_F(DpiChange, SetupAndItsPagesFollowTheFrame) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND setup = OpenDialog(ruler, IDM_SETUP, L"Setup - Linova <1>");
    ASSERT_TRUE(setup);
    HWND page = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        page = FindWindowExW(setup, nullptr, nullptr, nullptr);
        while (page && !GetDlgItem(page, IDC_BOLD_FONT)) {
            page = FindWindowExW(setup, page, nullptr, nullptr);
        }
        return page != nullptr;
    }));

    HWND colours = GetDlgItem(page, IDC_COLOR_LIST);
    const auto sample = static_cast<int32_t>(SendWaiting(colours, CB_GETITEMHEIGHT, 0).value_or(0));
    ASSERT_GT(sample, 0);

    const RECT suggested = Grown(RectOf(setup), -5, 15);
    ASSERT_TRUE(SendDpiChanged(setup, 144, suggested));
    EXPECT_TRUE(ShowsAt(setup, suggested));
    EXPECT_EQ(SendWaiting(GetDlgItem(setup, IDC_TOOLBAR), TB_GETBUTTONSIZE), MAKELONG(165, 45));
    EXPECT_EQ(WidthOf(GetDlgItem(setup, IDC_COLOR_STRIP)), 22);
    // The page shown follows its frame: its samples are as much larger as the density.
    EXPECT_EQ(SendWaiting(colours, CB_GETITEMHEIGHT, 0), CarriedToDpi(sample, 96, 144));
    EXPECT_EQ(SendWaiting(colours, CB_GETITEMHEIGHT, 22), CarriedToDpi(sample, 96, 144));
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(ItemCheck(page, IDC_BOLD_FONT), static_cast<UINT>(BST_CHECKED));
    PostMessageW(setup, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(setup));
}

TEST_F(DpiChange, DisplaySizeWidensItsColumns) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND dialog = OpenDialog(ruler, IDM_DISPLAY_SIZE, L"Linova - Display Size");
    ASSERT_TRUE(dialog);
    HWND list = GetDlgItem(dialog, IDC_MONITOR_LIST);
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        ASSERT_EQ(SendWaiting(list, LVM_GETCOLUMNWIDTH, i), kDisplayColumns[i].width) << i;
    }
    const RECT suggested = Grown(RectOf(dialog), 0, 10);
    ASSERT_TRUE(SendDpiChanged(dialog, 192, suggested));
    EXPECT_TRUE(ShowsAt(dialog, suggested));
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        EXPECT_EQ(SendWaiting(list, LVM_GETCOLUMNWIDTH, i), 2 * kDisplayColumns[i].width) << i;
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(dialog));
}

TEST_F(DpiChange, DisplaySizeMakesItsColumnsAtTheScreensDensity) {
    ScopedDpi dpi(144);
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND dialog = OpenDialog(ruler, IDM_DISPLAY_SIZE, L"Linova - Display Size");
    ASSERT_TRUE(dialog);
    HWND list = GetDlgItem(dialog, IDC_MONITOR_LIST);
    // Half as wide again as at 96 dots per inch (120, 35, 101, 130, 100), truncated.
    const LRESULT widths[] = {180, 52, 151, 195, 150};
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        EXPECT_EQ(SendWaiting(list, LVM_GETCOLUMNWIDTH, i), widths[i]) << i;
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(dialog));
}

TEST_F(DpiChange, AboutBoxMagnifierAndUninstallFollowToo) {
    HWND ruler = StartRuler(StoredRuler{});
    ASSERT_TRUE(ruler);
    HWND about = OpenDialog(ruler, IDM_ABOUT, L"Version - Linova <1>");
    ASSERT_TRUE(about);
    // The link is as wide as its text in its font.
    const LONG link = WidthOf(GetDlgItem(about, IDC_ABOUT_LINK));
    RECT suggested = Grown(RectOf(about), 3, 4);
    ASSERT_TRUE(SendDpiChanged(about, 144, suggested));
    EXPECT_TRUE(ShowsAt(about, suggested));
    const LONG linkAt144 = WidthOf(GetDlgItem(about, IDC_ABOUT_LINK));
    EXPECT_TRUE(linkAt144 * 10 >= link * 14 && linkAt144 * 10 <= link * 16)
        << link << " then " << linkAt144;
    EXPECT_EQ(WidthOf(GetDlgItem(about, IDC_COLOR_STRIP)), 22);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitGone(about));

    HWND magnifier = OpenDialog(ruler, IDM_MAGNIFIER, L"Magnifier - Linova <1>");
    ASSERT_TRUE(magnifier);
    ASSERT_EQ(WidthOf(GetDlgItem(magnifier, IDC_COLOR_STRIP)), 15);
    suggested = Grown(RectOf(magnifier), 0, 0);
    ASSERT_TRUE(SendDpiChanged(magnifier, 192, suggested));
    EXPECT_TRUE(ShowsAt(magnifier, suggested));
    EXPECT_EQ(WidthOf(GetDlgItem(magnifier, IDC_COLOR_STRIP)), 30);
    // The panes share what the strip and its line leave of the client area.
    RECT client{};
    GetClientRect(magnifier, &client);
    EXPECT_EQ(WidthOf(GetDlgItem(magnifier, IDC_MAG_PANE_1)) +
                  WidthOf(GetDlgItem(magnifier, IDC_MAG_PANE_2)),
              client.right - 32);
    PostMessageW(magnifier, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(magnifier));

    HWND uninstall = OpenDialog(ruler, IDM_UNINSTALL, L"Linova - Uninstall");
    ASSERT_TRUE(uninstall);
    suggested = Grown(RectOf(uninstall), 8, 8);
    ASSERT_TRUE(SendDpiChanged(uninstall, 144, suggested));
    EXPECT_TRUE(ShowsAt(uninstall, suggested));
    PostMessageW(uninstall, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitGone(uninstall));
}

}  // namespace
}  // namespace e2e
