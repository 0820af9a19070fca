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
#include <utility>
#include <vector>

#include "bench_timing_win.h"

// The value that a share `q` (0 to 1) of the samples that succeeded lies below (a failed one is
// negative); -1 when none did.
inline double Quantile(std::vector<double> values, double q) {
    values.erase(std::remove_if(values.begin(), values.end(), [](double v) { return v < 0; }),
                 values.end());
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const auto at = static_cast<size_t>(q * static_cast<double>(values.size()));
    return values[std::min(at, values.size() - 1)];
}

// The median of the samples that succeeded; -1 when none did.
inline double Median(std::vector<double> values) {
    return Quantile(std::move(values), 0.5);
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

// Reads screen rectangles into one bitmap kept from read to read. Under Wine a copy of the
// screen into a bitmap already used costs about a quarter of one into a new bitmap, so a
// benchmark that watches the screen takes less of the machine from what it measures.
class ScreenReader {
  public:
    ScreenReader() = default;
    ~ScreenReader() { Release(); }
    ScreenReader(const ScreenReader&) = delete;
    ScreenReader& operator=(const ScreenReader&) = delete;

    // The pixels of a screen rectangle, row by row from the top (0x00RRGGBB), into `pixels`;
    // empty when it has no area or cannot be read.
    void Read(const RECT& r, std::vector<uint32_t>& pixels) {
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        pixels.clear();
        if (width <= 0 || height <= 0 || !Fit(width, height)) return;
        BitBlt(memory_, 0, 0, width, height, screen_, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits_);
        pixels.assign(p, p + static_cast<size_t>(width) * height);
    }

  private:
    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ original_ = nullptr;
    void* bits_ = nullptr;
    SIZE size_{};

    // A bitmap of exactly that size, made again only when the size changes.
    bool Fit(int width, int height) {
        if (bitmap_ && size_.cx == width && size_.cy == height) return true;
        Release();
        screen_ = GetDC(nullptr);
        memory_ = CreateCompatibleDC(screen_);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        bitmap_ = CreateDIBSection(screen_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
        if (!screen_ || !memory_ || !bitmap_ || !bits_) {
            Release();
            return false;
        }
        original_ = SelectObject(memory_, bitmap_);
        size_ = {width, height};
        return true;
    }

    void Release() {
        if (memory_ && original_) SelectObject(memory_, original_);
        if (bitmap_) DeleteObject(bitmap_);
        if (memory_) DeleteDC(memory_);
        if (screen_) ReleaseDC(nullptr, screen_);
        screen_ = memory_ = nullptr;
        bitmap_ = nullptr;
        original_ = nullptr;
        bits_ = nullptr;
        size_ = {};
    }
};

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
