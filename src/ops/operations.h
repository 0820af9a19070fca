// The measuring operations: steps of position, length and markers, the full-scale, narrow and
// reverse modes, the unit and the direction. Each changes the state and says what to refresh.
#pragma once

#include <cstdint>
#include <optional>

#include "model/dpi.h"
#include "model/geometry.h"
#include "model/ruler_state.h"

// How the ruler's window takes the rectangle and z-order band the state gives it. Each kind is
// one window call (or, for a step, the lighter of two); two kinds together do the one that does
// more, so the kinds are listed from the least to the most.
enum class Placement : uint8_t {
    kNone,
    kDrag,  // only the position, while dragging: size, z-order and frame stay
    // A step of the position from the Operation panel: only the position when nothing else
    // differs, else rectangle and z-order keeping the size; the panel keeps the focus.
    kStepKeepingFocus,
    kStep,    // the same from the ruler's own keys, which activates it
    kResize,  // size and position at once, in its z-order band, without activating (length steps)
    kFull,    // rectangle, z-order and frame, without activating
};

enum class Repaint { kNone, kKeepBackground, kErase };

// What the Operation panel must show anew; only acted on while it is open.
struct PanelRefresh {
    bool length = false;
    bool red = false;
    bool blue = false;
    bool allReadouts = false;
    bool arrows = false;
    bool fullScaleButton = false;
    bool narrowButton = false;
    bool unitRadio = false;
};

// Carried out in this order: panel, monitor, window, title and tooltip, repaint, rendering.
struct Refresh {
    PanelRefresh panel;
    bool fixMonitorByCursor = false;
    bool recomputeLength = false;  // after the monitor is known
    Placement placement = Placement::kNone;
    bool readout = false;
    Repaint repaint = Repaint::kNone;
    bool render = false;
    bool turned = false;     // the ruler changed direction: cursor, panel and magnifier follow
    bool magnifier = false;  // a marker moved: an open magnifier shows it now, not at its tick

    bool Any() const;
};

// Whole requests compare, so that a test can say exactly what an operation asks for.
bool operator==(const PanelRefresh& a, const PanelRefresh& b);
bool operator==(const Refresh& a, const Refresh& b);

// Both refreshes' work (for a key that makes two steps).
Refresh Combine(const Refresh& a, const Refresh& b);

enum class Move { kRight, kLeft, kDown, kUp };

// A sum computed wide, brought back into the 32-bit range: a stored position or marker may lie
// at either end of that range, and a step from there must stop at the end, not wrap around.
int32_t Saturated(int64_t value);

// The step of every move, length, marker and scale step: 10 pixels while Shift or the right
// button is held, else 1. The caller reads the keys.
int32_t StepSize(bool shiftOrRightButtonDown);

Refresh MoveStep(RulerState& s, Move move, int32_t step);
Refresh LengthStep(RulerState& s, int32_t step, bool longer);
Refresh MarkerStep(RulerState& s, bool blue, int32_t step, bool up);

// Which marker a step moves, and which way: up is away from the origin.
struct MarkerMove {
    bool blue = false;
    bool up = false;
};
Refresh ToggleFullScale(RulerState& s);
Refresh ToggleNarrow(RulerState& s);
Refresh ToggleReverse(RulerState& s);
// IDM_UNIT_PIXEL, IDM_UNIT_CM or IDM_UNIT_INCH
Refresh ChangeUnit(RulerState& s, int command);
// Turns the ruler about the point of its centre line nearest to `pivot` (screen coordinates).
Refresh TurnAbout(RulerState& s, Point pivot);
// Turns the ruler about the centre of its rectangle.
Refresh TurnAboutCentre(RulerState& s);

// The ruler's monitor has another density: its dialogs and pictures follow it, and the ruler takes
// the position the system suggests (`suggested`, its top-left corner). Its length and thickness
// stay as many pixels as they were: a ruler of pixels stretched by the density would measure
// nothing. The stored position a full-scale ruler comes back to stays along its axis.
Refresh FollowDpi(RulerState& s, const Dpi& dpi, Point suggested);

// The current scale was `before`: when it is another now, the scale is drawn again and the title
// and tooltip rewritten, so that the drawing and the readouts agree.
Refresh AfterScaleChange(int32_t before, const RulerState& s);

// The display sizes may have changed: the automatic scale follows the ruler's monitor's entry.
Refresh FollowDisplaySizes(RulerState& s);

// The virtual-key codes of the keys the ruler answers, numbered as the system numbers them.
enum Key : int {
    kKeyBack = 8,
    kKeyPrior = 33,  // Page Up
    kKeyNext = 34,   // Page Down
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyDelete = 46,
    kKeyNumpad1 = 97,
    kKeyNumpad2 = 98,
    kKeyNumpad3 = 99,
    kKeyNumpad4 = 100,
    kKeyNumpad5 = 101,
    kKeyNumpad6 = 102,
    kKeyNumpad7 = 103,
    kKeyNumpad8 = 104,
    kKeyNumpad9 = 105,
    kKeyMultiply = 106,
    kKeyAdd = 107,
    kKeySubtract = 109,
    kKeyDivide = 111,
};

// The marker keys: + and - move the red marker, * and / the blue one.
std::optional<MarkerMove> MarkerKeyMove(int virtualKey);
// The marker the wheel moves (by WheelMode), if any: toward the user moves it away from zero.
std::optional<MarkerMove> WheelMarkerMove(const RulerState& s, int delta);

// Whether the key's operation is a step, whose size the held keys choose. The other keys need
// no reading of the keys.
bool KeyTakesStep(int virtualKey);

// The ruler's keys (virtual-key codes); keys without an action give no refresh.
Refresh OnKey(RulerState& s, int virtualKey, int32_t step);

// One marker step per wheel message: toward the user moves the chosen marker away from zero.
Refresh OnWheel(RulerState& s, int delta, int32_t step);

// A drag to the cursor at `screen`, grabbed at client point `anchor`. A full-scale ruler only
// moves across its length.
Refresh DragTo(RulerState& s, Point screen, Point anchor);
