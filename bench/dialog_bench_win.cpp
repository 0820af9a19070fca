// Times each of the ruler's dialogs from the command that opens it until its picture is complete,
// beside a baseline dialog with the same controls (bench/baseline_dialog_win.cpp) opened the same
// way in the same run: a command posted to another process's window of the ruler's kind, which
// makes the dialog, owned by it and modal where the ruler's is. A third opening in each round is
// the same baseline with the ruler's caption icon set as the ruler sets it, which tells how much
// of the difference that one specified step makes. They take turns, 20 openings each by
// default; the figure is the median.
//
//   dialog_bench_win.exe [OPENINGS] [DIALOG]      (DIALOG: the start of one name, e.g. About)
//
// "Painted" is when the dialog's picture on the screen last changed before it stayed the same for
// 300 ms: the first showing is not the end when controls are drawn again afterwards.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "bench_input_win.h"
#include "dialog_spec_win.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Tamarisk";
constexpr wchar_t kSettingsBackup[] = L"Software\\Tamarisk, aside for dialog_bench";

struct Subject {
    const char* name;
    WPARAM command;
};

// The ruler's commands that open its dialogs.
constexpr Subject kDialogs[] = {
    {"Operation panel", 11}, {"Setup", 19}, {"Display size", 40003}, {"About", 1},
    {"Magnifier", 40011},
};

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HANDLE Start(const std::wstring& exe) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return nullptr;
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

void End(HANDLE process, HWND window) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    if (process && WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
    }
    if (process) CloseHandle(process);
}

struct DialogSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK MatchShownDialog(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<DialogSearch*>(data);
    wchar_t name[16] = L"";
    GetClassNameW(window, name, 16);
    if (ProcessOf(window) == s->process && IsWindowVisible(window) &&
        std::wcscmp(name, L"#32770") == 0) {
        s->found = window;
        return FALSE;
    }
    return TRUE;
}

// The process's visible dialog window, if one is shown.
HWND ShownDialog(DWORD process) {
    DialogSearch search{process, nullptr};
    EnumWindows(MatchShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Opening {
    HWND dialog = nullptr;
    double shownMs = -1;
    double paintedMs = -1;
};

// The owner comes to the front first, as it is when the user picks its menu item, and the
// program has answered the change before the clock starts.
void Activate(HWND owner) {
    BringToFront(owner);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(owner, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
}

// Posts the command and waits until the dialog shows and its picture has stayed the same for
// 300 ms; the dialog is left open.
Opening Open(HWND owner, WPARAM command) {
    Opening o;
    const DWORD process = ProcessOf(owner);
    Activate(owner);
    const auto begin = Clock::now();
    PostMessageW(owner, WM_COMMAND, command, 0);
    if (!PollUntil([&] { return (o.dialog = ShownDialog(process)) != nullptr; }, 5000)) return o;
    o.shownMs = Milliseconds(Clock::now() - begin);
    RECT rect{};
    GetWindowRect(o.dialog, &rect);
    ScreenReader reader;
    std::vector<uint32_t> last, picture;
    reader.Read(rect, last);
    auto lastChange = Clock::now();
    while (Clock::now() - lastChange < std::chrono::milliseconds(300) &&
           Clock::now() - begin < std::chrono::seconds(5)) {
        Sleep(1);
        RECT now{};
        GetWindowRect(o.dialog, &now);
        reader.Read(now, picture);
        if (!EqualRect(&now, &rect) || picture != last) {
            rect = now;
            std::swap(last, picture);
            lastChange = Clock::now();
        }
    }
    o.paintedMs = Milliseconds(lastChange - begin);
    return o;
}

void Close(HWND dialog) {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    PollUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000);
}

struct Walk {
    HWND dialog;
    dialog_spec::Dialog* d;
    HWND page = nullptr;  // the page, once the walk has met it
};

BOOL CALLBACK DescribeControl(HWND child, LPARAM data) {
    auto* w = reinterpret_cast<Walk*>(data);
    dialog_spec::Control c{};
    GetClassNameW(child, c.className, 64);
    // A page is a dialog of its own inside, made from its own template; its controls come next
    // in the walk.
    if (std::wcscmp(c.className, L"#32770") == 0) {
        dialog_spec::Page& page = w->d->page;
        if (page.present) return TRUE;
        page.present = true;
        page.style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
        page.exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
        GetWindowRect(child, &page.rect);
        MapWindowPoints(nullptr, w->dialog, reinterpret_cast<POINT*>(&page.rect), 2);
        w->page = child;
        return TRUE;
    }
    if (w->d->count == dialog_spec::kMostControls) return FALSE;
    GetWindowTextW(child, c.text, 64);
    c.style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
    c.exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
    c.onPage = w->page && IsChild(w->page, child);
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, c.onPage ? w->page : w->dialog, reinterpret_cast<POINT*>(&c.rect), 2);
    DWORD_PTR answer = 0;
    if (std::wcscmp(c.className, TOOLBARCLASSNAMEW) == 0 &&
        SendMessageTimeoutW(child, TB_BUTTONCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) {
        c.toolbarButtons = static_cast<int>(answer);
    }
    if (std::wcscmp(c.className, WC_LISTVIEWW) == 0) {
        if (SendMessageTimeoutW(child, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) {
            c.listRows = static_cast<int>(answer);
        }
        DWORD_PTR header = 0;
        if (SendMessageTimeoutW(child, LVM_GETHEADER, 0, 0, SMTO_ABORTIFHUNG, 2000, &header) &&
            SendMessageTimeoutW(reinterpret_cast<HWND>(header), HDM_GETITEMCOUNT, 0, 0,
                                SMTO_ABORTIFHUNG, 2000, &answer)) {
            c.listColumns = static_cast<int>(answer);
        }
    }
    // The list view's header comes with the list view.
    if (std::wcscmp(c.className, WC_HEADERW) == 0) return TRUE;
    w->d->controls[w->d->count++] = c;
    return TRUE;
}

// Where the baseline shows its owner: as large as the ruler, near the bottom of the screen, or
// near the top where that would cover the ruler or the dialog, so that neither program's windows
// lie over the other's.
RECT OwnerPlace(const RECT& ruler, const RECT& dialog) {
    const int width = ruler.right - ruler.left;
    const int height = ruler.bottom - ruler.top;
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (const int top : {screenHeight - height - 40, 10}) {
        RECT place{ruler.left, top, ruler.left + width, top + height};
        RECT overlap{};
        if (!IntersectRect(&overlap, &place, &ruler) && !IntersectRect(&overlap, &place, &dialog)) {
            return place;
        }
    }
    return RECT{ruler.left, screenHeight - height, ruler.left + width, screenHeight};
}

// What the baseline needs to make a dialog with the same controls as this one, opened the same
// way: modal or not, owned by a window like the ruler.
dialog_spec::Dialog Describe(HWND dialog, HWND ruler) {
    dialog_spec::Dialog d{};
    d.modal = !IsWindowEnabled(ruler);
    d.owner.style = static_cast<DWORD>(GetWindowLongW(ruler, GWL_STYLE));
    d.owner.exStyle = static_cast<DWORD>(GetWindowLongW(ruler, GWL_EXSTYLE));
    d.owner.alpha = 255;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(ruler, nullptr, &d.owner.alpha, &flags) ||
        !(flags & LWA_ALPHA)) {
        d.owner.alpha = 255;
    }
    RECT rulerRect{}, dialogRect{};
    GetWindowRect(ruler, &rulerRect);
    GetWindowRect(dialog, &dialogRect);
    d.owner.rect = OwnerPlace(rulerRect, dialogRect);
    GetWindowTextW(dialog, d.title, 64);
    d.style = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    d.exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    d.at = {window.left, window.top};
    d.client = {client.right, client.bottom};
    Walk walk{dialog, &d, nullptr};
    EnumChildWindows(dialog, DescribeControl, reinterpret_cast<LPARAM>(&walk));
    return d;
}

struct Figures {
    std::vector<double> ours, base, iconBase, oursShown, baseShown;
    int controls = 0;
};

// The ratio of the two openings of each round, which took place a moment apart under the same
// load: its median follows the load less than the ratio of the two medians does.
std::vector<double> RoundRatios(const std::vector<double>& ours, const std::vector<double>& base) {
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.size() && i < base.size(); ++i) {
        if (ours[i] > 0 && base[i] > 0) ratios.push_back(ours[i] / base[i]);
    }
    return ratios;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int openings = argc > 1 ? std::max(1, _wtoi(argv[1])) : 20;
    const std::wstring only = argc > 2 ? argv[2] : L"";
    MoveSettings(kSettingsBackup, kSettingsKey);
    MoveSettings(kSettingsKey, kSettingsBackup);
    HANDLE rulerProcess = Start(ExeBeside(L"linova.exe"));
    HANDLE baseProcess = Start(ExeBeside(L"baseline_dialog_win.exe"));
    HWND ruler = nullptr;
    HWND base = nullptr;
    PollUntil([&] { return (ruler = FindWindowW(L"Linova <1>", nullptr)) != nullptr; }, 10000);
    PollUntil([&] { return (base = FindWindowW(dialog_spec::kBaselineClass, nullptr)) != nullptr; },
              10000);
    if (!ruler || !base) {
        std::printf("the ruler or the baseline program did not start\n");
        End(rulerProcess, ruler);
        End(baseProcess, base);
        MoveSettings(kSettingsBackup, kSettingsKey);
        return 1;
    }
    Sleep(1000);  // the ruler's first paints are over

    std::printf("medians of %d openings: command to painted (to first shown)\n", openings);
    std::printf("%-16s %8s %20s %20s   %s  %s %10s  %s\n", "dialog", "controls", "linova",
                "baseline", "ratio", "paired", "+icon", "ratio");
    for (const Subject& subject : kDialogs) {
        const std::string name = subject.name;
        if (std::wstring(name.begin(), name.end()).rfind(only, 0) != 0) continue;
        Figures f;
        // Once to learn its controls.
        const Opening first = Open(ruler, subject.command);
        if (!first.dialog) {
            std::printf("%-16s did not open\n", subject.name);
            continue;
        }
        const dialog_spec::Dialog spec = Describe(first.dialog, ruler);
        Close(first.dialog);
        f.controls = spec.count;
        COPYDATASTRUCT data{dialog_spec::kCopyTag, sizeof(spec),
                            const_cast<dialog_spec::Dialog*>(&spec)};
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(base, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                            2000, &answer);
        // Taking turns, each going first in every third round.
        for (int i = 0; i < openings; ++i) {
            for (int turn = 0; turn < 3; ++turn) {
                const int who = (turn + i) % 3;  // 0 the ruler, 1 the baseline, 2 it with the icon
                Opening o;
                if (who == 0) {
                    o = Open(ruler, subject.command);
                    f.ours.push_back(o.paintedMs);
                    f.oursShown.push_back(o.shownMs);
                } else if (who == 1) {
                    o = Open(base, dialog_spec::kOpen);
                    f.base.push_back(o.paintedMs);
                    f.baseShown.push_back(o.shownMs);
                } else {
                    o = Open(base, dialog_spec::kOpenWithIcon);
                    f.iconBase.push_back(o.paintedMs);
                }
                if (o.dialog) Close(o.dialog);
            }
        }
        const double a = Median(f.ours);
        const double b = Median(f.base);
        const double c = Median(f.iconBase);
        std::printf("%-16s %8d %9.1f (%6.1f) ms %9.1f (%6.1f) ms   %5.2fx %7.2fx %7.1f ms %5.2fx\n",
                    subject.name, f.controls, a, Median(f.oursShown), b, Median(f.baseShown),
                    b > 0 ? a / b : 0.0, Median(RoundRatios(f.ours, f.base)), c,
                    c > 0 ? a / c : 0.0);
    }
    End(rulerProcess, ruler);
    End(baseProcess, base);
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    MoveSettings(kSettingsBackup, kSettingsKey);
    return 0;
}
