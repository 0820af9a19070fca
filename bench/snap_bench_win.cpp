// Times a marker step that finds an edge against an ordinary one, in the same run, from outside
// the ruler's process and through the real input queue: the + key until the red marker shows at
// its new place. The ruler lies over an empty desktop, so every snapping step reads both lines
// beside the ruler to its end, finds no edge and takes one ordinary step: the most a snapping step
// costs, on a ruler of each length given.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_input_win.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Tamarisk";
constexpr wchar_t kSettingsBackup[] = L"Software\\Tamarisk, aside for snap_bench";
constexpr wchar_t kInstanceKey[] = L"Software\\Tamarisk\\Linova\\Linova1";
constexpr UINT kSnapEdges = 40041;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr POINT kAt{0, 500};

void PutDword(const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kInstanceKey, name, REG_DWORD, &value, sizeof(value));
}

// An opaque white ruler in Pixel with its red marker at 0.
void StoreRuler(int length) {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    PutDword(L"xPosi", kAt.x);
    PutDword(L"yPosi", kAt.y);
    PutDword(L"Lenght", static_cast<DWORD>(length));
    PutDword(L"Marker", 0);
    PutDword(L"MarkerBlue", static_cast<DWORD>(length));
    PutDword(L"BackColor", 0);
    PutDword(L"LayerWindow", 255);
    const std::wstring settings = L"1,0,0,0,0,0,1,0,0,1,0,1,";
    RegSetKeyValueW(HKEY_CURRENT_USER, kInstanceKey, L"Settings", REG_SZ, settings.c_str(),
                    static_cast<DWORD>(settings.size() * sizeof(wchar_t)));
}

// One + press until the red marker shows at `marker`, a pixel further on.
double StepMs(HDC screen, int marker) {
    const auto begin = Clock::now();
    PressKey(VK_ADD);
    if (!PollUntil([&] { return GetPixel(screen, kAt.x + marker, kAt.y + 25) == kRed; })) {
        return -1;
    }
    return Milliseconds(Clock::now() - begin);
}

struct Figures {
    double ordinaryMs = -1;
    double snappingMs = -1;
};

// Alternates ordinary and snapping steps, so that a busy moment of the machine falls on both.
Figures Measure(int length, int samples) {
    Figures f;
    StoreRuler(length);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + ExeBeside(L"linova.exe") + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return f;
    }
    CloseHandle(info.hThread);
    HWND ruler = nullptr;
    PollUntil([&] { return (ruler = FindWindowW(L"Linova <1>", nullptr)) != nullptr; }, 10000);
    HDC screen = GetDC(nullptr);
    std::vector<double> ordinary, snapping;
    if (ruler && BringToFront(ruler) &&
        PollUntil([&] { return GetPixel(screen, kAt.x, kAt.y + 25) == kRed; })) {
        int marker = 0;
        for (int i = 0; i < samples; ++i) {
            ordinary.push_back(StepMs(screen, ++marker));
            SendMessageW(ruler, WM_COMMAND, kSnapEdges, 0);
            snapping.push_back(StepMs(screen, ++marker));
            SendMessageW(ruler, WM_COMMAND, kSnapEdges, 0);
        }
    }
    ReleaseDC(nullptr, screen);
    f.ordinaryMs = Median(ordinary);
    f.snappingMs = Median(snapping);
    if (ruler) PostMessageW(ruler, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 5000);
    }
    CloseHandle(info.hProcess);
    return f;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int samples = argc > 1 ? std::max(1, _wtoi(argv[1])) : 50;
    // The user's own settings wait aside (and come back first, should an earlier run have been
    // cut short).
    MoveSettings(kSettingsBackup, kSettingsKey);
    MoveSettings(kSettingsKey, kSettingsBackup);
    std::printf("medians of %d marker steps (+)     %11s %11s   %s\n", samples, "ordinary",
                "snapping", "ratio");
    for (int length : {300, 1900}) {
        const Figures f = Measure(length, samples);
        std::printf("ruler of %4d pixels                 %8.3f ms %8.3f ms   %5.2fx\n", length,
                    f.ordinaryMs, f.snappingMs,
                    f.ordinaryMs > 0 ? f.snappingMs / f.ordinaryMs : 0.0);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    MoveSettings(kSettingsBackup, kSettingsKey);
    return 0;
}
