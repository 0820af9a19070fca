// What the ruler's menus show: the context menu's checks, radio item and enabled items, the
// instance commands of the tray menus, and the instances a broadcast reaches.
#include "app/commands.h"

#include "resources/resource.h"

ContextMenuState MenuStateOf(const RulerState& s, bool panelOpen, bool magnifierOpen, int running) {
    ContextMenuState m;
    m.operationChecked = panelOpen;
    m.magnifierChecked = magnifierOpen;
    m.narrowChecked = s.NarrowScale != 0;
    m.fullChecked = s.FullScale != 0;
    m.topMostChecked = s.TopMost != 0;
    m.snapEdgesChecked = s.SnapEdges != 0;
    m.unitCommand = IDM_UNIT_PIXEL + s.Unit;
    // Setup edits what the panel and the magnifier show, so it waits until both are closed.
    m.setupEnabled = !panelOpen && !magnifierOpen;
    // The display sizes and the uninstall belong to the first instance.
    m.displaySizeEnabled = s.InstanceNumber == 1;
    m.uninstallEnabled = s.InstanceNumber == 1;
    m.allExitEnabled = running > 1;
    m.addEnabled = running < s.InstanceMax;
    m.firstItemImage = s.Vertical ? IDB_MENU_RULER_VERT : IDB_MENU_RULER;
    return m;
}

std::optional<InstanceSwitch> DecodeInstanceSwitch(int command, int instanceMax) {
    const bool plain = command > IDM_SWITCH_BASE && command <= IDM_SWITCH_BASE + instanceMax;
    const bool withPanel =
        command > IDM_SWITCH_PANEL_BASE && command <= IDM_SWITCH_PANEL_BASE + instanceMax;
    if (!plain && !withPanel) return std::nullopt;
    return InstanceSwitch{command - (withPanel ? IDM_SWITCH_PANEL_BASE : IDM_SWITCH_BASE),
                          withPanel};
}

std::wstring TrayMenuItemText(int instanceNumber, bool withPanel) {
    return InstanceClassName(instanceNumber) + (withPanel ? L" Operation..." : L"");
}

std::vector<int> OtherInstances(int self, int instanceMax, const IsInstanceRunning& isRunning) {
    std::vector<int> others;
    for (int n = 1; n <= instanceMax; ++n) {
        if (n != self && isRunning(n)) others.push_back(n);
    }
    return others;
}
