// What every dialog does alike when its density changes: it takes the suggested rectangle, and
// the fonts it makes come again from its template's font at the new density, never from the
// last ones made.
#include <gtest/gtest.h>

#include <windows.h>

#include "dialogs/dialog_win.h"
#include "render/dpi_win.h"

namespace {

// A window that answers WM_GETFONT as a dialog does, with the font it was given.
class FontedWindow {
  public:
    explicit FontedWindow(LONG height) {
        LOGFONTW description{};
        description.lfHeight = height;
        description.lfWeight = FW_NORMAL;
        lstrcpynW(description.lfFaceName, L"Arial", LF_FACESIZE);
        font_.reset(CreateFontIndirectW(&description));
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    ~FontedWindow() { DestroyWindow(window_); }
    HWND window() const { return window_; }

  private:
    GdiObject<HFONT> font_;
    HWND window_ = nullptr;
};

LOGFONTW Described(const GdiObject<HFONT>& font) {
    LOGFONTW description{};
    if (font) GetObjectW(font.get(), sizeof(description), &description);
    return description;
}

TEST(DialogDpi, TakesTheSuggestedRectangleAndMakesItsFontsAgainAtEachDensity) {
    FontedWindow dialog(-13);
    ASSERT_TRUE(dialog.window());
    DialogDpi d;
    d.Start(dialog.window(), Dpi{});
    ASSERT_EQ(d.dpi, (Dpi{96, 96, 0}));  // the test prefix's setting
    LOGFONTW bold = Described(d.font.Bold(d.dpi));
    EXPECT_EQ(bold.lfHeight, -13);
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    EXPECT_FALSE(bold.lfItalic);
    EXPECT_STREQ(bold.lfFaceName, L"Arial");

    RECT suggested{10, 20, 310, 170};
    d.Follow(dialog.window(), MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(d.dpi, (Dpi{144, 144, 3}));
    RECT shown{};
    GetWindowRect(dialog.window(), &shown);
    EXPECT_TRUE(EqualRect(&shown, &suggested));
    bold = Described(d.font.Bold(d.dpi));
    EXPECT_EQ(bold.lfHeight, -20);  // 19.5
    EXPECT_EQ(bold.lfWeight, FW_BOLD);
    const LOGFONTW italic = Described(d.font.Italic(d.dpi));
    EXPECT_EQ(italic.lfHeight, -20);
    EXPECT_EQ(italic.lfWeight, FW_NORMAL);
    EXPECT_TRUE(italic.lfItalic);

    // An unbelievable density and no rectangle change nothing.
    d.Follow(dialog.window(), MAKEWPARAM(0, 0), 0);
    EXPECT_EQ(d.dpi, (Dpi{144, 144, 3}));
    GetWindowRect(dialog.window(), &shown);
    EXPECT_TRUE(EqualRect(&shown, &suggested));

    // Back at 120 and 96 the heights are those of the template's font, not of the last ones.
    d.Follow(dialog.window(), MAKEWPARAM(120, 120), 0);
    EXPECT_EQ(Described(d.font.Bold(d.dpi)).lfHeight, -16);  // 16.25
    d.Follow(dialog.window(), MAKEWPARAM(96, 96), 0);
    EXPECT_EQ(Described(d.font.Bold(d.dpi)).lfHeight, -13);
}

// Counts the paints of the control it is set on.
int g_paints = 0;
WNDPROC g_staticProcedure = nullptr;
LRESULT CALLBACK CountPaints(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) ++g_paints;
    return CallWindowProcW(g_staticProcedure, window, message, wParam, lParam);
}

// A dialog not shown yet gets its fonts without a redraw; a shown one, at a new density, shows its
// texts in the new font at once.
TEST(DialogDpi, AShownDialogRedrawsTheTextsGivenANewFont) {
    FontedWindow dialog(-13);
    ASSERT_TRUE(dialog.window());
    HWND text = CreateWindowExW(0, L"STATIC", L"Text", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20,
                                dialog.window(), reinterpret_cast<HMENU>(5),
                                GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(text);
    g_staticProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountPaints)));
    DialogDpi d;
    d.Start(dialog.window(), Dpi{});
    const GdiObject<HFONT> bold = d.font.Bold(d.dpi);
    SetItemFonts(dialog.window(), {5}, bold.get());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)), bold.get());

    ShowWindow(dialog.window(), SW_SHOWNOACTIVATE);
    UpdateWindow(dialog.window());
    const int shown = g_paints;
    EXPECT_GE(shown, 1);
    d.Follow(dialog.window(), MAKEWPARAM(144, 144), 0);
    const GdiObject<HFONT> larger = d.font.Bold(d.dpi);
    SetItemFonts(dialog.window(), {5}, larger.get());
    UpdateWindow(dialog.window());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)), larger.get());
    EXPECT_GT(g_paints, shown) << "the text was not drawn again in its new font";
    DestroyWindow(text);
}

TEST(DialogDpi, WithoutAFontTheDialogMakesNone) {
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(plain);
    DialogDpi d;
    d.Start(plain, Dpi{});
    EXPECT_FALSE(d.font.Known());
    EXPECT_FALSE(d.font.Bold(d.dpi));
    EXPECT_FALSE(d.font.Italic(d.dpi));
    DestroyWindow(plain);
}

TEST(DialogDpi, TheTooltipFontGrowsWithTheDensity) {
    const LOGFONTW at96 = Described(TooltipFontAt(Dpi{}));
    const LOGFONTW at144 = Described(TooltipFontAt(Dpi{144, 144, 3}));
    ASSERT_NE(at96.lfHeight, 0);
    EXPECT_EQ(at144.lfHeight, CarriedToDpi(at96.lfHeight, 96, 144));
    EXPECT_STREQ(at144.lfFaceName, at96.lfFaceName);
}

}  // namespace
