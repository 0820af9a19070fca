// The Setup dialog's colour page: a list of the 23 backgrounds drawn as numbered samples, and the
// bold and italic font of the scale, each shown on the ruler as soon as it is chosen.
#include <memory>
#include <utility>

#include "dialogs/dialog_win.h"
#include "dialogs/setup_pages.h"
#include "dialogs/setup_pages_win.h"
#include "render/backgrounds.h"
#include "render/backgrounds_win.h"
#include "resources/resource.h"

namespace {

// What the page owns: its two labels show what they switch.
class ColourPage : public SetupPagePart {
    using SetupPagePart::SetupPagePart;

    DialogFont font_;  // the page's template font
    GdiObject<HFONT> boldFont_;
    GdiObject<HFONT> italicFont_;
    int32_t sampleHeight_ = 0;         // as the list was filled,
    float samplesAtY_ = kStandardDpi;  // at this density
    float samplesShownAtY_ = kStandardDpi;

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(int id, int code) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void CarrySampleHeights();
    void ApplyDpi();
    INT_PTR OnDrawItem(const DRAWITEMSTRUCT& d) const;
    void OnBackgroundChosen();
};

// The selection field and every item of the list (all are as high: it is drawn by us at a fixed
// height) are `height` high.
void SetSampleHeight(HWND list, int32_t height) {
    SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
    SendMessageW(list, CB_SETITEMHEIGHT, 0, height);
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
    SetSampleHeight(list, height);
    // The items hold their background's number and no text. The list sets its scroll bar once,
    // after the last one, not after each.
    SendMessageW(list, CB_INITSTORAGE, kBackgroundCount, 0);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kBackgroundCount; ++i) SendMessageW(list, CB_ADDSTRING, 0, i);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(backColor), 0);
    return height;
}

// The samples, and the selection field, are as high at the frame's density as they were made at
// the list's.
void ColourPage::CarrySampleHeights() {
    const float to = context_.dpi.y;
    if (to == samplesShownAtY_) return;
    SetSampleHeight(GetDlgItem(window, IDC_COLOR_LIST),
                    CarriedToDpi(sampleHeight_, samplesAtY_, to));
    samplesShownAtY_ = to;
}

// The labels' fonts and the samples at the frame's density; the fonts shown before go once no
// label shows them.
void ColourPage::ApplyDpi() {
    CarrySampleHeights();
    GdiObject<HFONT> bold = font_.Bold(context_.dpi);
    GdiObject<HFONT> italic = font_.Italic(context_.dpi);
    SetItemFonts(window, {IDC_BOLD_FONT}, bold.get());
    SetItemFonts(window, {IDC_ITALIC_FONT}, italic.get());
    boldFont_ = std::move(bold);
    italicFont_ = std::move(italic);
}

INT_PTR ColourPage::OnInitDialog() {
    // The template made the page, and the list the samples are measured by, at this density.
    const Dpi madeAt = DpiOfWindow(window, context_.dpi);
    font_.Read(window, madeAt);
    const RulerState& s = context_.app.state;
    sampleHeight_ = FillColourList(GetDlgItem(window, IDC_COLOR_LIST), s.BackColor);
    samplesAtY_ = samplesShownAtY_ = madeAt.y;
    ApplyDpi();
    for (int id : {IDC_BOLD_FONT, IDC_ITALIC_FONT}) {
        CheckDlgButton(window, id, SetupFlagChecked(s, id) ? BST_CHECKED : BST_UNCHECKED);
    }
    return kPageKeepsFocus;
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

INT_PTR ColourPage::OnDrawItem(const DRAWITEMSTRUCT& d) const {
    if (d.CtlID != IDC_COLOR_LIST) return FALSE;
    // An empty selection field has no background to show.
    if (d.itemID == static_cast<UINT>(-1) || d.itemData >= kBackgroundCount) return TRUE;
    if (d.itemAction & ODA_DRAWENTIRE) {
        DrawSample(context_.app.module, d.hDC, d.rcItem, static_cast<int>(d.itemData));
    }
    if (d.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        DrawSelectionFrame(d.hDC, d.rcItem, (d.itemState & ODS_SELECTED) != 0);
    }
    return TRUE;
}

// The ruler, and the frame's strip beside the pages, take the background at once.
void ColourPage::OnBackgroundChosen() {
    Instance& app = context_.app;
    const auto selection = SendDlgItemMessageW(window, IDC_COLOR_LIST, CB_GETCURSEL, 0, 0);
    const Refresh r = ChooseBackground(app.state, static_cast<int>(selection));
    if (!r.Any()) return;
    ApplyBackColor(app.ruler, app.module, app.state.BackColor, app.picture.background);
    Preview(context_, r);
    InvalidateRect(GetDlgItem(GetParent(window), IDC_COLOR_STRIP), nullptr, TRUE);
}

INT_PTR ColourPage::OnCommand(int id, int code) {
    switch (id) {
        case IDC_COLOR_LIST:
            OnBackgroundChosen();
            return TRUE;
        case IDC_BOLD_FONT:
        case IDC_ITALIC_FONT:
            if (code == BN_CLICKED) Preview(context_, ToggleSetupFlag(context_.app.state, id));
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR ColourPage::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_DRAWITEM) return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    if (message == kDpiChangedAfterParent) ApplyDpi();
    return FALSE;
}

}  // namespace

HWND CreateColourPage(HWND frame, SetupContext& context) {
    return CreateModelessDialog(std::make_unique<ColourPage>(context), context.app.module,
                                kSetupPages[0].templateName, frame);
}
