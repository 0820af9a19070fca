// A library the end-to-end tests have a ruler load, through a message hook on the ruler's thread,
// before they make any other call into it. The hook runs on that thread just after it has taken a
// message, at rest, and starts a thread there that waits in the server for good, and runs the
// tests' calls of user32 functions in the ruler (a menu's items can be read only there).
//
// Under Wine, what VirtualAllocEx and VirtualFreeEx ask of another process (a system APC) goes to
// one of its threads that waits in the server. When none does, a signal makes a busy thread carry
// it out at once, even inside malloc, where it can deadlock the process or break its heap. A thread
// the ruler starts itself needs no such call, and neither does a call this thread runs: a thread
// started in the ruler by CreateRemoteThread for each call could wait 20 s and more for its start
// while the ruler showed a menu on a busy machine.
#include <windows.h>

#include <cstdint>
#include <cwchar>

namespace {

LONG started = 0;

// What the tests opened for the process, named after it: their event, set once this thread waits;
// a request and a reply event; and a view of one word, the address of the call block in this
// process: { function, four arguments, result } of 64-bit words.
struct Channel {
    HANDLE ready;
    HANDLE request;
    HANDLE reply;
    volatile uint64_t* block;
};

// Signals and waits in one step, so that once the tests see their event set this thread waits in
// the server; then runs each call asked for and answers it, again in one step with the next wait.
DWORD WINAPI ServeCalls(void* data) {
    const Channel c = *static_cast<Channel*>(data);
    delete static_cast<Channel*>(data);
    using Function = uint64_t (*)(uint64_t, uint64_t, uint64_t, uint64_t);
    for (DWORD woken = SignalObjectAndWait(c.ready, c.request, INFINITE, FALSE);
         woken == WAIT_OBJECT_0; woken = SignalObjectAndWait(c.reply, c.request, INFINITE, FALSE)) {
        auto* call = reinterpret_cast<uint64_t*>(*c.block);
        call[5] = reinterpret_cast<Function>(call[0])(call[1], call[2], call[3], call[4]);
    }
    return 0;
}

HANDLE OpenNamedEvent(const wchar_t* what) {
    wchar_t name[80];
    swprintf(name, 80, L"Local\\Linova e2e %ls %lu", what, GetCurrentProcessId());
    return OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
}

volatile uint64_t* OpenBlockWord() {
    wchar_t name[80];
    swprintf(name, 80, L"Local\\Linova e2e calls %lu", GetCurrentProcessId());
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name);
    if (!mapping) return nullptr;
    // The view stays for the life of the process, and with it the mapping.
    void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(uint64_t));
    CloseHandle(mapping);
    return static_cast<volatile uint64_t*>(view);
}

}  // namespace

// The tests name the events and the view after the process they reach into.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    WaiterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (InterlockedExchange(&started, 1) == 0) {
        // The serving thread runs this library's code: it stays loaded once the hook is gone.
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&WaiterHook), &self);
        auto* c = new Channel{OpenNamedEvent(L"waiter"), OpenNamedEvent(L"request"),
                              OpenNamedEvent(L"reply"), OpenBlockWord()};
        HANDLE thread = c->ready && c->request && c->reply && c->block
                            ? CreateThread(nullptr, 0, ServeCalls, c, 0, nullptr)
                            : nullptr;
        if (thread) {
            CloseHandle(thread);
        } else {
            delete c;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
