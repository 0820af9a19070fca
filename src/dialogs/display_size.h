// The Display size dialog's own rules: its columns, the texts of a monitor's row, and the
// diagonals being edited until OK keeps them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/ruler_state.h"

// "17.0": a diagonal in tenths of an inch, as whole inches and tenths.
std::wstring DiagonalText(int32_t tenthsOfInch);

// One column of the monitor list.
struct DisplayColumn {
    const wchar_t* header;
    int32_t width;  // pixels at 96 dots per inch
    bool centred;   // else left-aligned
};

inline constexpr int kDisplayColumnCount = 5;
extern const std::array<DisplayColumn, kDisplayColumnCount> kDisplayColumns;

// The diagonal the arrows step, in tenths of an inch: 3.0 .. 500.0 inches.
inline constexpr int32_t kLeastDiagonal = 30;
inline constexpr int32_t kGreatestDiagonal = 5000;

// What the system reports of a monitor.
struct MonitorDescription {
    std::wstring deviceName;
    bool primary = false;
    Rect rect;  // the whole monitor, in screen coordinates
};

// The diagonals being edited while the dialog is open, and the row whose diagonal the arrows
// step: the selected row, when it is one of the monitors that have a display size.
struct DisplaySizes {
    int16_t WorkingSizes[kMaxMonitors] = {};
    DiagonalSource WorkingSources[kMaxMonitors] = {};
    int EditedMonitor = -1;  // -1: no row to edit

    bool Editing() const { return EditedMonitor >= 0; }
};

// At every opening: the stored diagonals, and no row yet (the caller selects the ruler's own).
DisplaySizes StartDisplaySizes(const RulerState& s);

// The row of the ruler's own monitor (the first whose rectangle is the ruler's monitor's), which
// is inserted selected; -1 when no row is.
int OwnMonitorRow(const std::vector<MonitorDescription>& monitors, const RulerState& s);

// The texts of a monitor's row: name, "P" for the primary monitor, position, resolution and
// diagonal (empty for a monitor past the four that have display sizes).
std::array<std::wstring, kDisplayColumnCount> DisplayRowTexts(const MonitorDescription& monitor,
                                                              int row, const DisplaySizes& d);

// The diagonal column of a row: "17.0", or "23.8 (EDID)" while the monitor's own size stands
// there; empty for a monitor past the four that have display sizes.
std::wstring DiagonalCellText(const DisplaySizes& d, int row);

// The list's selection moved to `row` (-1: none): the arrows edit that row, when it can be edited.
void SelectRow(DisplaySizes& d, int row);

// The value field: the edited row's diagonal, empty while no row is edited. The field has room
// for the number only; the row above it tells where the number came from.
std::wstring EditedText(const DisplaySizes& d);

// The arrows' position became `position`: the edited row takes it, kept within the range, and
// it is the user's from now on. False while no row is edited.
bool SetEditedDiagonal(DisplaySizes& d, int32_t position);

// OK: every diagonal, edited or not, becomes the ruler's display sizes, each with its source.
void CommitDisplaySizes(RulerState& s, const DisplaySizes& d);
