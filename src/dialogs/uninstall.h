// What the uninstall dialog asks before it deletes the stored settings.
#pragma once

#include <string>

inline constexpr const wchar_t* kUninstallCaption = L"Linova - Uninstall";

// The question of the confirmation box. With the user's consent it names what goes and that
// every ruler ends; without it there is nothing to delete.
std::wstring UninstallQuestion(bool consent);
