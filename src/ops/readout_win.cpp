// The ruler's title and its tooltip, which show the current readings.
#include "ops/readout_win.h"

#include <commctrl.h>

#include <utility>

#include "model/geometry_win.h"
#include "model/trace_win.h"
#include "ops/readout.h"
#include "render/dpi_win.h"

namespace {

TOOLINFOW ToolOf(const Instance& app, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = app.ruler;
    tool.uId = 0;
    GetClientRect(app.ruler, &tool.rect);
    tool.hinst = app.module;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

void CreateRulerTooltip(Instance& app) {
    app.rulerTooltip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, app.module, nullptr);
    if (!app.rulerTooltip) {
        TraceFailure(L"making the ruler's tooltip");
        return;
    }
    TOOLINFOW tool = ToolOf(app, app.className.c_str());
    SendMessageW(app.rulerTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(app.rulerTooltip, TTM_ACTIVATE, TRUE, 0);
    // Four lines, each up to 255 pixels wide.
    SendMessageW(app.rulerTooltip, TTM_SETMAXTIPWIDTH, 0, 255);
}

void FitTooltipToDpi(Instance& app) {
    if (!app.rulerTooltip) return;
    GdiObject<HFONT> font = TooltipFontAt(DpiOf(app.state));
    if (!font) return;
    SendMessageW(app.rulerTooltip, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    // The font shown before goes once the tooltip no longer uses it.
    app.tooltipFont = std::move(font);
}

void RelayToTooltip(const Instance& app, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND tooltip = app.rulerTooltip;
    if (!tooltip) return;
    MSG msg{};
    msg.hwnd = app.ruler;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(GetMessageTime());
    msg.pt = MessagePoint();
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (IsWindowVisible(tooltip)) {
        SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void ResizeTooltip(const Instance& app) {
    HWND tooltip = app.rulerTooltip;
    if (!tooltip) return;
    TOOLINFOW tool = ToolOf(app, nullptr);
    SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RefreshReadout(const Instance& app) {
    const ReadoutTexts texts = MakeReadoutTexts(app.state, app.className);
    SetWindowTextW(app.ruler, texts.title.c_str());
    if (app.rulerTooltip) {
        TOOLINFOW tool = ToolOf(app, texts.tooltip.c_str());
        SendMessageW(app.rulerTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
