// Pop-up menus as the user sees them: opening the ruler's context menu and the tray icon's menus,
// reading the items of an open menu from the process that shows it, and choosing one by keys.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "harness.h"

namespace e2e {

// One item of an open menu, as that menu's process reads it.
struct MenuItem {
    UINT id = 0;
    UINT type = 0;   // MFT_ bits
    UINT state = 0;  // MFS_ bits
    std::wstring text;
    bool hasImage = false;        // an item bitmap beside the text
    bool popUp = false;           // opens the items below
    std::vector<MenuItem> items;  // of a pop-up

    bool Separator() const { return (type & MFT_SEPARATOR) != 0; }
    bool Checked() const { return (state & MFS_CHECKED) != 0; }
    bool Radio() const { return (type & MFT_RADIOCHECK) != 0; }
    bool Default() const { return (state & MFS_DEFAULT) != 0; }
    // Greyed items cannot be chosen (MF_GRAYED, part of MFS_GRAYED).
    bool Grayed() const { return (state & MF_GRAYED) != 0; }
};

// A menu on the screen: its window, the process that shows it, and what it holds.
struct OpenMenu {
    HWND window = nullptr;
    DWORD processId = 0;
    std::vector<MenuItem> items;
};

// The item with the command id anywhere in the items or their pop-ups; null when there is none.
const MenuItem* FindItem(const std::vector<MenuItem>& items, UINT id);
// The pop-up item with the text, at this level only.
const MenuItem* FindPopUp(const std::vector<MenuItem>& items, const std::wstring& text);

// One level of a menu in one line: "id text" for a command, "text >" for a pop-up, "-" for a
// separator, joined by " | ". Easy to compare whole and to read in a failure message.
std::wstring Outline(const std::vector<MenuItem>& items);

// The first visible menu window of the process (any process when 0), or null.
HWND FindMenuWindow(DWORD processId = 0);

// Chooses the command of an open menu with the keyboard (Home, Down, Right into pop-ups,
// Return), as a user would who walks the menu, and waits until the menu has ended: its thread
// has left menu mode and released the mouse, so the next click reaches its window. False when
// the menu has no such item or does not end.
bool ChooseByKeys(const OpenMenu& menu, UINT id);
// Closes every open menu level with Escape and waits until the menu has ended.
bool CloseMenus();

// A ruler test that opens menus: a menu left open by a failed test is closed before the rulers
// end, so that it cannot hold the next test's input.
class MenuTest : public RulerTest {
  protected:
    void TearDown() override {
        CloseMenus();
        RulerTest::TearDown();
    }
};

// Brings the ruler to the front, right-clicks the screen point on it and reads the context menu
// that opens. The ruler must be in front for the menu to receive keys.
std::optional<OpenMenu> OpenContextMenu(HWND ruler, POINT at);
// Brings the window to the front, asks for its context menu from the keyboard (Shift+F10, or the
// menu key) and reads the menu that opens.
std::optional<OpenMenu> OpenContextMenuByKey(HWND window, bool menuKey = false);

// ---- The notification area ----

// The icon windows in the system tray, in the order the tray holds them.
std::vector<HWND> TrayIconWindows();
// Whether the tray holds an icon of the window with the id: modifying nothing of it succeeds
// only for an icon that exists.
bool TrayIconExists(HWND owner, UINT id);
// Brings the tray to the front, clicks the centre of the tray icon window with the left or right
// button and reads the menu that the owner's window opens.
std::optional<OpenMenu> OpenTrayMenu(HWND iconWindow, HWND owner, bool right);

}  // namespace e2e
