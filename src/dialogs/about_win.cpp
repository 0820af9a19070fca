// The About box: the version, the build, the maker's home page, and a link that opens it.
#include "dialogs/about_win.h"

#include <shellapi.h>

#include <iterator>
#include <string>
#include <utility>

#include "dialogs/about.h"
#include "model/placement_win.h"
#include "model/trace_win.h"
#include "render/backgrounds.h"
#include "render/dpi_win.h"
#include "render/gdi_win.h"
#include "resources/resource.h"

namespace {

struct AboutBox {
    Instance& app;
    GdiObject<HFONT> versionFont;  // bold italic, also OK's
    GdiObject<HFONT> linkFont;     // underlined
    OwnedIcon captionIcon;
    OwnedIcon bigIcon;       // only on the white ground
    HCURSOR hand = nullptr;  // shared: the system keeps it
    DialogDpi dpi;
};

AboutBox* BoxOf(HWND dialog) {
    return reinterpret_cast<AboutBox*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The dialog's own font at the box's density with changes, or nothing when that font cannot be
// read.
template <typename Change>
GdiObject<HFONT> DerivedFont(const AboutBox& box, Change change) {
    if (!box.dpi.font.Known()) return nullptr;
    LOGFONTW logFont = box.dpi.font.At(box.dpi.dpi);
    change(logFont);
    return MakeFont(logFont);
}

// The font is the box's own, made again at each density: the system's must not replace it.
void SetItemFont(HWND dialog, int id, HFONT font) {
    HWND item = GetDlgItem(dialog, id);
    KeepOwnFont(item);
    SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// The icons shown before go once the box no longer shows them.
void SetIcons(HWND dialog, AboutBox& box) {
    const RulerState& s = box.app.state;
    const Dpi& dpi = box.dpi.dpi;
    OwnedIcon caption =
        CaptionIcon(box.app.module, RulerIconName(s.BackColor, s.Vertical != 0), dpi);
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(caption.get()));
    box.captionIcon = std::move(caption);
    // On the white ground the box shows the white ruler's picture; otherwise its template's.
    if (s.BackColor != 0) return;
    const int size = ScaledToDpi(48, dpi.x);
    OwnedIcon big(
        static_cast<HICON>(LoadImageW(box.app.module, L"LinovaG", IMAGE_ICON, size, size, 0)));
    if (big) {
        SendDlgItemMessageW(dialog, IDC_ABOUT_ICON, STM_SETICON,
                            reinterpret_cast<WPARAM>(big.get()), 0);
        box.bigIcon = std::move(big);
    }
}

void SetBuildLine(HWND dialog) {
    const std::string line = ProgramBuildLine();
    // The compiler's date and time are narrow text in the system's code page.
    wchar_t wide[64] = L"";
    const int length = MultiByteToWideChar(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()),
                                           wide, static_cast<int>(std::size(wide)) - 1);
    wide[length > 0 ? length : 0] = L'\0';
    SetDlgItemTextW(dialog, IDC_ABOUT_BUILD, wide);
}

void SetVersionFont(HWND dialog, AboutBox& box) {
    const float dpiY = box.dpi.dpi.y;
    GdiObject<HFONT> font = DerivedFont(box, [dpiY](LOGFONTW& f) {
        f.lfHeight = VersionFontHeight(dpiY);
        f.lfWeight = FW_BOLD;
        f.lfItalic = TRUE;
        f.lfUnderline = FALSE;
    });
    if (!font) return;
    SetItemFont(dialog, IDC_ABOUT_VERSION, font.get());
    SetItemFont(dialog, IDOK, font.get());
    box.versionFont = std::move(font);
}

// The link line is as wide and high as its text, so that only the text is clickable.
void SetLink(HWND dialog, AboutBox& box) {
    HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
    const wchar_t* address = HomePageAddress();
    GdiObject<HFONT> font = DerivedFont(box, [](LOGFONTW& f) {
        f.lfItalic = FALSE;
        f.lfUnderline = TRUE;
    });
    if (font) {
        SetItemFont(dialog, IDC_ABOUT_LINK, font.get());
        box.linkFont = std::move(font);
        const WindowDc dc(link);
        const ScopedSelect select(dc.get(), box.linkFont.get());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), address, static_cast<int>(wcslen(address)), &extent);
        SetWindowPos(link, nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    SetWindowTextW(link, address);
    box.hand = static_cast<HCURSOR>(
        LoadImageW(box.app.module, L"handcur", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

// What the box makes by the density itself: its icons, fonts, the link's size and the colour
// strip. The rest the system scales with the dialog, or nothing does (Wine).
void ApplyDpi(HWND dialog, AboutBox& box) {
    SetIcons(dialog, box);
    SetVersionFont(dialog, box);
    SetLink(dialog, box);
    PlaceColourStripAt(dialog, box.dpi.dpi);
    InvalidateRect(dialog, nullptr, TRUE);
}

INT_PTR OnDpiChanged(HWND dialog, AboutBox& box, WPARAM wParam, LPARAM lParam) {
    box.dpi.Follow(dialog, wParam, lParam);
    ApplyDpi(dialog, box);
    // The system goes on to scale what the template made.
    return FALSE;
}

INT_PTR OnInitDialog(HWND dialog, AboutBox* box) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(box));
    // The density it was made at; a move to another monitor announces the next one.
    box->dpi.Start(dialog, DpiOf(box->app.state));
    PlaceBesideRuler(dialog, box->app);
    SetWindowTextW(dialog, AboutTitle(box->app.className).c_str());
    SetBuildLine(dialog);
    ApplyDpi(dialog, *box);
    return TRUE;
}

// The hand shows over the link line only.
INT_PTR OnSetCursor(HWND dialog, const AboutBox& box, HWND under, WORD hitTest) {
    if (!box.hand || hitTest != HTCLIENT || under != GetDlgItem(dialog, IDC_ABOUT_LINK)) {
        return FALSE;
    }
    SetCursor(box.hand);
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WORD id, WORD code) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_ABOUT_LINK:
            // A double click on the link must not open the page twice. A failure to open it
            // leaves the box as it is.
            if (code == STN_CLICKED) {
                const HINSTANCE opened =
                    ShellExecuteW(dialog, nullptr, HomePageAddress(), nullptr, L"", SW_SHOW);
                if (reinterpret_cast<INT_PTR>(opened) <= 32) TraceFailure(L"opening the home page");
            }
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR OnControlColour(const AboutBox& box, HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    switch (GetDlgCtrlID(control)) {
        case IDC_ABOUT_VERSION:
            SetTextColor(dc, kVersionTextColour);
            break;
        case IDC_ABOUT_LINK:
            SetTextColor(dc, kLinkColour);
            break;
        case IDC_COLOR_STRIP:
            if (box.app.picture.background.brush) {
                return reinterpret_cast<INT_PTR>(box.app.picture.background.brush.get());
            }
            break;
    }
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// The ruler takes its place in the z-order again, unless it is ending itself: a ruler that
// closes while its box is open has hidden itself, and must not show again on its way out.
void OnDestroy(const AboutBox& box) {
    if (IsWindowVisible(box.app.ruler)) PlaceWindow(box.app.ruler, box.app.state, SWP_NOMOVE);
}

// The fonts and icons outlive every control that shows them.
void OnFinalDestroy(HWND dialog, AboutBox& box) {
    box.versionFont.reset();
    box.linkFont.reset();
    box.captionIcon.reset();
    box.bigIcon.reset();
    SetWindowLongPtrW(dialog, DWLP_USER, 0);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(dialog, reinterpret_cast<AboutBox*>(lParam));
    }
    AboutBox* box = BoxOf(dialog);
    if (!box) return FALSE;
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(dialog, *box, reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_COMMAND:
            return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        case WM_DPICHANGED:
            return OnDpiChanged(dialog, *box, wParam, lParam);
        case WM_CLOSE:
            EndDialog(dialog, 1);
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return OnControlColour(*box, reinterpret_cast<HDC>(wParam),
                                   reinterpret_cast<HWND>(lParam));
        case WM_DESTROY:
            OnDestroy(*box);
            return FALSE;
        case WM_NCDESTROY:
            OnFinalDestroy(dialog, *box);
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(Instance& app) {
    AboutBox box{app, nullptr, nullptr, nullptr, nullptr, nullptr, {}};
    const INT_PTR shown = DialogBoxParamW(app.module, L"AboutBox", app.ruler, AboutProc,
                                          reinterpret_cast<LPARAM>(&box));
    if (shown == -1) TraceFailure(L"making the About box");
}
