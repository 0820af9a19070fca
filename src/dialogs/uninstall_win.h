// The uninstall dialog: with the user's consent, twice given, it deletes every stored setting
// and ends every ruler without saving.
#pragma once

#include "ops/instance_win.h"

// Shows the dialog, modal, and returns once it is closed: true when the user consented and
// confirmed, and the caller is to delete every setting and end every ruler. Nothing is deleted
// while the dialog shows.
bool ShowUninstallDialog(Instance& app);
