// A scroll bar used as arrow buttons never sees the right button's press or a context menu, and
// sees everything else as before.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ops/arrow_subclass_win.h"

namespace {

// What reaches the scroll bar's own procedure, beneath the arrow subclass.
std::vector<UINT> reached;
WNDPROC scrollBarProc = nullptr;

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    reached.push_back(message);
    return CallWindowProcW(scrollBarProc, window, message, wParam, lParam);
}

TEST(ArrowSubclass, TheRightPressAndTheContextMenuStopAtTheSubclass) {
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    HWND bar = CreateWindowExW(0, L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0, 20,
                               60, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(parent && bar);
    scrollBarProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recorder)));
    ASSERT_TRUE(SubclassArrow(bar));
    SetScrollRange(bar, SB_CTL, 0, 2, FALSE);

    reached.clear();
    EXPECT_EQ(SendMessageW(bar, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(SendMessageW(bar, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar), MAKELPARAM(5, 5)),
              0);
    // The release goes on; the context menu the default handling asks for in return does not.
    SendMessageW(bar, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    int low = -1;
    int high = -1;
    SendMessageW(bar, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low),
                 reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(reached, (std::vector<UINT>{WM_RBUTTONUP, SBM_GETRANGE}));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 2);
    DestroyWindow(parent);
}

}  // namespace
