// Controls' own procedures behind ours: every message the subclass does not keep reaches the
// control's previous procedure, each control keeps its own number, and a destroyed control is
// forgotten.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ops/subclass_win.h"

namespace {

LRESULT CALLBACK Front(HWND, UINT, WPARAM, LPARAM);

Subclass& Fronts() {
    static Subclass fronts(Front);
    return fronts;
}

// Keeps WM_USER for itself; the rest goes on.
LRESULT CALLBACK Front(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER) return 7;
    return Fronts().Pass(window, message, wParam, lParam);
}

std::vector<UINT> reached;
WNDPROC staticProc = nullptr;

LRESULT CALLBACK Recorder(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER || message == WM_NCDESTROY) reached.push_back(message);
    return CallWindowProcW(staticProc, window, message, wParam, lParam);
}

HWND Control() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(Subclass, PassesOnWhatItDoesNotKeepAndKeepsANumberPerControl) {
    HWND one = Control();
    HWND two = Control();
    ASSERT_TRUE(one && two);
    staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(one, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Recorder)));
    ASSERT_TRUE(Fronts().Install(one, 5));
    EXPECT_FALSE(Fronts().Install(one)) << "put in front of itself";
    ASSERT_TRUE(Fronts().Install(two));
    EXPECT_FALSE(Fronts().Install(nullptr));

    reached.clear();
    EXPECT_EQ(SendMessageW(one, WM_USER, 0, 0), 7);
    SendMessageW(one, WM_USER + 1, 0, 0);
    EXPECT_EQ(reached, (std::vector<UINT>{WM_USER + 1}));

    EXPECT_EQ(Fronts().Data(one), 5);
    EXPECT_EQ(Fronts().Data(two), 0);
    Fronts().SetData(two, 9);
    EXPECT_EQ(Fronts().Data(one), 5);
    EXPECT_EQ(Fronts().Data(two), 9);

    // The destroy reaches the control's own procedure, and the subclass forgets the control.
    DestroyWindow(one);
    EXPECT_EQ(reached, (std::vector<UINT>{WM_USER + 1, WM_NCDESTROY}));
    EXPECT_EQ(Fronts().Data(one), 0);
    EXPECT_EQ(Fronts().Data(two), 9);
    DestroyWindow(two);
    EXPECT_EQ(Fronts().Data(two), 0);
}

}  // namespace
