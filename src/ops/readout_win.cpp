// The ruler's title and its tooltip, which show the current readings.
#include "ops/readout_win.h"

#include <commctrl.h>

#include "app/app_win.h"
#include "ops/readout.h"

namespace {

TOOLINFOW ToolOf(HWND ruler, const wchar_t* text) {
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.hwnd = ruler;
    tool.uId = 0;
    GetClientRect(ruler, &tool.rect);
    tool.hinst = TheApp().module;
    tool.lpszText = const_cast<wchar_t*>(text);
    return tool;
}

}  // namespace

void CreateRulerTooltip(HWND ruler) {
    App& app = TheApp();
    app.rulerTooltip =
        CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, app.module, nullptr);
    if (!app.rulerTooltip) return;
    TOOLINFOW tool = ToolOf(ruler, app.className.c_str());
    SendMessageW(app.rulerTooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(app.rulerTooltip, TTM_ACTIVATE, TRUE, 0);
    // Four lines, each up to 255 pixels wide.
    SendMessageW(app.rulerTooltip, TTM_SETMAXTIPWIDTH, 0, 255);
}

void RelayToTooltip(HWND ruler, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND tooltip = TheApp().rulerTooltip;
    if (!tooltip) return;
    MSG msg{};
    msg.hwnd = ruler;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = static_cast<DWORD>(GetMessageTime());
    const DWORD pos = GetMessagePos();
    msg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    if (IsWindowVisible(tooltip)) {
        SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    }
}

void ResizeTooltip(HWND ruler) {
    HWND tooltip = TheApp().rulerTooltip;
    if (!tooltip) return;
    TOOLINFOW tool = ToolOf(ruler, nullptr);
    SendMessageW(tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void RefreshReadout(HWND ruler) {
    const App& app = TheApp();
    const ReadoutTexts texts = MakeReadoutTexts(app.state, app.className);
    SetWindowTextW(ruler, texts.title.c_str());
    if (app.rulerTooltip) {
        TOOLINFOW tool = ToolOf(ruler, texts.tooltip.c_str());
        SendMessageW(app.rulerTooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
