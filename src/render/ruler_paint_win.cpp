// Renders the whole scale into the back buffer and paints the ruler window from it.
#include "render/ruler_paint_win.h"

#include <cstdint>

#include "app/app_win.h"
#include "model/placement.h"
#include "render/backgrounds.h"
#include "render/backgrounds_win.h"
#include "render/scale_layout.h"

namespace {

// A 32-bit top-down DIB section: the ticks are written straight into its pixels, which is far
// cheaper than thousands of line calls and gives the same pixels.
struct BackBuffer {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
    bool vertical = false;
    int32_t thickness = 0;
    int32_t length = 0;  // along the ruler; 0 when there are no pixels to draw into

    int Width() const { return vertical ? thickness : length; }
    int Height() const { return vertical ? length : thickness; }
};

uint64_t g_renderCount = 0;

BackBuffer& Buffer() {
    static BackBuffer buffer;
    return buffer;
}

// The buffer's length when it was made for the ruler's direction and body width, else 0.
int32_t UsableLength(const RulerState& s) {
    const BackBuffer& b = Buffer();
    const bool suits = b.dc && b.vertical == (s.Vertical != 0) && b.thickness == RulerThickness(s);
    return suits ? b.length : 0;
}

// The bitmap is only made anew when its size changes: the first touch of a fresh bitmap costs
// page faults, more than drawing a scale the size of a monitor.
void PrepareBuffer(HWND window, bool vertical, int32_t thickness, int32_t length) {
    BackBuffer& b = Buffer();
    if (b.dc && b.vertical == vertical && b.thickness == thickness && b.length == length) return;
    HDC screen = GetDC(window);
    if (b.dc) {
        SelectObject(b.dc, b.previous);
        DeleteObject(b.bitmap);
        DeleteDC(b.dc);
    }
    b.vertical = vertical;
    b.thickness = thickness;
    b.length = length;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = b.Width();
    info.bmiHeader.biHeight = -b.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    b.dc = CreateCompatibleDC(screen);
    b.bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    b.previous = SelectObject(b.dc, b.bitmap);
    b.bits = static_cast<uint32_t*>(bits);
    if (!b.bits) b.length = 0;
    ReleaseDC(window, screen);
}

POINT ToPoint(const RulerState& s, ScalePoint p) {
    return s.Vertical ? POINT{p.across, p.along} : POINT{p.along, p.across};
}

void DrawOrigin(HDC dc, const RulerState& s, const ScaleLayout& layout) {
    const int index = s.BackColor;
    HGDIOBJ old =
        SelectObject(dc, GetStockObject(LightOriginSquare(index) ? LTGRAY_BRUSH : BLACK_BRUSH));
    const POINT p = ToPoint(s, layout.originSquare);
    Rectangle(dc, p.x, p.y, p.x + 6, p.y + 6);
    SelectObject(dc, old);
    if (!layout.hasIcon) return;
    const POINT at = ToPoint(s, layout.icon);
    HICON icon = static_cast<HICON>(LoadImageW(TheApp().module, RulerIconName(index, s.Vertical),
                                               IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
    if (!icon) return;
    SetMapMode(dc, MM_TEXT);
    DrawIconEx(dc, at.x, at.y, icon, 32, 32, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
}

HFONT CreateScaleFont(const RulerState& s) {
    LOGFONTW font = TheApp().rulerFont;
    font.lfHeight = -15;
    font.lfWidth = 7;
    font.lfEscapement = s.Vertical ? 900 : 0;  // text runs upward along a vertical ruler
    font.lfWeight = (s.FontStyle & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (s.FontStyle & 2) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    return CreateFontIndirectW(&font);
}

void DrawTexts(HDC dc, const RulerState& s, const ScaleLayout& layout) {
    HFONT font = CreateScaleFont(s);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (layout.hasUnitLabel) {
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        const POINT p = ToPoint(s, layout.unitLabel);
        TextOutW(dc, p.x, p.y, layout.unitLabelText.c_str(),
                 static_cast<int>(layout.unitLabelText.size()));
    }
    for (const ScaleLabel& label : layout.labels) {
        SetTextAlign(dc, TA_CENTER | (label.alignBottom ? TA_BOTTOM : TA_TOP));
        const POINT p = ToPoint(s, label.at);
        TextOutW(dc, p.x, p.y, label.text.c_str(), static_cast<int>(label.text.size()));
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
}

}  // namespace

uint64_t ScaleRenderCount() {
    return g_renderCount;
}

bool BackBufferWouldChange(BufferFit fit) {
    if (!Buffer().dc) return false;
    const RulerState& s = TheApp().state;
    const int32_t current = UsableLength(s);
    return BufferLengthFor(s, current, fit == BufferFit::kMonitorChanged) != current;
}

void RenderScale(HWND window, BufferFit fit) {
    ++g_renderCount;
    const RulerState& s = TheApp().state;
    const int32_t length = BufferLengthFor(s, UsableLength(s), fit == BufferFit::kMonitorChanged);
    const ScaleLayout layout = LayoutScale(s, length);
    PrepareBuffer(window, s.Vertical != 0, layout.thickness, length);
    BackBuffer& b = Buffer();
    if (!b.bits) return;
    HDC dc = b.dc;
    const COLORREF ink = CurrentInk();
    HPEN pen = CreatePen(PS_SOLID, 1, ink);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    SetTextColor(dc, ink);
    HGDIOBJ oldBrush = SelectObject(dc, BackgroundBrush());
    Rectangle(dc, 0, 0, b.Width(), b.Height());
    SelectObject(dc, oldBrush);
    DrawOrigin(dc, s, layout);
    // Text and ticks are both ink, so the order between them does not show.
    DrawTexts(dc, s, layout);
    GdiFlush();
    const uint32_t pixel = (GetRValue(ink) << 16) | (GetGValue(ink) << 8) | GetBValue(ink);
    PutStrokes(layout, s.Vertical != 0, pixel, PixelBlock{b.bits, b.Width(), b.Height()});
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

namespace {

// A line across the whole body at a position along it.
void DrawMarker(HDC dc, const RulerState& s, int thickness, int32_t position, HPEN pen) {
    const int32_t along = MarkerAlong(s, position);
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT from = ToPoint(s, {along, 0});
    const POINT to = ToPoint(s, {along, thickness});
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

}  // namespace

void PaintRuler(HWND window) {
    const RulerState& s = TheApp().state;
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const int thickness = RulerThickness(s);
    // The first paint, and a scale that has outgrown its buffer, render before they copy.
    const int32_t current = UsableLength(s);
    if (BufferLengthFor(s, current, false) != current) RenderScale(window);
    const BackBuffer& b = Buffer();
    if (b.dc) {
        const int32_t source = BufferSourceAlong(s, b.length);
        const POINT extent = ToPoint(s, {s.ScaleLength + 1, thickness});
        const POINT from = ToPoint(s, {source, 0});
        BitBlt(dc, 0, 0, extent.x, extent.y, b.dc, from.x, from.y, SRCCOPY);
        HPEN border = CreatePen(PS_SOLID, 1, CurrentInk());
        HGDIOBJ oldPen = SelectObject(dc, border);
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, 0, 0, extent.x, extent.y);
        SelectObject(dc, oldBrush);
        SelectObject(dc, oldPen);
        DeleteObject(border);
    }
    DrawMarker(dc, s, thickness, s.Marker, CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
    // On the red marker the blue one is dotted, so the red shows through its gaps.
    const bool together = s.MarkerBlue == s.Marker;
    if (together) SetBkMode(dc, TRANSPARENT);
    DrawMarker(dc, s, thickness, s.MarkerBlue,
               CreatePen(together ? PS_DOT : PS_SOLID, 1, BlueMarkerColor(s.BackColor)));
    EndPaint(window, &paint);
}
