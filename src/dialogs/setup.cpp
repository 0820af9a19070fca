// The Setup dialog's own rules: its title, its five pages and their toolbar, the settings it
// puts back on Cancel, and what each way of ending it does to the ruler.
#include "dialogs/setup.h"

#include "model/text_format.h"
#include "resources/resource.h"

namespace {

// From this DpiStep (144 dots per inch) on, the toolbar shows the large pictures.
constexpr int16_t kLargeImagesFrom = 3;

// At 96 dots per inch.
constexpr int32_t kImageHeight = 24;
constexpr int32_t kButtonWidth = 110;
constexpr int32_t kButtonHeight = 30;
constexpr Rect kToolbar{22, 5, 22 + 110, 5 + 300};

}  // namespace

const std::array<SetupPageInfo, kSetupPageCount> kSetupPages = {{
    {IDC_PAGE_COLOR, 0, L"Color", L"Color, Font,", L"DisplayBox"},
    {IDC_PAGE_SCALING, 1, L"Scaling", L"Scaling Auto/Manual.", L"ScalingBox"},
    {IDC_PAGE_MAGNIFIER, 2, L"Magnifier", L"Magnifier.", L"MagnifySetBox"},
    {IDC_PAGE_MOUSE, 3, L"Mouse", L"Mouse settings.", L"MouseBox"},
    {IDC_PAGE_OTHER, 4, L"other", L"other settings.", L"OtherBox"},
}};

std::wstring SetupTitle(const std::wstring& className) {
    return FitBuffer(L"Setup - " + className, 30);
}

std::optional<int> PageOfButton(int command) {
    for (int page = 0; page < kSetupPageCount; ++page) {
        if (kSetupPages[page].button == command) return page;
    }
    return std::nullopt;
}

int NeighbourPage(int page, int step) {
    return ((page + step) % kSetupPageCount + kSetupPageCount) % kSetupPageCount;
}

const wchar_t* SetupPageTip(int command) {
    const std::optional<int> page = PageOfButton(command);
    return page ? kSetupPages[*page].tip : nullptr;
}

SetupToolbarLayout SetupToolbarFor(const Dpi& dpi) {
    SetupToolbarLayout l{};
    const bool large = dpi.step >= kLargeImagesFrom;
    l.bitmap = large ? IDB_PAGE_TOOLBAR_BIG : IDB_PAGE_TOOLBAR;
    l.imageWidth = large ? 36 : 24;
    // The pictures are as high as the dots per inch make 24 pixels, whichever strip they are from.
    l.imageHeight = ScaledToDpi(kImageHeight, dpi.y);
    l.buttonWidth = ScaledToDpi(kButtonWidth, dpi.x);
    l.buttonHeight = ScaledToDpi(kButtonHeight, dpi.y);
    l.toolbar = ScaledToDpi(kToolbar, dpi);
    return l;
}

SetupSnapshot TakeSetupSnapshot(const RulerState& s) {
    SetupSnapshot t;
    t.backColor = s.BackColor;
    t.fontStyle = s.FontStyle;
    t.topMost = s.TopMost;
    t.noMouseOperation = s.NoMouseOperation;
    t.noKeyOperation = s.NoKeyOperation;
    t.spareFlag = s.SpareFlag;
    t.layerWindow = s.LayerWindow;
    t.scalingAuto = s.ScalingAuto;
    t.scaling = s.Scaling;
    t.magnifier = s.Magnifier;
    t.magType = s.MagType;
    t.wheelMode = s.WheelMode;
    return t;
}

SetupSession StartSetup(const RulerState& s) {
    return SetupSession{TakeSetupSnapshot(s), false};
}

namespace {

void Restore(RulerState& s, const SetupSnapshot& t) {
    s.BackColor = t.backColor;
    s.FontStyle = t.fontStyle;
    s.TopMost = t.topMost;
    s.NoMouseOperation = t.noMouseOperation;
    s.NoKeyOperation = t.noKeyOperation;
    s.SpareFlag = t.spareFlag;
    s.LayerWindow = t.layerWindow;
    s.ScalingAuto = t.scalingAuto;
    s.Scaling = t.scaling;
    s.Magnifier = t.magnifier;
    s.MagType = t.magType;
    s.WheelMode = t.wheelMode;
}

// The ruler is placed on the monitor under the pointer, read out and drawn anew.
Refresh Confirmed() {
    Refresh r;
    r.fixMonitorByCursor = true;
    r.recomputeLength = true;  // a full-scale ruler spans the monitor it is now on
    r.placement = Placement::kFull;
    r.readout = true;
    r.repaint = Repaint::kErase;
    r.render = true;
    return r;
}

}  // namespace

SetupEnding EndSetup(RulerState& s, const SetupSession& session, SetupExit exit) {
    SetupEnding e;
    switch (exit) {
        case SetupExit::kOk:
            e.save = true;
            e.refresh = Confirmed();
            break;
        case SetupExit::kCancel: {
            const int32_t scale = CurrentScale(s);
            Restore(s, session.snapshot);
            e.applyBackground = true;
            // What no page showed on the ruler needs no new picture.
            if (session.PreviewChanged) {
                e.setOpacity = true;
                e.refresh.repaint = Repaint::kErase;
                e.refresh.render = true;
            }
            // The title and tooltip read lengths in the scale that is back.
            e.refresh = Combine(e.refresh, AfterScaleChange(scale, s));
            break;
        }
        case SetupExit::kCloseBox:
            break;
    }
    return e;
}
