// Renders the whole scale into the back buffer and paints the ruler window from it.
#pragma once

#include <windows.h>

#include <cstdint>

// Draws the whole scale anew; called when its picture changes (direction, body, unit, scale,
// numbering, colour, font style).
void RenderScale(HWND window);

// WM_PAINT: the covered stretch of the scale, the border and the two markers.
void PaintRuler(HWND window);

// How many times the scale was rendered since the start (the benchmark shows that moving and
// resizing the ruler never renders).
uint64_t ScaleRenderCount();
