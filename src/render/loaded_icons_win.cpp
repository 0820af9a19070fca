// The program's own icons, each loaded once at a size.
#include "render/loaded_icons_win.h"

HICON LoadedIcons::At(HINSTANCE module, const wchar_t* name, int size) {
    for (const Loaded& l : loaded_) {
        if (l.module == module && l.size == size && l.name == name) return l.icon.get();
    }
    OwnedIcon icon(
        static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon) return nullptr;
    loaded_.push_back(Loaded{module, name, size, std::move(icon)});
    return loaded_.back().icon.get();
}
