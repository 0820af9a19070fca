// Markers that find edges: the edge finder on made-up lines of pixels, where it reads, what it
// ignores, and the step that uses it.
#include <gtest/gtest.h>

#include <map>

#include "model/persistence.h"
#include "ops/edge_snap.h"
#include "memory_store.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGrey = 0xAEAEAE;  // a window's one-pixel border, 174 on each channel

uint32_t Grey(int level) {
    return static_cast<uint32_t>(level) * 0x010101u;
}

// A line beside a ruler of `length`, in screen order: white, with the given pixels set by index
// (index 0 lies one pixel before scale position 0 of an unreversed scale).
std::vector<uint32_t> Line(int32_t length, const std::map<int, uint32_t>& set = {}) {
    std::vector<uint32_t> line(static_cast<size_t>(length) + 3, kWhite);
    for (const auto& [index, pixel] : set) line[static_cast<size_t>(index)] = pixel;
    return line;
}

EdgeRows Rows(std::vector<uint32_t> first, std::vector<uint32_t> second) {
    EdgeRows rows;
    rows.line[0] = std::move(first);
    rows.line[1] = std::move(second);
    return rows;
}

// Every edge from the origin to the end and back, as the marker would visit them.
std::vector<int32_t> Walk(const EdgeRows& rows, int32_t length, bool reverse, bool up) {
    std::vector<int32_t> visited;
    int32_t at = up ? 0 : length;
    while (const auto edge = NextEdge(rows, length, reverse, at, up)) {
        visited.push_back(*edge);
        at = *edge;
    }
    return visited;
}

using Positions = std::vector<int32_t>;

TEST(EdgeSnap, AOnePixelBorderHasAnEdgeOnEachSide) {
    // The grey pixel is scale position 8: the marker stops on it and just past it.
    const EdgeRows rows = Rows(Line(20, {{9, kGrey}}), Line(20));
    EXPECT_EQ(Walk(rows, 20, false, true), (Positions{8, 9}));
    EXPECT_EQ(Walk(rows, 20, false, false), (Positions{9, 8}));
    // Reversed, the scale counts from the far end: the same pixel is position 20 - 8.
    EXPECT_EQ(Walk(rows, 20, true, true), (Positions{12, 13}));
    EXPECT_EQ(Walk(rows, 20, true, false), (Positions{13, 12}));
}

TEST(EdgeSnap, GradientsAndNoiseUpToTheThresholdAreNoEdge) {
    // A gradient of 32 levels a pixel has no edge; one step of 33 is one.
    std::vector<uint32_t> gradient = Line(5);
    for (size_t i = 0; i < gradient.size(); ++i) gradient[i] = Grey(static_cast<int>(i) * 32);
    EXPECT_EQ(Walk(Rows(gradient, Line(5)), 5, false, true), Positions{});
    gradient[6] = Grey(5 * 32 + 33);  // 33 above its left neighbour, 31 below its right one
    EXPECT_EQ(Walk(Rows(gradient, Line(5)), 5, false, true), Positions{5});

    // Dithering of up to 32 levels about mid-grey, one channel at a time, is no edge either.
    std::vector<uint32_t> noise = Line(30);
    for (size_t i = 0; i < noise.size(); ++i) {
        noise[i] = Grey(128) + ((i % 2 ? 32u : 0u) << (8 * (i % 3)));
    }
    EXPECT_EQ(Walk(Rows(noise, noise), 30, false, true), Positions{});
    EXPECT_FALSE(PixelsMakeEdge(0x102030, 0x304050));
    EXPECT_TRUE(PixelsMakeEdge(0x102030, 0x102051));
    EXPECT_TRUE(PixelsMakeEdge(0xFF0000, 0x00FF00));  // equal brightness, other colour
}

TEST(EdgeSnap, EdgesAtTheScalesEndsAndOnEitherSide) {
    // Pixel -1 differs from position 0, and position 19 from 20: edges at 0 and at the end.
    EdgeRows rows = Rows(Line(20, {{0, kGrey}}), Line(20, {{21, kGrey}}));
    EXPECT_EQ(NextEdge(rows, 20, false, 5, false), 0);
    EXPECT_EQ(NextEdge(rows, 20, false, 5, true), 20);
    EXPECT_EQ(NextEdge(rows, 20, false, 0, false), std::nullopt);
    EXPECT_EQ(NextEdge(rows, 20, false, 20, true), std::nullopt);
    // Only one line has the edge, whichever it is.
    rows = Rows(Line(20, {{15, 0}, {16, 0}}), Line(20));
    EXPECT_EQ(Walk(rows, 20, false, true), (Positions{14, 16}));
    std::swap(rows.line[0], rows.line[1]);
    EXPECT_EQ(Walk(rows, 20, false, true), (Positions{14, 16}));
    // A marker left past a shortened scale comes back to the last edge on it.
    EXPECT_EQ(NextEdge(rows, 20, false, 300, false), 16);
}

TEST(EdgeSnap, LinesLieOnePixelOutsideTheLongSides) {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.xPosi = 100;
    s.yPosi = 200;
    s.ScaleLength = 300;
    EdgeLines lines = EdgeLinesOf(s);
    EXPECT_FALSE(lines.vertical);
    EXPECT_EQ(lines.count, 303);
    EXPECT_EQ(lines.first[0].x, 99);
    EXPECT_EQ(lines.first[0].y, 199);
    EXPECT_EQ(lines.first[1].x, 99);
    EXPECT_EQ(lines.first[1].y, 250);

    s.Vertical = 1;
    s.NarrowScale = 1;
    lines = EdgeLinesOf(s);
    EXPECT_TRUE(lines.vertical);
    EXPECT_EQ(lines.first[0].x, 99);
    EXPECT_EQ(lines.first[0].y, 199);
    EXPECT_EQ(lines.first[1].x, 122);
    EXPECT_EQ(lines.first[1].y, 199);

    // A full-scale vertical ruler starts at its monitor's top.
    s.FullScale = 1;
    s.ScaleLength = 1080;
    lines = EdgeLinesOf(s);
    EXPECT_EQ(lines.first[0].y, -1);
    EXPECT_EQ(lines.count, 1083);
}

TEST(EdgeSnap, PixelsOffEveryMonitorOrUnderTheRulersOwnWindowsMakeNoEdge) {
    // A line from x = -3 to 6 at y = 10 crossing a monitor's left edge at x = 0: what a copy
    // shows there (black) meets the white at the edge, but is nothing.
    EdgeLines lines;
    lines.first[0] = {-3, 10};
    lines.first[1] = {-3, 60};
    lines.count = 10;
    EdgeRows rows = Rows(Line(7, {{0, 0}, {1, 0}, {2, 0}}), Line(7, {{6, kGrey}, {7, kGrey}}));
    MarkUnseen(rows, lines, {Rect{0, 0, 1920, 1080}}, {Rect{2, 50, 6, 70}});
    EXPECT_EQ(rows.line[0][2], kOffScreen);
    EXPECT_EQ(rows.line[0][3], kWhite);
    EXPECT_EQ(Walk(rows, 7, false, true), Positions{});  // the grey lay under the tooltip
    // A second monitor to the left makes the black real.
    rows = Rows(Line(7, {{0, 0}, {1, 0}, {2, 0}}), Line(7));
    MarkUnseen(rows, lines, {Rect{0, 0, 1920, 1080}, Rect{-1280, 0, 0, 800}}, {});
    EXPECT_EQ(Walk(rows, 7, false, true), Positions{2});
}

TEST(EdgeSnap, SnappingStepsAndTheirFallback) {
    RulerState s;
    s.ScaleLength = 20;
    s.Marker = 0;
    s.MarkerBlue = 20;
    EXPECT_FALSE(SnapsThisStep(s, 1));
    ToggleSnapEdges(s);
    EXPECT_TRUE(SnapsThisStep(s, 1));
    EXPECT_FALSE(SnapsThisStep(s, 10));  // Shift or the right button passes edges by

    const EdgeRows rows = Rows(Line(20, {{9, kGrey}}), Line(20));
    Refresh r = SnapMarker(s, MarkerMove{false, true}, rows);
    EXPECT_EQ(s.Marker, 8);
    EXPECT_TRUE(r.readout && r.panel.red && r.magnifier && !r.panel.blue);
    EXPECT_EQ(r.repaint, Repaint::kKeepBackground);
    SnapMarker(s, MarkerMove{true, false}, rows);
    EXPECT_EQ(s.MarkerBlue, 9);
    // No edge further on: one ordinary step, and none past the end.
    SnapMarker(s, MarkerMove{true, true}, rows);
    EXPECT_EQ(s.MarkerBlue, 10);
    s.MarkerBlue = 20;
    SnapMarker(s, MarkerMove{true, true}, rows);
    EXPECT_EQ(s.MarkerBlue, 20);
    SnapMarker(s, MarkerMove{true, true}, EdgeRows{});  // nothing could be read
    EXPECT_EQ(s.MarkerBlue, 20);
    SnapMarker(s, MarkerMove{true, false}, EdgeRows{});
    EXPECT_EQ(s.MarkerBlue, 19);
}

TEST(EdgeSnap, TheSettingIsStoredOnlyOnceChosen) {
    MemoryStore store;
    RulerState s;
    SaveInstance(s, store);
    EXPECT_EQ(store.keys[InstanceKeyPath(1)].count(L"SnapEdges"), 0u);
    ToggleSnapEdges(s);
    SaveInstance(s, store);
    EXPECT_EQ(store.Dword(InstanceKeyPath(1), L"SnapEdges"), 1);

    RulerState loaded;
    LoadInstance(loaded, store);
    EXPECT_EQ(loaded.SnapEdges, 1);
    ToggleSnapEdges(loaded);  // off again: stored as 0, not left at 1
    SaveInstance(loaded, store);
    EXPECT_EQ(store.Dword(InstanceKeyPath(1), L"SnapEdges"), 0);

    store.PutDword(InstanceKeyPath(1), L"SnapEdges", 7);
    RulerState odd;
    LoadInstance(odd, store);
    EXPECT_EQ(odd.SnapEdges, 1);
}

}  // namespace
