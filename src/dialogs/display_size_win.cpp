// The Display size dialog: the monitors with their positions and resolutions, and each one's
// physical diagonal, which the automatic scale is computed with.
#include "dialogs/display_size_win.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "dialogs/display_size.h"
#include "dialogs/dialog_win.h"
#include "model/geometry_win.h"
#include "ops/keyboard_controls_win.h"
#include "resources/resource.h"

namespace {

// One Display size dialog at a time, however often its command arrives.
bool displaySizeOpen = false;

constexpr int kDiagonalColumn = 4;

class DisplaySizeDialog : public RulerDialog {
    using RulerDialog::RulerDialog;

    DisplaySizes sizes_;
    std::vector<MonitorDescription> monitors_;
    bool filling_ = true;  // the list's notices while its rows are inserted are not choices

    INT_PTR OnInitDialog() override;
    // Cancel, and the close box as Cancel: the diagonals stepped here are dropped.
    INT_PTR OnCommand(int id, int code) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi() override;
    void InsertRows(HWND list, int ownRow);
    void ShowEdited();
    INT_PTR OnNotify(const NMHDR& header);
    INT_PTR OnStep(HWND control);
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFOEXW info{};
    info.cbSize = sizeof(info);
    // A monitor that cannot be read gets no row.
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorDescription>*>(list)->push_back(MonitorDescription{
            info.szDevice, (info.dwFlags & MONITORINFOF_PRIMARY) != 0, ToRect(info.rcMonitor)});
    }
    return TRUE;
}

// Every monitor, in the order the system reports them (the order of the display sizes).
std::vector<MonitorDescription> DescribeMonitors() {
    std::vector<MonitorDescription> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

void SetCellText(HWND list, int row, int column, const std::wstring& text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// A column's width at the dialog's density.
int ColumnWidth(int column, const Dpi& dpi) {
    return ScaledToDpi(kDisplayColumns[column].width, dpi.x);
}

// The columns are made at the dialog's density: a density change only widens what exists.
void InsertColumns(HWND list, bool fixedWidths, const Dpi& dpi) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    SendMessageW(list, CCM_DPISCALE, TRUE, 0);
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        const DisplayColumn& c = kDisplayColumns[i];
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt =
            (c.centred ? LVCFMT_CENTER : LVCFMT_LEFT) | (fixedWidths ? LVCFMT_FIXED_WIDTH : 0);
        column.cx = ColumnWidth(i, dpi);
        column.pszText = const_cast<wchar_t*>(c.header);
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&column));
    }
}

// One row per monitor; the ruler's own is inserted selected and focused.
void DisplaySizeDialog::InsertRows(HWND list, int ownRow) {
    for (size_t row = 0; row < monitors_.size(); ++row) {
        const auto texts = DisplayRowTexts(monitors_[row], static_cast<int>(row), sizes_);
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<wchar_t*>(texts[0].c_str());
        if (static_cast<int>(row) == ownRow) {
            item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        }
        const auto inserted =
            SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        if (inserted < 0) continue;
        for (int column = 1; column < kDisplayColumnCount; ++column) {
            SetCellText(list, static_cast<int>(inserted), column, texts[column]);
        }
    }
}

// The value field and the arrows belong to the edited row; without one both stand idle.
void DisplaySizeDialog::ShowEdited() {
    HWND arrows = GetDlgItem(window, IDC_MONITOR_SPIN);
    SendMessageW(arrows, UDM_SETRANGE, 0, MAKELPARAM(kGreatestDiagonal, kLeastDiagonal));
    if (sizes_.Editing()) {
        SendMessageW(arrows, UDM_SETPOS, 0,
                     MAKELPARAM(sizes_.WorkingSizes[sizes_.EditedMonitor], 0));
    }
    EnableWindow(arrows, sizes_.Editing());
    SetDlgItemTextW(window, IDC_MONITOR_SIZE, EditedText(sizes_).c_str());
}

// What the dialog makes by the density itself: the bold buttons, the icon and, once they exist,
// the widths of the list's columns.
void DisplaySizeDialog::ApplyDpi() {
    HWND list = GetDlgItem(window, IDC_MONITOR_LIST);
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), ColumnWidth(i, dpi.dpi));
    }
    SetBoldFont({IDOK, IDCANCEL});
    ShowCaptionIcon(L"Linova");
}

INT_PTR DisplaySizeDialog::OnInitDialog() {
    ApplyDpi();
    sizes_ = StartDisplaySizes(app.state);
    HWND list = GetDlgItem(window, IDC_MONITOR_LIST);
    // From Vista on the user cannot change the columns' widths.
    InsertColumns(list, NewerSystem(app), dpi.dpi);
    // The arrow keys step the diagonal while the arrows have the focus.
    KeepArrowKeys(GetDlgItem(window, IDC_MONITOR_SPIN));
    monitors_ = DescribeMonitors();
    const int own = OwnMonitorRow(monitors_, app.state);
    InsertRows(list, own);
    filling_ = false;
    // The edit starts on the ruler's own monitor, whatever was edited at an earlier opening.
    SelectRow(sizes_, own);
    ShowEdited();
    InvalidateRect(window, nullptr, FALSE);
    return TRUE;
}

// The selection moved: the arrows edit the row now selected, if any.
INT_PTR DisplaySizeDialog::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_MONITOR_LIST || header.code != LVN_ITEMCHANGED || filling_) {
        return FALSE;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) ||
        !((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
        return FALSE;
    }
    const auto selected =
        SendMessageW(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    SelectRow(sizes_, static_cast<int>(selected));
    ShowEdited();
    return FALSE;
}

// A step of the arrows: the value field and the row show the same diagonal.
INT_PTR DisplaySizeDialog::OnStep(HWND control) {
    if (GetDlgCtrlID(control) != IDC_MONITOR_SPIN) return FALSE;
    const auto position = LOWORD(SendMessageW(control, UDM_GETPOS, 0, 0));
    if (!SetEditedDiagonal(sizes_, position)) return TRUE;
    SetDlgItemTextW(window, IDC_MONITOR_SIZE, EditedText(sizes_).c_str());
    SetCellText(GetDlgItem(window, IDC_MONITOR_LIST), sizes_.EditedMonitor, kDiagonalColumn,
                DiagonalCellText(sizes_, sizes_.EditedMonitor));
    return TRUE;
}

INT_PTR DisplaySizeDialog::OnCommand(int id, int) {
    switch (id) {
        case IDOK:
            CommitDisplaySizes(app.state, sizes_);
            EndDialog(window, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, 1);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR DisplaySizeDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_VSCROLL:
            return OnStep(reinterpret_cast<HWND>(lParam));
    }
    return FALSE;
}

}  // namespace

void ShowDisplaySizeDialog(Instance& app, HWND owner) {
    if (displaySizeOpen) return;
    displaySizeOpen = true;
    RunModalDialog(std::make_unique<DisplaySizeDialog>(app), app.module, L"MonitorBox", owner);
    displaySizeOpen = false;
}
