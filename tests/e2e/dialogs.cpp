// The ruler's dialogs as another program sees them: finding one, reading and clicking its
// controls, and the control messages that need memory in the dialog's own process.
#include "dialogs.h"

#include <commctrl.h>

#include "harness.h"
#include "input.h"

namespace e2e {

namespace {

constexpr const wchar_t* kDesktopKey = L"Control Panel\\Desktop";
constexpr const wchar_t* kDpiValue = L"LogPixels";

struct DialogSearch {
    DWORD processId;
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<DialogSearch*>(lParam);
    if (ProcessOf(window) != search->processId || ClassOf(window) != L"#32770" ||
        WindowText(window) != *search->title) {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

RemoteBlock::RemoteBlock(HWND windowOfProcess, size_t bytes) : window_(windowOfProcess) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           ProcessOf(windowOfProcess));
    if (!process_) return;
    memory_ = static_cast<char*>(AllocateIn(process_, window_, bytes, PAGE_READWRITE));
}

RemoteBlock::~RemoteBlock() {
    if (memory_) FreeIn(process_, window_, memory_);
    if (process_) CloseHandle(process_);
}

bool RemoteBlock::Write(size_t offset, const void* data, size_t size) {
    return memory_ && WriteProcessMemory(process_, memory_ + offset, data, size, nullptr);
}

bool RemoteBlock::Read(size_t offset, void* data, size_t size) const {
    return memory_ && ReadProcessMemory(process_, memory_ + offset, data, size, nullptr);
}

HWND WaitForDialog(HWND owner, const std::wstring& title, int timeoutMs) {
    DialogSearch search{ProcessOf(owner), &title, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

HWND OpenDialog(HWND ruler, UINT command, const std::wstring& title) {
    PostMessageW(ruler, WM_COMMAND, command, 0);
    HWND dialog = WaitForDialog(ruler, title);
    if (dialog && WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; })) return dialog;
    ADD_FAILURE() << "no dialog " << testing::PrintToString(title) << " shown";
    return nullptr;
}

bool WaitGone(HWND window, int timeoutMs) {
    return WaitUntil([&] { return !IsWindow(window); }, timeoutMs);
}

std::wstring ItemText(HWND dialog, int id) {
    return WindowText(GetDlgItem(dialog, id));
}

UINT ItemCheck(HWND dialog, int id) {
    return static_cast<UINT>(SendWaiting(GetDlgItem(dialog, id), BM_GETCHECK).value_or(-1));
}

bool ItemEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

int FocusedItem(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return GetDlgCtrlID(info.hwndFocus);
}

HWND FocusedWindow(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

POINT ItemCentre(HWND dialog, int id) {
    const RECT r = RectOf(GetDlgItem(dialog, id));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool ClickItem(HWND dialog, int id, bool right) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return false;
    // A page inside a dialog comes to the front with the dialog.
    HWND top = GetAncestor(dialog, GA_ROOT);
    // A dialog exists a moment before it shows; the click must land on the control itself. A
    // window that comes up meanwhile (a ruler finishing its start) can take the front: the
    // dialog is asked again every tenth of a second until it stays there.
    int polls = 0;
    if (!WaitUntil([&] {
            if (polls++ % 20 == 0) SetForegroundWindow(top);
            return GetForegroundWindow() == top && WindowFromPoint(ItemCentre(dialog, id)) == item;
        })) {
        ADD_FAILURE() << "control " << id << " of " << testing::PrintToString(WindowText(top))
                      << " is not in front: the window there is "
                      << testing::PrintToString(ClassOf(WindowFromPoint(ItemCentre(dialog, id))))
                      << ", the foreground "
                      << testing::PrintToString(WindowText(GetForegroundWindow()));
        return false;
    }
    return ClickOn(item, ItemCentre(dialog, id), right);
}

POINT ScrollArrow(HWND scrollBar, bool first) {
    const RECT r = RectOf(scrollBar);
    // A scroll-bar control's arrows are squares at its two ends.
    if (GetWindowLongPtrW(scrollBar, GWL_STYLE) & SBS_VERT) {
        const LONG arrow = GetSystemMetrics(SM_CYVSCROLL);
        return POINT{(r.left + r.right) / 2, first ? r.top + arrow / 2 : r.bottom - 1 - arrow / 2};
    }
    const LONG arrow = GetSystemMetrics(SM_CXHSCROLL);
    return POINT{first ? r.left + arrow / 2 : r.right - 1 - arrow / 2, (r.top + r.bottom) / 2};
}

std::optional<RECT> ToolbarItemRect(HWND toolbar, int index) {
    RemoteBlock block(toolbar, sizeof(RECT));
    RECT r{};
    const auto got = SendWaiting(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), block.At());
    if (!got || !*got || !block.Read(0, &r, sizeof(r))) return std::nullopt;
    return r;
}

testing::AssertionResult ButtonShowsWhole(HWND toolbar, int index) {
    const std::optional<RECT> button = ToolbarItemRect(toolbar, index);
    if (!button) return testing::AssertionFailure() << "no button " << index;
    RECT inToolbar{};
    GetClientRect(toolbar, &inToolbar);
    HWND dialog = GetParent(toolbar);
    RECT inDialog{};
    GetClientRect(dialog, &inDialog);
    MapWindowPoints(dialog, toolbar, reinterpret_cast<POINT*>(&inDialog), 2);
    RECT shown{};
    IntersectRect(&shown, &inToolbar, &inDialog);
    RECT whole{};
    if (UnionRect(&whole, &shown, &*button) && EqualRect(&whole, &shown)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "button " << index << " (" << button->left << ", " << button->top << ")-("
           << button->right << ", " << button->bottom << ") shown in (" << shown.left << ", "
           << shown.top << ")-(" << shown.right << ", " << shown.bottom << ")";
}

std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns) {
    std::vector<std::vector<std::wstring>> rows;
    constexpr int kChars = 256;
    RemoteBlock block(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
    const auto count = SendWaiting(list, LVM_GETITEMCOUNT);
    if (!block.Ok() || !count) return rows;
    for (int row = 0; row < *count; ++row) {
        std::vector<std::wstring> texts;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(block.At(sizeof(LVITEMW)));
            item.cchTextMax = kChars;
            wchar_t text[kChars] = L"";
            if (block.Write(0, &item, sizeof(item)) &&
                SendWaiting(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), block.At())) {
                block.Read(sizeof(LVITEMW), text, sizeof(text));
            }
            text[kChars - 1] = L'\0';
            texts.emplace_back(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

ScopedDpi::ScopedDpi(DWORD dotsPerInch) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) == ERROR_SUCCESS) {
        before_ = value;
    }
    RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, REG_DWORD, &dotsPerInch,
                    sizeof(dotsPerInch));
}

ScopedDpi::~ScopedDpi() {
    if (before_) {
        RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue, REG_DWORD, &*before_,
                        sizeof(*before_));
    } else {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kDpiValue);
    }
}

}  // namespace e2e
