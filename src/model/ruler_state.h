// The one state record of a ruler instance, and its Settings flag text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/geometry.h"

enum Unit : int16_t { kUnitPixel = 0, kUnitCm = 1, kUnitInch = 2 };

// BackColor is one of this many backgrounds.
inline constexpr int kBackgroundCount = 23;

// Display sizes are kept for this many monitors; any further one has the default diagonal.
inline constexpr size_t kMaxMonitors = 4;

// The magnifier window's outer size, pixels: however it is resized or stored, it stays within
// these.
inline constexpr int32_t kMagnifierMinWidth = 150;
inline constexpr int32_t kMagnifierMinHeight = 120;
inline constexpr int32_t kMagnifierMaxWidth = 600;
inline constexpr int32_t kMagnifierMaxHeight = 500;

// The diagonal of a monitor whose display size was never given, tenths of an inch (17.0 inches).
inline constexpr int16_t kDefaultDiagonal = 170;

// Where a monitor's diagonal came from: the user (stored in the settings or stepped in the Display
// size dialog), the monitor's own description of its size (EDID), or neither.
enum class DiagonalSource : uint8_t { kDefault, kStored, kEdid };

struct RulerState {
    // A new ruler's values: the stored ones and the flags start as their rows give.
    RulerState();

    // Persisted, one registry value each (their rows are in stored_values.h).
    int32_t xPosi;
    int32_t yPosi;
    int32_t Lenght;   // stored value name, spelled so
    int32_t Scaling;  // tenths of a pixel per centimetre
    int32_t Marker;
    int32_t MarkerBlue;
    int16_t BackColor;
    int16_t LayerWindow;
    int32_t MagnifierWinSizeX;
    int32_t MagnifierWinSizeY;
    int16_t Magnifier;
    int16_t MagType;
    // Marker steps go to the next edge of what lies beside the ruler (0 or 1). Stored once the
    // user has chosen it or it was loaded, so that a ruler that never used it stores what it
    // always did.
    int16_t SnapEdges = 0;
    bool SnapEdgesStored = false;

    // Persisted together as the Settings text, one digit per slot (their rows are in
    // ruler_state.cpp).
    int16_t TopMost;
    int32_t Vertical;
    int32_t Reverse;
    int16_t Unit;
    int32_t FullScale;
    int32_t NarrowScale;
    int16_t FontStyle;  // bit 0 bold, bit 1 italic
    int16_t NoKeyOperation;
    int16_t NoMouseOperation;
    int16_t SpareFlag;
    int32_t ScalingAuto;
    int16_t WheelMode;

    // Run-time values.
    int32_t ScaleLength = 300;
    int32_t AutoScaling = 0;
    Rect MonitorRect;
    uint16_t MonitorIndex = 0;
    int16_t ScreenSize[kMaxMonitors] = {kDefaultDiagonal, kDefaultDiagonal, kDefaultDiagonal,
                                        kDefaultDiagonal};  // tenths of an inch
    DiagonalSource ScreenSizeSource[kMaxMonitors] = {};
    int32_t PrimaryScreenWidth = 0;
    int32_t PrimaryScreenHeight = 0;
    int16_t InstanceNumber = 1;
    int16_t InstanceMax = 8;
    float DpiX = 0;
    float DpiY = 0;
    int16_t DpiStep = 0;
    int16_t SameColorLock = 1;
    int16_t SaveOnExit = 1;
};

// The low 16 bits of a stored 32-bit value, which is what a 16-bit field keeps of it.
int16_t Low16(uint32_t v);

// One 32- or 16-bit field of the record, so that tables of stored values can name either kind.
class StateField {
  public:
    constexpr StateField(int32_t RulerState::*wide) : wide_(wide) {}
    constexpr StateField(int16_t RulerState::*narrow) : narrow_(narrow) {}

    // A 16-bit field reads sign-extended and keeps the low 16 bits of what is written.
    int32_t Get(const RulerState& s) const;
    void Set(RulerState& s, int32_t value) const;

  private:
    int32_t RulerState::*wide_ = nullptr;
    int16_t RulerState::*narrow_ = nullptr;
};

// The flag text read when the stored one is missing, and the source of any slot a short text lacks.
inline constexpr const wchar_t* kDefaultSettingsText = L"1,0,0,1,0,0,1,0,0,1,1,1,";

// Scale in use, in tenths of a pixel per centimetre: the manual one or the monitor's.
int32_t CurrentScale(const RulerState& s);

// Reads the flag slots of a Settings text into the record; slots past a short text keep their
// value (9..11) or read as the default text's digit (0..8).
void ParseSettings(RulerState& s, const std::wstring& text);

// The 24-character Settings text of the record's twelve flags.
std::wstring FormatSettings(const RulerState& s);

// Repairs out-of-range values after a load and sets ScaleLength.
void ApplyLoadClamps(RulerState& s);
