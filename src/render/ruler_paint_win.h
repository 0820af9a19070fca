// Renders the whole scale into the back buffer and paints the ruler window from it.
#pragma once

#include <windows.h>

#include <cstdint>

// How a rendering chooses the back buffer's length (BufferLengthFor): after a change of the
// ruler's monitor it may also make a buffer anew that would still hold the scale.
enum class BufferFit { kKeep, kMonitorChanged };

// Draws the whole scale anew; called when its picture changes (direction, body, unit, scale,
// numbering, colour, font style) and when the back buffer needs another size.
void RenderScale(HWND window, BufferFit fit = BufferFit::kKeep);

// Whether a rendering with this fit would make the back buffer anew. False before the first
// rendering: the first paint makes one anyway.
bool BackBufferWouldChange(BufferFit fit);

// WM_PAINT: the covered stretch of the scale, the border and the two markers.
void PaintRuler(HWND window);

// How many times the scale was rendered since the start (the benchmark shows that moving and
// resizing the ruler never renders).
uint64_t ScaleRenderCount();
