// What the uninstall dialog asks before it deletes the stored settings.
#include "dialogs/uninstall.h"

std::wstring UninstallQuestion(bool consent) {
    const std::wstring what = consent ? L"Linova information.\n" : L"";
    const std::wstring yes = consent ? L"Delete and Linova exit." : L"Delete.";
    return L"Delete OK ?\n\n" + what + L"\n" + L"Yes ... " + yes + L"\n" + L"No ... No delete.";
}
