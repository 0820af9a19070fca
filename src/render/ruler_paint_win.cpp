// Renders the whole scale into the back buffer and paints the ruler window from it.
#include "render/ruler_paint_win.h"

#include "model/placement.h"
#include "render/backgrounds.h"
#include "render/scale_layout.h"

namespace {

// The buffer's length when it was made for the ruler's direction and body width, else 0.
int32_t UsableLength(const RulerState& s, const BackBuffer& b) {
    const bool suits = b.dc && b.vertical == (s.Vertical != 0) && b.thickness == RulerThickness(s);
    return suits ? b.length : 0;
}

void ReleaseBuffer(BackBuffer& b) {
    b.selected.reset();
    b.bitmap.reset();
    b.dc.reset();
    b.bits = nullptr;
    b.drawn.reset();
}

// The bitmap is only made anew when its size changes: the first touch of a fresh bitmap costs
// page faults, more than drawing a scale the size of a monitor.
void PrepareBuffer(HWND window, BackBuffer& b, bool vertical, int32_t thickness, int32_t length) {
    if (b.dc && b.vertical == vertical && b.thickness == thickness && b.length == length) return;
    ReleaseBuffer(b);
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
    const WindowDc screen(window);
    b.dc.reset(CreateCompatibleDC(screen.get()));
    b.bitmap.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    b.selected.emplace(b.dc.get(), b.bitmap.get());
    b.bits = static_cast<uint32_t*>(bits);
    if (!b.bits) b.length = 0;
}

POINT ToPoint(const RulerState& s, ScalePoint p) {
    return s.Vertical ? POINT{p.across, p.along} : POINT{p.along, p.across};
}

void DrawOrigin(HDC dc, const RulerState& s, HINSTANCE module, const ScaleLayout& layout) {
    const int index = s.BackColor;
    {
        const ScopedSelect fill(
            dc, GetStockObject(LightOriginSquare(index) ? LTGRAY_BRUSH : BLACK_BRUSH));
        const POINT p = ToPoint(s, layout.originSquare);
        Rectangle(dc, p.x, p.y, p.x + 6, p.y + 6);
    }
    if (!layout.hasIcon) return;
    const POINT at = ToPoint(s, layout.icon);
    const OwnedIcon icon(static_cast<HICON>(
        LoadImageW(module, RulerIconName(index, s.Vertical), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    if (!icon) return;
    SetMapMode(dc, MM_TEXT);
    DrawIconEx(dc, at.x, at.y, icon.get(), 32, 32, 0, nullptr, DI_NORMAL);
}

// Arial as the ruler has always drawn its numbers: -15 pixels high and 7 wide whatever the
// screen's DPI, bold and italic as FontStyle says.
GdiObject<HFONT> CreateScaleFont(const RulerState& s) {
    LOGFONTW font{};
    lstrcpynW(font.lfFaceName, L"Arial", LF_FACESIZE);
    font.lfQuality = PROOF_QUALITY;
    font.lfHeight = -15;
    font.lfWidth = 7;
    font.lfEscapement = s.Vertical ? 900 : 0;  // text runs upward along a vertical ruler
    font.lfWeight = (s.FontStyle & 1) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (s.FontStyle & 2) ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    return GdiObject<HFONT>(CreateFontIndirectW(&font));
}

void DrawTexts(HDC dc, const RulerState& s, const ScaleLayout& layout) {
    const GdiObject<HFONT> font = CreateScaleFont(s);
    const ScopedSelect selected(dc, font.get());
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
}

// A line across the whole body at a position along it, in a pen of its own.
void DrawMarker(HDC dc, const RulerState& s, int32_t position, int style, COLORREF colour) {
    const GdiObject<HPEN> pen(CreatePen(style, 1, colour));
    const ScopedSelect selected(dc, pen.get());
    const int32_t along = MarkerAlong(s, position);
    const POINT from = ToPoint(s, {along, 0});
    const POINT to = ToPoint(s, {along, RulerThickness(s)});
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

// The covered stretch of the scale and the border round it.
void CopyScale(HDC dc, const RulerState& s, const RulerPicture& picture) {
    const BackBuffer& b = picture.BufferFor(s);
    const int32_t source = BufferSourceAlong(s, b.length);
    const POINT extent = ToPoint(s, {s.ScaleLength + 1, RulerThickness(s)});
    const POINT from = ToPoint(s, {source, 0});
    BitBlt(dc, 0, 0, extent.x, extent.y, b.dc.get(), from.x, from.y, SRCCOPY);
    const GdiObject<HPEN> border(CreatePen(PS_SOLID, 1, picture.background.ink));
    const ScopedSelect pen(dc, border.get());
    const ScopedSelect hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, extent.x, extent.y);
}

}  // namespace

bool BackBufferWouldChange(const RulerState& s, const BackBuffer& buffer, BufferFit fit) {
    if (!buffer.dc) return false;
    const int32_t current = UsableLength(s, buffer);
    return BufferLengthFor(s, current, fit == BufferFit::kMonitorChanged) != current;
}

void RenderScale(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture,
                 BufferFit fit) {
    BackBuffer& b = picture.BufferFor(s);
    const int32_t length =
        BufferLengthFor(s, UsableLength(s, b), fit == BufferFit::kMonitorChanged);
    const ScalePictureKey key = PictureKeyOf(s, length);
    if (b.bits && b.length == length && b.thickness == RulerThickness(s) && b.drawn == key) return;
    ++picture.renders;
    const ScaleLayout layout = LayoutScale(s, length);
    PrepareBuffer(window, b, s.Vertical != 0, layout.thickness, length);
    if (!b.bits) return;
    HDC dc = b.dc.get();
    const COLORREF ink = picture.background.ink;
    const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
    const ScopedSelect inkPen(dc, pen.get());
    SetTextColor(dc, ink);
    {
        const ScopedSelect fill(dc, picture.background.brush.get());
        Rectangle(dc, 0, 0, b.Width(), b.Height());
    }
    DrawOrigin(dc, s, module, layout);
    // Text and ticks are both ink, so the order between them does not show.
    DrawTexts(dc, s, layout);
    GdiFlush();
    const uint32_t pixel = (GetRValue(ink) << 16) | (GetGValue(ink) << 8) | GetBValue(ink);
    PutStrokes(layout, s.Vertical != 0, pixel, PixelBlock{b.bits, b.Width(), b.Height()});
    b.drawn = key;
}

void PaintRuler(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture) {
    const PaintDc paint(window);
    HDC dc = paint.get();
    // The first paint, and a scale that has outgrown its buffer, render before they copy.
    const int32_t current = UsableLength(s, picture.BufferFor(s));
    if (BufferLengthFor(s, current, false) != current) RenderScale(window, s, module, picture);
    if (picture.BufferFor(s).dc) CopyScale(dc, s, picture);
    DrawMarker(dc, s, s.Marker, PS_SOLID, kRedMarkerColour);
    // On the red marker the blue one is dotted, so the red shows through its gaps.
    const bool together = s.MarkerBlue == s.Marker;
    if (together) SetBkMode(dc, TRANSPARENT);
    DrawMarker(dc, s, s.MarkerBlue, together ? PS_DOT : PS_SOLID, BlueMarkerColor(s.BackColor));
}

void ForgetDrawnScales(RulerPicture& picture) {
    for (BackBuffer& b : picture.buffers) b.drawn.reset();
}

void ReleasePicture(HWND window, RulerPicture& picture) {
    for (BackBuffer& b : picture.buffers) ReleaseBuffer(b);
    ReleaseBackground(window, picture.background);
}
