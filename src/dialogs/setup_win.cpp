// The Setup dialog: a frame with a page toolbar, one of five pages at a time, OK and Cancel.
// A page is made each time it is chosen, in place of the one shown before.
#include "dialogs/setup_win.h"

#include <commctrl.h>

#include <utility>

#include "dialogs/setup.h"
#include "dialogs/setup_controls_win.h"
#include "dialogs/setup_pages_win.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "model/trace_win.h"
#include "ops/keyboard_controls_win.h"
#include "ops/operations_win.h"
#include "render/backgrounds.h"
#include "render/backgrounds_win.h"
#include "render/dpi_win.h"
#include "resources/resource.h"

namespace {

// The page shown last; every opening in this process starts on it.
int SetupPage = 0;
// The toolbar's tips, in dark red on light grey.
constexpr COLORREF kTipText = RGB(128, 0, 0);
constexpr COLORREF kTipBackground = RGB(232, 232, 232);
constexpr RECT kTipMargin{3, 3, 2, 2};

struct SetupDialog {
    SetupContext context;
    HWND toolbar = nullptr;  // a child: it goes with the dialog
    HWND page = nullptr;     // the one page there is, a child: it goes with the dialog
    GdiObject<HFONT> boldFont;
    OwnedIcon icon;
};

// The pages are laid out at the frame's density, which the context holds.
const Dpi& FrameDpi(const SetupDialog& d) {
    return d.context.dpi.dpi;
}

SetupDialog* DialogOf(HWND dialog) {
    return reinterpret_cast<SetupDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// Made again for each density: the pictures come from another strip from 144 dots per inch on.
void CreatePageToolbar(SetupDialog& d, HWND dialog, HFONT font) {
    if (d.toolbar) DestroyWindow(d.toolbar);
    const SetupToolbarLayout layout = SetupToolbarFor(FrameDpi(d));
    TBBUTTON buttons[kSetupPageCount] = {};
    for (int page = 0; page < kSetupPageCount; ++page) {
        buttons[page].iBitmap = kSetupPages[page].image;
        buttons[page].idCommand = kSetupPages[page].button;
        buttons[page].fsState = TBSTATE_ENABLED | (page == SetupPage ? TBSTATE_CHECKED : 0);
        buttons[page].fsStyle = BTNS_CHECKGROUP | BTNS_SHOWTEXT;
        buttons[page].iString = page;
    }
    d.toolbar = CreateToolbarEx(
        dialog,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT | TBSTYLE_LIST |
            TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
        IDC_TOOLBAR, kSetupPageCount, d.context.app.module, static_cast<UINT_PTR>(layout.bitmap),
        buttons, kSetupPageCount, 0, 0, layout.imageWidth, layout.imageHeight, sizeof(TBBUTTON));
    if (!d.toolbar) return;
    KeepOwnLayout(d.toolbar);
    SubclassToolbarKeys(d.toolbar);
    for (const SetupPageInfo& page : kSetupPages) {
        TBBUTTONINFOW info{};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_TEXT;
        info.pszText = const_cast<wchar_t*>(page.caption);
        SendMessageW(d.toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(page.button),
                     reinterpret_cast<LPARAM>(&info));
    }
    // A new font makes the toolbar measure its buttons again: it comes before their size.
    if (font) {
        SendMessageW(d.toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    // Every button is as wide as the toolbar, so that they wrap into one column.
    SendMessageW(d.toolbar, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonWidth));
    SendMessageW(d.toolbar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonHeight));
    const Rect& r = layout.toolbar;
    MoveWindow(d.toolbar, r.left, r.top, r.Width(), r.Height(), FALSE);
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(d.toolbar, TB_GETTOOLTIPS, 0, 0))) {
        SendMessageW(tips, TTM_SETTIPTEXTCOLOR, kTipText, 0);
        SendMessageW(tips, TTM_SETTIPBKCOLOR, kTipBackground, 0);
        RECT margin = kTipMargin;
        SendMessageW(tips, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
    }
}

// The page of `SetupPage`, made from the state, which holds all that any page has changed.
void MakePage(SetupDialog& d, HWND dialog) {
    d.page = CreateSetupPage(SetupPage, dialog, d.context);
    if (d.page) InvalidateRect(d.page, nullptr, TRUE);
}

// What the frame draws by the density itself: the bold buttons, the page toolbar, the icon and the
// colour strip; then each page made so far does its own. The rest the system scales with the
// dialog, or nothing does (Wine).
void ApplyDpi(SetupDialog& d, HWND dialog) {
    const RulerState& s = d.context.app.state;
    GdiObject<HFONT> bold = d.context.dpi.font.Bold(FrameDpi(d));
    SetItemFonts(dialog, {IDOK, IDCANCEL}, bold.get());
    CreatePageToolbar(d, dialog, bold.get());
    d.boldFont = std::move(bold);
    OwnedIcon icon =
        CaptionIcon(d.context.app.module, RulerIconName(s.BackColor, s.Vertical != 0), FrameDpi(d));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
    d.icon = std::move(icon);
    PlaceColourStripAt(dialog, FrameDpi(d));
    if (d.page) SendMessageW(d.page, kDpiChangedAfterParent, 0, 0);
    InvalidateRect(dialog, nullptr, FALSE);
}

INT_PTR OnDpiChanged(SetupDialog& d, HWND dialog, WPARAM wParam, LPARAM lParam) {
    d.context.dpi.Follow(dialog, wParam, lParam);
    ApplyDpi(d, dialog);
    // The system goes on to scale what the templates made.
    return FALSE;
}

// The Setup dialog whose pages the keys turn (one Setup at a time in a process), and the hook
// that sees its keys before the dialog manager, which would take Ctrl+Tab for Tab.
HWND keyedSetup = nullptr;
HHOOK pageKeysHook = nullptr;

// How many pages on the key turns: Ctrl+Tab and Ctrl+Page Down one on, Ctrl+Shift+Tab and
// Ctrl+Page Up one back; 0 for any other key.
int PageKeyStep(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !(GetKeyState(VK_CONTROL) & 0x8000)) return 0;
    switch (msg.wParam) {
        case VK_TAB:
            return (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
        case VK_NEXT:
            return 1;
        case VK_PRIOR:
            return -1;
        default:
            return 0;
    }
}

// As a click on the page's button: the button shows pressed and the page comes.
void TurnPage(HWND dialog, int step) {
    const int page = NeighbourPage(SetupPage, step);
    SendDlgItemMessageW(dialog, IDC_TOOLBAR, TB_CHECKBUTTON,
                        static_cast<WPARAM>(kSetupPages[page].button), MAKELPARAM(TRUE, 0));
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kSetupPages[page].button, BN_CLICKED), 0);
}

LRESULT CALLBACK PageKeysProc(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && msg && keyedSetup &&
        (msg->hwnd == keyedSetup || IsChild(keyedSetup, msg->hwnd))) {
        if (const int step = PageKeyStep(*msg)) {
            TurnPage(keyedSetup, step);
            return TRUE;
        }
    }
    return CallNextHookEx(pageKeysHook, code, wParam, lParam);
}

void HookPageKeys(HWND dialog) {
    keyedSetup = dialog;
    pageKeysHook = SetWindowsHookExW(WH_MSGFILTER, PageKeysProc, nullptr, GetCurrentThreadId());
}

void UnhookPageKeys() {
    if (pageKeysHook) UnhookWindowsHookEx(pageKeysHook);
    pageKeysHook = nullptr;
    keyedSetup = nullptr;
}

INT_PTR OnInitDialog(HWND dialog, SetupDialog* d) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(d));
    Instance& app = d->context.app;
    // The density it was made at; a move to another monitor announces the next one.
    d->context.dpi.Start(dialog, DpiOf(app.state));
    PlaceBesideRuler(dialog, app);
    SetWindowTextW(dialog, SetupTitle(app.className).c_str());
    ApplyDpi(*d, dialog);
    MakePage(*d, dialog);
    d->context.session = StartSetup(app.state);
    HookPageKeys(dialog);
    return TRUE;
}

void OnPageButton(SetupDialog& d, HWND dialog, int page) {
    // The pressed button's page stays as it is, not made again.
    if (page == SetupPage && d.page) return;
    HWND focus = GetFocus();
    const bool hadFocus = d.page && IsChild(d.page, focus);
    if (d.page) DestroyWindow(d.page);
    d.page = nullptr;
    SetupPage = page;
    MakePage(d, dialog);
    // The keys went with the control that had them: the new page's first one takes them. Any
    // other control keeps them (the new page gave them to its first control as it was made).
    HWND next = hadFocus && d.page ? GetNextDlgTabItem(d.page, nullptr, FALSE) : focus;
    if (next && IsWindow(next) && GetFocus() != next) {
        SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    }
}

// What the ruler needs as the dialog ends: the settings saved, its background, opacity, place,
// readouts and picture.
void Finish(SetupDialog& d, SetupExit exit) {
    Instance& app = d.context.app;
    RulerState& s = app.state;
    const SetupEnding e = EndSetup(s, d.context.session, exit);
    if (e.save) {
        RegistryStore store;
        if (!SaveInstance(s, store)) TraceFailure(L"saving the settings");
    }
    if (e.applyBackground)
        ApplyBackColor(app.ruler, app.module, s.BackColor, app.picture.background);
    if (e.setOpacity) {
        SetLayeredWindowAttributes(app.ruler, 0, static_cast<BYTE>(s.LayerWindow), LWA_ALPHA);
    }
    ApplyRefresh(app, e.refresh);
}

INT_PTR OnCommand(SetupDialog& d, HWND dialog, int id) {
    switch (id) {
        case IDOK:
            EndDialog(dialog, 1);
            Finish(d, SetupExit::kOk);
            return TRUE;
        case IDCANCEL:
            Finish(d, SetupExit::kCancel);
            EndDialog(dialog, 1);
            return TRUE;
    }
    if (const std::optional<int> page = PageOfButton(id)) {
        OnPageButton(d, dialog, *page);
        return TRUE;
    }
    return FALSE;
}

// The buttons carry their captions; their tips are given when the tooltip asks.
INT_PTR OnNotify(NMHDR* header) {
    if (header->code != TTN_GETDISPINFOW) return FALSE;
    const wchar_t* tip = SetupPageTip(static_cast<int>(header->idFrom));
    if (!tip) return FALSE;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    lstrcpynW(info->szText, tip, ARRAYSIZE(info->szText));
    info->lpszText = info->szText;
    return TRUE;
}

// The strip shows the ruler's background, a new one as soon as the colour page has chosen it.
INT_PTR OnControlColour(const SetupDialog& d, HDC dc, HWND control) {
    const INT_PTR face = ButtonFaceColours(dc);
    const HBRUSH ruler = d.context.app.picture.background.brush.get();
    if (GetDlgCtrlID(control) == IDC_COLOR_STRIP && ruler) return reinterpret_cast<INT_PTR>(ruler);
    return face;
}

// The ruler takes its size and its z-order band ("Alway on top") again, unless it is ending
// itself and has hidden itself on the way.
void OnDestroy(const SetupDialog& d) {
    const Instance& app = d.context.app;
    if (IsWindowVisible(app.ruler)) PlaceWindow(app.ruler, app.state, SWP_NOMOVE);
}

INT_PTR CALLBACK SetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, reinterpret_cast<SetupDialog*>(lParam));
    }
    SetupDialog* d = DialogOf(dialog);
    if (!d) return FALSE;
    switch (message) {
        case WM_COMMAND:
            return OnCommand(*d, dialog, LOWORD(wParam));
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam));
        case WM_DPICHANGED:
            return OnDpiChanged(*d, dialog, wParam, lParam);
        case WM_CLOSE:
            // The close box keeps every change, unsaved until the ruler next saves.
            Finish(*d, SetupExit::kCloseBox);
            EndDialog(dialog, 1);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(*d, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_DESTROY:
            UnhookPageKeys();
            OnDestroy(*d);
            return FALSE;
        case WM_NCDESTROY:
            // The page has gone with its controls; the fonts and the icon outlive them.
            d->boldFont.reset();
            d->icon.reset();
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowSetupDialog(Instance& app) {
    // One Setup dialog at a time, however often its command arrives.
    if (app.setupOpen) return;
    app.setupOpen = true;
    SetupDialog d{SetupContext{app, StartSetup(app.state), {}}, nullptr, nullptr, nullptr, nullptr};
    const INT_PTR shown = DialogBoxParamW(app.module, L"SettingBox", app.ruler, SetupProc,
                                          reinterpret_cast<LPARAM>(&d));
    if (shown == -1) TraceFailure(L"making the Setup dialog");
    app.setupOpen = false;
}
