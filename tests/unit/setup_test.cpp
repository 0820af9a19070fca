// The Setup dialog's rules: its title, page toolbar and sizes, what Cancel puts back and what
// each way of ending it asks of the ruler, and what the pages' controls change.
#include <gtest/gtest.h>

#include <limits>

#include "dialogs/setup.h"
#include "dialogs/setup_pages.h"
#include "refresh_print.h"
#include "resources/resource.h"

namespace {

Dpi AtDpi(float dpiX, float dpiY, int16_t dpiStep) {
    Dpi d;
    d.x = dpiX;
    d.y = dpiY;
    d.step = dpiStep;
    return d;
}

// A manual centimetre ruler on a 1920 x 1080 monitor whose automatic scale is 51.0 pixel/cm.
RulerState Ruler() {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.Scaling = 378;
    s.AutoScaling = 510;
    s.ScalingAuto = 0;
    return s;
}

bool Redraws(const Refresh& r) {
    return r.render && r.repaint == Repaint::kErase;
}

TEST(SetupFrame, TitlePagesAndTips) {
    EXPECT_EQ(SetupTitle(L"Linova <2>"), L"Setup - Linova <2>");
    // The title buffer holds 29 characters and the terminator.
    EXPECT_EQ(SetupTitle(std::wstring(40, L'x')), L"Setup - " + std::wstring(21, L'x'));
    std::wstring pages;
    for (const SetupPageInfo& p : kSetupPages) {
        pages += std::to_wstring(p.button) + L":" + std::to_wstring(p.image) + L" " + p.caption +
                 L" " + p.templateName + L" | ";
    }
    EXPECT_EQ(pages,
              L"1101:0 Color DisplayBox | 1102:1 Scaling ScalingBox | 1103:2 Magnifier "
              L"MagnifySetBox | 1104:3 Mouse MouseBox | 1105:4 other OtherBox | ");
    EXPECT_EQ(PageOfButton(IDC_PAGE_COLOR), 0);
    EXPECT_EQ(PageOfButton(IDC_PAGE_OTHER), 4);
    EXPECT_EQ(PageOfButton(1100), std::nullopt);
    EXPECT_EQ(PageOfButton(1106), std::nullopt);
    EXPECT_STREQ(SetupPageTip(IDC_PAGE_COLOR), L"Color, Font,");
    EXPECT_STREQ(SetupPageTip(IDC_PAGE_SCALING), L"Scaling Auto/Manual.");
    EXPECT_STREQ(SetupPageTip(IDC_PAGE_OTHER), L"other settings.");
    EXPECT_EQ(SetupPageTip(IDC_TOOLBAR), nullptr);
    // The keys turn the pages around either end.
    EXPECT_EQ(NeighbourPage(0, 1), 1);
    EXPECT_EQ(NeighbourPage(4, 1), 0);
    EXPECT_EQ(NeighbourPage(0, -1), 4);
    EXPECT_EQ(NeighbourPage(2, -1), 1);
}

TEST(SetupFrame, ToolbarTakesTheLargePicturesOnlyFrom144DotsPerInch) {
    struct Case {
        float dpi;
        int16_t step;
        int bitmap;
        int32_t imageWidth, imageHeight, buttonWidth, buttonHeight;
        Rect toolbar;
    };
    const Case cases[] = {
        {96, 0, IDB_PAGE_TOOLBAR, 24, 24, 110, 30, {22, 5, 132, 305}},
        {120, 2, IDB_PAGE_TOOLBAR, 24, 30, 137, 37, {27, 6, 164, 381}},
        {144, 3, IDB_PAGE_TOOLBAR_BIG, 36, 36, 165, 45, {33, 7, 198, 457}},
        {168, 0, IDB_PAGE_TOOLBAR, 24, 42, 192, 52, {38, 8, 230, 533}},
        {192, 4, IDB_PAGE_TOOLBAR_BIG, 36, 48, 220, 60, {44, 10, 264, 610}},
    };
    for (const Case& c : cases) {
        const SetupToolbarLayout l = SetupToolbarFor(AtDpi(c.dpi, c.dpi, c.step));
        EXPECT_EQ(l.bitmap, c.bitmap) << c.dpi;
        EXPECT_EQ(l.imageWidth, c.imageWidth) << c.dpi;
        EXPECT_EQ(l.imageHeight, c.imageHeight) << c.dpi;
        EXPECT_EQ(l.buttonWidth, c.buttonWidth) << c.dpi;
        EXPECT_EQ(l.buttonHeight, c.buttonHeight) << c.dpi;
        EXPECT_EQ(l.toolbar, c.toolbar) << c.dpi;
    }
    // Widths follow the horizontal dots per inch, heights the vertical ones.
    const SetupToolbarLayout l = SetupToolbarFor(AtDpi(96, 192, 0));
    EXPECT_EQ(l.imageWidth, 24);
    EXPECT_EQ(l.imageHeight, 48);
    EXPECT_EQ(l.buttonWidth, 110);
    EXPECT_EQ(l.buttonHeight, 60);
    EXPECT_EQ(l.toolbar, (Rect{22, 10, 132, 610}));
}

// Every setting the pages edit, changed from its value at opening.
void ChangeEverything(RulerState& s) {
    s.BackColor = 15;
    s.FontStyle = 2;
    s.TopMost = 0;
    s.NoMouseOperation = 1;
    s.NoKeyOperation = 1;
    s.SpareFlag = 0;
    s.LayerWindow = 40;
    s.ScalingAuto = 1;
    s.Scaling = 1000;
    s.Magnifier = 8;
    s.MagType = 2;
    s.WheelMode = 0;
}

TEST(SetupFrame, CancelPutsBackTheTwelveSettingsAndRedrawsOnlyWhatWasPreviewed) {
    RulerState s = Ruler();
    s.BackColor = 3;
    s.LayerWindow = 200;
    s.Magnifier = 4;
    SetupSession session = StartSetup(s);
    EXPECT_FALSE(session.PreviewChanged);
    ChangeEverything(s);
    // What the pages do not edit stays as it is now.
    s.Marker = 77;
    s.Unit = kUnitInch;
    s.AutoScaling = 361;  // the display sizes changed meanwhile

    RulerState cancelled = s;
    SetupEnding e = EndSetup(cancelled, session, SetupExit::kCancel);
    RulerState expected = s;
    expected.BackColor = 3;
    expected.FontStyle = 1;
    expected.TopMost = 1;
    expected.NoMouseOperation = 0;
    expected.NoKeyOperation = 0;
    expected.SpareFlag = 1;
    expected.LayerWindow = 200;
    expected.ScalingAuto = 0;
    expected.Scaling = 378;
    expected.Magnifier = 4;
    expected.MagType = 0;
    expected.WheelMode = 1;
    EXPECT_EQ(FormatSettings(cancelled), FormatSettings(expected));
    EXPECT_EQ(TakeSetupSnapshot(cancelled).layerWindow, 200);
    EXPECT_EQ(cancelled.BackColor, 3);
    EXPECT_EQ(cancelled.Scaling, 378);
    EXPECT_EQ(cancelled.Magnifier, 4);
    EXPECT_EQ(cancelled.MagType, 0);
    EXPECT_EQ(cancelled.Marker, 77);
    EXPECT_EQ(cancelled.Unit, kUnitInch);
    EXPECT_EQ(cancelled.AutoScaling, 361);
    // Nothing was shown live: the background is installed again, nothing drawn, nothing saved;
    // the scale in use went back from 36.1 to 37.8 pixel/cm, so the title is rewritten with it.
    EXPECT_TRUE(e.applyBackground);
    EXPECT_FALSE(e.setOpacity);
    EXPECT_FALSE(e.save);
    EXPECT_TRUE(e.refresh.readout);
    EXPECT_EQ(e.refresh.placement, Placement::kNone);

    // A page showed a change live: the opacity and the picture come back too.
    session.PreviewChanged = true;
    cancelled = s;
    e = EndSetup(cancelled, session, SetupExit::kCancel);
    EXPECT_TRUE(e.applyBackground);
    EXPECT_TRUE(e.setOpacity);
    EXPECT_TRUE(Redraws(e.refresh));
    EXPECT_FALSE(e.save);

    // Only the magnifier changed: the background is installed again and nothing else happens.
    RulerState magnifierOnly = Ruler();
    const SetupSession quiet = StartSetup(magnifierOnly);
    magnifierOnly.Magnifier = 2;
    e = EndSetup(magnifierOnly, quiet, SetupExit::kCancel);
    EXPECT_EQ(magnifierOnly.Magnifier, 4);
    EXPECT_TRUE(e.applyBackground);
    EXPECT_FALSE(e.setOpacity);
    EXPECT_FALSE(e.refresh.Any());
}

TEST(SetupFrame, OkSavesAndPlacesTheRulerOnThePointersMonitorAndTheCloseBoxKeepsUnsaved) {
    RulerState s = Ruler();
    const SetupSession session{TakeSetupSnapshot(s), true};
    ChangeEverything(s);
    const RulerState changed = s;

    SetupEnding e = EndSetup(s, session, SetupExit::kOk);
    EXPECT_EQ(FormatSettings(s), FormatSettings(changed));
    EXPECT_EQ(s.BackColor, 15);
    EXPECT_TRUE(e.save);
    EXPECT_FALSE(e.applyBackground);
    EXPECT_FALSE(e.setOpacity);
    Refresh placed;
    placed.fixMonitorByCursor = true;
    placed.recomputeLength = true;
    placed.placement = Placement::kFull;
    placed.readout = true;
    placed.repaint = Repaint::kErase;
    placed.render = true;
    EXPECT_EQ(e.refresh, placed);

    s = changed;
    e = EndSetup(s, session, SetupExit::kCloseBox);
    EXPECT_EQ(FormatSettings(s), FormatSettings(changed));
    EXPECT_EQ(s.BackColor, 15);
    EXPECT_EQ(s.LayerWindow, 40);
    EXPECT_FALSE(e.save);
    EXPECT_FALSE(e.applyBackground);
    EXPECT_FALSE(e.setOpacity);
    EXPECT_FALSE(e.refresh.Any());
}

TEST(SetupPages, ColourListItemHeightNumbersAndChoice) {
    // Eight samples fill what the list drops down below its field.
    EXPECT_EQ(ColourItemHeight(268, 20, 16), 31);
    EXPECT_EQ(ColourItemHeight(27, 20, 16), 16);  // 7 / 8 is 0: the list's own height
    EXPECT_EQ(ColourItemHeight(20, 20, 16), 16);
    EXPECT_EQ(ColourItemHeight(10, 20, 16), 16);  // -10 / 8 is -1
    EXPECT_EQ(ColourItemHeight(28, 20, 16), 1);
    EXPECT_EQ(ColourItemNumber(0), L" 1");
    EXPECT_EQ(ColourItemNumber(8), L" 9");
    EXPECT_EQ(ColourItemNumber(9), L"10");
    EXPECT_EQ(ColourItemNumber(22), L"23");

    RulerState s = Ruler();
    s.BackColor = 5;
    EXPECT_FALSE(ChooseBackground(s, 5).Any());   // closed on the entry already chosen
    EXPECT_FALSE(ChooseBackground(s, -1).Any());  // no selection
    EXPECT_FALSE(ChooseBackground(s, 23).Any());
    EXPECT_EQ(s.BackColor, 5);
    const Refresh r = ChooseBackground(s, 22);
    EXPECT_EQ(s.BackColor, 22);
    EXPECT_TRUE(Redraws(r));
    EXPECT_EQ(r.placement, Placement::kNone);
}

TEST(SetupPages, CheckBoxesToggleTheirFlagAndOnlyTheFontRedraws) {
    RulerState s = Ruler();
    s.FontStyle = 3;
    EXPECT_TRUE(SetupFlagChecked(s, IDC_BOLD_FONT));
    EXPECT_TRUE(SetupFlagChecked(s, IDC_ITALIC_FONT));
    // Clearing bold leaves an italic, non-bold scale, drawn at once.
    EXPECT_TRUE(Redraws(ToggleSetupFlag(s, IDC_BOLD_FONT)));
    EXPECT_EQ(s.FontStyle, 2);
    EXPECT_FALSE(SetupFlagChecked(s, IDC_BOLD_FONT));
    EXPECT_TRUE(Redraws(ToggleSetupFlag(s, IDC_ITALIC_FONT)));
    EXPECT_EQ(s.FontStyle, 0);
    EXPECT_TRUE(Redraws(ToggleSetupFlag(s, IDC_BOLD_FONT)));
    EXPECT_EQ(s.FontStyle, 1);

    // The locks and the z-order act later, where they are read.
    EXPECT_FALSE(SetupFlagChecked(s, IDC_NO_MOUSE));
    EXPECT_FALSE(ToggleSetupFlag(s, IDC_NO_MOUSE).Any());
    EXPECT_EQ(s.NoMouseOperation, 1);
    EXPECT_TRUE(SetupFlagChecked(s, IDC_NO_MOUSE));
    EXPECT_FALSE(ToggleSetupFlag(s, IDC_NO_KEY).Any());
    EXPECT_EQ(s.NoKeyOperation, 1);
    EXPECT_TRUE(SetupFlagChecked(s, IDC_TOPMOST));
    EXPECT_FALSE(ToggleSetupFlag(s, IDC_TOPMOST).Any());
    EXPECT_EQ(s.TopMost, 0);
    EXPECT_FALSE(SetupFlagChecked(s, IDC_TOPMOST));
    EXPECT_FALSE(ToggleSetupFlag(s, IDC_LAYER).Any());
    EXPECT_EQ(FormatSettings(s), L"0,0,0,1,0,0,1,1,1,1,0,1,");
}

TEST(SetupPages, ScaleStepsStayWithin30And3000) {
    RulerState s = Ruler();
    s.Scaling = 35;
    Refresh r = StepScaling(s, false, 10);
    EXPECT_EQ(s.Scaling, 30);
    EXPECT_TRUE(Redraws(r));
    EXPECT_TRUE(r.readout);
    EXPECT_FALSE(StepScaling(s, false, 10).Any());  // already at the bottom
    EXPECT_EQ(s.Scaling, 30);
    StepScaling(s, true, 1);
    EXPECT_EQ(s.Scaling, 31);
    s.Scaling = 31;
    StepScaling(s, false, 1);
    EXPECT_EQ(s.Scaling, 30);  // 30 or less is 30
    s.Scaling = 2995;
    StepScaling(s, true, 10);
    EXPECT_EQ(s.Scaling, 3000);
    EXPECT_FALSE(StepScaling(s, true, 1).Any());
    EXPECT_EQ(s.Scaling, 3000);
    StepScaling(s, false, 10);
    EXPECT_EQ(s.Scaling, 2990);
    // A stored scale above the range comes back into it from the top.
    s.Scaling = 5000;
    StepScaling(s, true, 1);
    EXPECT_EQ(s.Scaling, 3000);
    s.Scaling = std::numeric_limits<int32_t>::max();
    StepScaling(s, true, 10);
    EXPECT_EQ(s.Scaling, 3000);

    // In automatic mode the manual scale changes out of sight.
    s.ScalingAuto = 1;
    s.Scaling = 300;
    EXPECT_FALSE(StepScaling(s, true, 10).Any());
    EXPECT_EQ(s.Scaling, 310);
}

TEST(SetupPages, ScalingModeTextsAndControls) {
    RulerState s = Ruler();
    EXPECT_EQ(ScalingText(s), L"Scale  37.8 pixel/cm");
    EXPECT_EQ(DisplaySizeText(s), L"1920x1080pixel, 17.0inch.");
    ScalingControls c = ScalingControlsFor(s);
    EXPECT_TRUE(c.arrows);
    EXPECT_TRUE(c.line);
    EXPECT_TRUE(c.displaySize);

    Refresh r = ChooseScalingMode(s, true);
    EXPECT_EQ(s.ScalingAuto, 1);
    EXPECT_TRUE(Redraws(r));
    EXPECT_TRUE(r.readout);
    EXPECT_EQ(ScalingText(s), L"Scale  51.0 pixel/cm");
    c = ScalingControlsFor(s);
    EXPECT_FALSE(c.arrows);
    EXPECT_FALSE(c.line);
    EXPECT_FALSE(ChooseScalingMode(s, true).Any());  // Auto again
    s.Unit = kUnitInch;
    EXPECT_EQ(ScalingText(s), L"Scale 129.5 pixel/inch");
    EXPECT_TRUE(Redraws(ChooseScalingMode(s, false)));
    EXPECT_EQ(s.ScalingAuto, 0);
    EXPECT_EQ(ScalingText(s), L"Scale  96.0 pixel/inch");
    // Both scales alike: nothing to draw anew.
    s.AutoScaling = 378;
    EXPECT_FALSE(ChooseScalingMode(s, true).Any());
    EXPECT_EQ(s.ScalingAuto, 1);

    s.InstanceNumber = 2;
    EXPECT_FALSE(ScalingControlsFor(s).displaySize);

    // The display size shown is the one the automatic scale is computed with: a monitor past the
    // four with display sizes has the default diagonal.
    s.ScreenSize[1] = 240;
    s.ScreenSize[3] = 321;
    s.MonitorRect = {-1280, 0, 0, 800};
    s.MonitorIndex = 1;
    EXPECT_EQ(DisplaySizeText(s), L"1280x800pixel, 24.0inch.");
    s.MonitorIndex = 4;
    EXPECT_EQ(DisplaySizeText(s), L"1280x800pixel, 17.0inch.");
    s.MonitorIndex = 9;
    EXPECT_EQ(DisplaySizeText(s), L"1280x800pixel, 17.0inch.");
}

TEST(SetupPages, ListsShowTheStoredValueAndKeepItWithoutAChoice) {
    auto joined = [](int control) {
        std::wstring text;
        for (const wchar_t* item : SetupListItems(control)) text += std::wstring(item) + L"|";
        return text;
    };
    EXPECT_EQ(joined(IDC_MAG_FACTOR), L"x1|x2|x3|x4|x5|x6|x7|x8|");
    EXPECT_EQ(joined(IDC_MAG_TYPE), L"Edge / Red|Edge / Blue|Red / Blue|");
    EXPECT_EQ(joined(IDC_WHEEL_MODE), L"Off|Rad Marker|Blue Marker|");
    EXPECT_EQ(joined(IDC_COLOR_LIST), L"");

    RulerState s = Ruler();
    s.Magnifier = 4;
    s.MagType = 2;
    s.WheelMode = 0;
    EXPECT_EQ(SetupListSelection(s, IDC_MAG_FACTOR), 3);
    EXPECT_EQ(SetupListSelection(s, IDC_MAG_TYPE), 2);
    EXPECT_EQ(SetupListSelection(s, IDC_WHEEL_MODE), 0);
    ChooseFromSetupList(s, IDC_MAG_FACTOR, 7);
    ChooseFromSetupList(s, IDC_MAG_TYPE, 0);
    ChooseFromSetupList(s, IDC_WHEEL_MODE, 2);
    EXPECT_EQ(s.Magnifier, 8);
    EXPECT_EQ(s.MagType, 0);
    EXPECT_EQ(s.WheelMode, 2);

    // Values edited by hand beyond the lists show no item, and stay until an item is chosen.
    s.Magnifier = 9;
    s.MagType = -1;
    EXPECT_EQ(SetupListSelection(s, IDC_MAG_FACTOR), -1);
    EXPECT_EQ(SetupListSelection(s, IDC_MAG_TYPE), -1);
    s.Magnifier = 0;
    EXPECT_EQ(SetupListSelection(s, IDC_MAG_FACTOR), -1);
    ChooseFromSetupList(s, IDC_MAG_FACTOR, -1);
    ChooseFromSetupList(s, IDC_MAG_TYPE, -1);
    ChooseFromSetupList(s, IDC_WHEEL_MODE, 3);
    EXPECT_EQ(s.Magnifier, 0);
    EXPECT_EQ(s.MagType, -1);
    EXPECT_EQ(s.WheelMode, 2);
}

TEST(SetupPages, OpacityNeverFallsBelow35) {
    EXPECT_EQ(OpacityOfPosition(0), 35);
    EXPECT_EQ(OpacityOfPosition(34), 35);
    EXPECT_EQ(OpacityOfPosition(35), 35);
    EXPECT_EQ(OpacityOfPosition(128), 128);
    EXPECT_EQ(OpacityOfPosition(255), 255);
    EXPECT_EQ(OpacityOfPosition(256), 255);
    EXPECT_EQ(OpacityOfPosition(-5), 35);
}

}  // namespace
