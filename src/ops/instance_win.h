// The record of this ruler instance as the Win32 side holds it: its state, its windows and what
// the ruler is drawn with. The window procedure hands it to the handlers; only that edge of the
// program reaches for the process's one record.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "model/geometry.h"
#include "model/os_version.h"
#include "model/placement_win.h"
#include "model/ruler_state.h"
#include "render/loaded_icons_win.h"
#include "render/ruler_paint_win.h"

struct Instance {
    RulerState state;
    HINSTANCE module = nullptr;
    HWND ruler = nullptr;
    std::wstring className;  // "Linova <n>"
    int32_t osVersionCode = 0;
    int16_t instancesAtStart = 0;  // rulers 1.. already running, without a gap, at our start
    std::vector<Rect> monitorList;
    RulerPicture picture;
    HWND rulerTooltip = nullptr;
    GdiObject<HFONT> tooltipFont;  // the tooltip's, at the ruler's density
    LoadedIcons icons;             // the dialogs' caption icons and the About box's picture
    // From the add to the removal this instance shows the tray icon, whether or not a taskbar
    // took it.
    bool trayIconWanted = false;

    // The modeless dialogs: whether each is open, and its window (null while closed). What a
    // dialog shows and owns lives with its window, not here.
    bool panelOpen = false;
    HWND panelWindow = nullptr;
    bool magnifierOpen = false;
    HWND magnifierWindow = nullptr;
    // Setup is modal; while it shows, no panel opens beside it.
    bool setupOpen = false;

    // The left-button drag.
    bool dragging = false;
    Point dragAnchor;  // client point where the button went down
    // The point the Direction command turns about, and whether a right click set it.
    Point pivotPoint;
    bool pivotPending = false;
    // How the next dialog is placed: beside the ruler, or centred on the cursor.
    bool placeAtCursor = false;
};

// Vista and later: menu pictures, and a wider gap between a dialog and the ruler.
inline bool NewerSystem(const Instance& app) {
    return app.osVersionCode >= kOsVersionVista;
}

// Moves a dialog beside the ruler, or centred on the cursor when the other instance's tray menu
// asked for it; its size stays.
inline void PlaceBesideRuler(HWND dialog, const Instance& app,
                             std::optional<SIZE> size = std::nullopt) {
    PlaceDialogWindow(dialog, app.state, app.monitorList, NewerSystem(app), app.placeAtCursor,
                      size);
}
