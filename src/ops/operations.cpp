// The measuring operations: steps of position, length and markers, the full-scale, narrow and
// reverse modes, the unit and the direction. Each changes the state and says what to refresh.
#include "ops/operations.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "model/placement.h"
#include "model/units.h"
#include "resources/resource.h"

namespace {

PanelRefresh& Or(PanelRefresh& a, const PanelRefresh& b) {
    a.length |= b.length;
    a.red |= b.red;
    a.blue |= b.blue;
    a.allReadouts |= b.allReadouts;
    a.arrows |= b.arrows;
    a.fullScaleButton |= b.fullScaleButton;
    a.narrowButton |= b.narrowButton;
    a.unitRadio |= b.unitRadio;
    return a;
}

Refresh Placed(Placement placement) {
    Refresh r;
    r.placement = placement;
    return r;
}

auto Fields(const PanelRefresh& p) {
    return std::tie(p.length, p.red, p.blue, p.allReadouts, p.arrows, p.fullScaleButton,
                    p.narrowButton, p.unitRadio);
}

auto Fields(const Refresh& r) {
    return std::tie(r.panel, r.fixMonitorByCursor, r.recomputeLength, r.placement, r.readout,
                    r.repaint, r.render, r.turned, r.magnifier);
}

// A full-scale ruler does not move along its own axis.
bool AlongAxisLocked(const RulerState& s, Move move) {
    const bool horizontalMove = move == Move::kLeft || move == Move::kRight;
    return s.FullScale && (horizontalMove ? !s.Vertical : s.Vertical);
}

Refresh KeyMove(RulerState& s, Move move, int32_t step) {
    return AlongAxisLocked(s, move) ? Refresh{} : MoveStep(s, move, step);
}

// A diagonal key: each half that may move does, then one placement.
Refresh KeyDiagonal(RulerState& s, Move across, Move vertical, int32_t step) {
    return Combine(KeyMove(s, across, step), KeyMove(s, vertical, step));
}

void Turn(RulerState& s) {
    s.Vertical ^= 1;
}

// The common end of both kinds of turn: lengths, then the refreshes.
Refresh AfterTurn(RulerState& s) {
    if (!s.FullScale) {
        s.Lenght = s.ScaleLength;
    } else {
        s.ScaleLength = FullScaleLength(s);
    }
    Refresh r = Placed(Placement::kFull);
    r.panel.length = true;
    r.panel.arrows = s.FullScale != 0;
    r.fixMonitorByCursor = true;
    r.readout = true;
    r.repaint = Repaint::kErase;
    r.render = true;
    r.turned = true;
    return r;
}

}  // namespace

bool Refresh::Any() const {
    return !(*this == Refresh{});
}

bool operator==(const PanelRefresh& a, const PanelRefresh& b) {
    return Fields(a) == Fields(b);
}

bool operator==(const Refresh& a, const Refresh& b) {
    return Fields(a) == Fields(b);
}

Refresh Combine(const Refresh& a, const Refresh& b) {
    Refresh r = a;
    Or(r.panel, b.panel);
    r.fixMonitorByCursor |= b.fixMonitorByCursor;
    r.recomputeLength |= b.recomputeLength;
    r.placement = std::max(a.placement, b.placement);
    r.readout |= b.readout;
    r.repaint = std::max(a.repaint, b.repaint);
    r.render |= b.render;
    r.turned |= b.turned;
    r.magnifier |= b.magnifier;
    return r;
}

int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t StepSize(bool shiftOrRightButtonDown) {
    return shiftOrRightButtonDown ? 10 : 1;
}

Refresh MoveStep(RulerState& s, Move move, int32_t step) {
    // At least a thickness of the ruler stays on the monitor along the direction of motion.
    const int32_t t = RulerThickness(s);
    const Rect& m = s.MonitorRect;
    const int64_t x = s.xPosi;
    const int64_t y = s.yPosi;
    switch (move) {
        case Move::kRight:
            s.xPosi = Saturated(std::min(x + step, int64_t{m.right} - t));
            break;
        case Move::kLeft:
            s.xPosi = Saturated(
                std::max(x - step, s.Vertical ? m.left : int64_t{m.left} + t - s.ScaleLength));
            break;
        case Move::kDown:
            s.yPosi = Saturated(std::min(y + step, int64_t{m.bottom} - t));
            break;
        case Move::kUp:
            s.yPosi = Saturated(
                std::max(y - step, s.Vertical ? int64_t{m.top} + t - s.ScaleLength : m.top));
            break;
    }
    return Placed(Placement::kStep);
}

Refresh LengthStep(RulerState& s, int32_t step, bool longer) {
    const int64_t length = s.ScaleLength;
    s.ScaleLength = Saturated(longer ? std::min<int64_t>(length + step, FullScaleLength(s))
                                     : std::max<int64_t>(length - step, kShortestLength));
    // The stored length follows, so a length set with the keys is kept at exit.
    if (!s.FullScale) s.Lenght = s.ScaleLength;
    Refresh r;
    r.panel.length = true;
    r.placement = Placement::kResize;
    r.repaint = Repaint::kKeepBackground;
    r.readout = true;
    return r;
}

Refresh MarkerStep(RulerState& s, bool blue, int32_t step, bool up) {
    int32_t& marker = blue ? s.MarkerBlue : s.Marker;
    const int64_t from = marker;
    marker = Saturated(up ? std::min<int64_t>(from + step, s.ScaleLength)
                          : std::max<int64_t>(from - step, 0));
    Refresh r;
    (blue ? r.panel.blue : r.panel.red) = true;
    r.repaint = Repaint::kKeepBackground;
    r.readout = true;
    r.magnifier = true;
    return r;
}

Refresh ToggleFullScale(RulerState& s) {
    s.FullScale ^= 1;
    if (s.FullScale) {
        s.Lenght = s.ScaleLength;  // the length to come back to
        s.ScaleLength = FullScaleLength(s);
    } else {
        s.ScaleLength = s.Lenght;
    }
    Refresh r = Placed(Placement::kFull);
    r.panel.fullScaleButton = true;
    r.panel.length = true;
    r.panel.arrows = true;
    r.readout = true;
    r.repaint = Repaint::kErase;
    return r;
}

Refresh ToggleNarrow(RulerState& s) {
    s.NarrowScale ^= 1;
    Refresh r = Placed(Placement::kFull);
    r.panel.narrowButton = true;
    r.readout = true;
    r.repaint = Repaint::kErase;
    r.render = true;
    return r;
}

Refresh ToggleReverse(RulerState& s) {
    s.Reverse ^= 1;
    Refresh r;
    r.repaint = Repaint::kErase;
    r.render = true;
    return r;
}

// The unit is the command's offset from the first unit command.
static_assert(IDM_UNIT_PIXEL + kUnitCm == IDM_UNIT_CM &&
                  IDM_UNIT_PIXEL + kUnitInch == IDM_UNIT_INCH,
              "unit commands follow the units");

Refresh ChangeUnit(RulerState& s, int command) {
    s.Unit = static_cast<int16_t>(std::clamp(command - IDM_UNIT_PIXEL, 0, 2));
    Refresh r;
    r.panel.allReadouts = true;
    r.panel.unitRadio = true;
    r.repaint = Repaint::kErase;
    r.readout = true;
    r.render = true;
    return r;
}

Refresh TurnAbout(RulerState& s, Point pivot) {
    const int32_t h = RulerThickness(s) / 2;
    // The point of the centre line nearest the pivot stays put; the body centres across it.
    const int64_t x = s.xPosi;
    const int64_t y = s.yPosi;
    if (!s.Vertical) {
        if (!s.FullScale) s.yPosi = Saturated(y + (x - pivot.x) + h);
        s.xPosi = Saturated(int64_t{pivot.x} - h);
    } else {
        if (!s.FullScale) s.xPosi = Saturated(x + (y - pivot.y) + h);
        s.yPosi = Saturated(int64_t{pivot.y} - h);
    }
    Turn(s);
    return AfterTurn(s);
}

Refresh TurnAboutCentre(RulerState& s) {
    if (!s.FullScale) {
        const int32_t h = RulerThickness(s) / 2;
        const int32_t l = s.ScaleLength / 2;
        const int64_t sign = s.Vertical ? -1 : 1;
        s.xPosi = Saturated(s.xPosi + sign * (l - h));
        s.yPosi = Saturated(s.yPosi + sign * (h - l));
    }
    Turn(s);
    return AfterTurn(s);
}

Refresh FollowDpi(RulerState& s, const Dpi& dpi, Point suggested) {
    SetDpi(s, dpi);
    if (!(s.FullScale && !s.Vertical)) s.xPosi = suggested.x;
    if (!(s.FullScale && s.Vertical)) s.yPosi = suggested.y;
    Refresh r = Placed(Placement::kFull);
    r.readout = true;
    return r;
}

Refresh AfterScaleChange(int32_t before, const RulerState& s) {
    Refresh r;
    if (CurrentScale(s) == before) return r;
    r.readout = true;
    r.repaint = Repaint::kErase;
    r.render = true;
    return r;
}

Refresh FollowDisplaySizes(RulerState& s) {
    const int32_t before = CurrentScale(s);
    s.AutoScaling =
        ComputeAutoScaling(s.MonitorRect.Width(), s.MonitorRect.Height(), MonitorDiagonal(s));
    return AfterScaleChange(before, s);
}

std::optional<MarkerMove> MarkerKeyMove(int virtualKey) {
    switch (virtualKey) {
        case kKeyAdd:
            return MarkerMove{false, true};
        case kKeySubtract:
            return MarkerMove{false, false};
        case kKeyMultiply:
            return MarkerMove{true, true};
        case kKeyDivide:
            return MarkerMove{true, false};
        default:
            return std::nullopt;
    }
}

std::optional<MarkerMove> WheelMarkerMove(const RulerState& s, int delta) {
    if (delta == 0 || (s.WheelMode != 1 && s.WheelMode != 2)) return std::nullopt;
    return MarkerMove{s.WheelMode == 2, delta < 0};
}

bool KeyTakesStep(int virtualKey) {
    if (MarkerKeyMove(virtualKey)) return true;
    switch (virtualKey) {
        case kKeyLeft:
        case kKeyRight:
        case kKeyUp:
        case kKeyDown:
        case kKeyNumpad1:
        case kKeyNumpad2:
        case kKeyNumpad3:
        case kKeyNumpad4:
        case kKeyNumpad6:
        case kKeyNumpad7:
        case kKeyNumpad8:
        case kKeyNumpad9:
        case kKeyPrior:
        case kKeyNext:
            return true;
        default:
            return false;
    }
}

Refresh OnKey(RulerState& s, int virtualKey, int32_t step) {
    if (const auto move = MarkerKeyMove(virtualKey)) {
        return MarkerStep(s, move->blue, step, move->up);
    }
    switch (virtualKey) {
        case kKeyLeft:
        case kKeyNumpad4:
            return KeyMove(s, Move::kLeft, step);
        case kKeyRight:
        case kKeyNumpad6:
            return KeyMove(s, Move::kRight, step);
        case kKeyUp:
        case kKeyNumpad8:
            return KeyMove(s, Move::kUp, step);
        case kKeyDown:
        case kKeyNumpad2:
            return KeyMove(s, Move::kDown, step);
        case kKeyNumpad7:
            return KeyDiagonal(s, Move::kLeft, Move::kUp, step);
        case kKeyNumpad9:
            return KeyDiagonal(s, Move::kRight, Move::kUp, step);
        case kKeyNumpad1:
            return KeyDiagonal(s, Move::kLeft, Move::kDown, step);
        case kKeyNumpad3:
            return KeyDiagonal(s, Move::kRight, Move::kDown, step);
        case kKeyPrior:
            return s.FullScale ? Refresh{} : LengthStep(s, step, false);
        case kKeyNext:
            return s.FullScale ? Refresh{} : LengthStep(s, step, true);
        case kKeyHome:
        case kKeyNumpad5:
            return TurnAboutCentre(s);
        case kKeyEnd:
            return ToggleReverse(s);
        case kKeyDelete:
            return ToggleFullScale(s);
        case kKeyBack:
            return ToggleNarrow(s);
        default:
            return Refresh{};
    }
}

Refresh OnWheel(RulerState& s, int delta, int32_t step) {
    const auto move = WheelMarkerMove(s, delta);
    return move ? MarkerStep(s, move->blue, step, move->up) : Refresh{};
}

Refresh DragTo(RulerState& s, Point screen, Point anchor) {
    Point p{Saturated(int64_t{screen.x} - anchor.x), Saturated(int64_t{screen.y} - anchor.y)};
    if (p.x == s.xPosi && p.y == s.yPosi) return Refresh{};
    if (s.FullScale) (s.Vertical ? p.y : p.x) = s.Vertical ? s.yPosi : s.xPosi;
    s.xPosi = p.x;
    s.yPosi = p.y;
    return Placed(Placement::kDrag);
}
