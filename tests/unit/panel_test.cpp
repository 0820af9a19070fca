// The Operation panel's rules: sizes by dots per inch, toolbar, arrows and what Esc puts back.
#include <gtest/gtest.h>

#include "dialogs/colour_strip.h"
#include "ops/panel.h"
#include "refresh_print.h"
#include "resources/resource.h"

namespace {

RulerState Ruler(int32_t x, int32_t y, int32_t length) {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.xPosi = x;
    s.yPosi = y;
    s.Lenght = length;
    s.ScaleLength = length;
    s.Marker = 100;
    s.MarkerBlue = 130;
    return s;
}

Dpi AtDpi(float dpi, int16_t dpiStep) {
    Dpi d;
    d.x = d.y = dpi;
    d.step = dpiStep;
    return d;
}

TEST(Panel, LayoutGrowsWithTheDotsPerInchAndTakesLargeImagesFrom144) {
    struct Case {
        float dpi;
        int16_t step;
        int bitmap;
        int32_t image, buttonWidth, buttonHeight;
        Rect toolbar;
        int32_t strip;
    };
    const Case cases[] = {
        {96, 0, IDB_PANEL_TOOLBAR, 17, 45, 28, {35, 103, 230, 131}, 15},
        {120, 2, IDB_PANEL_TOOLBAR, 17, 56, 35, {43, 128, 286, 163}, 18},
        {144, 3, IDB_PANEL_TOOLBAR_BIG, 25, 67, 42, {52, 154, 344, 196}, 22},
        {192, 4, IDB_PANEL_TOOLBAR_BIG, 25, 90, 56, {70, 206, 460, 262}, 30},
    };
    for (const Case& c : cases) {
        const PanelLayout l = PanelLayoutFor(AtDpi(c.dpi, c.step));
        EXPECT_EQ(l.bitmap, c.bitmap) << c.dpi;
        EXPECT_EQ(l.imageSize, c.image) << c.dpi;
        EXPECT_EQ(l.buttonWidth, c.buttonWidth) << c.dpi;
        EXPECT_EQ(l.buttonHeight, c.buttonHeight) << c.dpi;
        EXPECT_EQ(l.toolbar, c.toolbar) << c.dpi;
        const ColourStripLayout strip = LayOutColourStrip(c.dpi, 73);
        EXPECT_EQ(strip.strip.right, c.strip) << c.dpi;
        EXPECT_EQ(strip.line.Width(), 2) << c.dpi;
    }
    // Widths follow the horizontal dots per inch, heights the vertical ones.
    Dpi d = AtDpi(96, 0);
    d.y = 192;
    const PanelLayout l = PanelLayoutFor(d);
    EXPECT_EQ(l.buttonWidth, 45);
    EXPECT_EQ(l.buttonHeight, 56);
    EXPECT_EQ(l.toolbar, (Rect{35, 206, 230, 262}));
}

TEST(Panel, TitleAndToolbarButtons) {
    EXPECT_EQ(PanelTitle(L"Linova <1>"), L"Operation - Linova <1>");
    std::wstring outline;
    for (const PanelButton& b : kPanelButtons) {
        if (b.kind == PanelButtonKind::kSeparator) {
            outline += L"| ";
            continue;
        }
        outline += std::to_wstring(b.command) + L":" + std::to_wstring(b.image) +
                   (b.kind == PanelButtonKind::kCheck ? L" check " : L" ");
    }
    EXPECT_EQ(outline, L"| 332:0 331:1 | 335:2 check 336:3 check | ");
    EXPECT_EQ(PanelButtonTip(0), nullptr);  // the separators have no tool
    EXPECT_EQ(PanelButtonTip(IDC_TOOLBAR), nullptr);
}

TEST(Panel, OnlyLineStepsActAndTheMoveArrowsAlwaysPlaceWithoutActivating) {
    RulerState s = Ruler(400, 300, 300);
    Refresh moved;
    moved.placement = Placement::kStepKeepingFocus;
    Refresh r = PanelArrow(s, IDC_MOVE_VERT, 0, 1);
    EXPECT_EQ(s.yPosi, 299);
    EXPECT_EQ(r, moved);
    PanelArrow(s, IDC_MOVE_VERT, 1, 10);
    EXPECT_EQ(s.yPosi, 309);
    PanelArrow(s, IDC_MOVE_HORZ, 0, 10);
    EXPECT_EQ(s.xPosi, 390);
    PanelArrow(s, IDC_MOVE_HORZ, 1, 1);
    EXPECT_EQ(s.xPosi, 391);

    PanelArrow(s, IDC_LENGTH_ARROW, 0, 10);  // the up arrow lengthens
    EXPECT_EQ(s.ScaleLength, 310);
    PanelArrow(s, IDC_LENGTH_ARROW, 1, 1);
    EXPECT_EQ(s.ScaleLength, 309);
    r = PanelArrow(s, IDC_RED_ARROW, 0, 10);
    EXPECT_EQ(s.Marker, 110);
    EXPECT_TRUE(r.panel.red && r.readout);
    PanelArrow(s, IDC_BLUE_ARROW, 1, 1);
    EXPECT_EQ(s.MarkerBlue, 129);

    // Pages, thumb moves, the ends and the end of a scroll do nothing; the code is compared whole.
    const RulerState before = s;
    for (uintptr_t code : {2u, 3u, 4u, 5u, 6u, 7u, 8u, 0x50000u, 0x50001u}) {
        for (int arrow : {IDC_LENGTH_ARROW, IDC_RED_ARROW, IDC_BLUE_ARROW}) {
            EXPECT_FALSE(PanelArrow(s, arrow, code, 1).Any()) << arrow << " " << code;
        }
        r = PanelArrow(s, IDC_MOVE_HORZ, code, 1);
        EXPECT_EQ(r, moved) << code;
        PanelArrow(s, IDC_MOVE_VERT, code, 1);
    }
    EXPECT_EQ(s.xPosi, before.xPosi);
    EXPECT_EQ(s.yPosi, before.yPosi);
    EXPECT_EQ(s.ScaleLength, before.ScaleLength);
    EXPECT_EQ(s.Marker, before.Marker);
    EXPECT_EQ(s.MarkerBlue, before.MarkerBlue);

    // A full-scale horizontal ruler neither grows nor moves sideways, whoever sends the step.
    s.FullScale = 1;
    s.ScaleLength = 1920;
    EXPECT_FALSE(PanelArrow(s, IDC_LENGTH_ARROW, 0, 1).Any());
    PanelArrow(s, IDC_MOVE_HORZ, 1, 10);
    PanelArrow(s, IDC_MOVE_VERT, 1, 10);
    EXPECT_EQ(s.xPosi, before.xPosi);
    EXPECT_EQ(s.yPosi, before.yPosi + 10);
    EXPECT_EQ(s.ScaleLength, 1920);
}

TEST(Panel, EscPutsBackLengthRedMarkerAndModesButNotTheBlueMarker) {
    RulerState s = Ruler(400, 300, 300);
    const PanelSnapshot snapshot = TakePanelSnapshot(s);
    for (int i = 0; i < 3; ++i) PanelArrow(s, IDC_LENGTH_ARROW, 0, 10);
    PanelArrow(s, IDC_RED_ARROW, 0, 10);
    PanelArrow(s, IDC_BLUE_ARROW, 0, 10);
    ASSERT_EQ(s.ScaleLength, 330);
    Refresh r = RestorePanelSnapshot(s, snapshot);
    EXPECT_EQ(s.ScaleLength, 300);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.Marker, 100);
    EXPECT_EQ(s.MarkerBlue, 140);
    EXPECT_TRUE(r.readout);
    EXPECT_EQ(r.repaint, Repaint::kErase);
    EXPECT_FALSE(r.render);

    // Full-scale and narrow mode come back too; another thickness is drawn anew.
    ToggleFullScale(s);
    ToggleNarrow(s);
    r = RestorePanelSnapshot(s, snapshot);
    EXPECT_EQ(s.FullScale, 0);
    EXPECT_EQ(s.NarrowScale, 0);
    EXPECT_EQ(s.ScaleLength, 300);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_TRUE(r.render);
}

TEST(Panel, EscOnAFullScaleRulerKeepsTheLengthItComesBackTo) {
    RulerState s = Ruler(400, 300, 300);
    ToggleFullScale(s);
    const PanelSnapshot snapshot = TakePanelSnapshot(s);
    ToggleFullScale(s);
    PanelArrow(s, IDC_LENGTH_ARROW, 0, 10);
    ASSERT_EQ(s.Lenght, 310);
    RestorePanelSnapshot(s, snapshot);
    EXPECT_EQ(s.FullScale, 1);
    EXPECT_EQ(s.ScaleLength, 1920);
    EXPECT_EQ(s.Lenght, 300);

    // The direction is not put back: the full length is the new direction's.
    TurnAboutCentre(s);
    RestorePanelSnapshot(s, snapshot);
    EXPECT_EQ(s.Vertical, 1);
    EXPECT_EQ(s.ScaleLength, 1080);
    ToggleFullScale(s);
    EXPECT_EQ(s.ScaleLength, 300);
}

TEST(Panel, CloseKeepsTheShownLengthAsTheStoredOne) {
    RulerState s = Ruler(400, 300, 300);
    s.ScaleLength = 340;  // shown, not yet kept
    KeepPanelChanges(s);
    EXPECT_EQ(s.Lenght, 340);
    EXPECT_EQ(s.ScaleLength, 340);
    ToggleFullScale(s);
    KeepPanelChanges(s);
    EXPECT_EQ(s.Lenght, 340);
    EXPECT_EQ(s.ScaleLength, 1920);
}

}  // namespace
