// Finding the other running rulers by their window class names, talking to them without waiting
// on one that hangs, and choosing this ruler's number without racing rulers that start with it.
#pragma once

#include <windows.h>

#include <string>

#include "app/startup.h"

// The ruler window of instance n, or null when that instance is not running.
HWND FindInstanceWindow(int instanceNumber);

// The predicate the instance search runs over.
bool IsInstanceWindowPresent(int instanceNumber);

// How many rulers run from number 1 upward without a gap.
int RunningInstances(int instanceMax);

// Starts another ruler process from this program's file, with the instance number it is to
// take as its parameters (empty: the first free number). A failure is silent.
void StartRuler(const std::wstring& parameters);

// Sends a message to another instance's ruler and waits for it a short while only: a ruler that
// hangs (or is stopped) must not hang this one. True when the other ruler handled the message.
bool SendToInstance(HWND other, UINT message, WPARAM wParam);

// Rulers started at the same moment choose their numbers one after another. Each holds this
// lock of the user's session from the search for a free number until its ruler window exists,
// the window being what the next ruler's search finds.
class InstanceChoiceLock {
  public:
    // Waits for the rulers that are choosing now, at most kInstanceChoiceWaitMs.
    InstanceChoiceLock();
    ~InstanceChoiceLock();
    InstanceChoiceLock(const InstanceChoiceLock&) = delete;
    InstanceChoiceLock& operator=(const InstanceChoiceLock&) = delete;

    // Lets the next ruler choose: once this ruler's window exists, or when it refuses to start.
    void Release();

  private:
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};

// The moment the stored settings were deleted, kept for the rulers that were starting then: a
// ruler whose process was made before it ends as it starts, without its window and without saving
// (it would otherwise show, and later write back, what the user had deleted). Made under the
// choice lock, so a starting ruler has either chosen its number before it (its window exists and
// All Exit closes it unsaved) or reads it after.
class UninstallMark {
  public:
    UninstallMark();
    ~UninstallMark();
    UninstallMark(const UninstallMark&) = delete;
    UninstallMark& operator=(const UninstallMark&) = delete;

    // Keeps the mark until every other ruler process made before it has ended, at most
    // kInstanceChoiceWaitMs: the processes that had not yet reached the choice lock read it then.
    void WaitForEarlierRulers() const;

  private:
    HANDLE mapping_ = nullptr;
    uint64_t moment_ = 0;  // FILETIME units
};

// Whether the settings were deleted after this process was made (read under the choice lock).
bool StartedBeforeUninstall();
