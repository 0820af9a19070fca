// The GDI objects another process holds, counted from outside it. Windows answers
// GetGuiResources. Wine 8 answers 0 there, but keeps each process's objects in a handle table of
// the process's own, which its PEB points to as Windows's points to the system's
// (GdiSharedHandleTable), with entries laid out alike: the live entries are the objects.
#include "gdi_objects.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

namespace e2e {

namespace {

// Where the PEB of a 64-bit process keeps the table's address.
constexpr size_t kTableInPeb = 0xF8;
// As many entries as the table has.
constexpr size_t kTableEntries = 16384;

struct TableEntry {
    uint64_t object;
    uint16_t processId;
    uint16_t count;
    uint16_t unique;
    uint8_t type;  // 0 for a free entry
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(TableEntry) == 24, "an entry of a 64-bit process's table");

using QueryProcessFn = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);

class ProcessHandle {
  public:
    explicit ProcessHandle(DWORD id)
        : handle_(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id)) {}
    ~ProcessHandle() {
        if (handle_) CloseHandle(handle_);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

// The table's address in the process; 0 when it cannot be read.
uint64_t TableAddress(HANDLE process) {
    static const auto query = reinterpret_cast<QueryProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return 0;
    }
    uint64_t table = 0;
    const auto* peb = reinterpret_cast<const char*>(basic.PebBaseAddress);
    if (!peb || !ReadProcessMemory(process, peb + kTableInPeb, &table, sizeof(table), nullptr)) {
        return 0;
    }
    return table;
}

std::optional<int> CountTableEntries(HANDLE process) {
    const uint64_t table = TableAddress(process);
    if (!table) return std::nullopt;
    std::vector<TableEntry> entries(kTableEntries);
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(TableEntry), &read)) {
        return std::nullopt;
    }
    entries.resize(read / sizeof(TableEntry));
    int live = 0;
    for (const TableEntry& e : entries) {
        if (e.type) ++live;
    }
    return live;
}

}  // namespace

std::optional<int> CountGdiObjects(DWORD processId) {
    const ProcessHandle process(processId);
    if (!process.get()) return std::nullopt;
    if (const DWORD counted = GetGuiResources(process.get(), GR_GDIOBJECTS)) {
        return static_cast<int>(counted);
    }
    return CountTableEntries(process.get());
}

}  // namespace e2e
