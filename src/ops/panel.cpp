// The Operation panel's own rules: its title, its toolbar and sizes at the screen's dots per inch,
// which arrows may be used, what each arrow does to the ruler, and what Esc puts back.
#include "ops/panel.h"

#include "model/placement.h"
#include "model/text_format.h"
#include "resources/resource.h"

namespace {

// The scroll codes of a step by one line: up or left, down or right.
constexpr uintptr_t kLineUp = 0;
constexpr uintptr_t kLineDown = 1;

// At 96 dots per inch; the toolbar grows with the screen's dots per inch.
constexpr int32_t kButtonWidth = 45;
constexpr int32_t kButtonHeight = 28;
constexpr Rect kToolbar{35, 103, 35 + 195, 103 + 28};

// From this DpiStep (144 dots per inch) on, the larger images are used.
constexpr int16_t kLargeImagesFrom = 3;

Refresh PlacedKeepingFocus() {
    Refresh r;
    r.placement = Placement::kStepKeepingFocus;
    return r;
}

Refresh MoveArrow(RulerState& s, bool vertical, uintptr_t code, int32_t step) {
    const PanelArrows usable = PanelArrowsEnabled(s);
    // A placement follows whatever the code, as a key move's does.
    if ((code == kLineUp || code == kLineDown) &&
        (vertical ? usable.moveVertical : usable.moveHorizontal)) {
        const bool first = code == kLineUp;
        MoveStep(
            s, vertical ? (first ? Move::kUp : Move::kDown) : (first ? Move::kLeft : Move::kRight),
            step);
    }
    return PlacedKeepingFocus();
}

}  // namespace

const std::array<PanelButton, 7> kPanelButtons = {{
    {0, -1, PanelButtonKind::kSeparator, L""},
    {IDC_PANEL_REVERSE, 0, PanelButtonKind::kButton, L"Reverse"},
    {IDC_PANEL_DIRECTION, 1, PanelButtonKind::kButton, L"Direction"},
    {0, -1, PanelButtonKind::kSeparator, L""},
    {IDC_PANEL_FULL, 2, PanelButtonKind::kCheck, L"Full Scale"},
    {IDC_PANEL_NARROW, 3, PanelButtonKind::kCheck, L"Narrow Scale"},
    {0, -1, PanelButtonKind::kSeparator, L""},
}};

std::wstring PanelTitle(const std::wstring& className) {
    return FitBuffer(L"Operation - " + className, 30);
}

const wchar_t* PanelButtonTip(int command) {
    for (const PanelButton& b : kPanelButtons) {
        if (b.kind != PanelButtonKind::kSeparator && b.command == command) return b.tip;
    }
    return nullptr;
}

PanelLayout PanelLayoutFor(const Dpi& dpi) {
    PanelLayout l{};
    const bool large = dpi.step >= kLargeImagesFrom;
    l.bitmap = large ? IDB_PANEL_TOOLBAR_BIG : IDB_PANEL_TOOLBAR;
    l.imageSize = large ? 25 : 17;
    l.buttonWidth = ScaledToDpi(kButtonWidth, dpi.x);
    l.buttonHeight = ScaledToDpi(kButtonHeight, dpi.y);
    l.toolbar = ScaledToDpi(kToolbar, dpi);
    return l;
}

namespace {

Refresh ToPixels(RulerState& s) {
    return ChangeUnit(s, IDM_UNIT_PIXEL);
}
Refresh ToCentimetres(RulerState& s) {
    return ChangeUnit(s, IDM_UNIT_CM);
}
Refresh ToInches(RulerState& s) {
    return ChangeUnit(s, IDM_UNIT_INCH);
}

struct ScaleCommand {
    int menu;
    int panel;
    Refresh (*run)(RulerState& s);
};

constexpr ScaleCommand kScaleCommands[] = {
    {IDM_REVERSE, IDC_PANEL_REVERSE, ToggleReverse}, {IDM_NARROW, IDC_PANEL_NARROW, ToggleNarrow},
    {IDM_FULL, IDC_PANEL_FULL, ToggleFullScale},     {IDM_UNIT_PIXEL, IDC_PANEL_PIXEL, ToPixels},
    {IDM_UNIT_CM, IDC_PANEL_CM, ToCentimetres},      {IDM_UNIT_INCH, IDC_PANEL_INCH, ToInches},
};

}  // namespace

std::optional<Refresh> RunScaleCommand(RulerState& s, int command, CommandFrom from) {
    for (const ScaleCommand& c : kScaleCommands) {
        if (command == (from == CommandFrom::kMenu ? c.menu : c.panel)) return c.run(s);
    }
    return std::nullopt;
}

PanelArrows PanelArrowsEnabled(const RulerState& s) {
    const bool fullScale = s.FullScale != 0;
    return PanelArrows{!(fullScale && !s.Vertical), !(fullScale && s.Vertical), !fullScale};
}

Refresh PanelArrow(RulerState& s, int control, uintptr_t code, int32_t step) {
    const bool line = code == kLineUp || code == kLineDown;
    // The up arrow lengthens the ruler and moves a marker away from the origin.
    const bool up = code == kLineUp;
    switch (control) {
        case IDC_MOVE_VERT:
        case IDC_MOVE_HORZ:
            return MoveArrow(s, control == IDC_MOVE_VERT, code, step);
        case IDC_LENGTH_ARROW:
            // A full-scale ruler keeps the monitor's length.
            if (!line || !PanelArrowsEnabled(s).length) return Refresh{};
            return LengthStep(s, step, up);
        case IDC_RED_ARROW:
        case IDC_BLUE_ARROW: {
            const auto move = PanelMarkerMove(control, code);
            return move ? MarkerStep(s, move->blue, step, move->up) : Refresh{};
        }
        default:
            return Refresh{};
    }
}

std::optional<MarkerMove> PanelMarkerMove(int control, uintptr_t code) {
    const bool marker = control == IDC_RED_ARROW || control == IDC_BLUE_ARROW;
    if (!marker || (code != kLineUp && code != kLineDown)) return std::nullopt;
    return MarkerMove{control == IDC_BLUE_ARROW, code == kLineUp};
}

PanelSnapshot TakePanelSnapshot(const RulerState& s) {
    return PanelSnapshot{s.ScaleLength, s.Lenght, s.Marker, s.FullScale, s.NarrowScale};
}

void KeepPanelChanges(RulerState& s) {
    if (!s.FullScale) s.Lenght = s.ScaleLength;
    RecomputeLength(s);
}

Refresh RestorePanelSnapshot(RulerState& s, const PanelSnapshot& snapshot) {
    const bool thicknessChanged = s.NarrowScale != snapshot.narrowScale;
    s.ScaleLength = snapshot.scaleLength;
    s.Marker = snapshot.marker;
    s.FullScale = snapshot.fullScale;
    s.NarrowScale = snapshot.narrowScale;
    // A full-scale ruler also gets back the length it returns to: the length steps between may
    // have changed it.
    s.Lenght = s.FullScale ? snapshot.lenght : s.ScaleLength;
    RecomputeLength(s);
    // The title, the tooltip and the markers show the old values again; a changed thickness needs
    // the scale drawn anew.
    Refresh r;
    r.readout = true;
    r.repaint = Repaint::kErase;
    r.render = thicknessChanged;
    return r;
}
