// Finding the other running rulers by their window class names, talking to them without waiting
// on one that hangs, and choosing this ruler's number without racing rulers that start with it.
#include "app/instances_win.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "model/trace_win.h"

namespace {

// Long enough for a ruler that is busy but alive, short enough that ending or telling the others
// goes on at once when one of them hangs.
constexpr UINT kInstanceReplyMs = 1000;

// One name for every ruler of the session ("Local\" is the session's own namespace).
constexpr const wchar_t* kChoiceLockName = L"Local\\Linova instance choice";
// Lives while the ruler that deleted the settings waits for the rulers made before.
constexpr const wchar_t* kUninstallMarkName = L"Local\\Linova uninstall";

uint64_t FromFileTime(const FILETIME& t) {
    return (uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}

uint64_t Now() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

// When the process was made; 0 when that cannot be read.
uint64_t MadeAt(HANDLE process) {
    FILETIME made{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(process, &made, &ended, &kernel, &user)) return 0;
    return FromFileTime(made);
}

// The file name of this program, without its folder.
std::wstring OwnFileName() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    return slash ? slash + 1 : path;
}

// The other processes of this program made before the moment, each opened to be waited for.
std::vector<HANDLE> RulersMadeBefore(uint64_t moment) {
    std::vector<HANDLE> rulers;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return rulers;
    const std::wstring name = OwnFileName();
    const DWORD self = GetCurrentProcessId();
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry);
         more && rulers.size() < MAXIMUM_WAIT_OBJECTS; more = Process32NextW(snapshot, &entry)) {
        if (entry.th32ProcessID == self || lstrcmpiW(entry.szExeFile, name.c_str()) != 0) continue;
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                     entry.th32ProcessID);
        if (!process) continue;
        const uint64_t made = MadeAt(process);
        if (made && made < moment) {
            rulers.push_back(process);
        } else {
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return rulers;
}

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
    const HINSTANCE started = ShellExecuteW(
        nullptr, nullptr, path, parameters.empty() ? nullptr : parameters.c_str(), L"", SW_SHOW);
    if (reinterpret_cast<INT_PTR>(started) <= 32) TraceFailure(L"starting another ruler");
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

UninstallMark::UninstallMark() : moment_(Now()) {
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(moment_),
                                  kUninstallMarkName);
    void* view =
        mapping_ ? MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(moment_)) : nullptr;
    if (!view) {
        TraceFailure(L"marking the uninstall for starting rulers");
        return;
    }
    std::memcpy(view, &moment_, sizeof(moment_));
    UnmapViewOfFile(view);
}

UninstallMark::~UninstallMark() {
    if (mapping_) CloseHandle(mapping_);
}

void UninstallMark::WaitForEarlierRulers() const {
    if (!mapping_) return;
    const std::vector<HANDLE> rulers = RulersMadeBefore(moment_);
    if (rulers.empty()) return;
    WaitForMultipleObjects(static_cast<DWORD>(rulers.size()), rulers.data(), TRUE,
                           kInstanceChoiceWaitMs);
    for (HANDLE process : rulers) CloseHandle(process);
}

bool StartedBeforeUninstall() {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, kUninstallMarkName);
    if (!mapping) return false;
    uint64_t moment = 0;
    if (const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(moment))) {
        std::memcpy(&moment, view, sizeof(moment));
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    const uint64_t made = MadeAt(GetCurrentProcess());
    return made && made < moment;
}
