// Reading each monitor's EDID from the data the system keeps for its device.
#pragma once

#include <cstdint>
#include <vector>

#include "model/ruler_state.h"

// Each monitor's EDID bytes, in the order EnumDisplayMonitors reports the monitors (the order of
// the display sizes); empty for a monitor whose EDID cannot be read.
using MonitorEdids = std::vector<std::vector<uint8_t>>;

// Where they come from: the system's device data in the program, chosen bytes in a test.
using MonitorEdidSource = MonitorEdids (*)();

// Through SetupAPI, loaded for the call only: without it every monitor has none.
MonitorEdids ReadMonitorEdids();

// Every monitor whose diagonal the user never stored takes its own, or the default.
void LearnMonitorSizes(RulerState& s, MonitorEdidSource source = ReadMonitorEdids);
