// Entry point: chooses the instance number, loads its settings, shows the ruler window, starts
// the further instances named on the command line and runs the message loop.
#include <windows.h>
#include <commctrl.h>

#include "app/app_win.h"
#include "app/instances_win.h"
#include "app/ruler_window_win.h"
#include "app/startup.h"
#include "app/tray_win.h"
#include "model/edid_win.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "model/text_format.h"
#include "model/trace_win.h"
#include "ops/operations_win.h"
#include "ops/readout_win.h"
#include "render/backgrounds.h"
#include "render/dpi_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

// Exit codes of a start that could not make its window.
constexpr int kExitNoWindowClass = 1;
constexpr int kExitNoWindow = 2;

int32_t ReadOsVersionCode() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
    if (!GetVersionExW(&info)) return 0;
    return OsVersionCode(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

void RefuseToStart(HINSTANCE module) {
    wchar_t text[50] = L"";
    LoadStringW(module, IDS_CANT_ADD_MORE, text, 50);
    MessageBoxW(nullptr, text, L"Linova", MB_ICONWARNING);
}

// The class lives as long as the process, and so do its icon and cursor: both are shared, kept
// by the system and never destroyed.
bool RegisterRulerClass(HINSTANCE module, const Instance& app) {
    const RulerState& s = app.state;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RulerWindowProc;
    wc.hInstance = module;
    wc.hIcon = static_cast<HICON>(LoadImageW(module, RulerIconName(s.BackColor, false), IMAGE_ICON,
                                             32, 32, LR_DEFAULTCOLOR | LR_SHARED));
    wc.hCursor = RulerCursor(module, s.Vertical != 0);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = app.className.c_str();
    return RegisterClassExW(&wc) != 0;
}

// The monitor the ruler was stored on, then size, position and z-order from the state. The
// monitor is known and the position kept on it before the window first gets a rectangle, so a
// ruler stored off every monitor is never shown there; a full-scale ruler takes its length from
// that monitor.
void ShowRuler(Instance& app, int showCommand) {
    HWND ruler = app.ruler;
    RulerState& s = app.state;
    if (app.osVersionCode >= kOsVersion2000) {
        SetLayeredWindowAttributes(ruler, 0, static_cast<BYTE>(s.LayerWindow & 0xFF), LWA_ALPHA);
    }
    app.monitorList = EnumerateMonitors();
    SettleOnMonitor(s, MonitorNearest(s, StoredRulerRect(s)), app.monitorList);
    ShowWindow(ruler, showCommand);
    UpdateWindow(ruler);
    PlaceWindow(ruler, s, 0);
    RefreshReadout(app);
}

void StartFurtherInstances(const CommandLine& line, const RulerState& s) {
    for (int n : InstancesToStart(line, s.InstanceMax, s.InstanceNumber, IsInstanceWindowPresent)) {
        StartRuler(DecimalText(n));
    }
}

// The density of the monitor the ruler was settled on is the ruler's from now on (the screen's
// setting until then). The scale itself is drawn the same at every density, so the first paint
// does without it, and without mapping shcore, which takes a millisecond.
void ReadMonitorDpi(RulerState& s) {
    const RECT monitor{s.MonitorRect.left, s.MonitorRect.top, s.MonitorRect.right,
                       s.MonitorRect.bottom};
    SetDpi(s, DpiOfMonitor(MonitorFromRect(&monitor, MONITOR_DEFAULTTONEAREST), DpiOf(s)));
}

// What the first paint does not need: the monitor's density, the common controls with the
// tooltip, the monitors' own sizes, the tray icon and the further instances. comctl32 and shell32
// are delay-loaded and mapped only now; mapping comctl32 before the paint put it some 50 ms later.
void FinishStart(Instance& app, const CommandLine& line) {
    ReadMonitorDpi(app.state);
    InitCommonControls();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    CreateRulerTooltip(app);
    FitTooltipToDpi(app);
    RefreshReadout(app);
    // The monitors' own sizes cost a device enumeration (some 35 ms under Wine, a fifth of a
    // start): the scale follows them when they change it.
    LearnMonitorSizes(app.state);
    ApplyRefresh(app, FollowDisplaySizes(app.state));
    // The first instance shows the icon whose menus reach every ruler.
    if (app.instancesAtStart == 0) AddTrayIcon(app);
    StartFurtherInstances(line, app.state);
}

int RunMessageLoop(Instance& app, const CommandLine& line) {
    bool startFinished = false;
    MSG msg{};
    for (;;) {
        // The first time no message waits, not even a paint, the ruler shows its scale: the
        // rest of the start-up follows.
        if (!startFinished && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            startFinished = true;
            FinishStart(app, line);
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        // 0 is WM_QUIT; -1 is an error that would only repeat.
        if (got == 0 || got == -1) break;
        HWND panel = app.panelWindow;
        if (panel && IsDialogMessageW(panel, &msg)) continue;
        // Esc closes the magnifier, Enter too; Shift+F10 reaches its menu.
        HWND magnifier = app.magnifierWindow;
        if (magnifier && IsDialogMessageW(magnifier, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// Takes an instance number (false when every number is taken) and loads that instance's settings.
bool ChooseInstanceAndLoad(Instance& app, const CommandLine& line) {
    RulerState& s = app.state;
    RegistryStore store;
    LoadProductValues(s, store);
    const FreeInstance free = FindFreeInstance(s.InstanceMax, IsInstanceWindowPresent);
    app.instancesAtStart = static_cast<int16_t>(free.running);
    if (app.instancesAtStart >= s.InstanceMax) return false;
    s.InstanceNumber = static_cast<int16_t>(
        ChooseInstanceNumber(free.number, line.first, s.InstanceMax, IsInstanceWindowPresent));
    app.className = InstanceClassName(s.InstanceNumber);
    s.PrimaryScreenWidth = GetSystemMetrics(SM_CXSCREEN);
    s.PrimaryScreenHeight = GetSystemMetrics(SM_CYSCREEN);
    LoadInstance(s, store);
    return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE previous, PWSTR commandLine, int showCommand) {
    Instance& app = TheApp();
    app.osVersionCode = ReadOsVersionCode();
    BecomeDpiAware(app.osVersionCode >= kOsVersionVista);
    const CommandLine line = ParseCommandLine(commandLine ? commandLine : L"");
    InstanceChoiceLock choosing;
    // The user deleted every setting while this ruler was starting: it ends with the others.
    if (StartedBeforeUninstall()) return 0;
    if (!ChooseInstanceAndLoad(app, line)) {
        choosing.Release();
        RefuseToStart(module);
        return 0;
    }

    SetDpi(app.state, ScreenDpi());
    // Without its window the process would wait for messages that never come, unseen.
    if (!previous && !RegisterRulerClass(module, app)) {
        TraceFailure(L"registering the ruler's window class");
        return kExitNoWindowClass;
    }
    app.module = module;

    HWND ruler = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, app.className.c_str(),
                                 app.className.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 module, nullptr);
    if (!ruler) {
        TraceFailure(L"making the ruler's window");
        return kExitNoWindow;
    }
    app.ruler = ruler;
    // From now on the other rulers' searches find this number taken.
    choosing.Release();
    ShowRuler(app, showCommand);
    return RunMessageLoop(app, line);
}
