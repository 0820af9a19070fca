// Times what a user of the ruler gets, from outside its process and through the real input
// queue, each figure beside the same figure for a minimal layered window (minimal_window_win.exe)
// started the same way in the same run: process start to first paint, a turn until the turned
// window is painted, a key move step and a drag move until the window is at its new place (the
// wall time of each, and the CPU the program and the servers spent on them, in rounds in which
// the two programs take turns), and the memory held 2 s after the window shows. A turn is also
// set beside the minimal window taking the steps a ruler's turn is made of ("steps"), in the same
// rounds. (bench/idle_cpu.sh measures the CPU at rest.)
//
//   user_bench_win.exe [STARTS] [ROUNDS] [STEPS]      (default 20 40 200)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_input_win.h"
#include "unix_cpu_win.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Tamarisk";
constexpr wchar_t kSettingsBackup[] = L"Software\\Tamarisk, aside for user_bench";
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A program under test: the ruler or the yardstick window.
struct Subject {
    std::wstring exe;
    std::wstring arguments;
    const wchar_t* className;
};

struct Started {
    HANDLE process = nullptr;
    HWND window = nullptr;
    double firstPaintMs = -1;
};

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Whether any pixel of the rectangle that lies outside the excluded one shows white, the colour
// both windows paint and the empty screen here never has.
bool PaintedWhite(const RECT& window, const RECT& excluded) {
    // Only what is on the screen can be read.
    const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area{};
    IntersectRect(&area, &window, &screenRect);
    const int width = area.right - area.left;
    static ScreenReader reader;
    static std::vector<uint32_t> pixels;
    reader.Read(area, pixels);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const POINT p{area.left + static_cast<LONG>(i % width),
                      area.top + static_cast<LONG>(i / width)};
        if (!PtInRect(&excluded, p) && (pixels[i] & 0xFFFFFF) == 0xFFFFFF) return true;
    }
    return false;
}

// Starts the program and waits until its window's body is painted where a new ruler shows.
Started Start(const Subject& subject) {
    Started started;
    std::wstring commandLine = L"\"" + subject.exe + L"\"";
    if (!subject.arguments.empty()) commandLine += L" " + subject.arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    HDC screen = GetDC(nullptr);
    const auto begin = Clock::now();
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        ReleaseDC(nullptr, screen);
        return started;
    }
    CloseHandle(info.hThread);
    started.process = info.hProcess;
    // A point of the body, clear of ticks and numbers, in a fresh ruler and in the yardstick.
    const POINT body{20 + 200, 100 + 40};
    while (Milliseconds(Clock::now() - begin) < 10000) {
        if (GetPixel(screen, body.x, body.y) == kWhite) {
            started.firstPaintMs = Milliseconds(Clock::now() - begin);
            break;
        }
        Sleep(1);
    }
    ReleaseDC(nullptr, screen);
    started.window = FindWindowW(subject.className, nullptr);
    return started;
}

void End(Started& started) {
    if (started.window) PostMessageW(started.window, WM_CLOSE, 0, 0);
    if (started.process && WaitForSingleObject(started.process, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(started.process, 1);
        WaitForSingleObject(started.process, 5000);
    }
    if (started.process) CloseHandle(started.process);
    started = Started{};
    // Each ruler starts from its defaults.
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

// An absolute pointer event on the primary screen; the normalised coordinate is rounded up so
// that scaling it back lands on the pixel itself.
void SendPointer(POINT to, DWORD buttons) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((to.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((to.y * 65536LL + height - 1) / height);
    SendInput(1, &input, sizeof(INPUT));
}

POINT CentreOf(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// One Home press until the window has turned, shows its body where it was not before and has
// painted all of it. The ruler's background brush fills the new part while the window changes its
// shape, before the ruler paints its scale there: white on the screen alone would let the next
// press come first, and the paints of many turns would become one.
double TurnMs(HWND window) {
    const RECT before = RectOf(window);
    const auto begin = Clock::now();
    PressKey(VK_HOME);
    RECT after{};
    if (!PollUntil([&] {
            after = RectOf(window);
            return after.right - after.left == before.bottom - before.top;
        })) {
        return -1;
    }
    if (!PollUntil([&] { return PaintedWhite(after, before); })) return -1;
    if (!PollUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); })) return -1;
    return Milliseconds(Clock::now() - begin);
}

// One Right press until the window stands a pixel further right.
double KeyStepMs(HWND window) {
    const LONG left = RectOf(window).left;
    const auto begin = Clock::now();
    PressKey(VK_RIGHT);
    if (!PollUntil([&] { return RectOf(window).left == left + 1; })) return -1;
    return Milliseconds(Clock::now() - begin);
}

// Holds the left button on the window and moves the pointer a pixel at a time; each sample is
// one move until the window has followed it.
std::vector<double> DragMovesMs(HWND window, int moves) {
    std::vector<double> times;
    POINT at = CentreOf(RectOf(window));
    SendPointer(at, 0);
    PollUntil([&] {
        POINT p{};
        return GetCursorPos(&p) && p.x == at.x && p.y == at.y;
    });
    SendPointer(at, MOUSEEVENTF_LEFTDOWN);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    PollUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        return GetGUIThreadInfo(thread, &info) && info.hwndCapture == window;
    });
    for (int i = 0; i < moves; ++i) {
        const LONG left = RectOf(window).left;
        ++at.x;
        const auto begin = Clock::now();
        SendPointer(at, 0);
        const bool moved = PollUntil([&] { return RectOf(window).left == left + 1; });
        times.push_back(moved ? Milliseconds(Clock::now() - begin) : -1);
    }
    SendPointer(at, MOUSEEVENTF_LEFTUP);
    return times;
}

struct Figures {
    double firstPaintMs = -1;
    double firstPaintQuarterMs = -1;  // the fastest quarter's slowest
    double residentMb = -1;
    double privateMb = -1;
};

// One kind of step, over every round: the wall time of each, and the CPU that the program and
// the servers (its wineserver and X server) spent on all of them.
struct Steps {
    std::vector<double> wallMs;
    double programCpuMs = 0;
    double serversCpuMs = 0;

    double ProgramCpuPerStep() const { return wallMs.empty() ? -1 : programCpuMs / wallMs.size(); }
    double ServersCpuPerStep() const { return wallMs.empty() ? -1 : serversCpuMs / wallMs.size(); }
};

struct StepFigures {
    Steps turns, keySteps, dragMoves;
};

void MeasureMemory(const Subject& subject, Figures& f) {
    Started s = Start(subject);
    Sleep(2000);
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(s.process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof(counters))) {
        f.residentMb = counters.WorkingSetSize / 1048576.0;
        // PagefileUsage is the private commit; Wine fills no PrivateUsage for other processes.
        f.privateMb = counters.PagefileUsage / 1048576.0;
    }
    End(s);
}

// Runs the steps, adding their times and the CPU they cost to the figures.
void Timed(Steps& into, const std::vector<int>& program, const std::vector<int>& servers,
           const std::function<void()>& steps) {
    const double programBefore = unix_cpu::CpuMs(program);
    const double serversBefore = unix_cpu::CpuMs(servers);
    steps();
    into.programCpuMs += unix_cpu::CpuMs(program) - programBefore;
    into.serversCpuMs += unix_cpu::CpuMs(servers) - serversBefore;
}

// One round: the program started, `count` turns, key steps and drag moves (or turns only), the
// program ended.
void MeasureRound(const Subject& subject, StepFigures& f, int count, bool turnsOnly = false) {
    Started s = Start(subject);
    if (!s.window || !BringToFront(s.window)) {
        End(s);
        return;
    }
    const std::wstring exe = subject.exe.substr(subject.exe.find_last_of(L"\\/") + 1);
    const std::vector<int> program = unix_cpu::Find(std::string(exe.begin(), exe.end()));
    const std::vector<int> servers = unix_cpu::Servers().pids;
    Timed(f.turns, program, servers, [&] {
        // An even count, so that the window ends horizontal; then the keys move it along.
        for (int i = 0; i < count + count % 2; ++i) f.turns.wallMs.push_back(TurnMs(s.window));
    });
    if (turnsOnly) {
        End(s);
        return;
    }
    Timed(f.keySteps, program, servers, [&] {
        for (int i = 0; i < count; ++i) f.keySteps.wallMs.push_back(KeyStepMs(s.window));
    });
    Timed(f.dragMoves, program, servers, [&] {
        for (double ms : DragMovesMs(s.window, count)) f.dragMoves.wallMs.push_back(ms);
    });
    End(s);
}

void PrintLine(const char* what, double linova, double minimal, const char* unit) {
    if (minimal > 0 && linova >= 0) {
        std::printf("%-40s %8.2f %s %8.2f %s   %5.2fx\n", what, linova, unit, minimal, unit,
                    linova / minimal);
    } else {
        std::printf("%-40s %8.2f %s %8.2f %s\n", what, linova, unit, minimal, unit);
    }
}

void PrintSteps(const char* what, const Steps& ours, const Steps& base) {
    std::printf("%s\n", what);
    PrintLine("  wall time, median", Median(ours.wallMs), Median(base.wallMs), "ms");
    PrintLine("  the program's CPU per step", ours.ProgramCpuPerStep(), base.ProgramCpuPerStep(),
              "ms");
    PrintLine("  wineserver and X server CPU per step", ours.ServersCpuPerStep(),
              base.ServersCpuPerStep(), "ms");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20;
    // The CPU a program spends on the same steps differs from round to round by about a quarter
    // either way, for both programs alike: forty rounds make the ratios agree from run to run.
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 40;
    const int count = argc > 3 ? std::max(1, _wtoi(argv[3])) : 200;
    const Subject linova{ExeBeside(L"linova.exe"), L"", L"Linova <1>"};
    const Subject minimal{ExeBeside(L"minimal_window_win.exe"), L"", L"Linova bench minimal"};
    const Subject withSteps{ExeBeside(L"minimal_window_win.exe"), L"steps",
                            L"Linova bench minimal"};
    // Every ruler here starts from its defaults; the user's own settings wait aside (and come
    // back first, should an earlier run have been cut short).
    MoveSettings(kSettingsBackup, kSettingsKey);
    MoveSettings(kSettingsKey, kSettingsBackup);

    Figures ours, base;
    std::vector<double> oursStarts, baseStarts;
    // Alternating, so that a busy moment of the machine falls on both.
    for (int i = 0; i < runs; ++i) {
        Started a = Start(linova);
        oursStarts.push_back(a.firstPaintMs);
        End(a);
        Started b = Start(minimal);
        baseStarts.push_back(b.firstPaintMs);
        End(b);
    }
    // A start under Wine takes one of two times some 60 ms apart, for both programs alike, and
    // the median falls on either: the fastest quarter shows what the program itself adds.
    ours.firstPaintMs = Median(oursStarts);
    base.firstPaintMs = Median(baseStarts);
    ours.firstPaintQuarterMs = Quantile(oursStarts, 0.25);
    base.firstPaintQuarterMs = Quantile(baseStarts, 0.25);
    // The steps in rounds, the two programs taking turns and each going first in every other
    // round.
    StepFigures oursSteps, baseSteps, withStepsSteps;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) MeasureRound(linova, oursSteps, count);
        MeasureRound(minimal, baseSteps, count);
        MeasureRound(withSteps, withStepsSteps, count, true);
        if (round % 2 == 1) MeasureRound(linova, oursSteps, count);
    }
    MeasureMemory(linova, ours);
    MeasureMemory(minimal, base);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    MoveSettings(kSettingsBackup, kSettingsKey);

    std::printf("%d starts; %d rounds of %d steps %15s %11s   %s\n", runs, rounds, count, "linova",
                "minimal", "ratio");
    PrintLine("process start to first paint", ours.firstPaintMs, base.firstPaintMs, "ms");
    PrintLine("  the fastest quarter", ours.firstPaintQuarterMs, base.firstPaintQuarterMs, "ms");
    PrintSteps("a turn (Home), until painted", oursSteps.turns, baseSteps.turns);
    PrintSteps("a turn, beside the minimal window taking a turn's steps", oursSteps.turns,
               withStepsSteps.turns);
    PrintSteps("a key move step (Right)", oursSteps.keySteps, baseSteps.keySteps);
    PrintSteps("a drag move of one pixel", oursSteps.dragMoves, baseSteps.dragMoves);
    PrintLine("resident memory 2 s after showing", ours.residentMb, base.residentMb, "MB");
    PrintLine("private memory 2 s after showing", ours.privateMb, base.privateMb, "MB");
    return 0;
}
