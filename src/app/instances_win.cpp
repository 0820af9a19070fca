// Finding the other running rulers by their window class names, talking to them without waiting
// on one that hangs, and choosing this ruler's number without racing rulers that start with it.
#include "app/instances_win.h"

#include <shellapi.h>

namespace {

// Long enough for a ruler that is busy but alive, short enough that ending or telling the others
// goes on at once when one of them hangs.
constexpr UINT kInstanceReplyMs = 1000;

// One name for every ruler of the session ("Local\" is the session's own namespace).
constexpr const wchar_t* kChoiceLockName = L"Local\\Linova instance choice";

}  // namespace

HWND FindInstanceWindow(int instanceNumber) {
    return FindWindowW(InstanceClassName(instanceNumber).c_str(), nullptr);
}

bool IsInstanceWindowPresent(int instanceNumber) {
    return FindInstanceWindow(instanceNumber) != nullptr;
}

int RunningInstances(int instanceMax) {
    return FindFreeInstance(instanceMax, IsInstanceWindowPresent).running;
}

void StartRuler(const std::wstring& parameters) {
    wchar_t path[MAX_PATH] = L"";
    if (!GetModuleFileNameW(nullptr, path, MAX_PATH)) return;
    ShellExecuteW(nullptr, nullptr, path, parameters.empty() ? nullptr : parameters.c_str(), L"",
                  SW_SHOW);
}

bool SendToInstance(HWND other, UINT message, WPARAM wParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(other, message, wParam, 0, SMTO_ABORTIFHUNG, kInstanceReplyMs,
                               &result) != 0;
}

InstanceChoiceLock::InstanceChoiceLock() {
    mutex_ = CreateMutexW(nullptr, FALSE, kChoiceLockName);
    // Without the lock the window search alone decides, as it would for a lone ruler.
    if (!mutex_) return;
    const DWORD waited = WaitForSingleObject(mutex_, kInstanceChoiceWaitMs);
    // Abandoned: a ruler was ended while it chose. The lock guards only the set of ruler windows,
    // which the system has cleaned up with that process, so the lock is simply ours now. Timed
    // out: a ruler hangs while it chooses; this one goes on by the window search alone rather
    // than hang with it.
    owned_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

InstanceChoiceLock::~InstanceChoiceLock() {
    Release();
    if (mutex_) CloseHandle(mutex_);
}

void InstanceChoiceLock::Release() {
    if (owned_) ReleaseMutex(mutex_);
    owned_ = false;
}
