// The yardstick of the user benchmark: the least a layered ruler-sized window does. It shows a
// 301 x 50 white window where a new ruler shows, moves a pixel on the Right key and follows its
// own drag with one SetWindowPos each, and turns on Home by swapping its sides about its centre.
// With "tooltip" on the command line it also keeps a tooltip over itself, as the ruler does.
// With "steps" it also keeps a tooltip, and a turn takes the steps the ruler's turn is made of,
// each done the plainest way: the pointer read (the ruler's monitor follows it), the window placed
// again in its z-order band, its title and its tip's text set, the whole window invalidated with
// its white background erased, and the class cursor for the new direction set.
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

namespace {

bool g_dragging = false;
POINT g_anchor{};
bool g_turnSteps = false;
// The tooltip, when there is one. Kept here as the ruler keeps its own: a window property would
// cost a trip to the server at each look.
HWND g_tip = nullptr;

void SetTipText(HWND window, const wchar_t* text);
void FollowSize(HWND window);

// The steps beside the new place and size that a ruler's turn takes.
void TurnSteps(HWND window, int x, int y, int width, int height) {
    POINT pointer{};
    GetCursorPos(&pointer);
    SetWindowPos(window, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE);
    wchar_t title[64];
    std::swprintf(title, 64, L"Minimal <1> - %d Pixel", width > height ? width - 1 : height - 1);
    SetWindowTextW(window, title);
    SetTipText(window, title);
    InvalidateRect(window, nullptr, TRUE);
    static const HCURSOR along = LoadCursorW(nullptr, IDC_SIZEWE);
    static const HCURSOR across = LoadCursorW(nullptr, IDC_SIZENS);
    SetClassLongPtrW(window, GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(width > height ? along : across));
}

void Turn(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.bottom - r.top;
    const int height = r.right - r.left;
    const int centreX = (r.left + r.right) / 2;
    const int centreY = (r.top + r.bottom) / 2;
    if (g_turnSteps) {
        TurnSteps(window, centreX - width / 2, centreY - height / 2, width, height);
        return;
    }
    SetWindowPos(window, nullptr, centreX - width / 2, centreY - height / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void StepRight(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, r.left + 1, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Follow(HWND window, LPARAM lParam) {
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(window, &p);
    SetWindowPos(window, nullptr, p.x - g_anchor.x, p.y - g_anchor.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PaintWhite(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintWhite(window);
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_RIGHT) StepRight(window);
            if (wParam == VK_HOME) Turn(window);
            return 0;
        case WM_LBUTTONDOWN:
            SetCapture(window);
            g_dragging = true;
            g_anchor = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            return 0;
        case WM_MOUSEMOVE:
            if (g_dragging && (wParam & MK_LBUTTON)) Follow(window, lParam);
            return 0;
        case WM_LBUTTONUP:
            g_dragging = false;
            ReleaseCapture();
            return 0;
        case WM_SIZE:
            if (g_turnSteps) FollowSize(window);
            break;
        case WM_DESTROY:
            if (g_tip) DestroyWindow(g_tip);
            g_tip = nullptr;
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Loaded only when asked for, so the plain window imports no more than it needs.
void AddTooltip(HWND window, HINSTANCE module) {
    HMODULE controls = LoadLibraryW(L"comctl32.dll");
    using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitControls>(
        reinterpret_cast<void*>(GetProcAddress(controls, "InitCommonControlsEx")));
    if (!init) return;
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    init(&classes);
    HWND tip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, module, nullptr);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = window;
    GetClientRect(window, &tool.rect);
    tool.hinst = module;
    tool.lpszText = const_cast<wchar_t*>(L"Minimal window");
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tip, TTM_ACTIVATE, TRUE, 0);
    // Mouse messages reach the tip as the ruler passes them on.
    g_tip = tip;
}

TOOLINFOW ToolOf(HWND window) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = window;
    return tool;
}

void SetTipText(HWND window, const wchar_t* text) {
    if (g_tip) {
        TOOLINFOW tool = ToolOf(window);
        tool.lpszText = const_cast<wchar_t*>(text);
        SendMessageW(g_tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The tip's tool covers the window, as the ruler's does.
void FollowSize(HWND window) {
    if (g_tip) {
        TOOLINFOW tool = ToolOf(window);
        GetClientRect(window, &tool.rect);
        SendMessageW(g_tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void Relay(const MSG& msg) {
    if (g_tip) {
        SendMessageW(g_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR commandLine, int showCommand) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = module;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    g_turnSteps = commandLine && std::wcsstr(commandLine, L"steps");
    // The ruler's class brush is its background, which the erase of a turn paints.
    if (g_turnSteps) wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"Linova bench minimal";
    RegisterClassExW(&wc);
    HWND window =
        CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, wc.lpszClassName, L"",
                        WS_POPUP, 20, 100, 301, 50, nullptr, nullptr, module, nullptr);
    if (!window) return 1;
    SetLayeredWindowAttributes(window, 0, 192, LWA_ALPHA);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    if (g_turnSteps || (commandLine && std::wcsstr(commandLine, L"tooltip"))) {
        AddTooltip(window, module);
    }

    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        const bool mouse = msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONDOWN;
        if (mouse && msg.hwnd == window) Relay(msg);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
