// What the five Setup pages show and what each of their controls changes: the colour list, the
// font style, the scale and its texts, the magnifier and wheel lists, the locks and the opacity.
// Every change goes straight into the ruler's state; the refresh says what the ruler shows anew.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/ruler_state.h"
#include "model/stored_values.h"
#include "ops/operations.h"

// ---- Colour page ----

// The height of one colour sample: eight fill the dropped-down list below the selection field.
// A list too short for that keeps its own item height, so the samples stay visible.
int32_t ColourItemHeight(int32_t droppedHeight, int32_t fieldHeight, int32_t listItemHeight);

// The number written on a sample: " 1" ... "23".
std::wstring ColourItemNumber(int index);

// The background chosen in the list; nothing happens for the one already in use or for no
// choice at all. The caller installs the new background before carrying out the refresh.
Refresh ChooseBackground(RulerState& s, int selection);

// ---- Check boxes of the colour, mouse and other pages ----

// Bold, italic, the mouse lock, the key lock or "Alway on top", by the check box's id: the flag
// changes, and a changed font style draws the scale anew. The locks take effect at the next key
// or click, the z-order when the dialog ends.
Refresh ToggleSetupFlag(RulerState& s, int control);

// Whether a check box of the pages is checked for the state.
bool SetupFlagChecked(const RulerState& s, int control);

// ---- Scaling page ----

// "Scale  37.8 pixel/cm": the scale in use.
std::wstring ScalingText(const RulerState& s);

// "1920x1080pixel, 17.0inch.": the ruler's monitor and the diagonal its automatic scale is
// computed with.
std::wstring DisplaySizeText(const RulerState& s);

// Which of the scaling page's controls can be used or are shown.
struct ScalingControls {
    bool arrows;       // the scale arrows: only the manual scale is stepped
    bool line;         // the black line beside them, shown with them
    bool displaySize;  // "Display Size...": the display sizes belong to the first ruler
};

ScalingControls ScalingControlsFor(const RulerState& s);

// Auto (true) or Manual.
Refresh ChooseScalingMode(RulerState& s, bool automatic);

// The manual scale one step up or down, kept within 3.0 .. 300.0 pixel/cm.
inline constexpr int32_t kLeastScaling = StoredValueNamed(L"Scaling").range.least;
inline constexpr int32_t kGreatestScaling = StoredValueNamed(L"Scaling").range.greatest;
Refresh StepScaling(RulerState& s, bool up, int32_t step);

// ---- Drop-down lists of the magnifier and mouse pages ----

// The items of the list with the id, in order; empty for any other id.
std::vector<const wchar_t*> SetupListItems(int control);

// The item the list shows for the state; -1 (no selection) for a value it has no item for.
int SetupListSelection(const RulerState& s, int control);

// The item chosen in the list; no choice leaves the value as it is.
void ChooseFromSetupList(RulerState& s, int control, int selection);

// ---- Other page ----

// The ruler's opacity stays within the trackbar's range: never fully transparent.
inline constexpr int16_t kLeastOpacity =
    static_cast<int16_t>(StoredValueNamed(L"LayerWindow").range.least);
inline constexpr int16_t kGreatestOpacity =
    static_cast<int16_t>(StoredValueNamed(L"LayerWindow").range.greatest);
int16_t OpacityOfPosition(int position);
