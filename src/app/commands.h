// What the ruler's menus show: the context menu's checks, radio item and enabled items, the
// instance commands of the tray menus, and the instances a broadcast reaches.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/startup.h"
#include "linova_version.h"
#include "model/ruler_state.h"

struct ContextMenuState {
    bool operationChecked = false;
    bool magnifierChecked = false;
    bool narrowChecked = false;
    bool fullChecked = false;
    bool topMostChecked = false;
    bool snapEdgesChecked = false;
    int unitCommand = 0;  // the checked radio item, 21..23
    bool setupEnabled = false;
    bool displaySizeEnabled = false;
    bool uninstallEnabled = false;
    bool allExitEnabled = false;
    bool addEnabled = false;
    int firstItemImage = 0;  // bitmap of the first item: a horizontal or a vertical ruler
};

// `running` counts the instances from 1 upward without a gap.
ContextMenuState MenuStateOf(const RulerState& s, bool panelOpen, bool magnifierOpen, int running);

struct InstanceSwitch {
    int instance;
    bool withPanel;  // also open (or close) that instance's Operation panel
};

// IDM_SWITCH_BASE + n raises instance n; IDM_SWITCH_PANEL_BASE + n raises it with its panel.
std::optional<InstanceSwitch> DecodeInstanceSwitch(int command, int instanceMax);

// "Linova <n>", or "Linova <n> Operation..." in the menu of the right button.
std::wstring TrayMenuItemText(int instanceNumber, bool withPanel);

// The other running instances, in order.
std::vector<int> OtherInstances(int self, int instanceMax, const IsInstanceRunning& isRunning);

inline constexpr const wchar_t* kTrayTip = L"Linova - version " LINOVA_VERSION;
