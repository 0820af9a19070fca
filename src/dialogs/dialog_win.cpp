// What every window made from a dialog template does alike: its state kept with the window and
// freed with it, its density followed, its place beside the ruler, its caption icon and bold
// font, its controls' colours and its toolbar's tips.
#include "dialogs/dialog_win.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "dialogs/colour_strip.h"
#include "model/trace_win.h"
#include "render/backgrounds.h"
#include "resources/resource.h"

namespace {

void TraceDialogFailure(const wchar_t* templateName) {
    TraceFailure((std::wstring(L"making the dialog ") + templateName).c_str());
}

// The state comes as the owner that hands it over, so that a dialog that is never made leaves it
// with its maker, who frees it.
DialogPart* TakeOver(HWND window, LPARAM handed) {
    DialogPart* state = reinterpret_cast<std::unique_ptr<DialogPart>*>(handed)->release();
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    return state;
}

}  // namespace

INT_PTR CALLBACK DialogPart::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        DialogPart* d = TakeOver(window, lParam);
        d->window = window;
        d->Start();
        return d->OnInitDialog();
    }
    DialogPart* d = Of(window);
    if (!d) return FALSE;
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return d->OnControlColour(reinterpret_cast<HDC>(wParam),
                                      reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            return d->OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CLOSE:
            d->OnClose();
            return TRUE;
        case WM_NOTIFY:
            if (d->OnTip(*reinterpret_cast<const NMHDR*>(lParam))) return TRUE;
            break;
        case WM_DPICHANGED:
            d->FollowDpi(wParam, lParam);
            // The system goes on to scale what the template made.
            return FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, DWLP_USER, 0);
            delete d;
            // Not handled here: the dialog manager goes on to free what it made, the template's
            // font among it.
            return FALSE;
    }
    return d->OnMessage(message, wParam, lParam);
}

DialogPart* DialogPart::Of(HWND window) {
    return reinterpret_cast<DialogPart*>(GetWindowLongPtrW(window, DWLP_USER));
}

INT_PTR DialogPart::OnCommand(int, int) {
    return FALSE;
}

void DialogPart::OnClose() {
    EndDialog(window, 1);
}

INT_PTR DialogPart::OnMessage(UINT, WPARAM, LPARAM) {
    return FALSE;
}

HBRUSH DialogPart::ControlColour(HDC, int) {
    return nullptr;
}

const wchar_t* DialogPart::Tip(int) const {
    return nullptr;
}

void DialogPart::FollowDpi(WPARAM, LPARAM) {}

INT_PTR DialogPart::OnControlColour(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    if (HBRUSH own = ControlColour(dc, GetDlgCtrlID(control))) {
        return reinterpret_cast<INT_PTR>(own);
    }
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

bool DialogPart::OnTip(const NMHDR& header) {
    if (header.code != TTN_GETDISPINFOW) return false;
    const wchar_t* tip = Tip(static_cast<int>(header.idFrom));
    if (!tip) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    lstrcpynW(info.szText, tip, ARRAYSIZE(info.szText));
    info.lpszText = info.szText;
    StyleTip(header.hwndFrom);
    return true;
}

void RulerDialog::Start() {
    // The density it was made at; a move to another monitor announces the next one.
    dpi.Start(window, DpiOf(app.state));
    PlaceBesideRuler(window, app, OpeningSize());
}

void RulerDialog::FollowDpi(WPARAM wParam, LPARAM lParam) {
    dpi.Follow(window, wParam, lParam);
    ApplyDpi();
}

// The strip shows the ruler's own background.
HBRUSH RulerDialog::ControlColour(HDC, int id) {
    return id == IDC_COLOR_STRIP ? app.picture.background.brush.get() : nullptr;
}

void RulerDialog::ShowCaptionIcon(const wchar_t* name) {
    HICON icon = app.icons.At(app.module, name, CaptionIconSize(dpi.dpi));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void RulerDialog::ShowRulerIcon() {
    const RulerState& s = app.state;
    ShowCaptionIcon(RulerIconName(s.BackColor, s.Vertical != 0));
}

void RulerDialog::SetBoldFont(std::initializer_list<int> ids) {
    GdiObject<HFONT> bold = dpi.font.Bold(dpi.dpi);
    if (!bold) return;
    SetItemFonts(window, ids, bold.get());
    boldFont_ = std::move(bold);
}

void RulerDialog::PlaceColourStrip() {
    RECT client{};
    GetClientRect(window, &client);
    const ColourStripLayout l = LayOutColourStrip(dpi.dpi.x, client.bottom);
    MoveOwnItem(GetDlgItem(window, IDC_COLOR_STRIP), l.strip);
    MoveOwnItem(GetDlgItem(window, IDC_STRIP_LINE), l.line);
}

INT_PTR RunModalDialog(std::unique_ptr<DialogPart> state, HINSTANCE module,
                       const wchar_t* templateName, HWND owner) {
    const INT_PTR answer = DialogBoxParamW(module, templateName, owner, DialogPart::Procedure,
                                           reinterpret_cast<LPARAM>(&state));
    if (answer == -1) TraceDialogFailure(templateName);
    return answer;
}

HWND CreateModelessDialog(std::unique_ptr<DialogPart> state, HINSTANCE module,
                          const wchar_t* templateName, HWND owner, DLGPROC procedure) {
    HWND made = CreateDialogParamW(module, templateName, owner, procedure,
                                   reinterpret_cast<LPARAM>(&state));
    if (!made) TraceDialogFailure(templateName);
    return made;
}

void ToggleModeless(bool& open, HWND& window, const std::function<HWND()>& make) {
    if (open) {
        // Closed from the ruler: what the window changed stays as it is.
        HWND closing = window;
        open = false;
        window = nullptr;
        if (closing) DestroyWindow(closing);
        return;
    }
    open = true;
    window = make();
    if (!window) open = false;
}

void SetItemFonts(HWND dialog, std::initializer_list<int> ids, HFONT font) {
    if (!font) return;
    // A dialog not shown yet paints every control when it shows; a redraw now would be a round
    // of messages and trips to the window system for nothing.
    const BOOL redraw = IsWindowVisible(dialog);
    for (int id : ids) {
        HWND item = GetDlgItem(dialog, id);
        // The font is the dialog's own, made again at each density: the system's must not
        // replace it.
        KeepOwnFont(item);
        SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    }
}

void RedrawIfShown(HWND dialog, bool erase) {
    if (IsWindowVisible(dialog)) InvalidateRect(dialog, nullptr, erase);
}

void MoveOwnItem(HWND item, const Rect& r) {
    KeepOwnLayout(item);
    MoveWindow(item, r.left, r.top, r.Width(), r.Height(), FALSE);
}
