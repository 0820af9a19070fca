// A line for a debugger where something failed that the user cannot see: DebugView shows it on
// Windows; Wine writes it to standard error on its debug-string channel (Wine 8 names it "seh":
// WINEDEBUG=warn+seh).
#pragma once

// Writes "Linova: <what> failed (error N)", N being the thread's last error. Call it at once,
// before any other call can change that error.
void TraceFailure(const wchar_t* what);
