// The About box (its texts, icons, colour strip and link) and the uninstall dialog (consent,
// confirmation, deletion of every stored setting and the end of every ruler).
#include <chrono>
#include <cstdio>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "dialogs.h"
#include "dialogs/about.h"
#include "harness.h"
#include "input.h"
#include "linova_version.h"
#include "resources/resource.h"
#include "screen.h"

namespace e2e {
namespace {

constexpr const wchar_t* kUninstallTitle = L"Linova - Uninstall";
constexpr const wchar_t* kVendorKey = L"Software\\Tamarisk";

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// ---- Icons on the screen ----

// A product icon drawn on black and on white: where the two agree it is opaque, and the screen
// shows exactly those pixels wherever the icon is drawn.
struct IconPicture {
    IconPicture(const wchar_t* name, int size)
        : onBlack(Capture::Icon(LinovaPath(), name, kBlack, size)),
          onWhite(Capture::Icon(LinovaPath(), name, kWhite, size)),
          size(size) {}
    Capture onBlack;
    Capture onWhite;
    int size;
};

// Whether the shot shows the icon with its top-left corner at (x, y).
bool ShowsIconAt(const Capture& shot, int x, int y, const IconPicture& icon) {
    int opaque = 0;
    for (int j = 0; j < icon.size; ++j) {
        for (int i = 0; i < icon.size; ++i) {
            const COLORREF c = icon.onBlack.Pixel(i, j);
            if (c != icon.onWhite.Pixel(i, j)) continue;
            if (shot.Pixel(x + i, y + j) != c) return false;
            ++opaque;
        }
    }
    return opaque >= icon.size * icon.size / 4;
}

// Whether the screen shows the icon at the rectangle's top left, waiting for the dialog to paint
// it.
bool ShowsIconIn(const RECT& r, const wchar_t* name, int size) {
    const IconPicture icon(name, size);
    return WaitUntil([&] { return ShowsIconAt(Capture::Screen(r), 0, 0, icon); });
}

// Which of the four ruler icons the start of the window's title bar shows; empty for none.
std::wstring CaptionIconName(HWND window) {
    const RECT frame = RectOf(window);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const Capture caption = Capture::Screen(RECT{frame.left, frame.top, frame.left + 40, client.y});
    std::wstring shown;
    for (const wchar_t* name : {L"Linova", L"LinovaG", L"Linova_Vert", L"LinovaG_Vert"}) {
        const IconPicture icon(name, 16);
        for (int y = 0; y + 16 <= caption.Height(); ++y) {
            for (int x = 0; x + 16 <= caption.Width(); ++x) {
                if (ShowsIconAt(caption, x, y, icon)) shown += name;
            }
        }
    }
    return shown;
}

using AboutBox = RulerTest;

TEST_F(AboutBox, NamesItsRulerAndShowsVersionBuildIconsAndStrip) {
    StoredRuler whiteVertical;
    whiteVertical.x = 100;
    whiteVertical.y = 100;
    whiteVertical.vertical = true;
    StoreRuler(3, whiteVertical);
    HWND ruler = StartInstance(3);
    ASSERT_TRUE(ruler);
    HWND box = OpenDialog(ruler, IDM_ABOUT, L"Version - Linova <3>");
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsWindowEnabled(ruler)) << "the box is not modal";

    EXPECT_EQ(ItemText(box, IDC_ABOUT_VERSION),
              L"Linova version " LINOVA_VERSION L"\n for Windows");
    EXPECT_EQ(ItemText(box, IDC_ABOUT_LINK), HomePageAddress());
    const std::wstring build = ItemText(box, IDC_ABOUT_BUILD);
    EXPECT_TRUE(std::regex_match(build, std::wregex(L"Build : (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|"
                                                    L"Sep|Oct|Nov|Dec) [ 123][0-9] [0-9]{4}, "
                                                    L"[0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
        << testing::PrintToString(build);

    // The white ground's icons: the upright one in the title bar, the big one beside the text.
    EXPECT_TRUE(WaitUntil([&] { return CaptionIconName(box) == L"LinovaG_Vert"; }))
        << testing::PrintToString(CaptionIconName(box));
    const RECT icon = RectOf(GetDlgItem(box, IDC_ABOUT_ICON));
    EXPECT_EQ(icon.right - icon.left, 48);
    EXPECT_EQ(icon.bottom - icon.top, 48);
    EXPECT_TRUE(ShowsIconIn(icon, L"LinovaG", 48));

    // Down the left edge the ruler's white, 15 pixels at 96 dots per inch, then the two-pixel
    // line in the system's colour for black frames, the whole height of the box.
    RECT client{};
    GetClientRect(box, &client);
    POINT origin{0, 0};
    ClientToScreen(box, &origin);
    const int bottom = client.bottom - 1;
    const RECT strip{origin.x, origin.y, origin.x + 18, origin.y + client.bottom};
    EXPECT_TRUE(WaitUntil([&] {
        const Capture edge = Capture::Screen(strip);
        for (int x = 0; x < 15; ++x) {
            if (!edge.ColumnIs(x, 0, bottom, kWhite)) return false;
        }
        const COLORREF line = edge.Pixel(15, 0);
        return line != kWhite && edge.ColumnIs(15, 0, bottom, line) &&
               edge.ColumnIs(16, 0, bottom, line) &&
               edge.ColumnIs(17, 0, bottom, GetSysColor(COLOR_BTNFACE));
    })) << "no white strip and black line down the left edge";

    // Escape closes it, and the ruler takes input again.
    ASSERT_TRUE(BringToFront(box));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitGone(box));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(ruler) != FALSE; }));
}

// ---- The link ----

// The default value of a key under the class root, and setting it.
std::optional<std::wstring> ClassValue(const std::wstring& key) {
    wchar_t text[1024] = L"";
    DWORD size = sizeof(text);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::wstring(text);
}

bool SetClassValue(const std::wstring& key, const std::wstring& value) {
    return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
}

// Stands in for the browser: the shell starts this test program for addresses of the scheme
// (see main.cpp), and it records each address as a line of a file. The command is registered
// under the class root as the shell reads it (Wine reads only the machine's classes); the command
// registered before comes back at the end.
class StandInBrowser {
  public:
    explicit StandInBrowser(const std::wstring& scheme)
        : commandKey_(scheme + L"\\shell\\open\\command"), before_(ClassValue(commandKey_)) {
        wchar_t temp[MAX_PATH] = L"";
        GetTempPathW(MAX_PATH, temp);
        file_ = std::wstring(temp) + L"linova_launches.txt";
        DeleteFileW(file_.c_str());
        wchar_t self[MAX_PATH] = L"";
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        ready_ = SetClassValue(commandKey_, L"\"" + std::wstring(self) + L"\" --record-launch \"" +
                                                file_ + L"\" \"%1\"");
    }
    ~StandInBrowser() {
        if (before_) SetClassValue(commandKey_, *before_);
        if (!before_) RegDeleteKeyValueW(HKEY_CLASSES_ROOT, commandKey_.c_str(), nullptr);
        DeleteFileW(file_.c_str());
    }
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;

    bool Ready() const { return ready_; }

    // The addresses it was started with, in order.
    std::vector<std::wstring> Launches() const {
        std::vector<std::wstring> lines;
        FILE* in = _wfopen(file_.c_str(), L"rb");
        if (!in) return lines;
        char line[512];
        while (std::fgets(line, sizeof(line), in)) {
            std::string text(line);
            if (!text.empty() && text.back() == '\n') text.pop_back();
            lines.emplace_back(text.begin(), text.end());
        }
        std::fclose(in);
        return lines;
    }

  private:
    std::wstring commandKey_;
    std::optional<std::wstring> before_;
    std::wstring file_;
    bool ready_ = false;
};

TEST_F(AboutBox, OnlyTheLinkTextOpensTheHomePageAndTheBoxStays) {
    const std::wstring address = HomePageAddress();
    StandInBrowser browser(address.substr(0, address.find(L':')));
    ASSERT_TRUE(browser.Ready());
    StoredRuler coloured;
    coloured.backColor = 4;
    StoreRuler(1, coloured);
    HWND ruler = StartInstance(1);
    ASSERT_TRUE(ruler);
    HWND box = OpenDialog(ruler, IDM_ABOUT, L"Version - Linova <1>");
    ASSERT_TRUE(box);

    // A coloured ground: the plain ruler icon in the title bar, and the template's own picture
    // at the size of its first image, as large as the white ground's replacement.
    EXPECT_TRUE(WaitUntil([&] { return CaptionIconName(box) == L"Linova"; }))
        << testing::PrintToString(CaptionIconName(box));
    const RECT icon = RectOf(GetDlgItem(box, IDC_ABOUT_ICON));
    EXPECT_EQ(icon.right - icon.left, 48);
    EXPECT_EQ(icon.bottom - icon.top, 48);
    EXPECT_TRUE(ShowsIconIn(icon, L"Linova", 48));

    // The link line is exactly as wide as its text: the underline in the link's blue runs
    // across all of it.
    const RECT link = RectOf(GetDlgItem(box, IDC_ABOUT_LINK));
    EXPECT_TRUE(WaitUntil([&] {
        const Capture shot = Capture::Screen(link);
        for (int y = shot.Height() / 2; y < shot.Height(); ++y) {
            if (shot.RowIs(y, 0, shot.Width() - 1, RGB(0, 0, 232))) return true;
        }
        return false;
    })) << "no underline across the whole link line";

    // The hand shows over the text and not beside it.
    ASSERT_TRUE(BringToFront(box));
    const POINT on{(link.left + link.right) / 2, (link.top + link.bottom) / 2};
    const POINT beside{link.right + 8, on.y};
    // Beside the text: the cursor the box shows once it has stayed the same for a while.
    MoveCursor(beside);
    HCURSOR plain = nullptr;
    int steady = 0;
    WaitUntil([&] {
        const HCURSOR now = ShownCursor();
        steady = now == plain ? steady + 1 : 0;
        plain = now;
        return steady >= 20;
    });
    MoveCursor(on);
    EXPECT_TRUE(WaitUntil([&] { return ShownCursor() != plain; })) << "no hand over the link";
    MoveCursor(beside);
    EXPECT_TRUE(WaitUntil([&] { return ShownCursor() == plain; })) << "the hand beside the link";

    // A click beside the text opens nothing; a click on it opens the page once, and the box
    // stays.
    ClickAt(beside, false);
    ClickAt(on, false);
    EXPECT_TRUE(WaitUntil([&] { return !browser.Launches().empty(); }, 10000)) << "no launch";
    EXPECT_FALSE(WaitUntil([&] { return browser.Launches().size() > 1; }, 1000));
    EXPECT_EQ(browser.Launches(), std::vector<std::wstring>{address});
    EXPECT_TRUE(IsWindowVisible(box));
}

// ---- The uninstall ----

// The confirmation the uninstall dialog asks: a box of the same title that it owns.
HWND WaitForQuestion(HWND dialog) {
    HWND question = nullptr;
    WaitUntil([&] {
        for (HWND w : TopWindows(L"#32770", kUninstallTitle)) {
            if (GetWindow(w, GW_OWNER) == dialog && IsWindowVisible(w)) question = w;
        }
        return question != nullptr;
    });
    return question;
}

// The text of a message box: its static control with a text.
std::wstring QuestionText(HWND box) {
    std::wstring text;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
            auto& t = *reinterpret_cast<std::wstring*>(found);
            if (ClassOf(child) == L"Static" && t.empty()) t = WindowText(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&text));
    return text;
}

// Ticks (or clears) the consent and waits until Delete... follows it.
void ClickConsent(HWND dialog, bool ticks) {
    ASSERT_TRUE(ClickItem(dialog, IDC_UNINSTALL_SETTINGS));
    ASSERT_TRUE(WaitUntil([&] { return ItemEnabled(dialog, IDC_UNINSTALL_DELETE) == ticks; }));
}

// Delete..., and Yes to the question.
void ConfirmUninstall(HWND dialog) {
    ASSERT_TRUE(ClickItem(dialog, IDC_UNINSTALL_DELETE));
    HWND question = WaitForQuestion(dialog);
    ASSERT_TRUE(question);
    ASSERT_TRUE(ClickItem(question, IDYES));
}

HANDLE ProcessHandleOf(HWND window) {
    return OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(window));
}

using Uninstall = RulerTest;

TEST_F(Uninstall, OnlyYesWithConsentDeletesEverySettingAndEndsEveryRulerUnsaved) {
    // The other two rulers stand well away from the first, beside which the dialog opens, so
    // that none of these top-most windows covers it; each has started in full, so none comes up
    // over the dialog later.
    std::vector<StoredRuler> stored(3);
    for (int n = 2; n <= 3; ++n) {
        stored[n - 1].x = 1300;
        stored[n - 1].y = 100 * (n - 1);
    }
    PutDword(kProductKey, L"Linovamax", 8);
    const std::vector<HWND> rulers = StartRulers(stored);
    ASSERT_EQ(rulers.size(), 3u);
    std::vector<HANDLE> processes;
    for (HWND ruler : rulers) {
        processes.push_back(ProcessHandleOf(ruler));
        ASSERT_TRUE(processes.back());
    }
    HWND dialog = OpenDialog(FindRuler(1), IDM_UNINSTALL, kUninstallTitle);
    ASSERT_TRUE(dialog);

    // Delete... follows the consent.
    EXPECT_TRUE(ItemEnabled(dialog, IDC_UNINSTALL_SETTINGS));
    EXPECT_FALSE(ItemEnabled(dialog, IDC_UNINSTALL_DELETE));
    ClickConsent(dialog, true);
    ClickConsent(dialog, false);

    // Return answers the question with its default, No: nothing goes, the dialog stays.
    ClickConsent(dialog, true);
    ASSERT_TRUE(ClickItem(dialog, IDC_UNINSTALL_DELETE));
    HWND question = WaitForQuestion(dialog);
    ASSERT_TRUE(question);
    EXPECT_EQ(QuestionText(question),
              L"Delete OK ?\n\nLinova information.\n\nYes ... Delete and Linova exit.\n"
              L"No ... No delete.");
    ASSERT_TRUE(BringToFront(question));
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitGone(question));
    EXPECT_TRUE(IsWindowVisible(dialog));
    for (int n = 1; n <= 3; ++n) EXPECT_TRUE(ReadDword(InstanceKey(n), L"xPosi")) << n;
    EXPECT_EQ(ReadDword(kProductKey, L"Linovamax"), 8u);
    for (HANDLE p : processes) EXPECT_EQ(WaitForSingleObject(p, 0), WAIT_TIMEOUT);

    // Yes: every key goes, the vendor's too, and every ruler ends without writing again.
    ConfirmUninstall(dialog);
    EXPECT_EQ(WaitForMultipleObjects(3, processes.data(), TRUE, 10000), WAIT_OBJECT_0);
    for (HANDLE p : processes) CloseHandle(p);
    EXPECT_FALSE(KeyExists(kVendorKey));
}

// Whether any ruler of the process shows a window.
bool HasRuler(HANDLE process) {
    for (int n = 1; n <= 9; ++n) {
        if (HWND ruler = FindRuler(n); ruler && ProcessOf(ruler) == GetProcessId(process)) {
            return true;
        }
    }
    return false;
}

// Rulers started while the user answers Yes, from half a second before to half a second after:
// those started before end with the others, those started after may start anew from nothing
// stored, and none brings back a deleted setting.
TEST_F(Uninstall, NoRulerStartedAroundTheYesSurvivesItOrBringsTheSettingsBack) {
    // When each of three rulers starts, in milliseconds from the Yes; one run per line.
    const std::vector<std::vector<int>> runs = {
        {-500, -300, -100}, {-200, -60, -10}, {-30, 10, 150}, {100, 300, 500}};
    for (const std::vector<int>& offsets : runs) {
        SCOPED_TRACE(testing::Message() << "starts at " << offsets[0] << ", " << offsets[1] << ", "
                                        << offsets[2] << " ms");
        EndAllRulers();
        ClearSettings();
        for (int n = 1; n <= 4; ++n) {
            StoredRuler r;
            r.x = 700 + n;
            r.y = 100 + 150 * n;
            StoreRuler(n, r);
        }
        PutDword(kProductKey, L"Linovamax", 9);
        HWND first = StartInstance(1);
        ASSERT_TRUE(first);
        HANDLE firstProcess = ProcessHandleOf(first);
        HWND dialog = OpenDialog(first, IDM_UNINSTALL, kUninstallTitle);
        ASSERT_TRUE(dialog);
        ClickConsent(dialog, true);
        ASSERT_TRUE(ClickItem(dialog, IDC_UNINSTALL_DELETE));
        HWND question = WaitForQuestion(dialog);
        ASSERT_TRUE(question);

        const auto yes = std::chrono::steady_clock::now() + std::chrono::milliseconds(600);
        std::vector<HANDLE> before;
        std::vector<HANDLE> after;
        bool answered = false;
        for (int offset : offsets) {
            const auto at = yes + std::chrono::milliseconds(offset);
            if (!answered && offset >= 0) {
                std::this_thread::sleep_until(yes);
                PostMessageW(question, WM_COMMAND, IDYES, 0);
                answered = true;
            }
            std::this_thread::sleep_until(at);
            (offset < 0 ? before : after).push_back(StartLinova(L""));
        }
        if (!answered) {
            std::this_thread::sleep_until(yes);
            PostMessageW(question, WM_COMMAND, IDYES, 0);
        }

        EXPECT_EQ(WaitForSingleObject(firstProcess, 15000), WAIT_OBJECT_0);
        CloseHandle(firstProcess);
        for (HANDLE p : before) EXPECT_EQ(WaitForSingleObject(p, 15000), WAIT_OBJECT_0);
        // Half a second after the Yes the deletion is long done: that ruler starts anew.
        if (offsets.back() == 500) {
            EXPECT_TRUE(WaitUntil([&] { return HasRuler(after.back()); }));
        }
        for (HANDLE p : after) {
            WaitUntil([&] { return WaitForSingleObject(p, 0) == WAIT_OBJECT_0 || HasRuler(p); });
        }
        EndAllRulers();
        for (int n = 1; n <= 9; ++n) {
            const auto x = ReadDword(InstanceKey(n), L"xPosi");
            EXPECT_TRUE(!x || *x < 701 || *x > 704) << "ruler " << n << " wrote back " << *x;
        }
        EXPECT_NE(ReadDword(kProductKey, L"Linovamax"), std::optional<DWORD>(9));
    }
}

TEST_F(Uninstall, WithNothingStoredOnlyCancelWorksAndTheRulerStillSaves) {
    HWND first = StartInstance(1);
    HWND second = StartInstance(2);
    ASSERT_TRUE(first && second);
    // The dialog opens below the first ruler across the cursor: with the cursor well right of
    // the second ruler, which stands below the first, that top-most ruler does not cover it.
    ASSERT_TRUE(MoveCursor({1000, 600}));
    HWND dialog = OpenDialog(first, IDM_UNINSTALL, kUninstallTitle);
    ASSERT_TRUE(dialog);
    EXPECT_FALSE(ItemEnabled(dialog, IDC_UNINSTALL_SETTINGS));
    EXPECT_FALSE(ItemEnabled(dialog, IDC_UNINSTALL_DELETE));
    ASSERT_TRUE(ClickItem(dialog, IDOK));
    EXPECT_TRUE(WaitGone(dialog));

    // In another ruler the command shows nothing: it only stops that ruler saving.
    EXPECT_TRUE(SendWaiting(second, WM_COMMAND, IDM_UNINSTALL));
    CloseRuler(second);
    CloseRuler(first);
    EXPECT_TRUE(ReadDword(InstanceKey(1), L"xPosi"));
    EXPECT_FALSE(KeyExists(InstanceKey(2)));
}

TEST_F(Uninstall, AnotherProductsKeyKeepsTheVendorKey) {
    StoreRuler(1, StoredRuler{});
    const std::wstring other = std::wstring(kVendorKey) + L"\\Other";
    PutDword(other, L"Kept", 7);
    HWND ruler = StartInstance(1);
    ASSERT_TRUE(ruler);
    HANDLE process = ProcessHandleOf(ruler);
    HWND dialog = OpenDialog(ruler, IDM_UNINSTALL, kUninstallTitle);
    ASSERT_TRUE(dialog);
    ClickConsent(dialog, true);
    ConfirmUninstall(dialog);
    EXPECT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    CloseHandle(process);
    EXPECT_FALSE(KeyExists(kProductKey));
    EXPECT_EQ(ReadDword(other, L"Kept"), 7u);
}

}  // namespace
}  // namespace e2e
