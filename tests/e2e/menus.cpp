// Pop-up menus as the user sees them: opening, reading and choosing from the ruler's context menu
// and the tray icon's menus.
#include "menus.h"

#include <psapi.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdlib>

#include "harness.h"
#include "input.h"

namespace e2e {

namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

// A menu handle means nothing in another process, so the items are read by calls made inside
// the process that shows the menu, each one user32 function run there by the thread that waits
// for the tests' calls.
class ProcessCalls {
  public:
    static constexpr size_t kBlock = 64;    // offset of the call block
    static constexpr size_t kRecord = 128;  // offset of a MENUITEMINFOW
    static constexpr size_t kText = 256;    // offset of a text buffer
    static constexpr UINT kTextChars = 256;

    // `window` is one of the process's: its thread is woken while a call waits there.
    explicit ProcessCalls(HWND window) : window_(window) {
        process_ = OpenProcess(
            PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
            FALSE, ProcessOf(window));
        if (!process_) return;
        user32There_ = ModuleBase(L"user32.dll");
        memory_ = static_cast<char*>(AllocateIn(process_, window_, 4096, PAGE_READWRITE));
    }
    ~ProcessCalls() {
        if (memory_) FreeIn(process_, window_, memory_);
        if (process_) CloseHandle(process_);
    }
    ProcessCalls(const ProcessCalls&) = delete;
    ProcessCalls& operator=(const ProcessCalls&) = delete;

    bool Ok() const { return memory_ && user32There_; }
    uint64_t There(size_t offset) const { return reinterpret_cast<uint64_t>(memory_ + offset); }

    bool Write(size_t offset, const void* data, size_t size) {
        return WriteProcessMemory(process_, memory_ + offset, data, size, nullptr);
    }
    bool Read(size_t offset, void* data, size_t size) const {
        return ReadProcessMemory(process_, memory_ + offset, data, size, nullptr);
    }

    // Runs the user32 function with the arguments in the other process; its return value.
    std::optional<uint64_t> Call(const char* function, uint64_t a = 0, uint64_t b = 0,
                                 uint64_t c = 0, uint64_t d = 0) {
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        auto* here = reinterpret_cast<char*>(GetProcAddress(user32, function));
        if (!here) return std::nullopt;
        // The same module at another base keeps its functions at the same offsets.
        const uint64_t there = user32There_ + (here - reinterpret_cast<char*>(user32));
        uint64_t block[6] = {there, a, b, c, d, 0};
        if (!Write(kBlock, block, sizeof(block))) return std::nullopt;
        if (!CallIn(window_, There(kBlock)) || !Read(kBlock, block, sizeof(block))) {
            return std::nullopt;
        }
        return block[5];
    }

  private:
    uint64_t ModuleBase(const wchar_t* name) const { return ModuleBaseIn(process_, name); }

    HWND window_ = nullptr;
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
    uint64_t user32There_ = 0;
};

// The int a function returned (the upper half of the register is not part of it).
int AsInt(uint64_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::optional<std::vector<MenuItem>> ReadItems(ProcessCalls& calls, uint64_t menu, int depth) {
    const auto count = calls.Call("GetMenuItemCount", menu);
    if (!count || AsInt(*count) < 0 || depth > 4) return std::nullopt;
    std::vector<MenuItem> items;
    for (int i = 0; i < AsInt(*count); ++i) {
        MENUITEMINFOW record{};
        record.cbSize = sizeof(record);
        record.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU | MIIM_BITMAP;
        record.dwTypeData = reinterpret_cast<wchar_t*>(calls.There(ProcessCalls::kText));
        record.cch = ProcessCalls::kTextChars;
        const wchar_t nothing = 0;
        if (!calls.Write(ProcessCalls::kRecord, &record, sizeof(record)) ||
            !calls.Write(ProcessCalls::kText, &nothing, sizeof(nothing))) {
            return std::nullopt;
        }
        const auto ok =
            calls.Call("GetMenuItemInfoW", menu, i, TRUE, calls.There(ProcessCalls::kRecord));
        if (!ok || !AsInt(*ok) || !calls.Read(ProcessCalls::kRecord, &record, sizeof(record))) {
            return std::nullopt;
        }
        wchar_t text[ProcessCalls::kTextChars + 1] = L"";
        calls.Read(ProcessCalls::kText, text, ProcessCalls::kTextChars * sizeof(wchar_t));
        MenuItem item;
        item.id = record.wID;
        item.type = record.fType;
        item.state = record.fState;
        item.text = text;
        item.hasImage = record.hbmpItem != nullptr;
        if (record.hSubMenu) {
            item.popUp = true;
            auto below = ReadItems(calls, reinterpret_cast<uint64_t>(record.hSubMenu), depth + 1);
            if (!below) return std::nullopt;
            item.items = std::move(*below);
        }
        items.push_back(std::move(item));
    }
    return items;
}

// Appends to keys what walks from a freshly shown level of the menu to the command.
bool KeysTo(const std::vector<MenuItem>& items, UINT id, std::vector<WORD>& keys) {
    int before = 0;  // items the selection passes over; separators are skipped
    for (const MenuItem& item : items) {
        if (item.Separator()) continue;
        std::vector<WORD> below;
        const bool here = !item.popUp && item.id == id;
        if (here || (item.popUp && KeysTo(item.items, id, below))) {
            keys.push_back(VK_HOME);  // the first item, whatever the mouse selected
            keys.insert(keys.end(), before, VK_DOWN);
            keys.push_back(here ? VK_RETURN : VK_RIGHT);
            keys.insert(keys.end(), below.begin(), below.end());
            return true;
        }
        ++before;
    }
    return false;
}

// Reads the menu shown in the window from inside its process (menu handles do not work across
// processes). Empty when it cannot.
std::optional<std::vector<MenuItem>> ReadMenu(HWND menuWindow) {
    const auto menu = static_cast<uint64_t>(SendWaiting(menuWindow, kGetMenuHandle).value_or(0));
    if (!menu) return std::nullopt;
    ProcessCalls calls(menuWindow);
    if (!calls.Ok()) return std::nullopt;
    return ReadItems(calls, menu, 0);
}

// Waits for a menu of the process to show and reads it with all its pop-ups.
std::optional<OpenMenu> WaitForMenu(DWORD processId, int timeoutMs = 5000) {
    OpenMenu menu;
    std::optional<std::vector<MenuItem>> items;
    // A menu window that has only just appeared may not hold its menu yet.
    const bool read = WaitUntil(
        [&] {
            menu.window = FindMenuWindow(processId);
            return menu.window && (items = ReadMenu(menu.window));
        },
        timeoutMs);
    if (!read) return std::nullopt;
    menu.processId = ProcessOf(menu.window);
    menu.items = std::move(*items);
    return menu;
}

// Waits until no menu shows and the thread has left menu mode and released the mouse.
bool MenuEnded(DWORD thread) {
    return WaitUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return !FindMenuWindow() &&
               (!GetGUIThreadInfo(thread, &info) ||
                (!(info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) && !info.hwndCapture));
    });
}

}  // namespace

HWND FindMenuWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (ClassOf(window) != L"#32768" || !IsWindowVisible(window)) return TRUE;
            if (s->processId && ProcessOf(window) != s->processId) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

const MenuItem* FindItem(const std::vector<MenuItem>& items, UINT id) {
    for (const MenuItem& item : items) {
        if (!item.popUp && !item.Separator() && item.id == id) return &item;
        if (const MenuItem* below = FindItem(item.items, id)) return below;
    }
    return nullptr;
}

const MenuItem* FindPopUp(const std::vector<MenuItem>& items, const std::wstring& text) {
    for (const MenuItem& item : items) {
        if (item.popUp && item.text == text) return &item;
    }
    return nullptr;
}

std::wstring Outline(const std::vector<MenuItem>& items) {
    std::wstring line;
    for (const MenuItem& item : items) {
        if (!line.empty()) line += L" | ";
        if (item.Separator()) {
            line += L"-";
        } else if (item.popUp) {
            line += item.text + L" >";
        } else {
            line += std::to_wstring(item.id) + L" " + item.text;
        }
    }
    return line;
}

bool ChooseByKeys(const OpenMenu& menu, UINT id) {
    std::vector<WORD> keys;
    if (!KeysTo(menu.items, id, keys)) return false;
    for (WORD key : keys) PressKey(key);
    return MenuEnded(GetWindowThreadProcessId(menu.window, nullptr));
}

bool CloseMenus() {
    HWND open = FindMenuWindow();
    if (!open) return true;
    const DWORD thread = GetWindowThreadProcessId(open, nullptr);
    for (int level = 0; level < 5 && FindMenuWindow(); ++level) {
        PressKey(VK_ESCAPE);
        WaitUntil([] { return !FindMenuWindow(); }, 300);
    }
    return MenuEnded(thread);
}

namespace {}  // namespace

std::optional<OpenMenu> OpenContextMenu(HWND ruler, POINT at) {
    if (!BringToFront(ruler)) return std::nullopt;
    ClickAt(at, true);
    return WaitForMenu(ProcessOf(ruler));
}

std::optional<OpenMenu> OpenContextMenuByKey(HWND window, bool menuKey) {
    if (!BringToFront(window)) return std::nullopt;
    if (menuKey) {
        PressKey(VK_APPS);
    } else {
        PressShifted(VK_F10);
    }
    return WaitForMenu(ProcessOf(window));
}

std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    for (HWND child = tray ? GetWindow(tray, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) == L"__winex11_tray_icon" && IsWindowVisible(child)) {
            icons.push_back(child);
        }
    }
    return icons;
}

bool TrayIconExists(HWND owner, UINT id) {
    // Loaded when needed: the test program does not link the shell.
    using NotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    static const auto notify = reinterpret_cast<NotifyIcon>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconW")));
    if (!notify) return false;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    data.uFlags = 0;
    return notify(NIM_MODIFY, &data) != FALSE;
}

std::optional<OpenMenu> OpenTrayMenu(HWND iconWindow, HWND owner, bool right) {
    RECT r{};
    if (!GetWindowRect(iconWindow, &r)) return std::nullopt;
    // The click would activate the tray window, and the menu ends when its owner loses the
    // activation; so the tray comes to the front first, and the owner takes the front from it.
    if (!BringToFront(GetAncestor(iconWindow, GA_ROOT))) return std::nullopt;
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2}, right);
    return WaitForMenu(ProcessOf(owner));
}

}  // namespace e2e
