// Sends a window one key press after another, each sent and answered before the next, with a pause
// between them in which the window paints; then asks the window to close. bench/server_requests.sh
// uses it to drive the ruler and the minimal window alike.
//
//   send_keys_win.exe CLASS VIRTUAL_KEY [PRESSES]      (PRESSES: 4 by default)
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: send_keys_win.exe CLASS VIRTUAL_KEY [PRESSES]\n");
        return 2;
    }
    const wchar_t* className = argv[1];
    const auto key = static_cast<WPARAM>(std::wcstoul(argv[2], nullptr, 10));
    const int presses = argc > 3 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : 4;
    HWND window = nullptr;
    for (int k = 0; k < 100 && !window; ++k) {
        window = FindWindowW(className, nullptr);
        if (!window) Sleep(100);
    }
    if (!window) {
        std::fprintf(stderr, "send_keys_win: no window of class %ls\n", className);
        return 1;
    }
    // The window has shown and settled before the first press.
    Sleep(1000);
    for (int k = 0; k < presses; ++k) {
        SendMessageW(window, WM_KEYDOWN, key, 0);
        Sleep(300);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
}
