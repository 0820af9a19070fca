// Drives the real linova.exe from a test program running beside it: starts and ends rulers,
// finds their windows and reads and writes the stored settings.
#include "harness.h"

#include <psapi.h>

#include <atomic>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "app/startup.h"

namespace e2e {

namespace {

std::vector<HANDLE>& StartedProcesses() {
    static std::vector<HANDLE> processes;
    return processes;
}

HANDLE OpenProcessOf(HWND window) {
    const DWORD pid = ProcessOf(window);
    return pid ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid) : nullptr;
}

}  // namespace

namespace {

// Runs the call on a thread of its own, waking the window's thread while it waits (see
// AllocateIn). What the call needs lives in the shared block, which outlives a call given up on.
template <typename T>
T WithWakeUps(HWND wake, std::function<T()> call, const char* what) {
    struct Shared {
        std::function<T()> call;
        T result{};
        std::atomic<bool> done{false};
    };
    auto shared = std::make_shared<Shared>();
    shared->call = std::move(call);
    std::thread([shared] {
        shared->result = shared->call();
        shared->done = true;
    }).detach();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int polls = 1; !shared->done; ++polls) {
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << what << " in another process did not return within 20 s";
            return T{};
        }
        Sleep(1);
        if (polls % 100 == 0) PostMessageW(wake, WM_NULL, 0, 0);
    }
    return shared->result;
}

// The calls into another process as they are, each through WithWakeUps; AllocateIn first makes
// sure a thread there waits for them (see StartWaitingThread).
void* AllocateNow(HANDLE process, HWND wake, size_t bytes, DWORD protection) {
    return WithWakeUps<void*>(
        wake,
        [=] {
            return VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, protection);
        },
        "VirtualAllocEx");
}

// What the tests hold in a process they reach into, while it runs: the memory they were given
// there, kept for the next use. Giving and freeing memory each time a tooltip is read meant
// hundreds of calls into a busy ruler.
struct Reached {
    HANDLE process = nullptr;  // ours, to see the process end
    struct Block {
        char* memory;
        size_t bytes;
        DWORD protection;
        bool inUse;
    };
    std::vector<Block> blocks;
    // Shared with the waiting thread there, which runs the calls of CallIn: a request and a reply
    // event, and a view of the word that holds the call block's address there.
    HANDLE request = nullptr;
    HANDLE reply = nullptr;
    HANDLE mapping = nullptr;
    volatile uint64_t* blockWord = nullptr;

    void Close() {
        if (blockWord) UnmapViewOfFile(const_cast<uint64_t*>(blockWord));
        for (HANDLE h : {process, request, reply, mapping}) {
            if (h) CloseHandle(h);
        }
    }
};

// Under Wine, what VirtualAllocEx and VirtualFreeEx ask of another process (a system APC) goes to
// one of its threads that waits in the server. When none does, a signal makes a busy thread carry
// it out at once, even inside malloc: a ruler whose only thread was reading the screen (magnifier,
// edge snapping) then waited for its own lock for ever, and one laying out a dialog broke its heap.
// So before any such call into a process, the process itself starts a thread that waits in the
// server for good and takes every later call: a message hook on the window's thread loads the
// tests' waiter library there (tests/e2e/waiter), whose hook starts that thread as the window's
// thread takes a message. The thread sets the named event and waits in one step, so once the event
// is seen set, it waits. It also runs the calls of CallIn, through the objects made here for it.
void StartWaitingThread(DWORD pid, HWND wake, Reached& channel) {
    static const HMODULE waiter = LoadLibraryW(BesideTests(L"e2e_waiter.dll").c_str());
    const auto hook = waiter ? reinterpret_cast<HOOKPROC>(
                                   reinterpret_cast<void*>(GetProcAddress(waiter, "WaiterHook")))
                             : nullptr;
    const std::wstring id = std::to_wstring(pid);
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, (L"Local\\Linova e2e waiter " + id).c_str());
    channel.request =
        CreateEventW(nullptr, FALSE, FALSE, (L"Local\\Linova e2e request " + id).c_str());
    channel.reply = CreateEventW(nullptr, FALSE, FALSE, (L"Local\\Linova e2e reply " + id).c_str());
    channel.mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(uint64_t),
                           (L"Local\\Linova e2e calls " + id).c_str());
    if (channel.mapping) {
        channel.blockWord = static_cast<volatile uint64_t*>(
            MapViewOfFile(channel.mapping, FILE_MAP_WRITE, 0, 0, sizeof(uint64_t)));
    }
    const bool made = ready && channel.request && channel.reply && channel.blockWord;
    HHOOK hooked = hook && made ? SetWindowsHookExW(WH_GETMESSAGE, hook, waiter,
                                                    GetWindowThreadProcessId(wake, nullptr))
                                : nullptr;
    bool waits = false;
    // The hook runs as the thread takes a message; one posted now and then makes sure it takes one.
    for (int i = 0; hooked && !waits && i < 200; ++i) {
        PostMessageW(wake, WM_NULL, 0, 0);
        waits = WaitForSingleObject(ready, 100) == WAIT_OBJECT_0;
    }
    if (hooked) UnhookWindowsHookEx(hooked);
    if (ready) CloseHandle(ready);
    if (!waits) ADD_FAILURE() << "no thread of the other process waits for the tests' calls";
}

// The record of the process `wake` belongs to, made at the first call into it; null for a window
// that is gone.
Reached* Reach(HWND wake) {
    static std::map<DWORD, Reached> reached;  // by process id, while the process lasts
    const DWORD pid = ProcessOf(wake);
    if (!pid) return nullptr;
    auto found = reached.find(pid);
    if (found != reached.end() && WaitForSingleObject(found->second.process, 0) != WAIT_TIMEOUT) {
        // That process has ended; a new one may come to have its number.
        found->second.Close();
        reached.erase(found);
        found = reached.end();
    }
    if (found != reached.end()) return &found->second;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!process) return nullptr;
    Reached& made = reached[pid];
    made.process = process;
    StartWaitingThread(pid, wake, made);
    return &made;
}

}  // namespace

uint64_t ModuleBaseIn(HANDLE process, const wchar_t* name) {
    HMODULE modules[512];
    DWORD bytes = 0;
    if (!K32EnumProcessModules(process, modules, sizeof(modules), &bytes)) return 0;
    for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
        wchar_t base[MAX_PATH] = L"";
        K32GetModuleBaseNameW(process, modules[i], base, MAX_PATH);
        if (lstrcmpiW(base, name) == 0) return reinterpret_cast<uint64_t>(modules[i]);
    }
    return 0;
}

std::wstring BesideTests(const wchar_t* file) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + file;
}

std::wstring LinovaPath() {
    return BesideTests(L"linova.exe");
}

bool StartProcess(std::wstring commandLine, DWORD flags, PROCESS_INFORMATION& info) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    DWORD errors[2] = {};
    for (DWORD& error : errors) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                           nullptr, &startup, &info)) {
            return true;
        }
        error = GetLastError();
        Sleep(200);
    }
    ADD_FAILURE() << "the environment: CreateProcessW failed twice (errors " << errors[0] << " and "
                  << errors[1] << ") for " << testing::PrintToString(commandLine);
    return false;
}

HANDLE StartLinova(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + LinovaPath() + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    PROCESS_INFORMATION info{};
    if (!StartProcess(commandLine, 0, info)) return nullptr;
    CloseHandle(info.hThread);
    StartedProcesses().push_back(info.hProcess);
    return info.hProcess;
}

HWND StartInstance(int instanceNumber, const std::wstring& title) {
    StartLinova(std::to_wstring(instanceNumber));
    HWND ruler = WaitForRuler(instanceNumber);
    EXPECT_TRUE(ruler) << "instance " << instanceNumber << " did not start";
    if (!ruler) return nullptr;
    EXPECT_TRUE(WaitUntil([&] {
        const std::wstring shown = WindowText(ruler);
        return IsWindowVisible(ruler) && (title.empty() ? !shown.empty() : shown == title);
    })) << "instance "
        << instanceNumber << " shows " << testing::PrintToString(WindowText(ruler));
    return ruler;
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return condition();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

HWND FindRuler(int instanceNumber) {
    return FindWindowW(InstanceClassName(instanceNumber).c_str(), nullptr);
}

HWND WaitForRuler(int instanceNumber, int timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindRuler(instanceNumber)) != nullptr; }, timeoutMs);
    return window;
}

bool Answers(HWND window, UINT timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

std::optional<LRESULT> SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 2000, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

void* AllocateIn(HANDLE process, HWND wake, size_t bytes, DWORD protection) {
    Reached* reached = Reach(wake);
    if (!reached) return AllocateNow(process, wake, bytes, protection);
    for (Reached::Block& block : reached->blocks) {
        if (!block.inUse && block.protection == protection && block.bytes >= bytes) {
            block.inUse = true;
            return block.memory;
        }
    }
    void* memory = AllocateNow(process, wake, bytes, protection);
    if (memory) reached->blocks.push_back({static_cast<char*>(memory), bytes, protection, true});
    return memory;
}

void FreeIn(HANDLE process, HWND wake, void* memory) {
    if (Reached* reached = Reach(wake)) {
        for (Reached::Block& block : reached->blocks) {
            if (block.memory == memory) {
                block.inUse = false;
                return;
            }
        }
    }
    WithWakeUps<BOOL>(
        wake, [=] { return VirtualFreeEx(process, memory, 0, MEM_RELEASE); }, "VirtualFreeEx");
}

bool CallIn(HWND wake, uint64_t block) {
    Reached* reached = Reach(wake);
    if (!reached || !reached->blockWord) return false;
    // A reply to a call given up on must not answer this one.
    ResetEvent(reached->reply);
    *reached->blockWord = block;
    SetEvent(reached->request);
    if (WaitForSingleObject(reached->reply, 5000) == WAIT_OBJECT_0) return true;
    ADD_FAILURE() << "a call in another process did not return within 5 s";
    return false;
}

void CloseRuler(HWND ruler) {
    HANDLE process = OpenProcessOf(ruler);
    PostMessageW(ruler, WM_CLOSE, 0, 0);
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0) << "ruler did not end";
        CloseHandle(process);
    }
}

void EndAllRulers() {
    std::vector<HANDLE> processes;
    for (int n = 1; n <= 9; ++n) {
        if (HWND ruler = FindRuler(n)) {
            if (HANDLE p = OpenProcessOf(ruler)) processes.push_back(p);
            PostMessageW(ruler, WM_CLOSE, 0, 0);
        }
    }
    for (HANDLE p : StartedProcesses()) processes.push_back(p);
    StartedProcesses().clear();
    for (HANDLE p : processes) {
        if (WaitForSingleObject(p, 5000) != WAIT_OBJECT_0) TerminateProcess(p, 1);
        CloseHandle(p);
    }
}

std::vector<HWND> TopWindows(const std::wstring& classPrefix, const wchar_t* title) {
    struct Search {
        const std::wstring& prefix;
        const wchar_t* title;
        std::vector<HWND> found;
    } search{classPrefix, title, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto& s = *reinterpret_cast<Search*>(data);
            if (ClassOf(window).rfind(s.prefix, 0) == 0 &&
                (!s.title || WindowText(window) == s.title)) {
                s.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring WindowText(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

testing::AssertionResult ShowsAt(HWND window, LONG left, LONG top, LONG width, LONG height) {
    RECT r{};
    const bool there = WaitUntil([&] {
        r = RectOf(window);
        return r.left == left && r.top == top && r.right - r.left == width &&
               r.bottom - r.top == height;
    });
    if (there) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "window at (" << r.left << ", " << r.top << ") " << r.right - r.left << " x "
           << r.bottom - r.top << ", expected (" << left << ", " << top << ") " << width << " x "
           << height;
}

testing::AssertionResult ShowsAt(HWND window, const RECT& expected) {
    return ShowsAt(window, expected.left, expected.top, expected.right - expected.left,
                   expected.bottom - expected.top);
}

bool IsAtNow(HWND window, const RECT& expected) {
    const RECT r = RectOf(window);
    return EqualRect(&r, &expected) != FALSE;
}

std::string RectText(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

std::vector<RECT> Monitors() {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR, HDC, LPRECT rect, LPARAM list) {
            reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

testing::AssertionResult TitleIs(HWND window, const std::wstring& expected) {
    if (WaitUntil([&] { return WindowText(window) == expected; })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "title " << testing::PrintToString(WindowText(window))
                                       << ", expected " << testing::PrintToString(expected);
}

void ClearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Tamarisk");
}

std::wstring InstanceKey(int instanceNumber) {
    return std::wstring(kProductKey) + L"\\Linova" + std::to_wstring(instanceNumber);
}

void PutDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    ASSERT_EQ(
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof(value)),
        ERROR_SUCCESS);
}

void PutText(const std::wstring& key, const wchar_t* name, const std::wstring& text) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, text.c_str(),
                              static_cast<DWORD>(text.size() * sizeof(wchar_t))),
              ERROR_SUCCESS);
}

std::optional<DWORD> ReadDword(const std::wstring& key, const wchar_t* name) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::wstring> ReadText(const std::wstring& key, const wchar_t* name) {
    wchar_t text[512] = L"";
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

std::optional<DWORD> ValueBytes(const std::wstring& key, const wchar_t* name) {
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, nullptr,
                     nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return size;
}

std::vector<std::wstring> ValueNames(const std::wstring& key) {
    std::vector<std::wstring> names;
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[64];
        DWORD length = 64;
        if (RegEnumValueW(handle, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.emplace_back(name, length);
    }
    RegCloseKey(handle);
    return names;
}

void StoreRuler(int instanceNumber, const StoredRuler& r) {
    const std::wstring key = InstanceKey(instanceNumber);
    PutDword(key, L"xPosi", static_cast<DWORD>(r.x));
    PutDword(key, L"yPosi", static_cast<DWORD>(r.y));
    PutDword(key, L"Lenght", r.length);
    PutDword(key, L"Scaling", r.scaling);
    PutDword(key, L"Marker", r.marker);
    PutDword(key, L"MarkerBlue", r.markerBlue);
    PutDword(key, L"BackColor", r.backColor);
    PutDword(key, L"LayerWindow", r.layerWindow);
    PutDword(key, L"Magnifier", r.magnifier);
    PutDword(key, L"MagType", r.magType);
    // Top-most, vertical, reverse, unit, full scale, narrow, font style, key lock, mouse lock,
    // spare flag, automatic scale, wheel mode.
    const int flags[12] = {r.topMost,   r.vertical, r.reverse, r.unit, r.fullScale,   r.narrow,
                           r.fontStyle, r.noKeys,   r.noMouse, 1,      r.scalingAuto, r.wheelMode};
    std::wstring settings;
    for (int flag : flags) settings += std::to_wstring(flag) + L",";
    PutText(key, L"Settings", settings);
    if (r.snapEdges) PutDword(key, L"SnapEdges", 1);
}

bool TwoMonitorsLeft() {
    const char* expected = std::getenv("LINOVA_EXPECT_MONITORS");
    return expected && std::string(expected) == "2-left";
}

void RulerTest::SetUp() {
    EndAllRulers();
    ClearSettings();
}

void RulerTest::TearDown() {
    EndAllRulers();
    ClearSettings();
}

void TwoMonitors::SetUp() {
    if (!TwoMonitorsLeft()) GTEST_SKIP() << "one-monitor desktop";
    RulerTest::SetUp();
}

}  // namespace e2e
