// What the benchmarks that drive the ruler from outside share: waiting on what the screen and the
// windows show, keys through the system's input queue, and the user's settings put aside.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench_timing_win.h"

// The median of the samples that succeeded (a failed one is negative); -1 when none did.
inline double Median(std::vector<double> values) {
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }),
                 values.end());
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Polls without flooding the window server with requests: a tenth of a millisecond between
// looks, spent spinning so that the wake-up does not round the time up to a scheduler tick.
inline bool PollUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        const auto now = Clock::now();
        if (now > end) return false;
        while (Clock::now() - now < std::chrono::microseconds(100)) {
        }
    }
    return true;
}

// The pixels of a screen rectangle, row by row from the top (0x00RRGGBB); empty when it has no
// area.
inline std::vector<uint32_t> ScreenPixels(const RECT& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    std::vector<uint32_t> pixels;
    if (bits) {
        const auto* p = static_cast<const uint32_t*>(bits);
        pixels.assign(p, p + static_cast<size_t>(width) * height);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

inline std::wstring ExeBeside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + name;
}

// Makes the window the foreground window and waits until it has stayed so for 100 ms: under Wine
// the focus events of the window in front before can take the foreground back a moment later.
inline bool BringToFront(HWND window, int timeoutMs = 3000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::optional<Clock::time_point> inFrontSince;
    while (Clock::now() < end) {
        if (GetForegroundWindow() != window) {
            inFrontSince.reset();
            SetForegroundWindow(window);
        } else if (!inFrontSince) {
            inFrontSince = Clock::now();
        } else if (Clock::now() - *inFrontSince >= std::chrono::milliseconds(100)) {
            return true;
        }
        Sleep(1);
    }
    return false;
}

// A press or release of the key through the input queue.
inline INPUT Key(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    // Home and the arrows are extended keys.
    input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

inline void PressKey(WORD virtualKey) {
    INPUT inputs[2] = {Key(virtualKey, false), Key(virtualKey, true)};
    SendInput(2, inputs, sizeof(INPUT));
}

// Moves a key with everything below it to another name; false when there is no such key.
inline bool MoveSettings(const wchar_t* from, const wchar_t* to) {
    HKEY source = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, from, 0, KEY_READ, &source) != ERROR_SUCCESS) return false;
    RegDeleteTreeW(HKEY_CURRENT_USER, to);
    HKEY target = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                        nullptr) == ERROR_SUCCESS) {
        RegCopyTreeW(source, nullptr, target);
        RegCloseKey(target);
    }
    RegCloseKey(source);
    RegDeleteTreeW(HKEY_CURRENT_USER, from);
    return true;
}
