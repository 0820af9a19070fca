// Copy a reading to the clipboard; fit the ruler to the window beside its origin.
#include "ops/copy_adjust_win.h"

#include <cstring>

#include "model/geometry_win.h"
#include "ops/copy_adjust.h"
#include "ops/operations_win.h"
#include "resources/resource.h"

void CopyReading(HWND ruler, const RulerState& s, int command) {
    const auto text = CopyText(s, command);
    if (!text) return;
    // The text is ready before the clipboard is touched: a failure leaves the user's clipboard
    // as it was.
    const size_t bytes = (text->size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!memory) return;
    void* locked = GlobalLock(memory);
    if (!locked) {
        GlobalFree(memory);
        return;
    }
    std::memcpy(locked, text->c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(ruler)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
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
