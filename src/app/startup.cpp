// Start-up decisions that need no window system: instance choice and the instance
// numbers named on the command line.
#include "app/startup.h"

#include <set>

#include "model/placement.h"
#include "model/text_format.h"
#include "ops/operations.h"

std::wstring InstanceClassName(int instanceNumber) {
    return L"Linova <" + DecimalText(instanceNumber) + L">";
}

FreeInstance FindFreeInstance(int instanceMax, const IsInstanceRunning& isRunning) {
    for (int n = 1; n <= instanceMax; ++n) {
        if (!isRunning(n)) return {n, n - 1};
    }
    return {0, instanceMax};
}

int ReadNumber(const std::wstring& text, size_t from) {
    size_t i = from;
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        // Past any instance number already; stop growing so nothing overflows.
        if (value < 1000000) value = value * 10 + (text[i] - L'0');
    }
    return static_cast<int>(negative ? -value : value);
}

CommandLine ParseCommandLine(const std::wstring& text) {
    CommandLine line;
    line.first = ReadNumber(text, 0);
    // Each blank-separated word after the first is one number; a run of blanks is one gap.
    const size_t firstWord = text.find_first_not_of(L' ');
    size_t pos = firstWord == std::wstring::npos ? firstWord : text.find(L' ', firstWord);
    while (pos != std::wstring::npos) {
        const size_t word = text.find_first_not_of(L' ', pos);
        if (word == std::wstring::npos) break;
        line.further.push_back(ReadNumber(text, word));
        pos = text.find(L' ', word);
    }
    return line;
}

int ChooseInstanceNumber(int firstFree, int commandLineNumber, int instanceMax,
                         const IsInstanceRunning& isRunning) {
    if (commandLineNumber >= 1 && commandLineNumber <= instanceMax &&
        !isRunning(commandLineNumber)) {
        return commandLineNumber;
    }
    return firstFree;
}

std::vector<int> InstancesToStart(const CommandLine& line, int instanceMax, int self,
                                  const IsInstanceRunning& isRunning) {
    std::set<int> free;
    for (int n = 1; n <= instanceMax; ++n) {
        if (n != self && !isRunning(n)) free.insert(n);
    }
    std::vector<int> numbers;
    // Each free number is started once; a long line of repeats stops as soon as none is left.
    for (auto n = line.further.begin(); n != line.further.end() && !free.empty(); ++n) {
        if (free.erase(*n)) numbers.push_back(*n);
    }
    return numbers;
}

Rect StoredRulerRect(const RulerState& s) {
    const int64_t thickness = RulerThickness(s);
    const int64_t length = int64_t{s.Lenght} + 1;
    Rect r;
    r.left = s.xPosi;
    r.top = s.yPosi;
    r.right = Saturated(r.left + (s.Vertical ? thickness : length));
    r.bottom = Saturated(r.top + (s.Vertical ? length : thickness));
    return r;
}

void SettleOnMonitor(RulerState& s, const Rect& monitor, const std::vector<Rect>& monitorList) {
    // A full-scale ruler comes back to its stored length and position: keep that one reachable.
    s.ScaleLength = s.Lenght;
    FixMonitor(s, monitor, monitorList);
    RecomputeLength(s);
}
