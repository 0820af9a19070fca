// Readings for the clipboard, and fitting the ruler to the window beside its origin.
#pragma once

#include <optional>
#include <string>

#include "model/geometry.h"
#include "model/ruler_state.h"
#include "ops/operations.h"

// The text Copy puts on the clipboard for a command (length, red, blue, red - blue), exactly as
// the readouts write it; nothing for any other command.
std::optional<std::wstring> CopyText(const RulerState& s, int command);

// One pixel outside the ruler's long side at its origin end: above a horizontal ruler, left of a
// vertical one.
Point AdjustProbe(const RulerState& s);

// Puts the origin on the found rectangle's edge and the red marker on its far edge, the ruler
// 32 pixels longer than the rectangle.
Refresh AdjustTo(RulerState& s, const Rect& found);
