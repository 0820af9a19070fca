// The Setup dialog's own rules: its title, its five pages and their toolbar, the settings it
// puts back on Cancel, and what each way of ending it does to the ruler.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/dpi.h"
#include "model/geometry.h"
#include "model/ruler_state.h"
#include "ops/operations.h"

// "Setup - Linova <1>", as the dialog's 30-character title holds it.
std::wstring SetupTitle(const std::wstring& className);

// One page of the dialog: its toolbar button, picture and texts, and its dialog template.
struct SetupPageInfo {
    int button;  // command id of its toolbar button
    int image;   // index into the toolbar's strip of pictures
    const wchar_t* caption;
    const wchar_t* tip;
    const wchar_t* templateName;
};

inline constexpr int kSetupPageCount = 5;

// Colour, Scaling, Magnifier, Mouse, other: in toolbar order, indexed by the page number.
extern const std::array<SetupPageInfo, kSetupPageCount> kSetupPages;

// The page `step` pages on from `page` (back when negative), around at either end: what
// Ctrl+Tab and Ctrl+Page Down (Ctrl+Shift+Tab and Ctrl+Page Up) show next.
int NeighbourPage(int page, int step);

// The page of a toolbar button's command id; nothing for any other id.
std::optional<int> PageOfButton(int command);

// The tooltip of a toolbar button by its command id; null for any other id.
const wchar_t* SetupPageTip(int command);

// Where the page toolbar goes and what it shows, in pixels at the screen's dots per inch.
struct SetupToolbarLayout {
    int bitmap;  // the strip of five pictures: the large one at 144 dots per inch and more
    int32_t imageWidth;
    int32_t imageHeight;
    int32_t buttonWidth;
    int32_t buttonHeight;
    Rect toolbar;  // in the dialog's client area; taller than the dialog, which clips it
};

SetupToolbarLayout SetupToolbarFor(const Dpi& dpi);

// The settings the pages edit (and the spare flag), as they were when the dialog opened.
struct SetupSnapshot {
    int16_t backColor = 0;
    int16_t fontStyle = 0;
    int16_t topMost = 0;
    int16_t noMouseOperation = 0;
    int16_t noKeyOperation = 0;
    int16_t spareFlag = 0;
    int16_t layerWindow = 0;
    int32_t scalingAuto = 0;
    int32_t scaling = 0;
    int16_t magnifier = 0;
    int16_t magType = 0;
    int16_t wheelMode = 0;
};

SetupSnapshot TakeSetupSnapshot(const RulerState& s);

// One opening of the dialog: what Cancel puts back, and whether a page has changed the ruler's
// look while it was open (background, font, scale or opacity).
struct SetupSession {
    SetupSnapshot snapshot;
    bool PreviewChanged = false;
};

SetupSession StartSetup(const RulerState& s);

// How the dialog ends: OK keeps and saves, Cancel (and Esc) puts the snapshot back, the close box
// keeps the changes without saving them.
enum class SetupExit { kOk, kCancel, kCloseBox };

// What the ruler needs once the dialog ends. The window is placed again on every way out (its
// z-order follows "Alway on top"); that is the caller's, as the dialog goes.
struct SetupEnding {
    bool save = false;             // the settings, at once
    bool applyBackground = false;  // the background brush and ink of BackColor again
    bool setOpacity = false;       // the window's alpha to LayerWindow
    Refresh refresh;               // monitor, placement, readouts and drawing
};

// Carries out the ending on the state (Cancel restores the snapshot) and says what the ruler needs.
SetupEnding EndSetup(RulerState& s, const SetupSession& session, SetupExit exit);
