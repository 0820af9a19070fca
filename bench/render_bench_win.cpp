// Times, under the real GDI and inside one process, the rendering of the whole scale for each
// unit and direction, the paint of a 1920-pixel ruler, a drag and length steps sent as messages.
// Prints medians. (user_bench_win measures what a user gets, from outside the process.)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_timing_win.h"

#include "app/app_win.h"
#include "app/ruler_window_win.h"
#include "render/backgrounds_win.h"
#include "render/ruler_paint_win.h"

namespace {

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintRuler(window, TheApp().state, TheApp().module, TheApp().picture);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateBenchWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = BenchWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LinovaRenderBench";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                  1921, 50, nullptr, nullptr, wc.hInstance, nullptr);
    ApplyBackColor(window, TheApp().module, TheApp().state.BackColor, TheApp().picture.background);
    return window;
}

// The real ruler window, driven with the messages a drag and Page Down keys bring.
void DragAndLengthSteps() {
    Instance& app = TheApp();
    RulerState& s = app.state;
    s = RulerState{};
    s.Scaling = 378;
    s.SaveOnExit = 0;
    s.MonitorRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    s.PrimaryScreenWidth = s.MonitorRect.right;
    s.PrimaryScreenHeight = s.MonitorRect.bottom;
    s.xPosi = 100;
    s.yPosi = 300;
    app.className = L"Linova bench";
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RulerWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = app.className.c_str();
    RegisterClassExW(&wc);
    HWND ruler = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP,
                                 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    app.module = LoadLibraryExW(LinovaPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    SetLayeredWindowAttributes(ruler, 0, 255, LWA_ALPHA);
    ShowWindow(ruler, SW_SHOWNA);
    SetWindowPos(ruler, HWND_TOPMOST, 100, 300, 301, 50, SWP_NOACTIVATE);
    UpdateWindow(ruler);

    const uint64_t rendersBefore = app.picture.renders;
    SendMessageW(ruler, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    const int moves = 500;
    const auto dragStart = Clock::now();
    for (int i = 1; i <= moves; ++i) {
        // The cursor goes one pixel right and down at each step; the ruler follows it.
        const int x = 110 + i - s.xPosi;
        const int y = 310 + i / 2 - s.yPosi;
        SendMessageW(ruler, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        UpdateWindow(ruler);
    }
    const double dragMs = Milliseconds(Clock::now() - dragStart);
    SendMessageW(ruler, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    std::printf("drag, %d moves                %7.0f moves/s, %llu renders\n", moves,
                moves * 1000.0 / dragMs,
                static_cast<unsigned long long>(app.picture.renders - rendersBefore));

    const uint64_t rendersBeforeLength = app.picture.renders;
    const int steps = 200;
    const auto lengthStart = Clock::now();
    for (int i = 0; i < steps; ++i) {
        SendMessageW(ruler, WM_KEYDOWN, i % 2 ? VK_PRIOR : VK_NEXT, 0);
        UpdateWindow(ruler);
    }
    const double lengthMs = Milliseconds(Clock::now() - lengthStart);
    std::printf("length, %d steps              %7.3f ms per step, %llu renders\n", steps,
                lengthMs / steps,
                static_cast<unsigned long long>(app.picture.renders - rendersBeforeLength));
    DestroyWindow(ruler);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

int wmain() {
    Instance& app = TheApp();
    app.module = LoadLibraryExW(LinovaPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    RulerState& s = app.state;
    s.Scaling = 378;
    s.BackColor = 2;
    s.ScaleLength = 1920;
    HWND window = CreateBenchWindow();

    const wchar_t* units[] = {L"Pixel", L"cm", L"inch"};
    double slowestRender = 0;
    for (int vertical = 0; vertical <= 1; ++vertical) {
        for (int16_t unit = 0; unit <= 2; ++unit) {
            s.Vertical = vertical;
            s.Unit = unit;
            const double ms =
                MedianMs(15, [&] { RenderScale(window, s, app.module, app.picture); });
            slowestRender = std::max(slowestRender, ms);
            std::printf("RenderScale %-10s %-5ls %7.3f ms\n", vertical ? "vertical" : "horizontal",
                        units[unit], ms);
        }
    }
    s.Vertical = 0;
    s.Unit = 1;
    RenderScale(window, s, app.module, app.picture);
    const double paint = MedianMs(50, [&] {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    });
    std::printf("PaintRuler 1920 pixels       %7.3f ms (%.1f%% of the slowest render)\n", paint,
                100.0 * paint / slowestRender);
    DestroyWindow(window);

    DragAndLengthSteps();
    return 0;
}
