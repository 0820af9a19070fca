// Drives the real linova.exe from a test program running beside it: starts and ends rulers,
// finds their windows and reads and writes the stored settings.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace e2e {

inline const wchar_t* kProductKey = L"Software\\Tamarisk\\Linova";

// A file built next to the test program, and linova.exe there.
std::wstring BesideTests(const wchar_t* file);
std::wstring LinovaPath();

// Starts linova.exe with the given command-line text; the process is ended by EndAllRulers.
HANDLE StartLinova(const std::wstring& arguments);

// Starts linova.exe as instance n, from what is stored for it, and waits until its window shows
// with the title, or with any readout when no title is given; null when no window came up.
HWND StartInstance(int instanceNumber, const std::wstring& title = std::wstring());

// CreateProcessW, tried a second time when the first start fails: under a loaded Wine a start
// can fail for the machine's reasons (an internal error, 1359) that a moment later are gone. A
// second failure is reported as the environment's, with its error code.
bool StartProcess(std::wstring commandLine, DWORD flags, PROCESS_INFORMATION& info);

// Polls until the condition holds or the time is up; returns the last result.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

// The ruler window of instance n, waiting for it to appear.
HWND WaitForRuler(int instanceNumber, int timeoutMs = 5000);
HWND FindRuler(int instanceNumber);

// Whether the window handles a message within the time: a ruler does once it runs its message
// loop, a hung one does not.
bool Answers(HWND window, UINT timeoutMs = 5000);

// Sends a message and waits at most two seconds for the answer; nothing when there is none. A
// plain SendMessageW to another process would wait for ever on a thread that does not answer.
std::optional<LRESULT> SendWaiting(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// Memory given or freed in another process (VirtualAllocEx, VirtualFreeEx). Under Wine a thread
// of that process carries each out (a system APC) while the caller waits without a time limit, and
// a ruler's thread asleep in its message loop can miss the wake-up: caller and ruler then sleep for
// ever. Each runs on a thread of its own here; while it has not returned, WM_NULL is posted to
// `wake`, a window of that process's thread, whose next wait runs the call. Null when the call
// failed, or did not return within 20 s (a failure). Before the first call into a process, the
// process itself starts a thread that waits for the calls (see harness.cpp); memory freed stays
// given, for the next AllocateIn of that size there.
void* AllocateIn(HANDLE process, HWND wake, size_t bytes, DWORD protection);
void FreeIn(HANDLE process, HWND wake, void* memory);

// Runs a call in the process of `wake`, on the thread there that waits for the tests' calls: the
// block, at that address in the other process, holds { function, four arguments, result } of
// 64-bit words, and the call stores what the function returned. False when it did not return
// within 5 s (a failure).
bool CallIn(HWND wake, uint64_t block);

// The base of a module in another process, 0 when it has none of that name.
uint64_t ModuleBaseIn(HANDLE process, const wchar_t* name);

// Closes every ruler window as a user would and waits for each process to end; kills what is
// left after a grace period.
void EndAllRulers();

// Closes one ruler window and waits for its process to end.
void CloseRuler(HWND ruler);

// The top-level windows whose class name starts with the prefix and, when a title is given, whose
// title is that title; hidden ones too. FindWindowW finds only one of several alike.
std::vector<HWND> TopWindows(const std::wstring& classPrefix, const wchar_t* title = nullptr);

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// The window's rectangle on the screen.
RECT RectOf(HWND window);
DWORD ProcessOf(HWND window);

// Each waits until the window shows what is expected.
testing::AssertionResult ShowsAt(HWND window, LONG left, LONG top, LONG width, LONG height);
testing::AssertionResult ShowsAt(HWND window, const RECT& expected);
testing::AssertionResult TitleIs(HWND window, const std::wstring& expected);

// Whether the window's rectangle is the expected one now, without waiting: for conditions that
// are waited on in their own way.
bool IsAtNow(HWND window, const RECT& expected);
// "(left, top)-(right, bottom)" for failure messages.
std::string RectText(const RECT& r);

// The monitors' rectangles in the order the system enumerates them.
std::vector<RECT> Monitors();

// Settings under HKCU\Software\Tamarisk.
void ClearSettings();
std::wstring InstanceKey(int instanceNumber);
void PutDword(const std::wstring& key, const wchar_t* name, DWORD value);
void PutText(const std::wstring& key, const wchar_t* name, const std::wstring& text);
std::optional<DWORD> ReadDword(const std::wstring& key, const wchar_t* name);
std::optional<std::wstring> ReadText(const std::wstring& key, const wchar_t* name);
std::vector<std::wstring> ValueNames(const std::wstring& key);
// The stored size in bytes of a value of any type.
std::optional<DWORD> ValueBytes(const std::wstring& key, const wchar_t* name);

// What is stored for a ruler before it starts. By default a horizontal ruler of 300 pixels at
// (400, 300) read in pixels, the red marker at 100 and the blue one at 130, opaque so that the
// screen shows exactly what was drawn, with the spare flag set.
struct StoredRuler {
    int x = 400;
    int y = 300;
    int length = 300;
    int scaling = 378;
    int marker = 100;
    int markerBlue = 130;
    int backColor = 0;  // white with black ink
    int fontStyle = 1;  // bold
    int layerWindow = 255;
    int magnifier = 4;
    int magType = 0;
    int unit = 0;  // 0 Pixel, 1 cm, 2 inch
    bool topMost = true;
    bool vertical = false;
    bool reverse = false;
    bool fullScale = false;
    bool narrow = false;
    bool noKeys = false;
    bool noMouse = false;
    bool scalingAuto = false;
    int wheelMode = 1;
    bool snapEdges = false;  // stored only when on, as a ruler that never used it stores nothing
};

void StoreRuler(int instanceNumber, const StoredRuler& ruler);

// Every test starts and ends with no ruler running and nothing stored.
class RulerTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// Whether the tests run on the two-monitor desktop with the second monitor (-1280, 0)-(0, 800)
// to the left of the primary one (0, 0)-(1280, 800).
bool TwoMonitorsLeft();

// The tests of the two-monitor desktop: skipped on any other, and otherwise like every ruler test.
class TwoMonitors : public RulerTest {
  protected:
    void SetUp() override;
};

}  // namespace e2e
