// The ruler's dialogs as another program sees them: finding one, reading and clicking its
// controls, and the control messages that need memory in the dialog's own process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace e2e {

// Memory in another process, for the control messages that write through a pointer (toolbar
// buttons and rectangles, list-view texts, tool texts): what such a message is given must live
// in the process that answers it. Freed when it leaves scope.
class RemoteBlock {
  public:
    RemoteBlock(HWND windowOfProcess, size_t bytes);
    ~RemoteBlock();
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool Ok() const { return memory_ != nullptr; }
    // The address in the other process, to pass as a message parameter.
    LPARAM At(size_t offset = 0) const { return reinterpret_cast<LPARAM>(memory_ + offset); }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;

  private:
    HWND window_ = nullptr;
    HANDLE process_ = nullptr;
    char* memory_ = nullptr;
};

// The top-level dialog window of the owner's process with the title, waiting for it to appear.
HWND WaitForDialog(HWND owner, const std::wstring& title, int timeoutMs = 5000);
// Asks the ruler for one of its dialogs with the command, as its menu does (posted, since a modal
// dialog holds the sender until it ends), and waits until the dialog with the title shows; null,
// with a failure, when it does not.
HWND OpenDialog(HWND ruler, UINT command, const std::wstring& title);
// Whether the window is gone, waiting for it to go.
bool WaitGone(HWND window, int timeoutMs = 5000);

// A control of a dialog: its text, its check state (BST_ value), whether it can be used.
std::wstring ItemText(HWND dialog, int id);
UINT ItemCheck(HWND dialog, int id);
bool ItemEnabled(HWND dialog, int id);

// The id of the control that has the keyboard focus in the window's thread.
int FocusedItem(HWND window);
// The window that has the keyboard focus in the window's thread (a control, or a window itself).
HWND FocusedWindow(HWND window);

// The middle of the control on the screen.
POINT ItemCentre(HWND dialog, int id);
// Brings the dialog (or the dialog a page is part of) to the front and clicks the middle of the
// control with the left or right button, as a user would.
bool ClickItem(HWND dialog, int id, bool right = false);

// The middle of a scroll bar's first (up or left) or last (down or right) arrow on the screen.
POINT ScrollArrow(HWND scrollBar, bool first);

// A toolbar button's rectangle in the toolbar's client area, by its index.
std::optional<RECT> ToolbarItemRect(HWND toolbar, int index);
// Whether the toolbar button, by its index, shows whole: inside the toolbar and inside the client
// area of the toolbar's dialog, neither of which may cut off an edge of it.
testing::AssertionResult ButtonShowsWhole(HWND toolbar, int index);
// The texts of a list view's rows, column by column.
std::vector<std::vector<std::wstring>> ListViewRows(HWND list, int columns);

// The screen's dots per inch for the programs started while it lives (the user's setting, which
// each process reads when it starts); the setting before it comes back at the end.
class ScopedDpi {
  public:
    explicit ScopedDpi(DWORD dotsPerInch);
    ~ScopedDpi();
    ScopedDpi(const ScopedDpi&) = delete;
    ScopedDpi& operator=(const ScopedDpi&) = delete;

  private:
    std::optional<DWORD> before_;
};

}  // namespace e2e
