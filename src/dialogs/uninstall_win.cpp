// The uninstall dialog: with the user's consent, twice given, it deletes every stored setting
// and ends every ruler without saving.
#include "dialogs/uninstall_win.h"

#include <utility>

#include "dialogs/uninstall.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "model/trace_win.h"
#include "render/dpi_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

// The dialog's result when the settings are to go; every other ending is 1.
constexpr INT_PTR kConfirmed = 2;

struct UninstallDialog {
    Instance& app;
    bool consent = false;  // the check box, as last clicked
    GdiObject<HFONT> boldFont;
    OwnedIcon icon;
    DialogDpi dpi;
};

UninstallDialog* DialogOf(HWND dialog) {
    return reinterpret_cast<UninstallDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// What the dialog makes by the density itself: the heading, Delete... and Cancel in the dialog's
// font made bold, and the icon. Those shown before go once nothing shows them.
void ApplyDpi(HWND dialog, UninstallDialog& d) {
    GdiObject<HFONT> bold = d.dpi.font.Bold(d.dpi.dpi);
    if (bold) {
        for (int id : {IDC_UNINSTALL_TEXT, IDC_UNINSTALL_DELETE, IDOK}) {
            HWND item = GetDlgItem(dialog, id);
            KeepOwnFont(item);
            SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), TRUE);
        }
        d.boldFont = std::move(bold);
    }
    OwnedIcon icon = CaptionIcon(d.app.module, L"Linova", d.dpi.dpi);
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    d.icon = std::move(icon);
}

INT_PTR OnDpiChanged(HWND dialog, UninstallDialog& d, WPARAM wParam, LPARAM lParam) {
    d.dpi.Follow(dialog, wParam, lParam);
    ApplyDpi(dialog, d);
    // The system goes on to scale what the template made.
    return FALSE;
}

INT_PTR OnInitDialog(HWND dialog, UninstallDialog* d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
    // The density it was made at; a move to another monitor announces the next one.
    d->dpi.Start(dialog, DpiOf(d->app.state));
    PlaceBesideRuler(dialog, d->app);
    ApplyDpi(dialog, *d);
    // Without stored settings there is nothing to consent to.
    RegistryStore store;
    EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_SETTINGS), SettingsStored(store));
    EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_DELETE), FALSE);
    return TRUE;
}

void OnConsentClicked(HWND dialog, UninstallDialog& d) {
    d.consent = IsDlgButtonChecked(dialog, IDC_UNINSTALL_SETTINGS) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_UNINSTALL_DELETE), d.consent);
}

// Asks once more (No is the default). Yes with consent ends the dialog for the deletion, which
// the caller does together with the end of every ruler.
void OnDelete(HWND dialog, UninstallDialog& d) {
    const int answer = MessageBoxW(dialog, UninstallQuestion(d.consent).c_str(), kUninstallCaption,
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES || !d.consent) return;
    EndDialog(dialog, kConfirmed);
}

INT_PTR OnCommand(HWND dialog, UninstallDialog& d, WORD id) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_UNINSTALL_SETTINGS:
            OnConsentClicked(dialog, d);
            return TRUE;
        case IDC_UNINSTALL_DELETE:
            OnDelete(dialog, d);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK UninstallProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, reinterpret_cast<UninstallDialog*>(lParam));
    }
    UninstallDialog* d = DialogOf(dialog);
    if (!d) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(dialog, *d, LOWORD(wParam));
        case WM_DPICHANGED:
            return OnDpiChanged(dialog, *d, wParam, lParam);
        case WM_CLOSE:
            EndDialog(dialog, 1);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
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

bool ShowUninstallDialog(Instance& app) {
    UninstallDialog d{app, false, nullptr, nullptr, {}};
    const INT_PTR answer = DialogBoxParamW(app.module, L"UnInstallBox", app.ruler, UninstallProc,
                                           reinterpret_cast<LPARAM>(&d));
    if (answer == -1) TraceFailure(L"making the uninstall dialog");
    return answer == kConfirmed;
}
