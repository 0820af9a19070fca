// A procedure put in front of controls' own the classic way, with each control's previous
// procedure and a number of the subclass's own kept in this process. Passing a message on asks
// the window system nothing; under Wine a comctl32 subclass asks it for a window property at
// every message, and again at every call of its default procedure.
#pragma once

#include <windows.h>

#include <vector>

// One per kind of subclass, used on the thread that makes the controls.
class Subclass {
  public:
    explicit Subclass(WNDPROC procedure) : procedure_(procedure) {}
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // Puts the procedure in front of the window's own; false when there is no window, when it is
    // there already, or when the window refuses.
    bool Install(HWND window, LONG_PTR data = 0);
    // The procedure the window had before answers. After its WM_NCDESTROY the window is
    // forgotten.
    LRESULT Pass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The subclass's own number for the window, 0 for a window it is not on.
    LONG_PTR Data(HWND window) const;
    void SetData(HWND window, LONG_PTR data);

  private:
    struct Entry {
        HWND window;
        WNDPROC previous;
        LONG_PTR data;
    };
    const Entry* Find(HWND window) const;

    WNDPROC procedure_;
    std::vector<Entry> entries_;
};
