// Copy writes the reading on the clipboard, and a copy that cannot be made leaves the user's
// clipboard as it was.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <thread>

#include "model/ruler_state.h"
#include "ops/copy_adjust_win.h"
#include "resources/resource.h"

namespace {

// A window of this thread to own the clipboard, as the ruler does.
class Owner {
  public:
    Owner()
        : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr)) {}
    ~Owner() { DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

bool PutText(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory || !OpenClipboard(owner)) return false;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    const bool set = EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return set;
}

std::wstring ClipboardText() {
    std::wstring text = L"(nothing)";
    if (!OpenClipboard(nullptr)) return L"(not open)";
    if (HGLOBAL memory = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(memory));
        GlobalUnlock(memory);
    }
    CloseClipboard();
    return text;
}

TEST(Copy, WritesTheReadingAndLeavesTheClipboardAsItWasWhenItCannot) {
    Owner owner;
    ASSERT_TRUE(owner.get());
    RulerState s;
    s.ScaleLength = 300;
    s.Marker = 100;
    s.MarkerBlue = 130;
    s.Unit = 0;
    ASSERT_TRUE(PutText(owner.get(), L"the user's text"));

    // No window to own the clipboard: the system would empty it and then refuse the text.
    CopyReading(nullptr, s, IDM_COPY_LENGTH);
    EXPECT_EQ(ClipboardText(), L"the user's text");

    // Another program has the clipboard open.
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread other([&] {
        const bool open = OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(done, 5000);
        if (open) CloseClipboard();
    });
    WaitForSingleObject(opened, 5000);
    CopyReading(owner.get(), s, IDM_COPY_LENGTH);
    SetEvent(done);
    other.join();
    CloseHandle(opened);
    CloseHandle(done);
    EXPECT_EQ(ClipboardText(), L"the user's text");

    CopyReading(owner.get(), s, IDM_COPY_RED_BLUE);
    EXPECT_EQ(ClipboardText(), L"-30 pixel");
}

}  // namespace
