// Times, under the real GDI and inside one process, one tick of the magnifier (its four panes
// read from the screen and shown) at the window's first size and at its largest, beside a plain
// copy of the same number of screen pixels. Prints medians.
//
// With an argument it only drives a running ruler for bench/magnifier_cpu.sh: "toggle N" opens
// or closes the magnifier of instance N, "minimise N" minimises it.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_timing_win.h"

#include "app/app_win.h"
#include "app/ruler_window_win.h"
#include "magnifier/magnifier.h"
#include "magnifier/magnifier_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

// The magnifier window of the ruler's process, by its title.
HWND FindMagnifier(HWND ruler, int instance) {
    const std::wstring title = L"Magnifier - Linova <" + std::to_wstring(instance) + L">";
    DWORD process = 0;
    GetWindowThreadProcessId(ruler, &process);
    for (HWND w = FindWindowW(nullptr, title.c_str()); w;
         w = FindWindowExW(nullptr, w, nullptr, title.c_str())) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == process) return w;
    }
    return nullptr;
}

int DriveRuler(const std::wstring& what, int instance) {
    const std::wstring className = L"Linova <" + std::to_wstring(instance) + L">";
    HWND ruler = FindWindowW(className.c_str(), nullptr);
    if (!ruler) {
        std::fprintf(stderr, "no ruler %d\n", instance);
        return 1;
    }
    const bool wasOpen = FindMagnifier(ruler, instance) != nullptr;
    if (what == L"toggle") {
        PostMessageW(ruler, WM_COMMAND, IDM_MAGNIFIER, 0);
        // Until the window has come or gone.
        for (int i = 0; i < 500 && (FindMagnifier(ruler, instance) != nullptr) == wasOpen; ++i) {
            Sleep(10);
        }
        return 0;
    }
    if (what == L"minimise" && wasOpen) {
        ShowWindow(FindMagnifier(ruler, instance), SW_MINIMIZE);
        return 0;
    }
    return 1;
}

HWND CreateRuler(Instance& app) {
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
    const RulerState& s = app.state;
    SetWindowPos(ruler, HWND_TOPMOST, s.xPosi, s.yPosi, s.ScaleLength + 1, 50, SWP_NOACTIVATE);
    UpdateWindow(ruler);
    return ruler;
}

// One tick's work, done at once: the four panes invalidated and painted.
void Tick(HWND magnifier) {
    for (int k = 0; k < kMagnifierPanes; ++k) {
        RedrawWindow(GetDlgItem(magnifier, IDC_MAG_PANE_1 + k), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW);
    }
    GdiFlush();
}

// The yardstick: one copy of as many screen pixels as the panes show, without stretching, into
// a bitmap kept for the purpose.
double PlainCopyMs(int width, int height) {
    WindowDc screen(nullptr);
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    ScopedSelect selected(dc.get(), bitmap.get());
    return MedianMs(101, [&] {
        BitBlt(dc.get(), 0, 0, width, height, screen.get(), 100, 400, SRCCOPY | CAPTUREBLT);
        GdiFlush();
    });
}

void TimeTicks(HWND magnifier, int zoom) {
    RulerState& s = TheApp().state;
    s.Magnifier = static_cast<int16_t>(zoom);
    RECT outer{};
    GetWindowRect(magnifier, &outer);
    RECT client{};
    GetClientRect(GetDlgItem(magnifier, IDC_MAG_PANE_1), &client);
    Tick(magnifier);  // the pane buffer is made at the first paint
    const double tick = MedianMs(101, [&] { Tick(magnifier); });
    RECT all{};
    GetClientRect(magnifier, &all);
    const double plain = PlainCopyMs(all.right, all.bottom);
    std::printf(
        "tick %3ld x %3ld window, panes %3ld x %3ld, zoom %d  %7.3f ms"
        "  (a plain copy of the client area %7.3f ms, ratio %5.2f)\n",
        outer.right - outer.left, outer.bottom - outer.top, client.right, client.bottom, zoom, tick,
        plain, tick / plain);
}

int TickTimes() {
    Instance& app = TheApp();
    RulerState& s = app.state;
    s.Scaling = 378;
    s.SaveOnExit = 0;
    s.MonitorRect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    s.PrimaryScreenWidth = s.MonitorRect.right;
    s.PrimaryScreenHeight = s.MonitorRect.bottom;
    s.DpiX = s.DpiY = 96;
    s.xPosi = 100;
    s.yPosi = 300;
    app.className = L"Linova bench";
    HWND ruler = CreateRuler(app);
    ToggleMagnifier(app);
    HWND magnifier = app.magnifierWindow;
    if (!magnifier) {
        std::fprintf(stderr, "the magnifier did not open\n");
        return 1;
    }
    // Away from the ruler, so that it shows none of itself.
    SetWindowPos(magnifier, nullptr, 900, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    TimeTicks(magnifier, 4);
    TimeTicks(magnifier, 1);
    SetWindowPos(magnifier, nullptr, 0, 0, kMagnifierMaxWidth, kMagnifierMaxHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TimeTicks(magnifier, 4);
    TimeTicks(magnifier, 1);
    DestroyWindow(ruler);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3) return DriveRuler(argv[1], _wtoi(argv[2]));
    return TickTimes();
}
