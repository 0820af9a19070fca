// The program's own icons, each loaded once at a size and kept while the instance runs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "render/gdi_win.h"

// The dialogs' caption icons and the About box's picture. A dialog that opens again, or shows
// the ruler's new direction, takes the icon it showed before instead of loading it anew: a load
// makes the icon's images afresh and, under Wine, measures the display several times. Each icon
// is freed with this record.
class LoadedIcons {
  public:
    // The icon resource `name` of `module` at size x size pixels; null when it cannot be loaded,
    // which is tried again at the next asking.
    HICON At(HINSTANCE module, const wchar_t* name, int size);

  private:
    struct Loaded {
        HINSTANCE module;
        std::wstring name;
        int size;
        OwnedIcon icon;
    };
    std::vector<Loaded> loaded_;
};
