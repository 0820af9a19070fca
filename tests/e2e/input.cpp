// Input as a user gives it, sent through the system's input queue (SendInput) or through the X
// server (xdotool), and the ruler's tooltip text read from its process.
#include "input.h"

#include <commctrl.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs.h"
#include "harness.h"

namespace e2e {

namespace {

bool IsExtendedKey(WORD virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_HOME:
        case VK_END:
        case VK_INSERT:
        case VK_DELETE:
        case VK_DIVIDE:
            return true;
        default:
            return false;
    }
}

INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags =
        (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT Mouse(DWORD flags, DWORD data = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

// An absolute move over the whole virtual desktop. The normalised coordinate is rounded up so
// that scaling it back (times the desktop size, over 65536) lands on the pixel itself.
INPUT MoveTo(POINT to) {
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const LONG top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const LONG width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const LONG height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    INPUT input = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK);
    input.mi.dx = static_cast<LONG>(((to.x - left) * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>(((to.y - top) * 65536LL + height - 1) / height);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    EXPECT_EQ(sent, inputs.size()) << "SendInput: " << GetLastError();
}

bool CursorAt(POINT p) {
    POINT now{};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

// Waits until done() holds, sending the input again each half second while it does not: under
// Wine an echo of an older cursor position, coming back through the X server after a move, can
// undo the move. What was sent again may still be on its way when done() first holds (the first
// sending did it), and would then arrive after the wait; so once anything was sent again, done()
// has to hold for a while after the last sending.
bool WaitResending(const std::vector<INPUT>& inputs, const std::function<bool()>& done,
                   int timeoutMs) {
    constexpr auto kResend = std::chrono::milliseconds(500);
    constexpr auto kSettle = std::chrono::milliseconds(300);
    auto sent = std::chrono::steady_clock::now();
    bool resent = false;
    return WaitUntil(
        [&] {
            const auto now = std::chrono::steady_clock::now();
            if (done()) return !resent || now - sent > kSettle;
            if (now - sent > kResend) {
                Send(inputs);
                sent = std::chrono::steady_clock::now();
                resent = true;
            }
            return false;
        },
        timeoutMs);
}

}  // namespace

bool BringToFront(HWND window) {
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    auto inFront = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        // A dialog gives the focus to one of its controls.
        return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
               (info.hwndFocus == window || IsChild(window, info.hwndFocus));
    };
    // Under Wine the foreground can pass through no window at all for a moment before it
    // settles, so the window has to stay in front for a few polls, and is asked again when it
    // drops out.
    int inFrontPolls = 0;
    int outPolls = 0;
    SetForegroundWindow(window);
    return WaitUntil([&] {
        if (inFront()) {
            outPolls = 0;
            return ++inFrontPolls >= 10;
        }
        inFrontPolls = 0;
        if (++outPolls >= 20) {
            outPolls = 0;
            SetForegroundWindow(window);
        }
        return false;
    });
}

void PressKey(WORD virtualKey) {
    Send({Key(virtualKey, false), Key(virtualKey, true)});
}

void PressShifted(WORD virtualKey) {
    Send(
        {Key(VK_SHIFT, false), Key(virtualKey, false), Key(virtualKey, true), Key(VK_SHIFT, true)});
}

void PressWithControl(WORD virtualKey) {
    Send({Key(VK_CONTROL, false), Key(virtualKey, false), Key(virtualKey, true),
          Key(VK_CONTROL, true)});
}

namespace {

// The key as its cap reads, for failure messages.
std::string KeyName(WORD key) {
    static const std::pair<WORD, const char*> kNames[] = {
        {VK_LEFT, "Left"},      {VK_RIGHT, "Right"},    {VK_UP, "Up"},       {VK_DOWN, "Down"},
        {VK_PRIOR, "Page Up"},  {VK_NEXT, "Page Down"}, {VK_HOME, "Home"},   {VK_END, "End"},
        {VK_DELETE, "Delete"},  {VK_BACK, "Backspace"}, {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"},
        {VK_MULTIPLY, "Num *"}, {VK_DIVIDE, "Num /"},   {VK_SPACE, "Space"}, {VK_RETURN, "Enter"},
        {VK_ESCAPE, "Esc"}};
    for (const auto& [vk, name] : kNames) {
        if (vk == key) return name;
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return "Num " + std::to_string(key - VK_NUMPAD0);
    return "key " + std::to_string(key);
}

}  // namespace

void PressRun(HWND ruler, const std::vector<KeyStep>& run) {
    static const char* const kHeld[] = {"", "Shift+", "Control+"};
    for (size_t i = 0; i < run.size(); ++i) {
        const KeyStep& step = run[i];
        SCOPED_TRACE("row " + std::to_string(i + 1) + ": " + kHeld[step.held] + KeyName(step.key));
        switch (step.held) {
            case kAlone:
                PressKey(step.key);
                break;
            case kShifted:
                PressShifted(step.key);
                break;
            case kWithControl:
                PressWithControl(step.key);
                break;
        }
        if (!step.expects) continue;
        EXPECT_TRUE(ShowsAt(ruler, step.left, step.top, step.width, step.height));
        if (!step.title.empty()) {
            EXPECT_TRUE(TitleIs(ruler, step.title));
        }
    }
}

bool MoveCursor(POINT to) {
    Send({MoveTo(to)});
    const bool arrived = WaitResending(
        {MoveTo(to)}, [&] { return CursorAt(to); }, 2000);
    POINT now{};
    GetCursorPos(&now);
    EXPECT_TRUE(arrived) << "cursor at (" << now.x << ", " << now.y << "), not (" << to.x << ", "
                         << to.y << ")";
    return arrived;
}

HCURSOR ShownCursor() {
    CURSORINFO info{};
    info.cbSize = sizeof(info);
    return GetCursorInfo(&info) ? info.hCursor : nullptr;
}

namespace {

// A window's thread reads what the X server sent it (a moved cursor's echo among them) when it
// waits for messages: once it has answered two messages in turn, it has read what was there
// before the first.
void LetReadTheirEvents(const std::vector<HWND>& windows) {
    for (HWND window : windows) {
        if (window && ProcessOf(window) != GetCurrentProcessId()) {
            Answers(window, 1000);
            Answers(window, 1000);
        }
    }
}

}  // namespace

// Puts the cursor at the point and waits until it stays there: a window that was busy may still
// echo an older cursor position back through the X server, seconds late on a loaded machine,
// which would move the cursor back (and make a press land there). The windows that may hold such
// an echo (the one under the cursor before, the one under the point, the one in front) are made
// to read their events; if the cursor has moved, it is put back and the windows asked again.
void SettleCursor(POINT at) {
    POINT before{};
    GetCursorPos(&before);
    const std::vector<HWND> readers = {WindowFromPoint(before), WindowFromPoint(at),
                                       GetForegroundWindow()};
    bool settled = false;
    for (int round = 0; round < 5 && !settled; ++round) {
        int stillPolls = 0;
        MoveCursor(at);
        settled = WaitUntil([&] {
            if (CursorAt(at)) return ++stillPolls >= 10;
            stillPolls = 0;
            Send({MoveTo(at)});
            return false;
        });
        LetReadTheirEvents(readers);
        settled = settled && CursorAt(at);
    }
    EXPECT_TRUE(settled) << "the cursor does not stay at (" << at.x << ", " << at.y << ")";
}

void LeftDown() {
    Send({Mouse(MOUSEEVENTF_LEFTDOWN)});
}

void LeftUp() {
    Send({Mouse(MOUSEEVENTF_LEFTUP)});
}

void RightDown() {
    Send({Mouse(MOUSEEVENTF_RIGHTDOWN)});
}

void RightUp() {
    Send({Mouse(MOUSEEVENTF_RIGHTUP)});
}

namespace {

// A click at the same place with the same button within the double-click time would make a
// double click of the two: the next click waits until it cannot.
struct LastClick {
    POINT at{-100, -100};
    bool right = false;
    ULONGLONG time = 0;
} lastClick;

void WaitOutDoubleClick(POINT at, bool right) {
    const LastClick& last = lastClick;
    const bool samePlace = std::abs(at.x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                           std::abs(at.y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const ULONGLONG since = GetTickCount64() - last.time;
    if (samePlace && right == last.right && since <= GetDoubleClickTime()) {
        Sleep(static_cast<DWORD>(GetDoubleClickTime() - since + 20));
    }
}

// A press and release of the button where the cursor rests.
void Press(POINT at, bool right) {
    if (right) {
        RightDown();
        RightUp();
    } else {
        LeftDown();
        LeftUp();
    }
    lastClick = {at, right, GetTickCount64()};
}

}  // namespace

void ClickAt(POINT at, bool right) {
    WaitOutDoubleClick(at, right);
    // The press goes where the cursor is when it is handled, not where it was sent.
    SettleCursor(at);
    Press(at, right);
}

bool ClickOn(HWND window, POINT at, bool right) {
    WaitOutDoubleClick(at, right);
    SettleCursor(at);
    HWND under = nullptr;
    // A transparent control of the same window (a static drawn over it) lets the click through.
    if (!WaitUntil([&] {
            under = WindowFromPoint(at);
            return under == window || GetAncestor(under, GA_ROOT) == GetAncestor(window, GA_ROOT);
        })) {
        ADD_FAILURE() << "at (" << at.x << ", " << at.y << ") is a window of class "
                      << testing::PrintToString(ClassOf(under)) << ", not the "
                      << testing::PrintToString(ClassOf(window)) << " to click, nor of its window";
        return false;
    }
    Press(at, right);
    return true;
}

void ShiftClickAt(POINT at) {
    WaitOutDoubleClick(at, false);
    SettleCursor(at);
    Send({Key(VK_SHIFT, false), Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP),
          Key(VK_SHIFT, true)});
    lastClick = {at, false, GetTickCount64()};
}

namespace {

// Whether the window's thread has given the window the mouse capture.
bool HasCapture(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) &&
           info.hwndCapture == window;
}

}  // namespace

void LeftDragTo(HWND window, POINT from, POINT to, int steps, Follows follows) {
    RECT start{};
    GetWindowRect(window, &start);
    SettleCursor(from);
    LeftDown();
    if (follows == Follows::kNot) {
        for (int i = 1; i <= steps; ++i) {
            MoveCursor(
                {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        }
        return;
    }
    // Until the window has taken the mouse, a move off its old place goes to whatever window is
    // under the cursor.
    if (!WaitUntil([&] { return HasCapture(window); })) {
        ADD_FAILURE() << "the window took no capture";
        return;
    }
    const bool alongX = follows != Follows::kVerticallyOnly;
    const bool alongY = follows != Follows::kHorizontallyOnly;
    POINT previous = from;
    for (int i = 1; i <= steps; ++i) {
        const POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        MoveCursor(p);
        const LONG left = start.left + (alongX ? p.x - from.x : 0);
        const LONG top = start.top + (alongY ? p.y - from.y : 0);
        RECT now{};
        // Sent again from where it started, the step is a move even when the cursor still stands
        // at its end and only the window was pulled back.
        auto followed = [&] {
            GetWindowRect(window, &now);
            return now.left == left && now.top == top;
        };
        // An echo of an earlier step, read late by the ruler's thread, pulls it back to where
        // that step put it: the step holds only once the ruler has read what X sent it before.
        auto followedAfterEchoes = [&] {
            for (int round = 0; round < 5; ++round) {
                if (!WaitResending({MoveTo(previous), MoveTo(p)}, followed, 5000)) return false;
                LetReadTheirEvents({window});
                if (followed()) return true;
            }
            return false;
        };
        if (!followedAfterEchoes()) {
            ADD_FAILURE() << "with the cursor at (" << p.x << ", " << p.y << ") the window is at ("
                          << now.left << ", " << now.top << "), not (" << left << ", " << top
                          << ")";
            return;
        }
        previous = p;
    }
}

void DoubleClick(POINT at) {
    SettleCursor(at);
    Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP), Mouse(MOUSEEVENTF_LEFTDOWN),
          Mouse(MOUSEEVENTF_LEFTUP)});
}

void WheelTowardUser(int notches) {
    const int one = notches > 0 ? -WHEEL_DELTA : WHEEL_DELTA;
    for (int i = 0; i < std::abs(notches); ++i) WheelDelta(one);
}

void WheelDelta(int delta) {
    Send({Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta))});
}

void WheelDeltaShifted(int delta) {
    Send({Key(VK_SHIFT, false), Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta)),
          Key(VK_SHIFT, true)});
}

namespace {

// Whether the left button is up in the desktop's input state (the release has been queued for
// the window that receives it).
bool LeftButtonUp() {
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0;
}

// The X coordinate of a Windows x (the test environment's LINOVA_X_OFFSET).
int XOffset() {
    const char* offset = std::getenv("LINOVA_X_OFFSET");
    return offset ? std::atoi(offset) : 0;
}

constexpr const wchar_t* kXdotool = L"/usr/bin/xdotool";

}  // namespace

bool XdotoolAvailable() {
    return std::getenv("DISPLAY") &&
           GetFileAttributesW(L"Z:\\usr\\bin\\xdotool") != INVALID_FILE_ATTRIBUTES;
}

namespace {

// Starts xdotool with the arguments (a command chain); it runs on its own, so the caller waits on
// what it changes.
bool StartXdotool(const std::wstring& arguments) {
    // Wine's start.exe runs a Unix program with /unix. It returns once the program has started,
    // even with /wait, so the caller waits on the program's effects.
    std::wstring commandLine = L"start.exe /unix " + std::wstring(kXdotool) + L" " + arguments;
    PROCESS_INFORMATION info{};
    if (!StartProcess(commandLine, CREATE_NO_WINDOW, info)) return false;
    CloseHandle(info.hThread);
    const bool ended = WaitForSingleObject(info.hProcess, 5000) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    EXPECT_TRUE(ended && exitCode == 0) << "start.exe /unix xdotool: exit " << exitCode;
    return ended && exitCode == 0;
}

std::wstring XPoint(POINT p) {
    return std::to_wstring(p.x + XOffset()) + L" " + std::to_wstring(p.y);
}

}  // namespace

bool XLeftDragTo(HWND window, POINT from, POINT to, int steps) {
    if (!StartXdotool(L"mousemove " + XPoint(from) + L" mousedown 1")) return false;
    if (!WaitUntil([&] { return HasCapture(window); })) {
        ADD_FAILURE() << "the press did not reach the window";
        return false;
    }
    std::wstring chain;
    for (int i = 1; i <= steps; ++i) {
        chain +=
            L"mousemove " +
            XPoint({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}) +
            L" ";
    }
    if (!StartXdotool(chain)) return false;
    const bool there = WaitUntil([&] { return CursorAt(to); });
    EXPECT_TRUE(there) << "xdotool did not finish the moves";
    return there;
}

bool XLeftUp(POINT rest) {
    if (!StartXdotool(L"mouseup 1 mousemove " + XPoint(rest))) return false;
    const bool done = WaitUntil([&] { return CursorAt(rest) && LeftButtonUp(); });
    EXPECT_TRUE(done) << "xdotool did not release the button";
    return done;
}

namespace {

struct TooltipSearch {
    DWORD processId;
    HWND ruler;
    HWND found;
};

BOOL CALLBACK FindTooltip(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<TooltipSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || ClassOf(window) != TOOLTIPS_CLASSW) return TRUE;
    if (ToolText(window, search->ruler, 0).empty()) return TRUE;
    search->found = window;
    return FALSE;
}

// The tooltip window of the ruler's process that holds the ruler's tool.

// The text of the ruler's tool, read from inside the ruler's process; empty when it cannot be.
std::wstring TooltipText(HWND ruler) {
    HWND tooltip = TooltipOf(ruler);
    return tooltip ? ToolText(tooltip, ruler, 0) : L"";
}

}  // namespace

HWND TooltipOf(HWND ruler) {
    TooltipSearch search{0, ruler, nullptr};
    GetWindowThreadProcessId(ruler, &search.processId);
    if (search.processId) EnumWindows(FindTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// TTM_GETTEXTW writes through the pointers it is given, so the tool record and the text buffer
// live in the tooltip's own process.
std::wstring ToolText(HWND tooltip, HWND toolWindow, UINT_PTR id) {
    constexpr size_t kChars = 1024;
    RemoteBlock block(tooltip, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
    std::vector<wchar_t> text(kChars, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = toolWindow;
    tool.uId = id;
    tool.lpszText = reinterpret_cast<wchar_t*>(block.At(sizeof(tool)));
    if (block.Write(0, &tool, sizeof(tool)) &&
        block.Write(sizeof(tool), text.data(), kChars * sizeof(wchar_t)) &&
        SendWaiting(tooltip, TTM_GETTEXTW, kChars, block.At())) {
        block.Read(sizeof(tool), text.data(), kChars * sizeof(wchar_t));
    }
    text.back() = L'\0';
    return text.data();
}

std::vector<HWND> StartRulers(const std::vector<StoredRuler>& rulers) {
    std::wstring numbers;
    for (size_t i = 0; i < rulers.size(); ++i) {
        StoreRuler(static_cast<int>(i + 1), rulers[i]);
        numbers += std::to_wstring(i + 1) + L" ";
    }
    StartLinova(numbers);
    std::vector<HWND> windows;
    for (size_t i = 0; i < rulers.size(); ++i) {
        const StoredRuler& r = rulers[i];
        HWND window = WaitForRuler(static_cast<int>(i + 1), 10000);
        EXPECT_TRUE(window) << "ruler " << i + 1 << " did not start";
        if (!window) continue;
        const int along = r.length + 1;
        EXPECT_TRUE(ShowsAt(window, r.x, r.y, r.vertical ? 50 : along, r.vertical ? along : 50));
        EXPECT_TRUE(
            WaitUntil([&] { return WindowText(window).find(L" - ") != std::wstring::npos; }));
        windows.push_back(window);
    }
    return windows;
}

HWND StartRuler(const StoredRuler& ruler) {
    EndAllRulers();
    ClearSettings();
    const std::vector<HWND> windows = StartRulers({ruler});
    return windows.empty() ? nullptr : windows.front();
}

HWND StartInFront(const StoredRuler& ruler) {
    HWND window = StartRuler(ruler);
    if (!window) return nullptr;
    if (!BringToFront(window)) {
        ADD_FAILURE() << "the ruler did not come to the front";
        return nullptr;
    }
    return window;
}

testing::AssertionResult TooltipIs(HWND ruler, const std::wstring& expected) {
    std::wstring text;
    if (WaitUntil([&] { return (text = TooltipText(ruler)) == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "tooltip " << testing::PrintToString(text)
                                       << ", expected " << testing::PrintToString(expected);
}

}  // namespace e2e
