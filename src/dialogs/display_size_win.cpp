// The Display size dialog: the monitors with their positions and resolutions, and each one's
// physical diagonal, which the automatic scale is computed with.
#include "dialogs/display_size_win.h"

#include <commctrl.h>

#include <utility>
#include <vector>

#include "dialogs/display_size.h"
#include "dialogs/setup_controls_win.h"
#include "model/geometry_win.h"
#include "model/trace_win.h"
#include "ops/keyboard_controls_win.h"
#include "render/dpi_win.h"
#include "resources/resource.h"

namespace {

// One Display size dialog at a time, however often its command arrives.
bool displaySizeOpen = false;

constexpr int kDiagonalColumn = 4;

struct DisplaySizeDialog {
    Instance& app;
    DisplaySizes sizes;
    std::vector<MonitorDescription> monitors;
    bool filling = true;  // the list's notices while its rows are inserted are not choices
    GdiObject<HFONT> boldFont;
    OwnedIcon icon;
    DialogDpi dpi;
};

DisplaySizeDialog* DialogOf(HWND dialog) {
    return reinterpret_cast<DisplaySizeDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

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
void InsertRows(DisplaySizeDialog& d, HWND list, int ownRow) {
    for (size_t row = 0; row < d.monitors.size(); ++row) {
        const auto texts = DisplayRowTexts(d.monitors[row], static_cast<int>(row), d.sizes);
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
void ShowEdited(const DisplaySizeDialog& d, HWND dialog) {
    HWND arrows = GetDlgItem(dialog, IDC_MONITOR_SPIN);
    SendMessageW(arrows, UDM_SETRANGE, 0, MAKELPARAM(kGreatestDiagonal, kLeastDiagonal));
    if (d.sizes.Editing()) {
        SendMessageW(arrows, UDM_SETPOS, 0,
                     MAKELPARAM(d.sizes.WorkingSizes[d.sizes.EditedMonitor], 0));
    }
    EnableWindow(arrows, d.sizes.Editing());
    SetDlgItemTextW(dialog, IDC_MONITOR_SIZE, EditedText(d.sizes).c_str());
}

// What the dialog makes by the density itself: the bold buttons, the icon and, once they exist,
// the widths of the list's columns. The font and icon shown before go once nothing shows them.
void ApplyDpi(DisplaySizeDialog& d, HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_MONITOR_LIST);
    for (int i = 0; i < kDisplayColumnCount; ++i) {
        SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), ColumnWidth(i, d.dpi.dpi));
    }
    GdiObject<HFONT> bold = d.dpi.font.Bold(d.dpi.dpi);
    SetItemFonts(dialog, {IDOK, IDCANCEL}, bold.get());
    d.boldFont = std::move(bold);
    OwnedIcon icon = CaptionIcon(d.app.module, L"Linova", d.dpi.dpi);
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    d.icon = std::move(icon);
}

INT_PTR OnDpiChanged(DisplaySizeDialog& d, HWND dialog, WPARAM wParam, LPARAM lParam) {
    d.dpi.Follow(dialog, wParam, lParam);
    ApplyDpi(d, dialog);
    // The system goes on to scale what the template made.
    return FALSE;
}

INT_PTR OnInitDialog(HWND dialog, DisplaySizeDialog* d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
    Instance& app = d->app;
    // The density it was made at; a move to another monitor announces the next one.
    d->dpi.Start(dialog, DpiOf(app.state));
    PlaceBesideRuler(dialog, app);
    ApplyDpi(*d, dialog);
    d->sizes = StartDisplaySizes(app.state);
    HWND list = GetDlgItem(dialog, IDC_MONITOR_LIST);
    // From Vista on the user cannot change the columns' widths.
    InsertColumns(list, NewerSystem(app), d->dpi.dpi);
    // The arrow keys step the diagonal while the arrows have the focus.
    KeepArrowKeys(GetDlgItem(dialog, IDC_MONITOR_SPIN));
    d->monitors = DescribeMonitors();
    const int own = OwnMonitorRow(d->monitors, app.state);
    InsertRows(*d, list, own);
    d->filling = false;
    // The edit starts on the ruler's own monitor, whatever was edited at an earlier opening.
    SelectRow(d->sizes, own);
    ShowEdited(*d, dialog);
    InvalidateRect(dialog, nullptr, FALSE);
    return TRUE;
}

// The selection moved: the arrows edit the row now selected, if any.
INT_PTR OnNotify(DisplaySizeDialog& d, HWND dialog, const NMHDR& header) {
    if (header.idFrom != IDC_MONITOR_LIST || header.code != LVN_ITEMCHANGED || d.filling) {
        return FALSE;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) ||
        !((change.uNewState ^ change.uOldState) & LVIS_SELECTED)) {
        return FALSE;
    }
    const auto selected =
        SendMessageW(header.hwndFrom, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    SelectRow(d.sizes, static_cast<int>(selected));
    ShowEdited(d, dialog);
    return FALSE;
}

// A step of the arrows: the value field and the row show the same diagonal.
INT_PTR OnStep(DisplaySizeDialog& d, HWND dialog, HWND control) {
    if (GetDlgCtrlID(control) != IDC_MONITOR_SPIN) return FALSE;
    const auto position = LOWORD(SendMessageW(control, UDM_GETPOS, 0, 0));
    if (!SetEditedDiagonal(d.sizes, position)) return TRUE;
    SetDlgItemTextW(dialog, IDC_MONITOR_SIZE, EditedText(d.sizes).c_str());
    SetCellText(GetDlgItem(dialog, IDC_MONITOR_LIST), d.sizes.EditedMonitor, kDiagonalColumn,
                DiagonalCellText(d.sizes, d.sizes.EditedMonitor));
    return TRUE;
}

INT_PTR OnCommand(DisplaySizeDialog& d, HWND dialog, int id) {
    switch (id) {
        case IDOK:
            CommitDisplaySizes(d.app.state, d.sizes);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DisplaySizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, reinterpret_cast<DisplaySizeDialog*>(lParam));
    }
    DisplaySizeDialog* d = DialogOf(dialog);
    if (!d) return FALSE;
    switch (message) {
        case WM_NOTIFY:
            return OnNotify(*d, dialog, *reinterpret_cast<const NMHDR*>(lParam));
        case WM_VSCROLL:
            return OnStep(*d, dialog, reinterpret_cast<HWND>(lParam));
        case WM_DPICHANGED:
            return OnDpiChanged(*d, dialog, wParam, lParam);
        case WM_COMMAND:
            return OnCommand(*d, dialog, LOWORD(wParam));
        case WM_CLOSE:
            // As Cancel: the diagonals stepped here are dropped.
            EndDialog(dialog, 1);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return ButtonFaceColours(reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY:
            // The font and the icon outlive every control that uses them.
            d->boldFont.reset();
            d->icon.reset();
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowDisplaySizeDialog(Instance& app, HWND owner) {
    if (displaySizeOpen) return;
    displaySizeOpen = true;
    DisplaySizeDialog d{app, {}, {}, true, nullptr, nullptr, {}};
    const INT_PTR shown = DialogBoxParamW(app.module, L"MonitorBox", owner, DisplaySizeProc,
                                          reinterpret_cast<LPARAM>(&d));
    if (shown == -1) TraceFailure(L"making the Display size dialog");
    displaySizeOpen = false;
}
