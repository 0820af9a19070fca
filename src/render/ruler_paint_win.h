// Renders the whole scale into the back buffer and paints the ruler window from it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "model/ruler_state.h"
#include "render/backgrounds_win.h"
#include "render/gdi_win.h"
#include "render/scale_layout.h"

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
    // What the pixels show, once a scale has been drawn into them.
    std::optional<ScalePictureKey> drawn;

    int Width() const { return vertical ? thickness : length; }
    int Height() const { return vertical ? length : thickness; }
};

// What the ruler window is painted with, from its creation to its end.
struct RulerPicture {
    RulerBackground background;
    // One buffer for each direction, horizontal first: the one the ruler does not show is kept, so
    // that turning the ruler back and forth draws each direction once.
    BackBuffer buffers[2];
    // How many times the scale was drawn (the benchmark shows that moving and resizing the ruler
    // never draws, nor does a turn to a direction already drawn).
    uint64_t renders = 0;

    BackBuffer& BufferFor(const RulerState& s) { return buffers[s.Vertical ? 1 : 0]; }
    const BackBuffer& BufferFor(const RulerState& s) const { return buffers[s.Vertical ? 1 : 0]; }
};

// How a rendering chooses the back buffer's length (BufferLengthFor): after a change of the
// ruler's monitor it may also make a buffer anew that would still hold the scale.
enum class BufferFit { kKeep, kMonitorChanged };

// Makes the back buffer of the ruler's direction show the whole scale; called when its picture
// changes (direction, body, unit, scale, numbering, colour, font style) and when the back buffer
// needs another size. It draws only when the buffer does not already show that picture. The icons
// come from `module`.
void RenderScale(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture,
                 BufferFit fit = BufferFit::kKeep);

// Whether a rendering with this fit would make the back buffer anew. False before the first
// rendering: the first paint makes one anyway.
bool BackBufferWouldChange(const RulerState& s, const BackBuffer& buffer, BufferFit fit);

// WM_PAINT: the covered stretch of the scale, the border and the two markers.
void PaintRuler(HWND window, const RulerState& s, HINSTANCE module, RulerPicture& picture);

// The system's colours changed: what the buffers show may no longer be what they would draw.
void ForgetDrawnScales(RulerPicture& picture);

// At the end of the ruler window: the background and the back buffers are freed.
void ReleasePicture(HWND window, RulerPicture& picture);
