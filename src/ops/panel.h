// The Operation panel's own rules: its title, its toolbar and sizes at the screen's dots per inch,
// which arrows may be used, what each arrow does to the ruler, and what Esc puts back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/dpi.h"
#include "model/geometry.h"
#include "model/ruler_state.h"
#include "ops/operations.h"

// "Operation - Linova <1>", as the panel's 30-character title holds it.
std::wstring PanelTitle(const std::wstring& className);

enum class PanelButtonKind { kSeparator, kButton, kCheck };

struct PanelButton {
    int command;  // 0 for a separator
    int image;    // index into the toolbar's strip; -1 for a separator
    PanelButtonKind kind;
    const wchar_t* tip;
};

// The toolbar's entries, left to right: Reverse and Direction, then Full Scale and Narrow Scale.
extern const std::array<PanelButton, 7> kPanelButtons;

// The tooltip of a toolbar button by its command; null for any other command.
const wchar_t* PanelButtonTip(int command);

// Where the panel's run-time pieces go, in pixels at the screen's dots per inch.
struct PanelLayout {
    int bitmap;         // the strip of four toolbar images
    int32_t imageSize;  // square images: 17, or 25 from 144 dots per inch on
    int32_t buttonWidth;
    int32_t buttonHeight;
    Rect toolbar;  // in the panel's client area
};

PanelLayout PanelLayoutFor(const Dpi& dpi);

// The scale's commands the ruler's menu and the panel share: Reverse, Narrow Scale, Full Scale and
// the units, each by the menu's id or the panel's. What the command does to the state; nothing for
// any other id. (Direction is not among them: the menu turns about the point clicked, the panel
// about the centre.)
enum class CommandFrom { kMenu, kPanel };
std::optional<Refresh> RunScaleCommand(RulerState& s, int command, CommandFrom from);

// Which of the arrows that act along the ruler can be used: a full-scale ruler neither grows nor
// moves along its own axis. The marker arrows are always usable.
struct PanelArrows {
    bool moveHorizontal;
    bool moveVertical;
    bool length;
};

PanelArrows PanelArrowsEnabled(const RulerState& s);

// One notification of an arrow control (its id, the scroll code compared whole): only a line
// step up or left (0) and down or right (1) acts. The Move arrows place the ruler afterwards for
// any code, without taking the focus from the panel.
Refresh PanelArrow(RulerState& s, int control, uintptr_t code, int32_t step);

// The marker a notification of the red or blue arrow steps, if it is a line step.
std::optional<MarkerMove> PanelMarkerMove(int control, uintptr_t code);

// What the panel changes and Esc puts back. The blue marker, the position, the direction, the
// reverse mode and the unit stay as they are.
struct PanelSnapshot {
    int32_t scaleLength = 0;
    int32_t lenght = 0;  // the length a full-scale ruler comes back to
    int32_t marker = 0;
    int32_t fullScale = 0;
    int32_t narrowScale = 0;
};

PanelSnapshot TakePanelSnapshot(const RulerState& s);

// Close: the length shown becomes the length kept.
void KeepPanelChanges(RulerState& s);

// Esc or the close box: the snapshot comes back. The refresh is the ruler's title, tooltip and
// picture; the panel's end places the window.
Refresh RestorePanelSnapshot(RulerState& s, const PanelSnapshot& snapshot);
