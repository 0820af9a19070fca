// Copy a reading to the clipboard; fit the ruler to the window beside its origin.
#include "ops/copy_adjust_win.h"

#include <cstring>
#include <memory>
#include <string>

#include "model/geometry_win.h"
#include "model/trace_win.h"
#include "ops/copy_adjust.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

namespace {

struct GlobalFreeDeleter {
    void operator()(void* memory) const { GlobalFree(memory); }
};
// Global memory with its one owner, until the clipboard takes it.
using GlobalMemory = std::unique_ptr<void, GlobalFreeDeleter>;

// The text with its terminating zero in movable memory, as the clipboard takes it; nothing when
// it cannot be made.
GlobalMemory TextMemory(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    void* locked = memory ? GlobalLock(memory.get()) : nullptr;
    if (!locked) return nullptr;
    std::memcpy(locked, text.c_str(), bytes);
    GlobalUnlock(memory.get());
    return memory;
}

}  // namespace

void CopyReading(HWND ruler, const RulerState& s, int command) {
    const auto text = CopyText(s, command);
    if (!text) return;
    // What can fail comes before the clipboard is emptied, so that a failed copy leaves the
    // user's clipboard as it was: the text in memory, a window to own the clipboard (without an
    // owner the system empties the clipboard and then refuses the text) and the clipboard open.
    GlobalMemory memory = TextMemory(*text);
    if (!memory || !IsWindow(ruler) || !OpenClipboard(ruler)) {
        TraceFailure(L"copying to the clipboard");
        return;
    }
    // Once it is set, the clipboard owns the memory.
    if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory.get())) {
        memory.release();
    } else {
        TraceFailure(L"copying to the clipboard");
    }
    CloseClipboard();
}

void AdjustToWindow(Instance& app, int command) {
    RulerState& s = app.state;
    const Point probe = AdjustProbe(s);
    HWND found = WindowFromPoint(POINT{probe.x, probe.y});
    if (!found) return;
    RECT r{};
    if (command == IDM_ADJUST_WINDOW) {
        GetWindowRect(found, &r);
    } else {
        GetClientRect(found, &r);
        POINT origin{0, 0};
        ClientToScreen(found, &origin);
        OffsetRect(&r, origin.x, origin.y);
    }
    ApplyRefresh(app, AdjustTo(s, ToRect(r)));
}
