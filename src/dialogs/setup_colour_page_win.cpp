// The Setup dialog's colour page: a list of the 23 backgrounds drawn as numbered samples, and the
// bold and italic font of the scale, each shown on the ruler as soon as it is chosen.
#include <memory>
#include <utility>

#include "dialogs/setup_controls_win.h"
#include "dialogs/setup_pages.h"
#include "dialogs/setup_pages_win.h"
#include "render/backgrounds.h"
#include "render/backgrounds_win.h"
#include "resources/resource.h"

namespace {

// What the page owns: its two labels show what they switch.
struct ColourPage {
    explicit ColourPage(SetupContext& c) : context(c) {}
    SetupContext& context;
    DialogFont font;  // the page's template font
    GdiObject<HFONT> boldFont;
    GdiObject<HFONT> italicFont;
    int32_t sampleHeight = 0;         // as the list was filled,
    float samplesAtY = kStandardDpi;  // at this density
    float samplesShownAtY = kStandardDpi;
};

ColourPage* PageOf(HWND page) {
    return reinterpret_cast<ColourPage*>(GetWindowLongPtrW(page, DWLP_USER));
}

// Eight samples fill the dropped-down list; every item and the selection field are that high,
// which is returned.
int32_t FillColourList(HWND list, int backColor) {
    RECT dropped{};
    RECT field{};
    SendMessageW(list, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    GetWindowRect(list, &field);
    const auto ownHeight = static_cast<int32_t>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
    const int32_t height =
        ColourItemHeight(dropped.bottom - dropped.top, field.bottom - field.top, ownHeight);
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    for (int i = 0; i < kBackgroundCount; ++i) {
        // The items hold their background's number and no text.
        const auto item = SendMessageW(list, CB_ADDSTRING, 0, i);
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(item), height);
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(backColor), 0);
    return height;
}

// The samples, and the selection field, are as high at the frame's density as they were made at
// the list's.
void CarrySampleHeights(ColourPage& p, HWND window) {
    const float to = p.context.dpi.dpi.y;
    if (to == p.samplesShownAtY) return;
    const int32_t height = CarriedToDpi(p.sampleHeight, p.samplesAtY, to);
    HWND list = GetDlgItem(window, IDC_COLOR_LIST);
    const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT item = -1; item < count; ++item) {
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(item), height);
    }
    p.samplesShownAtY = to;
}

// The labels' fonts and the samples at the frame's density; the fonts shown before go once no
// label shows them.
void ApplyDpi(ColourPage& p, HWND window) {
    CarrySampleHeights(p, window);
    const Dpi& dpi = p.context.dpi.dpi;
    GdiObject<HFONT> bold = p.font.Bold(dpi);
    GdiObject<HFONT> italic = p.font.Italic(dpi);
    SetItemFonts(window, {IDC_BOLD_FONT}, bold.get());
    SetItemFonts(window, {IDC_ITALIC_FONT}, italic.get());
    p.boldFont = std::move(bold);
    p.italicFont = std::move(italic);
}

INT_PTR OnInitDialog(HWND window, SetupContext* context) {
    auto owned = std::make_unique<ColourPage>(*context);
    ColourPage& p = *owned;
    SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(owned.release()));
    // The template made the page, and the list the samples are measured by, at this density.
    const Dpi madeAt = DpiOfWindow(window, context->dpi.dpi);
    p.font.Read(window, madeAt);
    const RulerState& s = context->app.state;
    p.sampleHeight = FillColourList(GetDlgItem(window, IDC_COLOR_LIST), s.BackColor);
    p.samplesAtY = p.samplesShownAtY = madeAt.y;
    ApplyDpi(p, window);
    for (int id : {IDC_BOLD_FONT, IDC_ITALIC_FONT}) {
        CheckDlgButton(window, id, SetupFlagChecked(s, id) ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

// The background's own brush and ink; a pattern is loaded for the sample alone, so the ruler's
// pattern stays as it is.
void DrawSample(HINSTANCE module, HDC dc, const RECT& item, int index) {
    RECT r = item;
    InflateRect(&r, -2, -2);
    const GdiObject<HBITMAP> pattern = LoadPattern(module, index, dc);
    const GdiObject<HBRUSH> brush = MakeBackBrush(index, pattern.get());
    FillRect(dc, &r, brush.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, InkColor(index, BackgroundColour(index)));
    const std::wstring number = ColourItemNumber(index);
    TextOutW(dc, 8, r.top + 1, number.c_str(), static_cast<int>(number.size()));
}

void DrawSelectionFrame(HDC dc, const RECT& item, bool selected) {
    if (selected) {
        FrameRect(dc, &item, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    const GdiObject<HBRUSH> window(CreateSolidBrush(GetSysColor(COLOR_WINDOW)));
    FrameRect(dc, &item, window.get());
}

INT_PTR OnDrawItem(const ColourPage& p, const DRAWITEMSTRUCT& d) {
    if (d.CtlID != IDC_COLOR_LIST) return FALSE;
    // An empty selection field has no background to show.
    if (d.itemID == static_cast<UINT>(-1) || d.itemData >= kBackgroundCount) return TRUE;
    if (d.itemAction & ODA_DRAWENTIRE) {
        DrawSample(p.context.app.module, d.hDC, d.rcItem, static_cast<int>(d.itemData));
    }
    if (d.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        DrawSelectionFrame(d.hDC, d.rcItem, (d.itemState & ODS_SELECTED) != 0);
    }
    return TRUE;
}

// The ruler, and the frame's strip beside the pages, take the background at once.
void OnBackgroundChosen(ColourPage& p, HWND window) {
    SetupContext& c = p.context;
    Instance& app = c.app;
    const auto selection = SendDlgItemMessageW(window, IDC_COLOR_LIST, CB_GETCURSEL, 0, 0);
    const Refresh r = ChooseBackground(app.state, static_cast<int>(selection));
    if (!r.Any()) return;
    ApplyBackColor(app.ruler, app.module, app.state.BackColor, app.picture.background);
    Preview(c, r);
    InvalidateRect(GetDlgItem(GetParent(window), IDC_COLOR_STRIP), nullptr, TRUE);
}

INT_PTR OnCommand(ColourPage& p, HWND window, int id, int code) {
    switch (id) {
        case IDC_COLOR_LIST:
            OnBackgroundChosen(p, window);
            return TRUE;
        case IDC_BOLD_FONT:
        case IDC_ITALIC_FONT:
            if (code == BN_CLICKED) Preview(p.context, ToggleSetupFlag(p.context.app.state, id));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

INT_PTR CALLBACK ColourPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(page, reinterpret_cast<SetupContext*>(lParam));
    }
    ColourPage* p = PageOf(page);
    if (!p) return FALSE;
    switch (message) {
        case WM_DRAWITEM:
            return OnDrawItem(*p, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            return OnCommand(*p, page, LOWORD(wParam), HIWORD(wParam));
        case kDpiChangedAfterParent:
            ApplyDpi(*p, page);
            return FALSE;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
            return ButtonFaceColours(reinterpret_cast<HDC>(wParam));
        case WM_NCDESTROY:
            SetWindowLongPtrW(page, DWLP_USER, 0);
            delete p;  // its fonts with it, after the check boxes that showed them
            return FALSE;
    }
    return FALSE;
}
