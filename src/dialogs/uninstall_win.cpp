// The uninstall dialog: with the user's consent, twice given, it deletes every stored setting
// and ends every ruler without saving.
#include "dialogs/uninstall_win.h"

#include <memory>

#include "dialogs/dialog_win.h"
#include "dialogs/uninstall.h"
#include "model/persistence.h"
#include "model/registry_store_win.h"
#include "resources/resource.h"

namespace {

// The dialog's result when the settings are to go; every other ending is 1.
constexpr INT_PTR kConfirmed = 2;

class UninstallDialog : public RulerDialog {
    using RulerDialog::RulerDialog;

    bool consent_ = false;  // the check box, as last clicked

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    void ApplyDpi() override;
    void OnConsentClicked();
    void OnDelete();
};

// What the dialog makes by the density itself: the heading, Delete... and Cancel in the dialog's
// font made bold, and the icon.
void UninstallDialog::ApplyDpi() {
    SetBoldFont({IDC_UNINSTALL_TEXT, IDC_UNINSTALL_DELETE, IDOK});
    ShowCaptionIcon(L"Linova");
}

INT_PTR UninstallDialog::OnInitDialog() {
    ApplyDpi();
    // Without stored settings there is nothing to consent to.
    RegistryStore store;
    EnableWindow(GetDlgItem(window, IDC_UNINSTALL_SETTINGS), SettingsStored(store));
    EnableWindow(GetDlgItem(window, IDC_UNINSTALL_DELETE), FALSE);
    return TRUE;
}

void UninstallDialog::OnConsentClicked() {
    consent_ = IsDlgButtonChecked(window, IDC_UNINSTALL_SETTINGS) == BST_CHECKED;
    EnableWindow(GetDlgItem(window, IDC_UNINSTALL_DELETE), consent_);
}

// Asks once more (No is the default). Yes with consent ends the dialog for the deletion, which
// the caller does together with the end of every ruler.
void UninstallDialog::OnDelete() {
    const int answer = MessageBoxW(window, UninstallQuestion(consent_).c_str(), kUninstallCaption,
                                   MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES || !consent_) return;
    EndDialog(window, kConfirmed);
}

INT_PTR UninstallDialog::OnCommand(int id, int) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(window, 1);
            return TRUE;
        case IDC_UNINSTALL_SETTINGS:
            OnConsentClicked();
            return TRUE;
        case IDC_UNINSTALL_DELETE:
            OnDelete();
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

bool ShowUninstallDialog(Instance& app) {
    return RunModalDialog(std::make_unique<UninstallDialog>(app), app.module, L"UnInstallBox",
                          app.ruler) == kConfirmed;
}
