// Controls' own procedures behind one of ours, kept in this process.
#include "ops/subclass_win.h"

#include <algorithm>

const Subclass::Entry* Subclass::Find(HWND window) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [window](const Entry& e) { return e.window == window; });
    return found == entries_.end() ? nullptr : &*found;
}

bool Subclass::Install(HWND window, LONG_PTR data) {
    if (!window || Find(window)) return false;
    SetLastError(0);
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure_)));
    if (!previous && GetLastError() != 0) return false;
    entries_.push_back(Entry{window, previous, data});
    return true;
}

LRESULT Subclass::Pass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Entry* entry = Find(window);
    // Copied: the previous procedure may subclass other windows while it runs.
    const WNDPROC previous = entry ? entry->previous : nullptr;
    const LRESULT result = previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                                    : DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                      [window](const Entry& e) { return e.window == window; }),
                       entries_.end());
    }
    return result;
}

LONG_PTR Subclass::Data(HWND window) const {
    const Entry* entry = Find(window);
    return entry ? entry->data : 0;
}

void Subclass::SetData(HWND window, LONG_PTR data) {
    for (Entry& e : entries_) {
        if (e.window == window) e.data = data;
    }
}
