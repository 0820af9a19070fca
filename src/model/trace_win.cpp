// A line for a debugger where something failed that the user cannot see.
#include "model/trace_win.h"

#include <windows.h>

#include <string>

void TraceFailure(const wchar_t* what) {
    const DWORD error = GetLastError();
    const std::wstring line =
        L"Linova: " + std::wstring(what) + L" failed (error " + std::to_wstring(error) + L")\n";
    OutputDebugStringW(line.c_str());
    // What the caller does next may read the error as the failure left it.
    SetLastError(error);
}
