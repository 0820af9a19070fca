// What the five Setup pages show and what each of their controls changes: the colour list, the
// font style, the scale and its texts, the magnifier and wheel lists, the locks and the opacity.
#include "dialogs/setup_pages.h"

#include <algorithm>

#include "dialogs/display_size.h"
#include "model/placement.h"
#include "model/text_format.h"
#include "model/units.h"
#include "resources/resource.h"

namespace {

// Eight samples fill the dropped-down list.
constexpr int32_t kSamplesShown = 8;

// A drop-down list of a page: the field it sets and the value of its first item.
struct SetupList {
    int control;
    int16_t RulerState::*field;
    int16_t first;
    std::vector<const wchar_t*> items;
};

const std::vector<SetupList>& SetupLists() {
    static const std::vector<SetupList> lists = {
        {IDC_MAG_FACTOR,
         &RulerState::Magnifier,
         1,
         {L"x1", L"x2", L"x3", L"x4", L"x5", L"x6", L"x7", L"x8"}},
        {IDC_MAG_TYPE, &RulerState::MagType, 0, {L"Edge / Red", L"Edge / Blue", L"Red / Blue"}},
        {IDC_WHEEL_MODE, &RulerState::WheelMode, 0, {L"Off", L"Rad Marker", L"Blue Marker"}},
    };
    return lists;
}

const SetupList* ListOf(int control) {
    for (const SetupList& list : SetupLists()) {
        if (list.control == control) return &list;
    }
    return nullptr;
}

// The scale is drawn anew, in the ruler's own way of drawing it.
Refresh Redrawn() {
    Refresh r;
    r.repaint = Repaint::kErase;
    r.render = true;
    return r;
}

}  // namespace

int32_t ColourItemHeight(int32_t droppedHeight, int32_t fieldHeight, int32_t listItemHeight) {
    const int32_t h = (droppedHeight - fieldHeight) / kSamplesShown;
    return h > 0 ? h : listItemHeight;
}

std::wstring ColourItemNumber(int index) {
    return PaddedDecimal(index + 1, 2);
}

Refresh ChooseBackground(RulerState& s, int selection) {
    if (selection < 0 || selection >= kBackgroundCount || selection == s.BackColor) return {};
    s.BackColor = static_cast<int16_t>(selection);
    return Redrawn();
}

Refresh ToggleSetupFlag(RulerState& s, int control) {
    switch (control) {
        case IDC_BOLD_FONT:
            s.FontStyle ^= 1;
            return Redrawn();
        case IDC_ITALIC_FONT:
            s.FontStyle ^= 2;
            return Redrawn();
        case IDC_NO_MOUSE:
            s.NoMouseOperation ^= 1;
            break;
        case IDC_NO_KEY:
            s.NoKeyOperation ^= 1;
            break;
        case IDC_TOPMOST:
            s.TopMost ^= 1;
            break;
    }
    return {};
}

bool SetupFlagChecked(const RulerState& s, int control) {
    switch (control) {
        case IDC_BOLD_FONT:
            return (s.FontStyle & 1) != 0;
        case IDC_ITALIC_FONT:
            return (s.FontStyle & 2) != 0;
        case IDC_NO_MOUSE:
            return s.NoMouseOperation == 1;
        case IDC_NO_KEY:
            return s.NoKeyOperation == 1;
        case IDC_TOPMOST:
            return s.TopMost != 0;
        default:
            return false;
    }
}

std::wstring ScalingText(const RulerState& s) {
    return L"Scale " + FormatScale(s);
}

std::wstring DisplaySizeText(const RulerState& s) {
    return DecimalText(s.MonitorRect.Width()) + L"x" + DecimalText(s.MonitorRect.Height()) +
           L"pixel, " + DiagonalText(MonitorDiagonal(s)) + L"inch.";
}

ScalingControls ScalingControlsFor(const RulerState& s) {
    const bool manual = s.ScalingAuto == 0;
    return ScalingControls{manual, manual, s.InstanceNumber == 1};
}

Refresh ChooseScalingMode(RulerState& s, bool automatic) {
    const int32_t scale = CurrentScale(s);
    s.ScalingAuto = automatic ? 1 : 0;
    return AfterScaleChange(scale, s);
}

Refresh StepScaling(RulerState& s, bool up, int32_t step) {
    const int32_t scale = CurrentScale(s);
    const int64_t scaling = s.Scaling;
    if (up) {
        s.Scaling = scaling + step >= kGreatestScaling ? kGreatestScaling
                                                       : static_cast<int32_t>(scaling + step);
    } else {
        s.Scaling =
            scaling - step <= kLeastScaling ? kLeastScaling : static_cast<int32_t>(scaling - step);
    }
    return AfterScaleChange(scale, s);
}

std::vector<const wchar_t*> SetupListItems(int control) {
    const SetupList* list = ListOf(control);
    return list ? list->items : std::vector<const wchar_t*>{};
}

int SetupListSelection(const RulerState& s, int control) {
    const SetupList* list = ListOf(control);
    if (!list) return -1;
    const int item = s.*(list->field) - list->first;
    return item >= 0 && item < static_cast<int>(list->items.size()) ? item : -1;
}

void ChooseFromSetupList(RulerState& s, int control, int selection) {
    const SetupList* list = ListOf(control);
    if (!list || selection < 0 || selection >= static_cast<int>(list->items.size())) return;
    s.*(list->field) = static_cast<int16_t>(list->first + selection);
}

int16_t OpacityOfPosition(int position) {
    return static_cast<int16_t>(std::clamp<int>(position, kLeastOpacity, kGreatestOpacity));
}
