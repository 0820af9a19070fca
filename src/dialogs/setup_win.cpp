// The Setup dialog: a frame with a page toolbar, one of five pages at a time, OK and Cancel.
// A page is made each time it is chosen, in place of the one shown before.
#include "dialogs/setup_win.h"

#include <commctrl.h>

#include <memory>

#include "dialogs/setup.h"
#include "dialogs/dialog_win.h"
#include "dialogs/setup_pages_win.h"
#include "model/persistence.h"
#include "model/placement_win.h"
#include "model/registry_store_win.h"
#include "model/trace_win.h"
#include "ops/keyboard_controls_win.h"
#include "ops/operations_win.h"
#include "render/backgrounds.h"
#include "render/backgrounds_win.h"
#include "resources/resource.h"

namespace {

// The page shown last; every opening in this process starts on it.
int SetupPage = 0;
// The toolbar's tips, in dark red on light grey.
constexpr COLORREF kTipText = RGB(128, 0, 0);
constexpr COLORREF kTipBackground = RGB(232, 232, 232);
constexpr RECT kTipMargin{3, 3, 2, 2};

class SetupDialog : public RulerDialog {
  public:
    explicit SetupDialog(Instance& record)
        : RulerDialog(record), context_{record, StartSetup(record.state), dpi.dpi} {}

  private:
    SetupContext context_;    // the pages are laid out at the frame's density
    HWND toolbar_ = nullptr;  // a child: it goes with the dialog
    HWND page_ = nullptr;     // the one page there is, a child: it goes with the dialog

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    // The close box keeps every change, unsaved until the ruler next saves.
    void OnClose() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi() override;
    const wchar_t* Tip(int command) const override;
    void StyleTip(HWND tooltip) const override;
    void CreatePageToolbar();
    void MakePage();
    void OnPageButton(int page);
    void Finish(SetupExit exit);
    void OnDestroy();
};

// Made again for each density: the pictures come from another strip from 144 dots per inch on.
// Each setting that makes a toolbar lay its buttons out again comes before the buttons, so that
// they are laid out twice: as they come, and at their size.
void SetupDialog::CreatePageToolbar() {
    if (toolbar_) DestroyWindow(toolbar_);
    const SetupToolbarLayout layout = SetupToolbarFor(dpi.dpi);
    const Rect& r = layout.toolbar;
    toolbar_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT | TBSTYLE_LIST |
            TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
        r.left, r.top, r.Width(), r.Height(), window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), app.module, nullptr);
    if (!toolbar_) return;
    KeepOwnLayout(toolbar_);
    SubclassToolbarKeys(toolbar_);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (HFONT font = BoldFont()) {
        SendMessageW(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(layout.imageWidth, layout.imageHeight));
    TBADDBITMAP strip{app.module, static_cast<UINT_PTR>(layout.bitmap)};
    SendMessageW(toolbar_, TB_ADDBITMAP, kSetupPageCount, reinterpret_cast<LPARAM>(&strip));
    // Every button is as wide as the toolbar, so that they wrap into one column.
    SendMessageW(toolbar_, TB_SETBUTTONWIDTH, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonWidth));
    TBBUTTON buttons[kSetupPageCount] = {};
    for (int page = 0; page < kSetupPageCount; ++page) {
        buttons[page].iBitmap = kSetupPages[page].image;
        buttons[page].idCommand = kSetupPages[page].button;
        buttons[page].fsState = TBSTATE_ENABLED | (page == SetupPage ? TBSTATE_CHECKED : 0);
        buttons[page].fsStyle = BTNS_CHECKGROUP | BTNS_SHOWTEXT;
        buttons[page].iString = reinterpret_cast<INT_PTR>(kSetupPages[page].caption);
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, kSetupPageCount, reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar_, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(layout.buttonWidth, layout.buttonHeight));
}

// The page of `SetupPage`, made from the state, which holds all that any page has changed.
void SetupDialog::MakePage() {
    page_ = CreateSetupPage(SetupPage, window, context_);
    if (page_) InvalidateRect(page_, nullptr, TRUE);
}

// What the frame draws by the density itself: the bold buttons, the page toolbar, the icon and the
// colour strip; then each page made so far does its own.
void SetupDialog::ApplyDpi() {
    SetBoldFont({IDOK, IDCANCEL});
    CreatePageToolbar();
    ShowRulerIcon();
    PlaceColourStrip();
    if (page_) SendMessageW(page_, kDpiChangedAfterParent, 0, 0);
    RedrawIfShown(window, false);
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

INT_PTR SetupDialog::OnInitDialog() {
    SetWindowTextW(window, SetupTitle(app.className).c_str());
    ApplyDpi();
    MakePage();
    context_.session = StartSetup(app.state);
    HookPageKeys(window);
    return TRUE;
}

void SetupDialog::OnPageButton(int page) {
    // The pressed button's page stays as it is, not made again.
    if (page == SetupPage && page_) return;
    HWND focus = GetFocus();
    const bool hadFocus = page_ && IsChild(page_, focus);
    if (page_) DestroyWindow(page_);
    page_ = nullptr;
    SetupPage = page;
    MakePage();
    // The keys went with the control that had them: the new page's first one takes them. Any
    // other control keeps them (the new page gave them to its first control as it was made).
    HWND next = hadFocus && page_ ? GetNextDlgTabItem(page_, nullptr, FALSE) : focus;
    if (next && IsWindow(next) && GetFocus() != next) {
        SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    }
}

// What the ruler needs as the dialog ends: the settings saved, its background, opacity, place,
// readouts and picture.
void SetupDialog::Finish(SetupExit exit) {
    RulerState& s = app.state;
    const SetupEnding e = EndSetup(s, context_.session, exit);
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

INT_PTR SetupDialog::OnCommand(int id, int) {
    switch (id) {
        case IDOK:
            EndDialog(window, 1);
            Finish(SetupExit::kOk);
            return TRUE;
        case IDCANCEL:
            Finish(SetupExit::kCancel);
            EndDialog(window, 1);
            return TRUE;
    }
    if (const std::optional<int> page = PageOfButton(id)) {
        OnPageButton(*page);
        return TRUE;
    }
    return FALSE;
}

// The buttons carry their captions; their tips are given when the tooltip asks.
const wchar_t* SetupDialog::Tip(int command) const {
    return SetupPageTip(command);
}

// Coloured as the tip is first asked for, not as the dialog opens: some toolbars make their
// tooltip only when it is asked for, and a window made while the dialog opens delays it.
void SetupDialog::StyleTip(HWND tooltip) const {
    SendMessageW(tooltip, TTM_SETTIPTEXTCOLOR, kTipText, 0);
    SendMessageW(tooltip, TTM_SETTIPBKCOLOR, kTipBackground, 0);
    RECT margin = kTipMargin;
    SendMessageW(tooltip, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
}

// The ruler takes its size and its z-order band ("Alway on top") again, unless it is ending
// itself and has hidden itself on the way.
void SetupDialog::OnDestroy() {
    UnhookPageKeys();
    if (IsWindowVisible(app.ruler)) PlaceWindow(app.ruler, app.state, SWP_NOMOVE);
}

void SetupDialog::OnClose() {
    Finish(SetupExit::kCloseBox);
    EndDialog(window, 1);
}

INT_PTR SetupDialog::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY) OnDestroy();
    return FALSE;
}

}  // namespace

void ShowSetupDialog(Instance& app) {
    // One Setup dialog at a time, however often its command arrives.
    if (app.setupOpen) return;
    app.setupOpen = true;
    RunModalDialog(std::make_unique<SetupDialog>(app), app.module, L"SettingBox", app.ruler);
    app.setupOpen = false;
}
