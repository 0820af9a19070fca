// The GDI objects another process holds, counted from outside it: what a leak of fonts, brushes,
// bitmaps or device contexts shows as.
#pragma once

#include <windows.h>

#include <optional>

namespace e2e {

// How many GDI objects the process holds now; nothing when they cannot be counted.
std::optional<int> CountGdiObjects(DWORD processId);

}  // namespace e2e
