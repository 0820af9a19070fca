// The CPU that processes of this Wine prefix spend, read from the Unix side: under Wine 8,
// GetProcessTimes answers for the calling process whatever process it is asked about. The
// benchmark reads /proc through drive Z: and finds the processes as the shell scripts in bench/
// do: by a piece of their command line, and only those of its own Wine prefix (and, for the X
// server, of its own display), since other prefixes may run the same programs at the same time.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace unix_cpu {

// A whole file of /proc, read through drive Z: ("" when it cannot be read).
inline std::string ReadProcFile(int pid, const char* name) {
    const std::wstring path =
        L"Z:\\proc\\" + std::to_wstring(pid) + L"\\" + std::wstring(name, name + strlen(name));
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    CloseHandle(file);
    return text;
}

inline std::string Environment(const char* name) {
    char value[1024] = "";
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof(value));
    return length > 0 && length < sizeof(value) ? std::string(value, length) : std::string();
}

// The NUL-separated fields of a /proc file.
inline std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\0', start);
        if (end == std::string::npos) end = text.size();
        fields.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

inline bool Holds(const std::vector<std::string>& fields, const std::string& field) {
    for (const std::string& f : fields) {
        if (f == field) return true;
    }
    return false;
}

// The processes of this user whose command line contains the text and whose environment names
// this Wine prefix; with `display` set, those whose first argument is that X display instead.
inline std::vector<int> Find(const std::string& inCommandLine, bool byDisplay = false) {
    const std::string prefix = "WINEPREFIX=" + Environment("WINEPREFIX");
    const std::string display = Environment("DISPLAY");
    std::vector<int> pids;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return pids;
    do {
        const int pid = _wtoi(found.cFileName);
        if (pid <= 0) continue;
        const std::string commandLine = ReadProcFile(pid, "cmdline");
        const std::vector<std::string> arguments = Fields(commandLine);
        if (arguments.empty() || commandLine.find(inCommandLine) == std::string::npos) continue;
        const bool ours = byDisplay ? arguments.size() > 1 && arguments[1] == display
                                    : Holds(Fields(ReadProcFile(pid, "environ")), prefix);
        if (ours) pids.push_back(pid);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return pids;
}

// User and system time of the processes so far, in milliseconds (fields 14 and 15 of stat, in
// clock ticks of 10 ms).
inline double CpuMs(const std::vector<int>& pids) {
    long long ticks = 0;
    for (int pid : pids) {
        const std::string stat = ReadProcFile(pid, "stat");
        // The command name in parentheses may hold spaces; the fields count from after it.
        const size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::vector<long long> numbers;
        size_t at = close + 2;
        while (at < stat.size() && numbers.size() < 13) {
            const size_t end = stat.find(' ', at);
            numbers.push_back(std::atoll(stat.substr(at, end - at).c_str()));
            if (end == std::string::npos) break;
            at = end + 1;
        }
        // Fields 3.. follow the name: utime is field 14, stime field 15.
        if (numbers.size() >= 13) ticks += numbers[11] + numbers[12];
    }
    return ticks * 10.0;
}

// The Wine prefix's server and the display's X server: they do the window work that a message
// sent between processes, a window moved or a picture shown asks of them.
struct Servers {
    std::vector<int> pids;
    Servers() {
        pids = Find("wineserver");
        for (int pid : Find("Xvfb", true)) pids.push_back(pid);
    }
};

}  // namespace unix_cpu
