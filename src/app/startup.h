// Start-up decisions that need no window system: instance choice and the instance
// numbers named on the command line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/dpi.h"
#include "model/geometry.h"
#include "model/os_version.h"
#include "model/ruler_state.h"

// "Linova <n>": the window class and first title of instance n, and how instances find it.
std::wstring InstanceClassName(int instanceNumber);

using IsInstanceRunning = std::function<bool(int instanceNumber)>;

struct FreeInstance {
    int number;   // first number without a ruler window, 0 when all are taken
    int running;  // how many numbers from 1 up, without a gap, are taken
};

FreeInstance FindFreeInstance(int instanceMax, const IsInstanceRunning& isRunning);

// Reads a decimal number as atoi does: leading blanks skipped, an optional sign, digits; text
// that is no number reads as 0.
int ReadNumber(const std::wstring& text, size_t from);

struct CommandLine {
    int first = 0;             // the number at the start of the text
    std::vector<int> further;  // the numbers after it, in order
};

// Splits the program's command-line text (after the program name) into instance numbers.
CommandLine ParseCommandLine(const std::wstring& text);

// The instance number this process takes: the first command-line number when it is in range
// and free, else the first free number.
int ChooseInstanceNumber(int firstFree, int commandLineNumber, int instanceMax,
                         const IsInstanceRunning& isRunning);

// How long a starting ruler waits for another one that is choosing its number. Ten rulers started
// together choose in well under a second; a ruler that hangs while choosing must not keep the
// others from starting.
inline constexpr uint32_t kInstanceChoiceWaitMs = 10000;

// The further command-line numbers to start, in the order named: each at most once, in range,
// neither this process's own number `self` nor running. So never more are started than there
// are free numbers, however often a number is repeated.
std::vector<int> InstancesToStart(const CommandLine& line, int instanceMax, int self,
                                  const IsInstanceRunning& isRunning);

// The rectangle a ruler was stored with (position, stored length, thickness, direction), before
// any monitor is known; a full-scale ruler, too, belongs where it was stored. Saturated at the
// ends of the number range, which a stored position may reach.
Rect StoredRulerRect(const RulerState& s);

// Before a starting ruler is first shown: records `monitor` (the one its stored rectangle lies on,
// or the nearest), keeps the stored position on it for the length the ruler comes back to, and
// gives a full-scale ruler that monitor's length.
void SettleOnMonitor(RulerState& s, const Rect& monitor, const std::vector<Rect>& monitorList);
