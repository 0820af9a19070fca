// Finding the other running rulers by their window class names.
#pragma once

#include <windows.h>

#include "app/startup.h"

// The ruler window of instance n, or null when that instance is not running.
HWND FindInstanceWindow(int instanceNumber);

// The predicate the instance search runs over.
bool IsInstanceWindowPresent(int instanceNumber);
