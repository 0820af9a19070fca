// The About box: the version, the build, the maker's home page, and a link that opens it.
#include "dialogs/about_win.h"

#include <shellapi.h>

#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "dialogs/about.h"
#include "dialogs/dialog_win.h"
#include "model/placement_win.h"
#include "model/trace_win.h"
#include "render/backgrounds.h"
#include "resources/resource.h"

namespace {

class AboutBox : public RulerDialog {
    using RulerDialog::RulerDialog;

    GdiObject<HFONT> versionFont_;  // bold italic, also OK's
    GdiObject<HFONT> linkFont_;     // underlined
    HCURSOR hand_ = nullptr;        // shared: the system keeps it

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void ApplyDpi() override;
    HBRUSH ControlColour(HDC dc, int id) override;
    template <typename Change>
    GdiObject<HFONT> DerivedFont(Change change) const;
    void SetBigIcon();
    void SetBuildLine();
    void SetVersionFont();
    void SetLink();
    INT_PTR OnSetCursor(HWND under, WORD hitTest);
    void OnDestroy();
};

// The dialog's own font at the box's density with changes, or nothing when that font cannot be
// read.
template <typename Change>
GdiObject<HFONT> AboutBox::DerivedFont(Change change) const {
    if (!dpi.font.Known()) return nullptr;
    LOGFONTW logFont = dpi.font.At(dpi.dpi);
    change(logFont);
    return MakeFont(logFont);
}

// On the white ground the box shows the white ruler's picture; otherwise its template's.
void AboutBox::SetBigIcon() {
    if (app.state.BackColor != 0) return;
    HICON big = app.icons.At(app.module, L"LinovaG", ScaledToDpi(48, dpi.dpi.x));
    if (big) {
        SendDlgItemMessageW(window, IDC_ABOUT_ICON, STM_SETICON, reinterpret_cast<WPARAM>(big), 0);
    }
}

void AboutBox::SetBuildLine() {
    const std::string line = ProgramBuildLine();
    // The compiler's date and time are narrow text in the system's code page.
    wchar_t wide[64] = L"";
    const int length = MultiByteToWideChar(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()),
                                           wide, static_cast<int>(std::size(wide)) - 1);
    wide[length > 0 ? length : 0] = L'\0';
    SetDlgItemTextW(window, IDC_ABOUT_BUILD, wide);
}

void AboutBox::SetVersionFont() {
    const float dpiY = dpi.dpi.y;
    GdiObject<HFONT> font = DerivedFont([dpiY](LOGFONTW& f) {
        f.lfHeight = VersionFontHeight(dpiY);
        f.lfWeight = FW_BOLD;
        f.lfItalic = TRUE;
        f.lfUnderline = FALSE;
    });
    if (!font) return;
    SetItemFonts(window, {IDC_ABOUT_VERSION, IDOK}, font.get());
    versionFont_ = std::move(font);
}

// The link line is as wide and high as its text, so that only the text is clickable.
void AboutBox::SetLink() {
    HWND link = GetDlgItem(window, IDC_ABOUT_LINK);
    const wchar_t* address = HomePageAddress();
    GdiObject<HFONT> font = DerivedFont([](LOGFONTW& f) {
        f.lfItalic = FALSE;
        f.lfUnderline = TRUE;
    });
    if (font) {
        SetItemFonts(window, {IDC_ABOUT_LINK}, font.get());
        linkFont_ = std::move(font);
        const WindowDc dc(link);
        const ScopedSelect select(dc.get(), linkFont_.get());
        SIZE extent{};
        GetTextExtentPoint32W(dc.get(), address, static_cast<int>(wcslen(address)), &extent);
        SetWindowPos(link, nullptr, 0, 0, extent.cx, extent.cy, SWP_NOMOVE | SWP_NOZORDER);
    }
    SetWindowTextW(link, address);
    hand_ = static_cast<HCURSOR>(
        LoadImageW(app.module, L"handcur", IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

// What the box makes by the density itself: its icons, fonts, the link's size and the colour
// strip.
void AboutBox::ApplyDpi() {
    ShowRulerIcon();
    SetBigIcon();
    SetVersionFont();
    SetLink();
    PlaceColourStrip();
    RedrawIfShown(window, true);
}

INT_PTR AboutBox::OnInitDialog() {
    SetWindowTextW(window, AboutTitle(app.className).c_str());
    SetBuildLine();
    ApplyDpi();
    return TRUE;
}

// The hand shows over the link line only.
INT_PTR AboutBox::OnSetCursor(HWND under, WORD hitTest) {
    if (!hand_ || hitTest != HTCLIENT || under != GetDlgItem(window, IDC_ABOUT_LINK)) {
        return FALSE;
    }
    SetCursor(hand_);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR AboutBox::OnCommand(int id, int code) {
    switch (id) {
        case IDOK:
        case IDCANCEL:
            EndDialog(window, 1);
            return TRUE;
        case IDC_ABOUT_LINK:
            // A double click on the link must not open the page twice. A failure to open it
            // leaves the box as it is.
            if (code == STN_CLICKED) {
                const HINSTANCE opened =
                    ShellExecuteW(window, nullptr, HomePageAddress(), nullptr, L"", SW_SHOW);
                if (reinterpret_cast<INT_PTR>(opened) <= 32) TraceFailure(L"opening the home page");
            }
            return TRUE;
        default:
            return FALSE;
    }
}

HBRUSH AboutBox::ControlColour(HDC dc, int id) {
    if (id == IDC_ABOUT_VERSION) SetTextColor(dc, kVersionTextColour);
    if (id == IDC_ABOUT_LINK) SetTextColor(dc, kLinkColour);
    return RulerDialog::ControlColour(dc, id);
}

// The ruler takes its place in the z-order again, unless it is ending itself: a ruler that
// closes while its box is open has hidden itself, and must not show again on its way out.
void AboutBox::OnDestroy() {
    if (IsWindowVisible(app.ruler)) PlaceWindow(app.ruler, app.state, SWP_NOMOVE);
}

INT_PTR AboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam));
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowAboutBox(Instance& app) {
    RunModalDialog(std::make_unique<AboutBox>(app), app.module, L"AboutBox", app.ruler);
}
