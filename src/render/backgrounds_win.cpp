// The ruler's background brush, pattern bitmap and ink colour.
#include "render/backgrounds_win.h"

#include "app/app_win.h"
#include "render/backgrounds.h"

namespace {

struct Backgrounds {
    COLORREF colours[kFirstPatternBackground] = {};
    HBITMAP currentPattern = nullptr;  // loaded last
    HBITMAP patternInUse = nullptr;    // behind the installed brush
    HBRUSH brush = nullptr;
    COLORREF ink = RGB(0, 0, 0);
};

Backgrounds& Current() {
    static Backgrounds backgrounds;
    return backgrounds;
}

// Solid colours are fixed; the system backgrounds are read anew for every brush.
void RefreshColourTable() {
    COLORREF* colours = Current().colours;
    for (int i = 0; i < kFirstPatternBackground; ++i) {
        const Background& b = BackgroundOf(i);
        colours[i] = b.kind == BackgroundKind::kSystem ? GetSysColor(b.systemColour) : b.colour;
    }
}

}  // namespace

HBRUSH MakeBackBrush(int index) {
    RefreshColourTable();
    if (index >= 0 && index < kFirstPatternBackground) {
        return CreateSolidBrush(Current().colours[index]);
    }
    return CreatePatternBrush(Current().currentPattern);
}

void RecolorPattern(HDC dc) {
    HBITMAP pattern = Current().currentPattern;
    BITMAP info{};
    if (!pattern || !GetObjectW(pattern, sizeof(info), &info)) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, pattern);
    const PatternColours colours{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_MENU),
                                 GetSysColor(COLOR_BTNSHADOW)};
    for (int x = 0; x < info.bmWidth; ++x) {
        for (int y = 0; y < info.bmHeight; ++y) {
            const COLORREF pixel = GetPixel(memory, x, y);
            const COLORREF recolored = RecolorPixel(pixel, colours);
            if (recolored != pixel) SetPixelV(memory, x, y, recolored);
        }
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
}

void ApplyBackColor(HWND window) {
    Backgrounds& b = Current();
    const int index = TheApp().state.BackColor;
    const Background& background = BackgroundOf(index);
    const bool pattern = background.kind == BackgroundKind::kPattern;
    if (pattern) {
        b.currentPattern =
            static_cast<HBITMAP>(LoadImageW(TheApp().module, background.bitmap, IMAGE_BITMAP, 0, 0,
                                            LR_LOADMAP3DCOLORS | LR_DEFAULTSIZE));
        if (background.recolored) {
            HDC dc = GetDC(window);
            RecolorPattern(dc);
            ReleaseDC(window, dc);
        }
    }
    b.brush = MakeBackBrush(index);
    const LONG_PTR old =
        SetClassLongPtrW(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(b.brush));
    if (old) DeleteObject(reinterpret_cast<HGDIOBJ>(old));
    // A pattern bitmap stays until the next pattern replaces it.
    if (pattern) {
        if (b.patternInUse) DeleteObject(b.patternInUse);
        b.patternInUse = b.currentPattern;
    }
    b.ink = InkColor(index, index < kFirstPatternBackground ? b.colours[index] : 0);
}

HBRUSH BackgroundBrush() {
    return Current().brush;
}

COLORREF CurrentInk() {
    return Current().ink;
}

void DeleteBackgroundObjects() {
    Backgrounds& b = Current();
    if (b.brush) DeleteObject(b.brush);
    if (b.patternInUse) DeleteObject(b.patternInUse);
    b.brush = nullptr;
    b.patternInUse = nullptr;
    b.currentPattern = nullptr;
}
