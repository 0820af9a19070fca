// Input as a user gives it, sent through the system's input queue (SendInput) or through the X
// server (xdotool), and the ruler's tooltip text read from its process.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"

namespace e2e {

// ---- Keyboard: the key goes to the foreground window's focus ----

// Makes the window the foreground window and waits until it (or, in a dialog, one of its
// controls) has the keyboard focus.
bool BringToFront(HWND window);

// One press and release of the virtual key; with Shift held around it.
void PressKey(WORD virtualKey);
void PressShifted(WORD virtualKey);
void PressWithControl(WORD virtualKey);

// ---- Runs of key presses ----

// What is held around a key press: nothing, Shift or Control.
enum Held { kAlone, kShifted, kWithControl };

// One key press of a run and where the ruler then stands, with the title when one is given. A row
// with no place expects nothing: a press at a bound, or one whose effect a later row shows.
struct KeyStep {
    KeyStep(WORD key, Held held) : key(key), held(held) {}
    KeyStep(WORD key, Held held, LONG left, LONG top, LONG width, LONG height,
            std::wstring title = std::wstring())
        : key(key),
          held(held),
          expects(true),
          left(left),
          top(top),
          width(width),
          height(height),
          title(std::move(title)) {}

    WORD key;
    Held held;
    bool expects = false;
    LONG left = 0;
    LONG top = 0;
    LONG width = 0;
    LONG height = 0;
    std::wstring title;
};

// Presses the keys of the run in order and, after each row that expects a place, waits until the
// ruler shows there (and shows the title); a failure names the row and its keys.
void PressRun(HWND ruler, const std::vector<KeyStep>& run);

// ---- Mouse, in screen coordinates ----

// Where the cursor rests when a test does not point at a ruler, so that no tooltip opens: the
// bottom right of the one 1920 x 1080 monitor.
constexpr POINT kAway{1900, 1060};

// Moves the cursor there and waits until it is there.
bool MoveCursor(POINT to);
// Moves the cursor there and waits until it stays there: no late echo of an earlier position
// from a busy window can move it back before a button is pressed.
void SettleCursor(POINT at);
// The cursor the screen shows now (that of the foreground window's thread).
HCURSOR ShownCursor();
void LeftDown();
void LeftUp();
void RightDown();
void RightUp();
// A click of the left or right button at the screen point. A click that would make a double
// click with the one before (same button, same place, within the double-click time) waits
// until it cannot: the windows here answer only single clicks.
void ClickAt(POINT at, bool right);
// A left click at the screen point with Shift held around it.
void ShiftClickAt(POINT at);
// A click at the screen point once the cursor rests there and the window (or another part of its
// top-level window) is under it, not a tooltip left over from where the cursor was nor a window
// that came up over it; false, with a failure, when it is not within five seconds.
bool ClickOn(HWND window, POINT at, bool right = false);

// Which way a dragged window follows the cursor (kNot: the window is not expected to move or to
// capture the mouse).
enum class Follows { kBoth, kVerticallyOnly, kHorizontallyOnly, kNot };

// Left button down at from on the window, then the cursor taken to "to" in steps. Each step waits
// until the window has captured the mouse and followed the cursor: under Wine a moved cursor is
// echoed back by the X server to the window under it, and an echo from a place the window has
// left would pull it back. The caller releases the button (LeftUp) after checking where the
// window is.
void LeftDragTo(HWND window, POINT from, POINT to, int steps, Follows follows = Follows::kBoth);
// Two clicks at the point, quick enough to count as a double click.
void DoubleClick(POINT at);
// Wheel notches of WHEEL_DELTA: positive turns the wheel toward the user, negative away.
void WheelTowardUser(int notches);
// One wheel message carrying the given delta (toward the user when negative); with Shift held.
void WheelDelta(int delta);
void WheelDeltaShifted(int delta);

// ---- The X side ----

// Whether xdotool can be started from here.
bool XdotoolAvailable();
// A left drag through the X server, in Windows coordinates: pressed at from on the window (the
// moves start once it has captured the mouse), taken to "to" in steps. Returns when the pointer
// is there; the X server keeps the order of its events, so no step has to wait for the window.
bool XLeftDragTo(HWND window, POINT from, POINT to, int steps);
// Releases the button through the X server and leaves the pointer at rest; returns when the
// pointer is at rest with the button up.
bool XLeftUp(POINT rest);

// ---- Rulers set up for input ----

// Starts the rulers as instances 1, 2, ... from one command line and waits until each stands
// where it was stored and shows its readout.
std::vector<HWND> StartRulers(const std::vector<StoredRuler>& rulers);
// One ruler as instance 1; whatever ran before is ended and all settings removed first.
HWND StartRuler(const StoredRuler& ruler);
// The same, and then the ruler brought to the front for keys; null when either fails.
HWND StartInFront(const StoredRuler& ruler);

// The text a tooltip control holds (or asks its tool's window for) for the tool of the window
// with the id; empty when it has no such tool.
std::wstring ToolText(HWND tooltip, HWND toolWindow, UINT_PTR id);

// The ruler's tooltip window; null when it has none.
HWND TooltipOf(HWND ruler);

// Waits until the ruler's tooltip holds the text.
testing::AssertionResult TooltipIs(HWND ruler, const std::wstring& expected);

}  // namespace e2e
