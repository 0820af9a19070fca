// Starting rulers: instance numbers, the first window, what is stored at exit, the limit, what
// is mapped at start, the tray icon of the first ruler and a start that cannot make its window.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "dialogs.h"
#include "harness.h"
#include "menus.h"
#include "stored_values.h"

namespace e2e {
namespace {

using StartUp = RulerTest;

TEST_F(StartUp, FirstRulerWithNothingStored) {
    const auto started = std::chrono::steady_clock::now();
    StartLinova(L"");
    HWND ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(ruler) && RectOf(ruler).right > 0; }));
    const auto shown = std::chrono::steady_clock::now();
    std::printf(
        "start to window shown: %lld ms\n",
        static_cast<long long>(
            std::chrono::duration_cast<std::chrono::milliseconds>(shown - started).count()));

    EXPECT_EQ(ClassOf(ruler), L"Linova <1>");
    // 300 pixels at the repaired manual scale of 30.0 pixels per centimetre.
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H10.00 cm"));
    const RECT r = RectOf(ruler);
    EXPECT_EQ(r.left, 20);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 301);
    EXPECT_EQ(r.bottom - r.top, 50);
    const LONG_PTR exStyle = GetWindowLongPtrW(ruler, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    const LONG_PTR style = GetWindowLongPtrW(ruler, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(ruler, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 192);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));

    CloseRuler(ruler);
    const std::wstring key = InstanceKey(1);
    // Twelve DWORD values (a value of another type does not read as one) and the flag text.
    EXPECT_EQ(ValueNames(key).size(), kInstanceDwordNames.size() + 1);
    for (const std::wstring& name : kInstanceDwordNames) {
        EXPECT_TRUE(ReadDword(key, name.c_str()).has_value()) << testing::PrintToString(name);
    }
    EXPECT_EQ(ReadDword(key, L"xPosi"), 20u);
    EXPECT_EQ(ReadDword(key, L"yPosi"), 100u);
    EXPECT_EQ(ReadDword(key, L"Lenght"), 300u);
    EXPECT_EQ(ReadDword(key, L"Scaling"), 300u);
    EXPECT_EQ(ReadDword(key, L"LayerWindow"), 192u);
    EXPECT_EQ(ReadDword(key, L"MagnifierWinSizeX"), 325u);
    EXPECT_EQ(ReadText(key, L"Settings"), L"1,0,0,1,0,0,1,0,0,1,0,1,");
    EXPECT_EQ(ValueBytes(key, L"Settings"), 48u);  // no terminator stored
    EXPECT_EQ(ReadDword(kProductKey, L"Linovamax"), 8u);
    for (const wchar_t* name :
         {L"ScreenSize01", L"ScreenSize02", L"ScreenSize03", L"ScreenSize04"}) {
        EXPECT_EQ(ReadDword(kProductKey, name), 170u) << name;
    }
}

TEST_F(StartUp, InstancesTakeTheLowestFreeNumber) {
    for (int n = 1; n <= 3; ++n) {
        StartLinova(L"");
        ASSERT_TRUE(WaitForRuler(n)) << n;
        const std::wstring title = L"Linova <" + std::to_wstring(n) + L"> - H10.00 cm";
        EXPECT_TRUE(TitleIs(FindRuler(n), title)) << n;
    }
    CloseRuler(FindRuler(2));
    EXPECT_FALSE(FindRuler(2));
    StartLinova(L"");
    EXPECT_TRUE(WaitForRuler(2));
    // Instance 3 never touches the product key; instance 2 saved its own key when it closed.
    EXPECT_TRUE(ReadDword(InstanceKey(2), L"xPosi").has_value());
    EXPECT_FALSE(ReadDword(kProductKey, L"Linovamax").has_value());
}

// Starts instances 1..count, each named on its own command line, all at once.
void StartNumbered(int count) {
    for (int n = 1; n <= count; ++n) StartLinova(std::to_wstring(n));
    for (int n = 1; n <= count; ++n) ASSERT_TRUE(WaitForRuler(n, 10000)) << n;
}

TEST_F(StartUp, RefusesANinthRuler) {
    StartNumbered(8);
    HANDLE ninth = StartLinova(L"");
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = FindWindowW(L"#32770", L"Linova")) != nullptr; }));
    // The box exists a moment before its text is set.
    EXPECT_TRUE(WaitUntil([&] { return ItemText(box, 0xFFFF) == L"Linova can't add more."; }))
        << testing::PrintToString(ItemText(box, 0xFFFF));
    EXPECT_FALSE(FindRuler(9));
    ASSERT_TRUE(ClickItem(box, IDOK));
    ASSERT_EQ(WaitForSingleObject(ninth, 5000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(ninth, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(FindRuler(n) != nullptr, n <= 8) << n;
}

TEST_F(StartUp, StoredLimitOfNineAllowsANinthRuler) {
    PutDword(kProductKey, L"Linovamax", 9);
    StartNumbered(8);
    StartLinova(L"");
    EXPECT_TRUE(WaitForRuler(9));
}

TEST_F(StartUp, CommandLineChoosesTheNumber) {
    StartLinova(L"5");
    ASSERT_TRUE(WaitForRuler(5));
    EXPECT_FALSE(FindRuler(1));
    StartLinova(L"5");  // taken: the first free number
    EXPECT_TRUE(WaitForRuler(1));
    StartLinova(L"12");  // out of range
    EXPECT_TRUE(WaitForRuler(2));
}

// The ids of the linova.exe processes that run now.
std::vector<DWORD> LinovaProcesses() {
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"linova.exe") == 0) ids.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return ids;
}

// Whether every running linova.exe shows a ruler: one that is still starting shows none yet.
bool EveryProcessShowsARuler() {
    std::set<DWORD> owners;
    for (int n = 1; n <= 9; ++n) {
        if (HWND ruler = FindRuler(n)) owners.insert(ProcessOf(ruler));
    }
    for (DWORD id : LinovaProcesses()) {
        if (owners.count(id) == 0) return false;
    }
    return true;
}

TEST_F(StartUp, CommandLineStartsFurtherRulers) {
    StartLinova(L"1 4 7 12");
    HWND first = WaitForRuler(1);
    ASSERT_TRUE(first);
    EXPECT_TRUE(WaitForRuler(4, 10000));
    EXPECT_TRUE(WaitForRuler(7, 10000));
    // The first ruler starts the others before it answers messages, so once it answers, every
    // process it started exists; once each of those shows its ruler, no other can come.
    ASSERT_TRUE(Answers(first));
    ASSERT_TRUE(WaitUntil(EveryProcessShowsARuler, 10000));
    // Nothing else started: no process took a free number.
    EXPECT_EQ(LinovaProcesses().size(), 3u);
    for (int n : {2, 3, 5, 6, 8}) EXPECT_FALSE(FindRuler(n)) << n;
}

TEST_F(StartUp, ANumberRepeatedOnTheCommandLineStartsOneRuler) {
    StartLinova(L"1 2 2 2 2 2 2 2 2");
    HWND first = WaitForRuler(1);
    ASSERT_TRUE(first);
    EXPECT_TRUE(WaitForRuler(2, 10000));
    // Once the first answers, it has started all it will start; once each of those shows its
    // ruler, none is left to come.
    ASSERT_TRUE(Answers(first));
    ASSERT_TRUE(WaitUntil(EveryProcessShowsARuler, 10000));
    EXPECT_EQ(LinovaProcesses().size(), 2u);
    EXPECT_EQ(TopWindows(L"Linova <").size(), 2u);
    EXPECT_TRUE(TopWindows(L"#32770", L"Linova").empty());
}

TEST_F(StartUp, StoredValuesOutOfRangeComeBackRepaired) {
    const std::wstring key = InstanceKey(1);
    PutDword(key, L"Lenght", 30000);
    PutDword(key, L"LayerWindow", 300);
    PutDword(key, L"Scaling", 5000);
    PutDword(key, L"BackColor", 25);
    PutText(key, L"Settings", L"1,0,0,1,0,0,1,0,0,1,0,1,");
    StartLinova(L"");
    HWND ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(ruler).right - RectOf(ruler).left == 22001; }));
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(ruler, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 255);
    EXPECT_TRUE(TitleIs(ruler, L"Linova <1> - H733.33 cm"));
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(key, L"Lenght"), 22000u);
    EXPECT_EQ(ReadDword(key, L"LayerWindow"), 255u);
    EXPECT_EQ(ReadDword(key, L"Scaling"), 300u);
    EXPECT_EQ(ReadDword(key, L"BackColor"), 2u);

    PutDword(key, L"Lenght", 49);
    PutDword(key, L"LayerWindow", 20);
    StartLinova(L"");
    ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    ASSERT_TRUE(WaitUntil([&] { return RectOf(ruler).right - RectOf(ruler).left == 301; }));
    ASSERT_TRUE(GetLayeredWindowAttributes(ruler, nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 35);
    CloseRuler(ruler);
    EXPECT_EQ(ReadDword(key, L"Lenght"), 300u);
}

TEST_F(StartUp, SessionEndSavesAndClosingAfterwardsSavesAgain) {
    StartLinova(L"");
    HWND ruler = WaitForRuler(1);
    ASSERT_TRUE(ruler);
    EXPECT_FALSE(ReadDword(InstanceKey(1), L"xPosi").has_value());
    EXPECT_EQ(SendWaiting(ruler, WM_QUERYENDSESSION).value_or(0), TRUE);
    EXPECT_EQ(ReadDword(InstanceKey(1), L"xPosi"), 20u);
    EXPECT_EQ(ReadText(InstanceKey(1), L"Settings"), L"1,0,0,1,0,0,1,0,0,1,0,1,");

    // The session went on after all: the ruler, placed and showing its readout, moves one pixel
    // right, and closing it saves that.
    ASSERT_TRUE(TitleIs(ruler, L"Linova <1> - H10.00 cm"));
    EXPECT_TRUE(SendWaiting(ruler, WM_KEYDOWN, VK_RIGHT));
    ASSERT_TRUE(WaitUntil([&] { return RectOf(ruler).left == 21; }));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"xPosi"), 20u);
    CloseRuler(ruler);
    EXPECT_FALSE(FindRuler(1));
    EXPECT_EQ(ReadDword(InstanceKey(1), L"xPosi"), 21u);
    EXPECT_EQ(ReadText(InstanceKey(1), L"Settings"), L"1,0,0,1,0,0,1,0,0,1,0,1,");
}

TEST_F(StartUp, RulersStartedTogetherTakeNumbersOfTheirOwnUpToTheLimit) {
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        std::vector<HANDLE> processes;
        for (int i = 0; i < 10; ++i) processes.push_back(StartLinova(L""));
        ASSERT_EQ(std::count(processes.begin(), processes.end(), nullptr), 0);
        // Eight rulers on eight numbers, and two refusals.
        std::vector<HWND> boxes;
        ASSERT_TRUE(WaitUntil(
            [&] {
                boxes = TopWindows(L"#32770", L"Linova");
                return boxes.size() >= 2 && TopWindows(L"Linova <").size() >= 8;
            },
            30000))
            << boxes.size() << " refusals, " << TopWindows(L"Linova <").size() << " rulers";
        std::set<DWORD> owners;
        for (int n = 1; n <= 8; ++n) {
            HWND ruler = FindRuler(n);
            ASSERT_TRUE(ruler) << n;
            // In its message loop, so its start-up, tray icon included, is over.
            EXPECT_TRUE(Answers(ruler)) << n;
            owners.insert(ProcessOf(ruler));
        }
        EXPECT_EQ(owners.size(), 8u);
        EXPECT_EQ(TopWindows(L"Linova <").size(), 8u);
        EXPECT_EQ(TopWindows(L"#32770", L"Linova").size(), 2u);
        for (HWND box : boxes) {
            EXPECT_EQ(WindowText(GetDlgItem(box, 0xFFFF)), L"Linova can't add more.");
        }
        // The icon comes once the first ruler has painted; only that ruler adds one.
        EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(FindRuler(1), 2001); }));
        EXPECT_EQ(TrayIconWindows().size(), 1u);

        // All Exit from the first ends every ruler; the refusals end with their boxes.
        for (HWND box : boxes) PostMessageW(box, WM_COMMAND, IDOK, 0);
        PostMessageW(FindRuler(1), WM_COMMAND, 901, 0);
        EXPECT_EQ(WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(),
                                         TRUE, 15000),
                  WAIT_OBJECT_0);
        EXPECT_TRUE(TopWindows(L"Linova <").empty());
        EXPECT_TRUE(WaitUntil([] { return TrayIconWindows().empty(); }));
        for (int n = 1; n <= 8; ++n) {
            EXPECT_TRUE(ReadDword(InstanceKey(n), L"xPosi").has_value()) << n;
        }
        EndAllRulers();
        ClearSettings();
    }
}

// Holds the lock under which starting rulers choose their numbers, as a ruler that hangs while it
// chooses would, on a thread of its own; when that thread ends without letting go, the lock is
// abandoned, as when such a ruler is killed.
class ChoiceLockHolder {
  public:
    ChoiceLockHolder()
        : letGo_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          held_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this] {
              HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\Linova instance choice");
              if (lock && WaitForSingleObject(lock, 5000) == WAIT_OBJECT_0) SetEvent(held_);
              WaitForSingleObject(letGo_, INFINITE);
              if (lock) CloseHandle(lock);
          }) {}
    ~ChoiceLockHolder() {
        Abandon();
        CloseHandle(letGo_);
        CloseHandle(held_);
    }

    bool Holds() const { return WaitForSingleObject(held_, 5000) == WAIT_OBJECT_0; }
    // Ends the thread that holds the lock, without releasing it.
    void Abandon() {
        SetEvent(letGo_);
        if (thread_.joinable()) thread_.join();
    }

  private:
    HANDLE letGo_;
    HANDLE held_;
    std::thread thread_;
};

TEST_F(StartUp, ARulerHungOrKilledWhileChoosingHoldsTheOthersBackOnlyForAWhile) {
    ChoiceLockHolder holder;
    ASSERT_TRUE(holder.Holds());
    const auto started = std::chrono::steady_clock::now();
    StartLinova(L"");
    // The new ruler waits for the one choosing...
    EXPECT_FALSE(WaitForRuler(1, 1000));
    // ...but not for ever.
    EXPECT_TRUE(WaitForRuler(1, 20000));
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, std::chrono::seconds(9));

    // The holder ends without letting go: the next ruler takes the lock over, and lets go of it.
    holder.Abandon();
    StartLinova(L"");
    EXPECT_TRUE(WaitForRuler(2, 5000));
    StartLinova(L"");
    EXPECT_TRUE(WaitForRuler(3, 5000));
}

// The distinct rectangles the ruler window of the instance has, polled from the moment it exists
// until its title reads `title`, empty ones left out. The polls follow each other without a pause,
// so that a rectangle the window has only for a moment is seen too. (This system reports no
// location changes to event hooks.)
std::vector<RECT> RectanglesUntilTitle(int instanceNumber, const std::wstring& title) {
    std::vector<RECT> seen;
    HWND ruler = nullptr;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!ruler && std::chrono::steady_clock::now() < end) ruler = FindRuler(instanceNumber);
    while (ruler && std::chrono::steady_clock::now() < end) {
        const bool titled = WindowText(ruler) == title;
        const RECT r = RectOf(ruler);
        if (!IsRectEmpty(&r) && (seen.empty() || !EqualRect(&seen.back(), &r))) seen.push_back(r);
        if (titled) break;
    }
    return seen;
}

TEST_F(StartUp, ARulerStoredFarOffEveryMonitorIsFirstShownOnOne) {
    StoredRuler offScreen;
    offScreen.x = 100000;
    offScreen.y = -50000;
    StoreRuler(1, offScreen);
    StartLinova(L"");
    const std::vector<RECT> seen = RectanglesUntilTitle(1, L"Linova <1> - H300 pixel");
    ASSERT_FALSE(seen.empty());
    // Pulled onto the 1920 x 1080 monitor: 50 pixels from its right edge, at its top.
    const RECT expected{1870, 0, 2171, 50};
    for (const RECT& r : seen) {
        EXPECT_TRUE(EqualRect(&r, &expected))
            << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    }
}

// On the two-monitor desktop, (-1280, 0)-(0, 800) to the left of the primary (0, 0)-(1280, 800),
// a ruler starts on the monitor its stored rectangle is on or nearest to: one stored far to the
// left is kept on the left monitor, and a full-scale one spans the monitor it was stored on.
TEST_F(TwoMonitors, ARulerStartsOnTheMonitorItWasStoredOn) {
    StoredRuler ruler;
    ruler.x = -5000;
    StoreRuler(1, ruler);
    ruler.x = -1000;
    ruler.y = 500;
    ruler.fullScale = true;
    StoreRuler(2, ruler);
    StartLinova(L"1 2");
    HWND first = WaitForRuler(1);
    HWND second = WaitForRuler(2);
    EXPECT_TRUE(first && ShowsAt(first, -1280 + 50 - 300, 300, 301, 50));
    EXPECT_TRUE(second && ShowsAt(second, -1280, 500, 1281, 50));
    EXPECT_TRUE(second && TitleIs(second, L"Linova <2> - H1280 pixel"));
    EndAllRulers();
    // The full-scale ruler keeps the place it comes back to.
    EXPECT_EQ(ReadDword(InstanceKey(1), L"xPosi"), static_cast<DWORD>(-1530));
    EXPECT_EQ(ReadDword(InstanceKey(2), L"xPosi"), static_cast<DWORD>(-1000));
}

// The DLLs the system maps with the program, before its entry point runs, in lower case.
std::vector<std::string> LoadTimeImports(const std::wstring& exe) {
    std::vector<std::string> names;
    HMODULE image = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!image) return names;
    // The low bits of the handle only mark a mapping as data.
    const auto* base =
        reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress) {
        for (auto* d =
                 reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
             d->Name; ++d) {
            std::string name = reinterpret_cast<const char*>(base + d->Name);
            for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            names.push_back(name);
        }
    }
    FreeLibrary(image);
    return names;
}

// Mapping the common controls at start put the first paint some 50 ms later; they and the
// shell serve only what follows it, so they are mapped at their first use.
TEST_F(StartUp, TheProgramMapsTheCommonControlsAndTheShellOnlyWhenItUsesThem) {
    const std::vector<std::string> imports = LoadTimeImports(LinovaPath());
    ASSERT_NE(std::find(imports.begin(), imports.end(), "user32.dll"), imports.end())
        << imports.size() << " imports read";
    for (const char* late : {"comctl32.dll", "shell32.dll"}) {
        EXPECT_EQ(std::find(imports.begin(), imports.end(), late), imports.end()) << late;
    }
}

constexpr UINT kTrayIconId = 2001;

// Takes an icon out of the notification area, as a taskbar that ends takes all of them.
bool DeleteTrayIcon(HWND owner, UINT id) {
    using NotifyIcon = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAW);
    const auto notify = reinterpret_cast<NotifyIcon>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"shell32.dll"), "Shell_NotifyIconW")));
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = id;
    return notify && notify(NIM_DELETE, &data);
}

TEST_F(StartUp, TheFirstRulerAddsItsTrayIconAgainForANewTaskbar) {
    StartLinova(L"");
    HWND first = WaitForRuler(1);
    ASSERT_TRUE(first);
    StartLinova(L"");
    HWND second = WaitForRuler(2);
    ASSERT_TRUE(second);
    ASSERT_TRUE(WaitUntil([&] { return TrayIconExists(first, kTrayIconId); }));
    ASSERT_TRUE(DeleteTrayIcon(first, kTrayIconId));
    ASSERT_FALSE(TrayIconExists(first, kTrayIconId));

    // What a new taskbar tells every top-level window; each ruler has handled it on return.
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                                    SMTO_ABORTIFHUNG, 5000, &result));
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(first, kTrayIconId); }));
    EXPECT_FALSE(TrayIconExists(second, kTrayIconId));
    EXPECT_EQ(TrayIconWindows().size(), 1u);
}

// Window class names take their atoms from the table GlobalAddAtomW fills here (under Wine the
// global one; on Windows the user atom table plays that part). A full table is what makes a
// class registration fail on a real system, after some program has leaked atoms.
class FullAtomTable {
  public:
    FullAtomTable() {
        for (int i = 0; i < 0x4000; ++i) {
            const ATOM atom = GlobalAddAtomW((L"linova e2e filler " + std::to_wstring(i)).c_str());
            if (!atom) break;
            atoms_.push_back(atom);
        }
    }
    ~FullAtomTable() {
        for (ATOM atom : atoms_) GlobalDeleteAtom(atom);
    }
    bool Full() const {
        const ATOM more = GlobalAddAtomW(L"linova e2e one more");
        if (more) GlobalDeleteAtom(more);
        return !more;
    }

  private:
    std::vector<ATOM> atoms_;
};

TEST_F(StartUp, AClassThatCannotBeRegisteredEndsTheProcessWithAnError) {
    DWORD exitCode = 0;
    {
        FullAtomTable table;
        ASSERT_TRUE(table.Full());
        ASSERT_EQ(GlobalFindAtomW(L"Linova <1>"), 0);
        HANDLE process = StartLinova(L"");
        ASSERT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0) << "the process stayed";
        GetExitCodeProcess(process, &exitCode);
        EXPECT_FALSE(FindRuler(1));
    }
    EXPECT_EQ(exitCode, 1u);
}

}  // namespace
}  // namespace e2e
