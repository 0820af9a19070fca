// Renders the whole scale into the back buffer and paints the ruler window from it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "model/ruler_state.h"
#include "render/backgrounds_win.h"
#include "render/gdi_win.h"

// A 32-bit top-down DIB section in a memory device context: the ticks are written straight into
// its pixels, which is far cheaper than thousands of line calls and gives the same pixels.
struct BackBuffer {
    MemoryDc dc;
    GdiObject<HBITMAP> bitmap;
    // Declared last, so it puts the context's own bitmap back before the others go.
    std::optional<ScopedSelect> selected;
    uint32_t* bits = nullptr;
    bool vertical = false;
    int32_t thickness = 0;
    int32_t length = 0;  // along the ruler; 0 when there are no pixels to draw into

    int Width() const { return vertical ? thickness : length; }
    int Height() const { return vertical ? length : thickness; }
};

// What the ruler window is painted with, from its creation to its end.
struct RulerPicture {
    RulerBackground background;
    BackBuffer buffer;
    // How many times the scale was rendered (the benchmark shows that moving and resizing the
    // ruler never renders).
    uint64_t renders = 0;
};

// How a rendering chooses the back buffer's length (BufferLengthFor): after a change of the
// ruler's monitor it may also make a buffer anew that would still hold the scale.
enum class BufferFit { kKeep, kMonitorChanged };

// Draws the whole scale anew; called when its picture changes (direction, body, unit, scale,
// numbering, colour, font style) and when the back buffer needs another size. The icons come
// from `module`.
void RenderScale(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture,
                 BufferFit fit = BufferFit::kKeep);

// Whether a rendering with this fit would make the back buffer anew. False before the first
// rendering: the first paint makes one anyway.
bool BackBufferWouldChange(const RulerState& s, const BackBuffer& buffer, BufferFit fit);

// WM_PAINT: the covered stretch of the scale, the border and the two markers.
void PaintRuler(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture);

// At the end of the ruler window: the background and the back buffer are freed.
void ReleasePicture(HWND window, RulerPicture& picture);
