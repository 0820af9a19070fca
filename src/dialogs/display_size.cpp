// The Display size dialog's own rules: its columns, the texts of a monitor's row, and the
// diagonals being edited until OK keeps them.
#include "dialogs/display_size.h"

#include <algorithm>

#include "model/text_format.h"

const std::array<DisplayColumn, kDisplayColumnCount> kDisplayColumns = {{
    {L"Monitor Name", 120, false},
    {L" ", 35, true},
    {L"Position [pixel]", 101, true},
    {L"Resolution [pixel]", 130, true},
    {L"Display [inch]", 100, true},
}};

std::wstring DiagonalText(int32_t tenthsOfInch) {
    const int64_t magnitude = tenthsOfInch < 0 ? -int64_t{tenthsOfInch} : tenthsOfInch;
    return (tenthsOfInch < 0 ? L"-" : L"") + DecimalText(magnitude / 10) + L"." +
           DecimalText(magnitude % 10);
}

DisplaySizes StartDisplaySizes(const RulerState& s) {
    DisplaySizes d;
    std::copy(std::begin(s.ScreenSize), std::end(s.ScreenSize), std::begin(d.WorkingSizes));
    std::copy(std::begin(s.ScreenSizeSource), std::end(s.ScreenSizeSource),
              std::begin(d.WorkingSources));
    return d;
}

int OwnMonitorRow(const std::vector<MonitorDescription>& monitors, const RulerState& s) {
    for (size_t row = 0; row < monitors.size(); ++row) {
        if (monitors[row].rect == s.MonitorRect) return static_cast<int>(row);
    }
    return -1;
}

std::array<std::wstring, kDisplayColumnCount> DisplayRowTexts(const MonitorDescription& monitor,
                                                              int row, const DisplaySizes& d) {
    const Rect& r = monitor.rect;
    return {monitor.deviceName, monitor.primary ? L"P" : L" ",
            DecimalText(r.left) + L", " + DecimalText(r.top),
            DecimalText(r.Width()) + L" x " + DecimalText(r.Height()), DiagonalCellText(d, row)};
}

std::wstring DiagonalCellText(const DisplaySizes& d, int row) {
    if (row < 0 || static_cast<size_t>(row) >= kMaxMonitors) return std::wstring();
    const std::wstring text = DiagonalText(d.WorkingSizes[row]);
    return d.WorkingSources[row] == DiagonalSource::kEdid ? text + L" (EDID)" : text;
}

void SelectRow(DisplaySizes& d, int row) {
    d.EditedMonitor = row >= 0 && static_cast<size_t>(row) < kMaxMonitors ? row : -1;
}

std::wstring EditedText(const DisplaySizes& d) {
    return d.Editing() ? DiagonalText(d.WorkingSizes[d.EditedMonitor]) : std::wstring();
}

bool SetEditedDiagonal(DisplaySizes& d, int32_t position) {
    if (!d.Editing()) return false;
    d.WorkingSizes[d.EditedMonitor] =
        static_cast<int16_t>(std::clamp(position, kLeastDiagonal, kGreatestDiagonal));
    d.WorkingSources[d.EditedMonitor] = DiagonalSource::kStored;
    return true;
}

void CommitDisplaySizes(RulerState& s, const DisplaySizes& d) {
    std::copy(std::begin(d.WorkingSizes), std::end(d.WorkingSizes), std::begin(s.ScreenSize));
    std::copy(std::begin(d.WorkingSources), std::end(d.WorkingSources),
              std::begin(s.ScreenSizeSource));
}
