// The Settings flag text and the repairs applied after every load.
#include <gtest/gtest.h>

#include <string>

#include "model/ruler_state.h"

namespace {

struct Flags {
    int topMost, vertical, reverse, unit, fullScale, narrowScale, fontStyle, noKey, noMouse, spare,
        scalingAuto, wheelMode;
};

Flags FlagsOf(const RulerState& s) {
    return {s.TopMost,          s.Vertical,    s.Reverse,     s.Unit,
            s.FullScale,        s.NarrowScale, s.FontStyle,   s.NoKeyOperation,
            s.NoMouseOperation, s.SpareFlag,   s.ScalingAuto, s.WheelMode};
}

void ExpectFlags(const RulerState& s, const Flags& f) {
    const Flags a = FlagsOf(s);
    EXPECT_EQ(a.topMost, f.topMost);
    EXPECT_EQ(a.vertical, f.vertical);
    EXPECT_EQ(a.reverse, f.reverse);
    EXPECT_EQ(a.unit, f.unit);
    EXPECT_EQ(a.fullScale, f.fullScale);
    EXPECT_EQ(a.narrowScale, f.narrowScale);
    EXPECT_EQ(a.fontStyle, f.fontStyle);
    EXPECT_EQ(a.noKey, f.noKey);
    EXPECT_EQ(a.noMouse, f.noMouse);
    EXPECT_EQ(a.spare, f.spare);
    EXPECT_EQ(a.scalingAuto, f.scalingAuto);
    EXPECT_EQ(a.wheelMode, f.wheelMode);
}

// What a ruler holds before anything is loaded: every stored value and flag has its start.
TEST(RulerState, ANewRulerStartsWithItsStoredValuesStarts) {
    const RulerState s;
    EXPECT_EQ(s.xPosi, 20);
    EXPECT_EQ(s.yPosi, 100);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.Marker, 100);
    EXPECT_EQ(s.MarkerBlue, 130);
    EXPECT_EQ(s.Scaling, 0);  // repaired to 300 by the first load
    EXPECT_EQ(s.BackColor, 0);
    EXPECT_EQ(s.LayerWindow, 192);
    EXPECT_EQ(s.MagnifierWinSizeX, 325);
    EXPECT_EQ(s.MagnifierWinSizeY, 278);
    EXPECT_EQ(s.Magnifier, 4);
    EXPECT_EQ(s.MagType, 0);
    ExpectFlags(s, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1});
    EXPECT_EQ(FormatSettings(s), L"1,0,0,1,0,0,1,0,0,1,0,1,");
}

TEST(ParseSettings, DefaultTextGivesTheDefaultFlags) {
    RulerState s;
    ParseSettings(s, kDefaultSettingsText);
    ExpectFlags(s, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1});
}

TEST(ParseSettings, NineSlotTextLeavesTheLastThreeAlone) {
    RulerState s;  // fresh: SpareFlag 1, ScalingAuto 0, WheelMode 1
    ParseSettings(s, L"1,1,1,2,0,0,3,1,1,");
    ExpectFlags(s, {1, 1, 1, 2, 0, 0, 3, 1, 1, 1, 0, 1});
    s.SpareFlag = 0;
    s.WheelMode = 2;
    ParseSettings(s, L"1,1,1,2,0,0,3,1,1,0,");  // 20 characters: slot 9 only
    EXPECT_EQ(s.SpareFlag, 0);
    EXPECT_EQ(s.ScalingAuto, 0);
    EXPECT_EQ(s.WheelMode, 2);
    ParseSettings(s, L"1,1,1,2,0,0,3,1,1,1,1,2");  // 23 characters: all twelve slots
    EXPECT_EQ(s.SpareFlag, 1);
    EXPECT_EQ(s.ScalingAuto, 1);
    EXPECT_EQ(s.WheelMode, 2);
}

TEST(ParseSettings, DigitsWrapAndNonZeroCharactersSetFlags) {
    RulerState s;
    ParseSettings(s, L"3,,,9,5,9,0,9,3,9,7,3,5,");
    // '3' % 2 = 1; ',' is not '0'; '5' % 3 = 2; '9' % 8 = 1; '7' % 2 = 1; '5' % 3 = 2.
    ExpectFlags(s, {1, 1, 1, 2, 1, 0, 1, 1, 1, 1, 1, 2});
    ParseSettings(s, L"0,0,0,4,0,0,8,0,0,0,0,3,");
    EXPECT_EQ(s.Unit, 1);
    EXPECT_EQ(s.FontStyle, 0);
    EXPECT_EQ(s.WheelMode, 0);
}

TEST(ParseSettings, ShortTextReadsMissingSlotsFromTheDefaultText) {
    RulerState s;
    s.TopMost = 0;
    ParseSettings(s, L"0,1,1");  // slots 0..2 given, 3..8 from "1,0,0,1,0,0,1,0,0,"
    ExpectFlags(s, {0, 1, 1, 1, 0, 0, 1, 0, 0, 1, 0, 1});
    ParseSettings(s, L"");
    ExpectFlags(s, {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1});
    // A terminator ends the text wherever it stands.
    ParseSettings(s, std::wstring(L"0,1,\0,1,1,1,1,1,1,1,1,1,", 24));
    ExpectFlags(s, {0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0, 1});
}

TEST(ParseSettings, CharactersBelowZeroNeverLeaveTheirRange) {
    RulerState s;
    ParseSettings(s, L"/,0,0,.,0,0,/,/,/,/,/,/,");
    // Slots whose negative values the load repairs stay negative until then...
    EXPECT_EQ(s.TopMost, -1);
    EXPECT_EQ(s.Unit, -2);
    EXPECT_EQ(s.NoMouseOperation, -1);
    EXPECT_EQ(s.SpareFlag, -1);
    // ...the others take the default text's digit at once.
    EXPECT_EQ(s.FontStyle, 1);
    EXPECT_EQ(s.NoKeyOperation, 0);
    EXPECT_EQ(s.ScalingAuto, 1);
    EXPECT_EQ(s.WheelMode, 1);
    ApplyLoadClamps(s);
    ExpectFlags(s, {0, 0, 0, 1, 0, 0, 1, 0, 0, 1, 1, 1});
}

TEST(FormatSettings, AlwaysTwelveSlots) {
    RulerState s;
    EXPECT_EQ(FormatSettings(s), L"1,0,0,1,0,0,1,0,0,1,0,1,");
    s.TopMost = 0;
    s.Unit = 2;
    s.FontStyle = 3;
    s.NoMouseOperation = 0;
    s.SpareFlag = 0;
    s.WheelMode = 0;
    EXPECT_EQ(FormatSettings(s), L"0,0,0,2,0,0,3,0,0,0,0,0,");
    s.Vertical = s.Reverse = s.FullScale = s.NarrowScale = 1;
    s.TopMost = s.NoKeyOperation = s.NoMouseOperation = s.SpareFlag = 1;
    s.ScalingAuto = 1;
    s.WheelMode = 2;
    const std::wstring text = FormatSettings(s);
    EXPECT_EQ(text, L"1,1,1,2,1,1,3,1,1,1,1,2,");
    RulerState back;
    ParseSettings(back, text);
    EXPECT_EQ(FormatSettings(back), text);
}

// Slot k holds the k-th flag in this order, and formatting writes it back to the same slot.
TEST(SettingsText, EachSlotHoldsItsOwnFlag) {
    for (int slot = 0; slot < 12; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        std::wstring text = L"0,0,0,0,0,0,0,0,0,0,0,0,";
        text[2 * slot] = L'1';
        RulerState s;
        ParseSettings(s, text);
        int v[12] = {};
        v[slot] = 1;
        ExpectFlags(s, {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]});
        EXPECT_EQ(FormatSettings(s), text);
    }
}

TEST(ApplyLoadClamps, RepairsOutOfRangeValues) {
    RulerState s;
    s.Lenght = 49;
    s.Scaling = 29;
    s.Marker = -1;
    s.MarkerBlue = -5;
    s.BackColor = -3;
    s.LayerWindow = 20;
    s.Magnifier = 0;
    s.MagType = 3;
    ApplyLoadClamps(s);
    EXPECT_EQ(s.Lenght, 300);
    EXPECT_EQ(s.ScaleLength, 300);
    EXPECT_EQ(s.Scaling, 300);
    EXPECT_EQ(s.Marker, 100);
    EXPECT_EQ(s.MarkerBlue, 130);
    EXPECT_EQ(s.BackColor, 1);
    EXPECT_EQ(s.LayerWindow, 35);
    EXPECT_EQ(s.Magnifier, 4);
    EXPECT_EQ(s.MagType, 0);

    s.Lenght = 22001;
    s.Scaling = 3001;
    s.LayerWindow = 256;
    s.Magnifier = 9;
    s.MagType = -1;
    ApplyLoadClamps(s);
    EXPECT_EQ(s.Lenght, 22000);
    EXPECT_EQ(s.Scaling, 300);
    EXPECT_EQ(s.LayerWindow, 255);
    EXPECT_EQ(s.Magnifier, 4);
    EXPECT_EQ(s.MagType, 0);

    s.Lenght = 50;
    s.Scaling = 3000;
    s.Magnifier = 8;
    s.MagType = 2;
    ApplyLoadClamps(s);
    EXPECT_EQ(s.Lenght, 50);
    EXPECT_EQ(s.Scaling, 3000);
    EXPECT_EQ(s.Magnifier, 8);
    EXPECT_EQ(s.MagType, 2);
}

TEST(ApplyLoadClamps, FullScaleLengthComesFromTheMonitor) {
    RulerState s;
    s.FullScale = 1;
    s.MonitorRect = {0, 0, 1920, 1080};
    ApplyLoadClamps(s);
    EXPECT_EQ(s.ScaleLength, 1920);
    s.Vertical = 1;
    ApplyLoadClamps(s);
    EXPECT_EQ(s.ScaleLength, 1080);
    EXPECT_EQ(s.Lenght, 300);
}

TEST(CurrentScale, ManualOrAutomatic) {
    RulerState s;
    s.Scaling = 300;
    s.AutoScaling = 361;
    EXPECT_EQ(CurrentScale(s), 300);
    s.ScalingAuto = 1;
    EXPECT_EQ(CurrentScale(s), 361);
}

}  // namespace
