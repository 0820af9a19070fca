// Dots per inch on the system's side: the process's awareness of each monitor's density, the
// density of a monitor or window, and what every dialog does alike when its density changes.
#include "render/dpi_win.h"

#include "model/placement_win.h"
#include "model/trace_win.h"

namespace {

// The system's functions for each monitor's density are looked up when used: older systems lack
// them, and the program must start there too. Their types and numbers are
// written out, since headers for older systems lack those too.
using DpiContext = HANDLE;
const DpiContext kPerMonitorAwareV2 = reinterpret_cast<DpiContext>(static_cast<intptr_t>(-4));
const DpiContext kPerMonitorAware = reinterpret_cast<DpiContext>(static_cast<intptr_t>(-3));
using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(DpiContext);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using SetDialogControlDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
constexpr int kEffectiveDpi = 0;       // MDT_EFFECTIVE_DPI
constexpr int kDisableFontUpdate = 1;  // DCDC_DISABLE_FONT_UPDATE
constexpr int kDisableRelayout = 2;    // DCDC_DISABLE_RELAYOUT

template <typename Function>
Function User32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
               : nullptr;
}

// From the system's own directory only, and kept loaded for the life of the process.
GetDpiForMonitorFn GetDpiForMonitorFunction() {
    static const GetDpiForMonitorFn function = [] {
        // Windows 8.1 and later have it; older ones fall back to the screen's density.
        HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        const auto found = shcore ? reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(
                                        GetProcAddress(shcore, "GetDpiForMonitor")))
                                  : nullptr;
        if (!found) TraceFailure(L"finding GetDpiForMonitor in shcore.dll");
        return found;
    }();
    return function;
}

void SetControlBehaviour(HWND control, int behaviour) {
    static const auto set =
        User32Function<SetDialogControlDpiChangeBehaviorFn>("SetDialogControlDpiChangeBehavior");
    if (set && control) set(control, behaviour, behaviour);
}

}  // namespace

void BecomeDpiAware(bool vistaOrLater) {
    const auto set =
        User32Function<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext");
    if (!set) {
        // Before Windows 10 the manifest's older element has made the process aware of the
        // system's density (all it is then told of); this repeats it where no manifest was read.
        if (vistaOrLater) SetProcessDPIAware();
        return;
    }
    // The manifest has usually set this already, and the call then fails: that is as it should
    // be. A system that knows only the first per-monitor awareness is asked for that.
    if (!set(kPerMonitorAwareV2) && GetLastError() == ERROR_INVALID_PARAMETER) {
        set(kPerMonitorAware);
    }
}

Dpi ScreenDpi() {
    const WindowDc screen(nullptr);
    return MonitorDpi(static_cast<uint32_t>(GetDeviceCaps(screen.get(), LOGPIXELSX)),
                      static_cast<uint32_t>(GetDeviceCaps(screen.get(), LOGPIXELSY)), Dpi{});
}

Dpi DpiOfMonitor(HMONITOR monitor, const Dpi& otherwise) {
    const GetDpiForMonitorFn get = GetDpiForMonitorFunction();
    UINT x = 0;
    UINT y = 0;
    if (!get || !monitor || FAILED(get(monitor, kEffectiveDpi, &x, &y))) return otherwise;
    return MonitorDpi(x, y, otherwise);
}

Dpi DpiOfWindow(HWND window, const Dpi& otherwise) {
    static const auto get = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (!get || !window) return otherwise;
    const UINT dpi = get(window);
    return MonitorDpi(dpi, dpi, otherwise);
}

Dpi DpiOfChange(WPARAM wParam, const Dpi& otherwise) {
    return MonitorDpi(LOWORD(wParam), HIWORD(wParam), otherwise);
}

std::optional<Rect> SuggestedRect(LPARAM lParam) {
    const auto* r = reinterpret_cast<const RECT*>(lParam);
    if (!r) return std::nullopt;
    return Rect{r->left, r->top, r->right, r->bottom};
}

void DialogFont::Read(HWND dialog, const Dpi& madeAt) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    known_ = font && GetObjectW(font, sizeof(font_), &font_) != 0;
    madeAtY_ = madeAt.y;
}

LOGFONTW DialogFont::At(const Dpi& at) const {
    LOGFONTW font = font_;
    font.lfHeight = CarriedToDpi(font_.lfHeight, madeAtY_, at.y);
    // The width goes with the height: 0 lets the font choose it.
    font.lfWidth = CarriedToDpi(font_.lfWidth, madeAtY_, at.y);
    return font;
}

GdiObject<HFONT> DialogFont::Bold(const Dpi& at) const {
    if (!known_) return nullptr;
    LOGFONTW font = At(at);
    font.lfWeight = FW_BOLD;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    return MakeFont(font);
}

GdiObject<HFONT> DialogFont::Italic(const Dpi& at) const {
    if (!known_) return nullptr;
    LOGFONTW font = At(at);
    font.lfItalic = TRUE;
    font.lfUnderline = FALSE;
    return MakeFont(font);
}

void DialogDpi::Start(HWND dialog, const Dpi& ruler) {
    dpi = DpiOfWindow(dialog, ruler);
    font.Read(dialog, dpi);
}

void DialogDpi::Follow(HWND dialog, WPARAM wParam, LPARAM lParam) {
    dpi = DpiOfChange(wParam, dpi);
    const std::optional<Rect> r = SuggestedRect(lParam);
    if (r && r->Width() > 0 && r->Height() > 0) {
        SetWindowPos(dialog, nullptr, r->left, r->top, r->Width(), r->Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

GdiObject<HFONT> MakeFont(const LOGFONTW& font) {
    return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

int CaptionIconSize(const Dpi& dpi) {
    return ScaledToDpi(16, dpi.x);
}

GdiObject<HFONT> TooltipFontAt(const Dpi& dpi) {
    using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi =
        User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    const auto at = static_cast<UINT>(dpi.y);
    if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, at)) {
        return MakeFont(metrics.lfStatusFont);
    }
    // Older systems give the font at their own density only.
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        return nullptr;
    }
    LOGFONTW font = metrics.lfStatusFont;
    font.lfHeight = CarriedToDpi(font.lfHeight, ScreenDpi().y, dpi.y);
    return MakeFont(font);
}

void KeepOwnLayout(HWND control) {
    SetControlBehaviour(control, kDisableRelayout);
}

void KeepOwnFont(HWND control) {
    SetControlBehaviour(control, kDisableFontUpdate);
}
