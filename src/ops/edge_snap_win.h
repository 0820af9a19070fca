// The marker steps that find edges: the screen beside the ruler read once per step.
#pragma once

#include <optional>

#include "ops/instance_win.h"
#include "ops/operations.h"

// A marker step of a key, the wheel or a panel arrow goes to the next edge while Snap to Edges is
// on and the step is an ordinary one. True when it did; otherwise the caller steps as always.
bool SnapMarkerStep(Instance& app, const std::optional<MarkerMove>& move, int32_t step);
