// The ruler's background brush, pattern bitmap and ink colour.
#include "render/backgrounds_win.h"

#include "render/backgrounds.h"

COLORREF BackgroundColour(int index) {
    const Background& b = BackgroundOf(index);
    // The system backgrounds follow the desktop: their colour is read anew for every use.
    if (b.kind == BackgroundKind::kSystem) return GetSysColor(b.systemColour);
    return b.kind == BackgroundKind::kSolid ? b.colour : RGB(0, 0, 0);
}

GdiObject<HBITMAP> LoadPattern(HINSTANCE module, int index, HDC dc) {
    const Background& background = BackgroundOf(index);
    if (background.kind != BackgroundKind::kPattern) return nullptr;
    GdiObject<HBITMAP> pattern(static_cast<HBITMAP>(LoadImageW(
        module, background.bitmap, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE)));
    if (background.recolored) RecolorPattern(dc, pattern.get());
    return pattern;
}

GdiObject<HBRUSH> MakeBackBrush(int index, HBITMAP pattern) {
    if (index >= 0 && index < kFirstPatternBackground) {
        return GdiObject<HBRUSH>(CreateSolidBrush(BackgroundColour(index)));
    }
    return GdiObject<HBRUSH>(CreatePatternBrush(pattern));
}

void RecolorPattern(HDC dc, HBITMAP pattern) {
    BITMAP info{};
    if (!pattern || !GetObjectW(pattern, sizeof(info), &info)) return;
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    const ScopedSelect selected(memory.get(), pattern);
    const PatternColours colours{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_MENU),
                                 GetSysColor(COLOR_BTNSHADOW)};
    for (int x = 0; x < info.bmWidth; ++x) {
        for (int y = 0; y < info.bmHeight; ++y) {
            const COLORREF pixel = GetPixel(memory.get(), x, y);
            const COLORREF recolored = RecolorPixel(pixel, colours);
            if (recolored != pixel) SetPixelV(memory.get(), x, y, recolored);
        }
    }
}

void ApplyBackColor(HWND window, HINSTANCE module, int backColor, RulerBackground& background) {
    const bool isPattern = BackgroundOf(backColor).kind == BackgroundKind::kPattern;
    GdiObject<HBITMAP> pattern;
    if (isPattern) pattern = LoadPattern(module, backColor, WindowDc(window).get());
    GdiObject<HBRUSH> brush = MakeBackBrush(backColor, pattern.get());
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush.get()));
    // The brush before is no longer the class's and goes now; a pattern's bitmap goes once the
    // next pattern's brush is in, and stays while solid colours come and go.
    background.brush = std::move(brush);
    if (isPattern) background.pattern = std::move(pattern);
    background.ink = InkColor(backColor, BackgroundColour(backColor));
}

void ReleaseBackground(HWND window, RulerBackground& background) {
    SetClassLongPtrW(window, GCLP_HBRBACKGROUND, 0);
    background.brush.reset();
    background.pattern.reset();
}
