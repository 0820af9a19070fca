// The uninstall dialog: with the user's consent, twice given, it deletes every stored setting
// and ends every ruler without saving.
#pragma once

#include "ops/instance_win.h"

// Shows the dialog, modal, and returns once it is closed. After a confirmed deletion this ruler
// no longer saves its settings and has been asked to end every ruler (All Exit); the request
// arrives once the dialog is gone.
void ShowUninstallDialog(Instance& app);
