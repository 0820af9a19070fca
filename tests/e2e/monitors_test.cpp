// The two-monitor desktop the placement tests run on: only meaningful when the test environment
// was started with a second monitor to the left of the primary one.
#include <cstdlib>
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
    return TRUE;
}

TEST(TwoMonitors, WineReportsBothMonitors) {
    const char* expected = std::getenv("LINOVA_EXPECT_MONITORS");
    if (!expected || std::string(expected) != "2-left") GTEST_SKIP() << "one-monitor desktop";
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    ASSERT_EQ(monitors.size(), 2u);
    bool left = false;
    bool primary = false;
    for (const RECT& r : monitors) {
        left |= r.left == -1280 && r.top == 0 && r.right == 0 && r.bottom == 800;
        primary |= r.left == 0 && r.top == 0 && r.right == 1280 && r.bottom == 800;
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(primary);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
}

}  // namespace
}  // namespace e2e
