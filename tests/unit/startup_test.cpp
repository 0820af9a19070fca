// Start-up decisions: version code, DPI step, instance choice and command-line numbers.
#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "app/startup.h"

namespace {

IsInstanceRunning Running(std::set<int> numbers) {
    return [numbers](int n) { return numbers.count(n) != 0; };
}

TEST(OsVersionCode, Table) {
    struct Row {
        uint32_t platform, major, minor;
        int32_t code;
    };
    const Row rows[] = {
        {1, 3, 0, 300}, {1, 3, 1, 301},   {1, 4, 0, 400},   {1, 4, 10, 410}, {1, 4, 90, 490},
        {1, 4, 1, 0},   {1, 5, 0, 0},     {2, 3, 51, 351},  {2, 3, 50, 0},   {2, 4, 0, 400},
        {2, 4, 1, 0},   {2, 5, 0, 500},   {2, 5, 1, 510},   {2, 5, 2, 510},  {2, 6, 0, 600},
        {2, 6, 1, 610}, {2, 6, 3, 610},   {2, 7, 0, 0},     {2, 8, 0, 0},    {2, 9, 0, 0},
        {2, 7, 1, 610}, {2, 10, 0, 1000}, {2, 11, 0, 1000}, {2, 10, 1, 610}, {0, 10, 0, 0},
        {3, 6, 1, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(OsVersionCode(r.platform, r.major, r.minor), r.code)
            << r.platform << " " << r.major << "." << r.minor;
    }
}

TEST(DpiStep, OnlyTheThreeLargerStandardDensities) {
    EXPECT_EQ(DpiStep(96.0f), 0);
    EXPECT_EQ(DpiStep(120.0f), 2);
    EXPECT_EQ(DpiStep(125.0f), 0);
    EXPECT_EQ(DpiStep(144.0f), 3);
    EXPECT_EQ(DpiStep(192.0f), 4);
    EXPECT_EQ(DpiStep(0.0f), 0);
}

TEST(Instances, ClassNames) {
    EXPECT_EQ(InstanceClassName(1), L"Linova <1>");
    EXPECT_EQ(InstanceClassName(9), L"Linova <9>");
}

TEST(Instances, FirstFreeNumberAndRunningCount) {
    EXPECT_EQ(FindFreeInstance(8, Running({})).number, 1);
    EXPECT_EQ(FindFreeInstance(8, Running({})).running, 0);
    EXPECT_EQ(FindFreeInstance(8, Running({1, 2})).number, 3);
    EXPECT_EQ(FindFreeInstance(8, Running({1, 2})).running, 2);
    EXPECT_EQ(FindFreeInstance(8, Running({1, 3})).number, 2);
    EXPECT_EQ(FindFreeInstance(8, Running({1, 3})).running, 1);
    EXPECT_EQ(FindFreeInstance(8, Running({2})).number, 1);
    const std::set<int> eight = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(FindFreeInstance(8, Running(eight)).number, 0);
    EXPECT_EQ(FindFreeInstance(8, Running(eight)).running, 8);
    EXPECT_EQ(FindFreeInstance(9, Running(eight)).number, 9);
    EXPECT_EQ(FindFreeInstance(9, Running(eight)).running, 8);
    // The search asks about no number past the limit.
    int highest = 0;
    FindFreeInstance(8, [&](int n) {
        highest = std::max(highest, n);
        return true;
    });
    EXPECT_EQ(highest, 8);
}

TEST(CommandLine, ReadsNumbersLikeAtoi) {
    EXPECT_EQ(ReadNumber(L"5", 0), 5);
    EXPECT_EQ(ReadNumber(L"   12 3", 0), 12);
    EXPECT_EQ(ReadNumber(L"x4", 0), 0);
    EXPECT_EQ(ReadNumber(L"4x", 0), 4);
    EXPECT_EQ(ReadNumber(L"-3", 0), -3);
    EXPECT_EQ(ReadNumber(L"", 0), 0);
    EXPECT_GT(ReadNumber(L"99999999999999999999", 0), 9);
}

TEST(CommandLine, FirstNumberAndFurtherNumbers) {
    CommandLine line = ParseCommandLine(L"1 4 7");
    EXPECT_EQ(line.first, 1);
    EXPECT_EQ(line.further, (std::vector<int>{4, 7}));
    EXPECT_TRUE(ParseCommandLine(L"5").further.empty());
    EXPECT_TRUE(ParseCommandLine(L"").further.empty());
    EXPECT_EQ(ParseCommandLine(L"").first, 0);
    // A run of blanks separates two numbers once; words that are no number read as 0.
    line = ParseCommandLine(L"  2   3 x 9 ");
    EXPECT_EQ(line.first, 2);
    EXPECT_EQ(line.further, (std::vector<int>{3, 0, 9}));
    EXPECT_EQ(ParseCommandLine(L"1\t4").further, std::vector<int>{});
}

TEST(CommandLine, InstanceChoice) {
    // Number 5 free: taken even with a gap below it.
    EXPECT_EQ(ChooseInstanceNumber(3, 5, 8, Running({1, 2})), 5);
    // Taken or out of range: the first free number.
    EXPECT_EQ(ChooseInstanceNumber(1, 3, 8, Running({3})), 1);
    EXPECT_EQ(ChooseInstanceNumber(1, 2, 8, Running({2})), 1);
    EXPECT_EQ(ChooseInstanceNumber(4, 9, 8, Running({1, 2, 3})), 4);
    EXPECT_EQ(ChooseInstanceNumber(4, 9, 9, Running({1, 2, 3})), 9);
    EXPECT_EQ(ChooseInstanceNumber(2, 0, 8, Running({1})), 2);
    EXPECT_EQ(ChooseInstanceNumber(2, -1, 8, Running({1})), 2);
}

TEST(CommandLine, FurtherInstancesInRangeAndNotRunning) {
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 4 7"), 8, 1, Running({1})),
              (std::vector<int>{4, 7}));
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 12"), 8, 1, Running({1})), std::vector<int>{});
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 4 7 0 -2"), 8, 1, Running({1, 4})),
              std::vector<int>{7});
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 9"), 9, 1, Running({1})), std::vector<int>{9});
}

TEST(CommandLine, EachFurtherNumberStartsOnceAndNeverThisProcesssOwn) {
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 2 2 2 2 2 2 2 2"), 8, 1, Running({1})),
              std::vector<int>{2});
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"1 7 4 7 4 1"), 8, 1, Running({1})),
              (std::vector<int>{7, 4}));
    // This process's own number, even before its window can be found.
    EXPECT_EQ(InstancesToStart(ParseCommandLine(L"3 3 1 5 3 1"), 8, 3, Running({})),
              (std::vector<int>{1, 5}));
    // Two numbers free: at most two started, whatever the line names.
    EXPECT_EQ(
        InstancesToStart(ParseCommandLine(L"1 8 7 6 2 8 7"), 8, 1, Running({1, 2, 3, 4, 5, 6})),
        (std::vector<int>{8, 7}));
    // A line as long as a command line gets, of one number over and over.
    std::wstring repeats = L"1";
    while (repeats.size() < 30000) repeats += L" 2";
    EXPECT_EQ(InstancesToStart(ParseCommandLine(repeats), 8, 1, Running({1})), std::vector<int>{2});
}

RulerState StoredAt(int32_t x, int32_t y, int32_t length) {
    RulerState s;
    s.xPosi = x;
    s.yPosi = y;
    s.Lenght = length;
    return s;
}

TEST(StartPlacement, StoredRectangleEvenAtTheEndOfTheNumberRange) {
    RulerState s = StoredAt(400, 300, 600);
    s.FullScale = 1;  // belongs where it was stored, before any monitor is known
    EXPECT_EQ(StoredRulerRect(s), (Rect{400, 300, 1001, 350}));
    s.Vertical = 1;
    s.NarrowScale = 1;
    EXPECT_EQ(StoredRulerRect(s), (Rect{400, 300, 422, 901}));
    const int32_t max = std::numeric_limits<int32_t>::max();
    s = StoredAt(max - 100, max, 300);
    EXPECT_EQ(StoredRulerRect(s), (Rect{max - 100, max, max, max}));
}

TEST(StartPlacement, ARulerStoredFarOffIsKeptOnItsMonitor) {
    const Rect monitor{0, 0, 1920, 1080};
    RulerState s = StoredAt(100000, -50000, 300);
    SettleOnMonitor(s, monitor, {monitor});
    EXPECT_EQ(s.MonitorRect, monitor);
    EXPECT_EQ(s.MonitorIndex, 0);
    EXPECT_EQ(s.xPosi, 1870);
    EXPECT_EQ(s.yPosi, 0);
    EXPECT_EQ(s.ScaleLength, 300);

    // On the left one of two monitors, found second: its display-size entry is the second one.
    const Rect left{-1280, 0, 0, 800};
    s = StoredAt(-2000000000, 2000000000, 400);
    s.ScreenSize[1] = 240;
    SettleOnMonitor(s, left, {monitor, left});
    EXPECT_EQ(s.MonitorIndex, 1);
    EXPECT_EQ(s.xPosi, -1280 + 50 - 400);
    EXPECT_EQ(s.yPosi, 750);
    EXPECT_EQ(s.AutoScaling, 247);  // 1509 * 10000 / 240 / 254
}

TEST(StartPlacement, AFullScaleRulerKeepsTheStoredPlaceItComesBackTo) {
    const Rect monitor{0, 0, 1920, 1080};
    RulerState s = StoredAt(-1000, 300, 400);
    s.FullScale = 1;
    s.ScaleLength = 0;  // what the load leaves before any monitor is known
    SettleOnMonitor(s, monitor, {monitor});
    EXPECT_EQ(s.ScaleLength, 1920);
    EXPECT_EQ(s.Lenght, 400);
    // 50 pixels of the 400 it comes back to stay on the monitor.
    EXPECT_EQ(s.xPosi, -350);
    s = StoredAt(300, 5000, 400);
    s.FullScale = 1;
    s.Vertical = 1;
    SettleOnMonitor(s, monitor, {monitor});
    EXPECT_EQ(s.ScaleLength, 1080);
    EXPECT_EQ(s.yPosi, 1030);
}

}  // namespace
