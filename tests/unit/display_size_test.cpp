// The Display size dialog's rules: its columns, the texts of the monitors' rows, which row the
// arrows edit, and what OK keeps.
#include <gtest/gtest.h>

#include "dialogs/display_size.h"
#include "model/units.h"
#include "ops/operations.h"

namespace {

MonitorDescription Monitor(const wchar_t* name, bool primary, Rect rect) {
    return MonitorDescription{name, primary, rect};
}

std::wstring Joined(const std::array<std::wstring, kDisplayColumnCount>& texts) {
    std::wstring line;
    for (const std::wstring& t : texts) line += t + L"|";
    return line;
}

TEST(DisplaySize, ColumnsAndDiagonalTexts) {
    std::wstring columns;
    for (const DisplayColumn& c : kDisplayColumns) {
        columns += std::wstring(c.header) + L":" + std::to_wstring(c.width) +
                   (c.centred ? L" centre|" : L" left|");
    }
    EXPECT_EQ(columns,
              L"Monitor Name:120 left| :35 centre|Position [pixel]:101 centre|"
              L"Resolution [pixel]:130 centre|Display [inch]:100 centre|");
    EXPECT_EQ(DiagonalText(170), L"17.0");
    EXPECT_EQ(DiagonalText(171), L"17.1");
    EXPECT_EQ(DiagonalText(30), L"3.0");
    EXPECT_EQ(DiagonalText(5000), L"500.0");
    EXPECT_EQ(DiagonalText(9), L"0.9");
    EXPECT_EQ(DiagonalText(-15), L"-1.5");
}

TEST(DisplaySize, RowsShowNamePrimaryPositionResolutionAndDiagonal) {
    RulerState s;
    s.ScreenSize[1] = 240;
    DisplaySizes d = StartDisplaySizes(s);
    EXPECT_FALSE(d.Editing());
    EXPECT_EQ(Joined(DisplayRowTexts(Monitor(L"\\\\.\\DISPLAY1", true, {0, 0, 1920, 1080}), 0, d)),
              L"\\\\.\\DISPLAY1|P|0, 0|1920 x 1080|17.0|");
    EXPECT_EQ(Joined(DisplayRowTexts(Monitor(L"\\\\.\\DISPLAY2", false, {-1280, 0, 0, 800}), 1, d)),
              L"\\\\.\\DISPLAY2| |-1280, 0|1280 x 800|24.0|");
    // A fifth monitor has no display size of its own.
    EXPECT_EQ(Joined(DisplayRowTexts(Monitor(L"\\\\.\\DISPLAY5", false, {0, -768, 1024, 0}), 4, d)),
              L"\\\\.\\DISPLAY5| |0, -768|1024 x 768||");
}

TEST(DisplaySize, TheArrowsEditTheSelectedRowOnlyWhenItHasADisplaySize) {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    const std::vector<MonitorDescription> monitors = {
        Monitor(L"A", false, {-1280, 0, 0, 800}), Monitor(L"B", true, {0, 0, 1920, 1080}),
        Monitor(L"C", false, {1920, 0, 3200, 1024}), Monitor(L"D", false, {3200, 0, 4480, 1024}),
        Monitor(L"E", false, {4480, 0, 5760, 1024})};
    EXPECT_EQ(OwnMonitorRow(monitors, s), 1);
    s.MonitorRect = {4480, 0, 5760, 1024};
    EXPECT_EQ(OwnMonitorRow(monitors, s), 4);
    s.MonitorRect = {0, 0, 800, 600};  // a monitor gone since the ruler was placed
    EXPECT_EQ(OwnMonitorRow(monitors, s), -1);

    s.ScreenSize[1] = 200;
    DisplaySizes d = StartDisplaySizes(s);
    SelectRow(d, 1);
    EXPECT_EQ(d.EditedMonitor, 1);
    EXPECT_EQ(EditedText(d), L"20.0");
    EXPECT_TRUE(SetEditedDiagonal(d, 201));
    EXPECT_EQ(EditedText(d), L"20.1");
    EXPECT_EQ(d.WorkingSizes[1], 201);
    EXPECT_TRUE(SetEditedDiagonal(d, 29));
    EXPECT_EQ(d.WorkingSizes[1], 30);
    EXPECT_TRUE(SetEditedDiagonal(d, 5001));
    EXPECT_EQ(d.WorkingSizes[1], 5000);
    EXPECT_EQ(EditedText(d), L"500.0");

    // The fifth row and no row at all: nothing to edit, an empty field.
    SelectRow(d, 4);
    EXPECT_FALSE(d.Editing());
    EXPECT_EQ(EditedText(d), L"");
    EXPECT_FALSE(SetEditedDiagonal(d, 100));
    SelectRow(d, 3);
    EXPECT_EQ(EditedText(d), L"17.0");
    SelectRow(d, -1);
    EXPECT_FALSE(d.Editing());
    EXPECT_FALSE(SetEditedDiagonal(d, 100));
    EXPECT_EQ(d.WorkingSizes[0], 170);
    EXPECT_EQ(d.WorkingSizes[1], 5000);
    EXPECT_EQ(d.WorkingSizes[2], 170);
    EXPECT_EQ(d.WorkingSizes[3], 170);
    // The ruler's own sizes change only at OK.
    EXPECT_EQ(s.ScreenSize[1], 200);
}

TEST(DisplaySize, OkKeepsEveryDiagonalAndTheAutomaticScaleFollowsIt) {
    RulerState s;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.MonitorIndex = 0;
    s.ScalingAuto = 1;
    s.AutoScaling = ComputeAutoScaling(1920, 1080, 170);
    ASSERT_EQ(s.AutoScaling, 510);
    DisplaySizes d = StartDisplaySizes(s);
    SelectRow(d, 0);
    SetEditedDiagonal(d, 240);
    SelectRow(d, 2);
    SetEditedDiagonal(d, 171);
    // A new opening starts from the stored sizes again.
    EXPECT_EQ(StartDisplaySizes(s).WorkingSizes[0], 170);

    CommitDisplaySizes(s, d);
    EXPECT_EQ(s.ScreenSize[0], 240);
    EXPECT_EQ(s.ScreenSize[1], 170);
    EXPECT_EQ(s.ScreenSize[2], 171);
    EXPECT_EQ(s.ScreenSize[3], 170);
    const Refresh r = FollowDisplaySizes(s);
    EXPECT_EQ(s.AutoScaling, 361);
    EXPECT_TRUE(r.render);
    EXPECT_TRUE(r.readout);
}

TEST(DisplaySize, AMonitorsOwnDiagonalIsMarkedUntilTheUserStepsIt) {
    RulerState s;
    s.ScreenSize[0] = 238;
    s.ScreenSizeSource[0] = DiagonalSource::kEdid;
    s.ScreenSize[1] = 270;
    s.ScreenSizeSource[1] = DiagonalSource::kEdid;
    s.ScreenSize[2] = 215;
    s.ScreenSizeSource[2] = DiagonalSource::kStored;
    DisplaySizes d = StartDisplaySizes(s);
    EXPECT_EQ(DisplayRowTexts(Monitor(L"A", true, {0, 0, 3840, 2160}), 0, d)[4], L"23.8 (EDID)");
    EXPECT_EQ(DiagonalCellText(d, 1), L"27.0 (EDID)");
    EXPECT_EQ(DiagonalCellText(d, 2), L"21.5");
    EXPECT_EQ(DiagonalCellText(d, 3), L"17.0");
    EXPECT_EQ(DiagonalCellText(d, 4), L"");

    SelectRow(d, 0);
    EXPECT_EQ(EditedText(d), L"23.8");
    // A step back to the same number still makes it the user's.
    SetEditedDiagonal(d, 239);
    SetEditedDiagonal(d, 238);
    EXPECT_EQ(DiagonalCellText(d, 0), L"23.8");
    EXPECT_EQ(DiagonalCellText(d, 1), L"27.0 (EDID)");
    EXPECT_EQ(s.ScreenSizeSource[0], DiagonalSource::kEdid);  // until OK

    CommitDisplaySizes(s, d);
    EXPECT_EQ(s.ScreenSize[0], 238);
    EXPECT_EQ(s.ScreenSizeSource[0], DiagonalSource::kStored);
    EXPECT_EQ(s.ScreenSizeSource[1], DiagonalSource::kEdid);
    EXPECT_EQ(s.ScreenSizeSource[2], DiagonalSource::kStored);
    EXPECT_EQ(s.ScreenSizeSource[3], DiagonalSource::kDefault);
}

}  // namespace
