// A library the end-to-end tests have a ruler load, through a message hook on the ruler's thread,
// before they make any other call into it. The hook runs on that thread just after it has taken a
// message, at rest, and starts a thread there that waits in the server for good.
//
// Under Wine, what VirtualAllocEx, VirtualFreeEx and CreateRemoteThread ask of another process (a
// system APC) goes to one of its threads that waits in the server. When none does, a signal makes
// a busy thread carry it out at once, even inside malloc, where it can deadlock the process or
// break its heap. A thread the ruler starts itself needs no such call.
#include <windows.h>

#include <cwchar>

namespace {

LONG started = 0;

// Sets the tests' event and waits for an event nobody sets, in one step: once the tests see their
// event set, this thread waits in the server.
DWORD WINAPI WaitForGood(void* ready) {
    HANDLE never = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (never) SignalObjectAndWait(static_cast<HANDLE>(ready), never, INFINITE, FALSE);
    return 0;
}

}  // namespace

// The tests name the event after the process they reach into.
extern "C" __declspec(dllexport) LRESULT CALLBACK
    WaiterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (InterlockedExchange(&started, 1) == 0) {
        // The waiting thread runs this library's code: it stays loaded once the hook is gone.
        HMODULE self = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                           reinterpret_cast<LPCWSTR>(&WaiterHook), &self);
        wchar_t name[64];
        swprintf(name, 64, L"Local\\Linova e2e waiter %lu", GetCurrentProcessId());
        HANDLE ready = OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name);
        HANDLE thread = ready ? CreateThread(nullptr, 0, WaitForGood, ready, 0, nullptr) : nullptr;
        if (thread) CloseHandle(thread);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
