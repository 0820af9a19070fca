// The two-monitor desktop the placement tests run on: only meaningful when the test environment
// was started with a second monitor to the left of the primary one.
#include <vector>

#include "harness.h"

namespace e2e {
namespace {

TEST_F(TwoMonitors, WineReportsBothMonitors) {
    const std::vector<RECT> monitors = Monitors();
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
