// The yardstick of the dialog benchmark: a window of the ruler's kind (the same styles, size and
// opacity, painted white) that, on a command, opens a dialog with the same controls as one of
// the ruler's (the same number, classes, styles and places, a toolbar with as many buttons, a
// list view with as many columns and rows), made from a plain in-memory template in Arial 10 at
// the same place on the screen, owned by that window and modal where the ruler's is, and nothing
// else: no colours, no density, no texts computed, no state. On request it also sets a caption
// icon, as the ruler's dialogs do. It carries the ruler's manifest (baseline_dialog.rc), so that
// its controls are the same version of the common controls as the ruler's.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <cwchar>
#include <vector>

#include "bench_input_win.h"
#include "dialog_spec_win.h"

namespace {

using dialog_spec::Dialog;

Dialog g_spec{};
bool g_haveSpec = false;
HWND g_dialog = nullptr;
bool g_modal = false;            // the open dialog's
bool g_withIcon = false;         // the open dialog's
HMODULE g_iconModule = nullptr;  // linova.exe, read as data, for its icons
HICON g_icon = nullptr;          // the open dialog's caption icon
SIZE g_base{};                   // the template font's base units, once known

void CloseDialog(HWND dialog) {
    if (g_modal) {
        EndDialog(dialog, 1);
    } else {
        DestroyWindow(dialog);
    }
}

// The template grows word by word; strings and the font name are stored as they are.
struct Template {
    std::vector<WORD> words;
    void Word(WORD w) { words.push_back(w); }
    void Dword(DWORD d) {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* s) {
        for (; *s; ++s) Word(static_cast<WORD>(*s));
        Word(0);
    }
    void AlignDword() {
        if (words.size() % 2) Word(0);
    }
};

// Dialog units from pixels at the font's base units.
short Units(LONG pixels, int base, int per) {
    return static_cast<short>((pixels * per + base / 2) / base);
}

// A template of the dialog, or of its page: the controls that lie on it, numbered as in the
// description.
std::vector<WORD> Build(const Dialog& d, bool page, SIZE base) {
    Template t;
    int count = 0;
    for (int i = 0; i < d.count; ++i) count += d.controls[i].onPage == page ? 1 : 0;
    if (page) {
        t.Dword(d.page.style | DS_SETFONT | DS_CONTROL | WS_CHILD);
        t.Dword(d.page.exStyle);
    } else {
        t.Dword(d.style | DS_SETFONT);
        t.Dword(d.exStyle);
    }
    t.Word(static_cast<WORD>(count));
    const RECT& r = d.page.rect;
    t.Word(page ? static_cast<WORD>(Units(r.left, base.cx, 4)) : 0);
    t.Word(page ? static_cast<WORD>(Units(r.top, base.cy, 8)) : 0);
    t.Word(static_cast<WORD>(Units(page ? r.right - r.left : d.client.cx, base.cx, 4)));
    t.Word(static_cast<WORD>(Units(page ? r.bottom - r.top : d.client.cy, base.cy, 8)));
    t.Word(0);  // no menu
    t.Word(0);  // the dialog class
    t.Text(page ? L"" : d.title);
    t.Word(10);
    t.Text(L"Arial");
    for (int i = 0; i < d.count; ++i) {
        const dialog_spec::Control& c = d.controls[i];
        if (c.onPage != page) continue;
        t.AlignDword();
        t.Dword(c.style | WS_CHILD);
        t.Dword(c.exStyle);
        t.Word(static_cast<WORD>(Units(c.rect.left, base.cx, 4)));
        t.Word(static_cast<WORD>(Units(c.rect.top, base.cy, 8)));
        t.Word(static_cast<WORD>(Units(c.rect.right - c.rect.left, base.cx, 4)));
        t.Word(static_cast<WORD>(Units(c.rect.bottom - c.rect.top, base.cy, 8)));
        t.Word(static_cast<WORD>(1000 + i));
        t.Text(c.className);
        t.Text(c.text);
        t.Word(0);  // no creation data
    }
    return t.words;
}

void FillToolbar(HWND toolbar, int buttons) {
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    std::vector<TBBUTTON> list(static_cast<size_t>(buttons));
    for (int i = 0; i < buttons; ++i) {
        list[i].iBitmap = i % 15;
        list[i].idCommand = 2000 + i;
        list[i].fsState = TBSTATE_ENABLED;
        list[i].fsStyle = BTNS_BUTTON;
    }
    SendMessageW(toolbar, TB_ADDBUTTONSW, list.size(), reinterpret_cast<LPARAM>(list.data()));
}

void FillList(HWND list, int columns, int rows) {
    for (int c = 0; c < columns; ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 80;
        column.pszText = const_cast<wchar_t*>(L"Column");
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (int r = 0; r < rows; ++r) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = r;
        item.pszText = const_cast<wchar_t*>(L"Row");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        for (int c = 1; c < columns; ++c) {
            item.iSubItem = c;
            SendMessageW(list, LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
}

// Toolbars get their buttons and list views their columns and rows.
void FillControls(HWND parent, bool page) {
    for (int i = 0; i < g_spec.count; ++i) {
        const dialog_spec::Control& c = g_spec.controls[i];
        if (c.onPage != page) continue;
        HWND control = GetDlgItem(parent, 1000 + i);
        if (c.toolbarButtons) FillToolbar(control, c.toolbarButtons);
        if (c.listColumns) FillList(control, c.listColumns, c.listRows);
    }
}

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The page, as the ruler's Setup makes its own: last, from a template of its own.
void MakePage(HWND dialog) {
    if (!g_spec.page.present) return;
    const std::vector<WORD> words = Build(g_spec, true, g_base);
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    HWND page = CreateDialogIndirectParamW(
        module, reinterpret_cast<const DLGTEMPLATE*>(words.data()), dialog, PageProc, 0);
    if (page) FillControls(page, true);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            g_dialog = dialog;
            FillControls(dialog, false);
            MakePage(dialog);
            // Placed as the ruler places its own; the dialog manager then shows it (the template
            // is visible, as the ruler's are) and gives it the focus.
            SetWindowPos(dialog, nullptr, g_spec.at.x, g_spec.at.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (g_withIcon && g_iconModule) {
                g_icon = static_cast<HICON>(
                    LoadImageW(g_iconModule, L"Linova", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
                SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(g_icon));
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK) CloseDialog(dialog);
            return TRUE;
        case WM_CLOSE:
            CloseDialog(dialog);
            return TRUE;
        case WM_NCDESTROY:
            g_dialog = nullptr;
            if (g_icon) DestroyIcon(g_icon);
            g_icon = nullptr;
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The font's base units, from a dialog of the same font that is never shown.
SIZE BaseUnits(HINSTANCE module) {
    Dialog empty{};
    std::wcscpy(empty.title, L"");
    empty.style = WS_POPUP;
    const std::vector<WORD> words = Build(empty, false, SIZE{4, 8});
    HWND probe = CreateDialogIndirectParamW(
        module, reinterpret_cast<const DLGTEMPLATE*>(words.data()), nullptr, ProbeProc, 0);
    RECT r{0, 0, 400, 800};
    MapDialogRect(probe, &r);
    DestroyWindow(probe);
    return SIZE{r.right / 100, r.bottom / 100};
}

// The window takes the owner's styles, size and opacity, at its own place, and shows without
// taking the focus.
void BecomeOwner(HWND window, const dialog_spec::Owner& o) {
    SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(o.style & ~WS_VISIBLE));
    SetWindowLongW(window, GWL_EXSTYLE, static_cast<LONG>(o.exStyle & ~WS_EX_TOPMOST));
    if (o.exStyle & WS_EX_LAYERED) SetLayeredWindowAttributes(window, 0, o.alpha, LWA_ALPHA);
    SetWindowPos(window, (o.exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_NOTOPMOST, o.rect.left,
                 o.rect.top, o.rect.right - o.rect.left, o.rect.bottom - o.rect.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
}

void OpenDialog(HWND owner, bool withIcon) {
    g_withIcon = withIcon;
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
    if (!g_base.cx) g_base = BaseUnits(module);
    const std::vector<WORD> words = Build(g_spec, false, g_base);
    const auto* dialogTemplate = reinterpret_cast<const DLGTEMPLATE*>(words.data());
    g_modal = g_spec.modal;
    if (g_modal) {
        DialogBoxIndirectParamW(module, dialogTemplate, owner, DialogProc, 0);
    } else {
        CreateDialogIndirectParamW(module, dialogTemplate, owner, DialogProc, 0);
    }
}

void PaintWhite(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COPYDATA: {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            if (data->dwData != dialog_spec::kCopyTag || data->cbData != sizeof(Dialog)) return 0;
            std::memcpy(&g_spec, data->lpData, sizeof(Dialog));
            g_haveSpec = true;
            BecomeOwner(window, g_spec.owner);
            return 1;
        }
        case WM_COMMAND:
            if ((wParam == dialog_spec::kOpen || wParam == dialog_spec::kOpenWithIcon) &&
                g_haveSpec && !g_dialog) {
                OpenDialog(window, wParam == dialog_spec::kOpenWithIcon);
            }
            return 0;
        case WM_PAINT:
            PaintWhite(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = module;
    wc.lpszClassName = dialog_spec::kBaselineClass;
    RegisterClassExW(&wc);
    g_iconModule = LoadLibraryExW(ExeBeside(L"linova.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    // Hidden until it learns what the ruler is like.
    if (!CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, module,
                         nullptr)) {
        return 1;
    }
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // A modal dialog's keys go through its own loop.
        if (g_dialog && !g_modal && IsDialogMessageW(g_dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
