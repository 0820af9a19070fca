// Several rulers at once: the first one's tray icon and its two menus, raising, adding and ending
// rulers from there, and the reuse of instance numbers.
#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "dialogs.h"
#include "harness.h"
#include "menus.h"

namespace e2e {
namespace {

constexpr UINT kTrayIconId = 2001;

// Stops the thread of a ruler's window as a hung program stops, until it is let go (at the latest
// when this ends).
class Frozen {
  public:
    explicit Frozen(HWND window) {
        thread_ =
            OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr));
        if (thread_ && SuspendThread(thread_) == static_cast<DWORD>(-1)) LetGo();
    }
    ~Frozen() { LetGo(); }
    Frozen(const Frozen&) = delete;
    Frozen& operator=(const Frozen&) = delete;

    bool Holds() const { return thread_ != nullptr; }
    void LetGo() {
        if (thread_) {
            ResumeThread(thread_);
            CloseHandle(thread_);
        }
        thread_ = nullptr;
    }

  private:
    HANDLE thread_ = nullptr;
};

long long MillisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

class Instances : public MenuTest {
  protected:
    // Starts rulers one after another, each taking the next number.
    static std::vector<HWND> StartOneByOne(int count) {
        std::vector<HWND> rulers;
        for (int n = 1; n <= count; ++n) {
            StartLinova(L"");
            HWND ruler = WaitForRuler(n);
            EXPECT_TRUE(ruler) << n;
            const std::wstring title = L"Linova <" + std::to_wstring(n) + L"> - H10.00 cm";
            EXPECT_TRUE(TitleIs(ruler, title)) << n;
            rulers.push_back(ruler);
        }
        return rulers;
    }

    // The tray icon's menu, opened by a click on the one icon, which belongs to the first ruler.
    static std::optional<OpenMenu> TrayMenu(HWND first, bool right) {
        std::vector<HWND> icons;
        EXPECT_TRUE(WaitUntil([&] { return (icons = TrayIconWindows()).size() == 1; }))
            << icons.size() << " icons";
        if (icons.size() != 1) return std::nullopt;
        return OpenTrayMenu(icons[0], first, right);
    }

    // Whether the window comes to the front and stays there for a fifth of a second.
    static bool StaysInFront(HWND window) {
        int polls = 0;
        return WaitUntil([&] {
            polls = GetForegroundWindow() == window ? polls + 1 : 0;
            return polls >= 40;
        });
    }
};

TEST_F(Instances, FirstRulerOwnsTheTrayIconWhoseMenusListTheRulers) {
    const std::vector<HWND> rulers = StartOneByOne(3);
    ASSERT_EQ(rulers.size(), 3u);
    ASSERT_TRUE(rulers[0] && rulers[1] && rulers[2]);
    EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(rulers[0], kTrayIconId); }));
    EXPECT_FALSE(TrayIconExists(rulers[1], kTrayIconId));
    EXPECT_FALSE(TrayIconExists(rulers[2], kTrayIconId));

    auto menu = TrayMenu(rulers[0], false);
    ASSERT_TRUE(menu) << "no menu from the first ruler";
    EXPECT_EQ(Outline(menu->items),
              L"1001 Linova <1> | 1002 Linova <2> | 1003 Linova <3> | - | 902 &Add Linova");
    ASSERT_EQ(menu->items.size(), 5u);
    const MenuItem& add = menu->items[4];
    EXPECT_TRUE(add.Default());
    EXPECT_FALSE(add.Grayed());
    EXPECT_TRUE(add.hasImage);
    ASSERT_TRUE(CloseMenus());

    menu = TrayMenu(rulers[0], true);
    ASSERT_TRUE(menu);
    EXPECT_EQ(Outline(menu->items),
              L"1011 Linova <1> Operation... | 1012 Linova <2> Operation... | "
              L"1013 Linova <3> Operation... | - | 901 Linova E&xit");
}

TEST_F(Instances, ChoosingARulerInTheTrayMenuBringsItToTheFront) {
    const std::vector<HWND> rulers = StartOneByOne(3);
    ASSERT_EQ(rulers.size(), 3u);
    ASSERT_TRUE(rulers[0] && rulers[1] && rulers[2]);

    auto menu = TrayMenu(rulers[0], false);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeys(*menu, 1002));
    EXPECT_TRUE(StaysInFront(rulers[1])) << "in front: " << GetForegroundWindow();

    // With its Operation panel, from the right button's menu: ruler 3 opens its panel, which
    // takes the front from it.
    menu = TrayMenu(rulers[0], true);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeys(*menu, 1013));
    HWND panel = WaitForDialog(rulers[2], L"Operation - Linova <3>");
    ASSERT_TRUE(panel);
    EXPECT_TRUE(StaysInFront(panel)) << "in front: " << GetForegroundWindow();
}

TEST_F(Instances, AddReusesTheFreeNumberAndAllExitEndsEveryRulerEachSaving) {
    std::vector<HWND> rulers = StartOneByOne(3);
    ASSERT_EQ(rulers.size(), 3u);
    ASSERT_TRUE(rulers[0] && rulers[1] && rulers[2]);
    CloseRuler(rulers[1]);

    auto menu = TrayMenu(rulers[0], false);
    ASSERT_TRUE(menu);
    EXPECT_EQ(Outline(menu->items), L"1001 Linova <1> | 1003 Linova <3> | - | 902 &Add Linova");
    ASSERT_TRUE(ChooseByKeys(*menu, 902));
    rulers[1] = WaitForRuler(2);
    ASSERT_TRUE(rulers[1]) << "Add did not start ruler 2";
    EXPECT_FALSE(FindRuler(4));

    // Something for each to save: the pixel unit instead of cm.
    std::vector<HANDLE> processes;
    for (HWND ruler : rulers) {
        EXPECT_TRUE(SendWaiting(ruler, WM_COMMAND, 21));
        processes.push_back(OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ruler)));
        ASSERT_TRUE(processes.back());
    }

    menu = TrayMenu(rulers[0], true);
    ASSERT_TRUE(menu);
    ASSERT_TRUE(ChooseByKeys(*menu, 901));
    EXPECT_EQ(
        WaitForMultipleObjects(static_cast<DWORD>(processes.size()), processes.data(), TRUE, 5000),
        WAIT_OBJECT_0)
        << "not every ruler ended";
    for (HANDLE process : processes) CloseHandle(process);
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(ReadText(InstanceKey(n), L"Settings"), L"1,0,0,0,0,0,1,0,0,1,0,1,") << n;
        EXPECT_TRUE(ReadDword(InstanceKey(n), L"xPosi").has_value()) << n;
    }
    EXPECT_TRUE(WaitUntil([] { return TrayIconWindows().empty(); })) << "the tray icon stayed";
}

TEST_F(Instances, AddIsGreyedWhileEveryNumberRuns) {
    StartLinova(L"1 2 3 4 5 6 7 8");
    std::vector<HWND> rulers;
    for (int n = 1; n <= 8; ++n) {
        rulers.push_back(WaitForRuler(n, 10000));
        ASSERT_TRUE(rulers.back()) << n;
    }
    const auto menu = TrayMenu(rulers[0], false);
    ASSERT_TRUE(menu);
    EXPECT_EQ(Outline(menu->items),
              L"1001 Linova <1> | 1002 Linova <2> | 1003 Linova <3> | 1004 Linova <4> | "
              L"1005 Linova <5> | 1006 Linova <6> | 1007 Linova <7> | 1008 Linova <8> | - | "
              L"902 &Add Linova");
    const MenuItem* add = FindItem(menu->items, 902);
    ASSERT_TRUE(add);
    EXPECT_TRUE(add->Grayed());
    EXPECT_TRUE(add->Default());
}

TEST_F(Instances, AFrozenRulerHoldsUpNeitherSameColorLockNorAllExit) {
    const std::vector<HWND> rulers = StartOneByOne(4);
    ASSERT_EQ(rulers.size(), 4u);
    std::vector<HANDLE> processes;
    for (HWND ruler : rulers) {
        ASSERT_TRUE(ruler);
        processes.push_back(OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(ruler)));
        ASSERT_TRUE(processes.back());
    }
    Frozen frozen(rulers[1]);
    ASSERT_TRUE(frozen.Holds());
    ASSERT_FALSE(Answers(rulers[1], 200)) << "ruler 2 is not frozen";

    // Same Color Lock from ruler 3 tells rulers 1, 2 and 4 and comes back despite ruler 2; so
    // does ruler 1 asked to raise ruler 2 with its panel, as the tray menu asks it.
    for (const auto& [sender, command] : {std::pair{rulers[2], 905}, std::pair{rulers[0], 1012}}) {
        const auto started = std::chrono::steady_clock::now();
        DWORD_PTR result = 0;
        EXPECT_TRUE(
            SendMessageTimeoutW(sender, WM_COMMAND, command, 0, SMTO_NORMAL, 10000, &result))
            << command;
        EXPECT_LT(MillisecondsSince(started), 4000) << command;
    }
    EXPECT_TRUE(Answers(rulers[0]) && Answers(rulers[2]) && Answers(rulers[3]));

    // All Exit from ruler 3 ends 4 and itself, passes over the frozen 2 and ends 1, each saving.
    const auto started = std::chrono::steady_clock::now();
    PostMessageW(rulers[2], WM_COMMAND, 901, 0);
    const HANDLE others[] = {processes[0], processes[2], processes[3]};
    EXPECT_EQ(WaitForMultipleObjects(3, others, TRUE, 8000), WAIT_OBJECT_0);
    EXPECT_LT(MillisecondsSince(started), 6000);
    EXPECT_EQ(WaitForSingleObject(processes[1], 0), static_cast<DWORD>(WAIT_TIMEOUT));
    for (int n : {1, 3, 4}) EXPECT_TRUE(ReadDword(InstanceKey(n), L"xPosi").has_value()) << n;
    EXPECT_FALSE(ReadDword(InstanceKey(2), L"xPosi").has_value());

    // Let go, ruler 2 does what it was asked while it stood still: it closes and saves.
    frozen.LetGo();
    EXPECT_EQ(WaitForSingleObject(processes[1], 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(ReadDword(InstanceKey(2), L"xPosi").has_value());
    for (HANDLE process : processes) CloseHandle(process);
}

}  // namespace
}  // namespace e2e
