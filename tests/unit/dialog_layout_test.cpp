// What the dialogs share: the colour strip's place, and the scale commands the ruler's menu and
// the Operation panel both run.
#include <gtest/gtest.h>

#include "dialogs/colour_strip.h"
#include "ops/panel.h"
#include "resources/resource.h"

namespace {

TEST(ColourStrip, FillsTheLeftEdgeWithTheLineBesideItAtEveryDensity) {
    struct Case {
        float dpiX;
        int32_t height;
        Rect strip;
        Rect line;
    };
    const Case cases[] = {
        {96, 241, {0, 0, 15, 241}, {15, 0, 17, 241}},
        // 22.5 and 18.75 pixels are cut to whole ones; the line stays two pixels wide.
        {144, 120, {0, 0, 22, 120}, {22, 0, 24, 120}},
        {120, 80, {0, 0, 18, 80}, {18, 0, 20, 80}},
        // A client area with no height gives a strip with none, never a negative one.
        {96, 0, {0, 0, 15, 0}, {15, 0, 17, 0}},
        {96, -5, {0, 0, 15, 0}, {15, 0, 17, 0}},
    };
    for (const Case& c : cases) {
        const ColourStripLayout l = LayOutColourStrip(c.dpiX, c.height);
        EXPECT_EQ(l.strip, c.strip) << c.dpiX << " " << c.height;
        EXPECT_EQ(l.line, c.line) << c.dpiX << " " << c.height;
    }
}

TEST(ScaleCommands, TheMenuAndThePanelRunTheSameCommandEachByItsOwnIds) {
    struct Case {
        int menu;
        int panel;
    };
    const Case cases[] = {{IDM_REVERSE, IDC_PANEL_REVERSE}, {IDM_NARROW, IDC_PANEL_NARROW},
                          {IDM_FULL, IDC_PANEL_FULL},       {IDM_UNIT_PIXEL, IDC_PANEL_PIXEL},
                          {IDM_UNIT_CM, IDC_PANEL_CM},      {IDM_UNIT_INCH, IDC_PANEL_INCH}};
    for (const Case& c : cases) {
        RulerState byMenu;
        RulerState byPanel;
        byMenu.Unit = byPanel.Unit = 1;
        const auto fromMenu = RunScaleCommand(byMenu, c.menu, CommandFrom::kMenu);
        const auto fromPanel = RunScaleCommand(byPanel, c.panel, CommandFrom::kPanel);
        ASSERT_TRUE(fromMenu && fromPanel) << c.menu;
        EXPECT_EQ(byMenu.Reverse, byPanel.Reverse) << c.menu;
        EXPECT_EQ(byMenu.NarrowScale, byPanel.NarrowScale) << c.menu;
        EXPECT_EQ(byMenu.FullScale, byPanel.FullScale) << c.menu;
        EXPECT_EQ(byMenu.Unit, byPanel.Unit) << c.menu;
        EXPECT_EQ(fromMenu->render, fromPanel->render) << c.menu;
        EXPECT_EQ(fromMenu->panel.unitRadio, fromPanel->panel.unitRadio) << c.menu;
    }
    RulerState s;
    s.Unit = 0;
    RunScaleCommand(s, IDC_PANEL_INCH, CommandFrom::kPanel);
    EXPECT_EQ(s.Unit, 2);
    RunScaleCommand(s, IDM_REVERSE, CommandFrom::kMenu);
    EXPECT_EQ(s.Reverse, 1);
}

TEST(ScaleCommands, OtherIdsAndTheOtherSidesIdsRunNothing) {
    RulerState s;
    // Direction turns about a point the menu and the panel choose differently.
    EXPECT_FALSE(RunScaleCommand(s, IDM_DIRECTION, CommandFrom::kMenu));
    EXPECT_FALSE(RunScaleCommand(s, IDC_PANEL_DIRECTION, CommandFrom::kPanel));
    // The ruler does not answer the panel's toolbar ids, nor the panel the menu's.
    EXPECT_FALSE(RunScaleCommand(s, IDC_PANEL_REVERSE, CommandFrom::kMenu));
    EXPECT_FALSE(RunScaleCommand(s, IDM_FULL, CommandFrom::kPanel));
    EXPECT_EQ(s.Reverse, 0);
    EXPECT_EQ(s.FullScale, 0);
}

}  // namespace
