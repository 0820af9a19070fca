// Finding the other running rulers by their window class names.
#include "app/instances_win.h"

HWND FindInstanceWindow(int instanceNumber) {
    return FindWindowW(InstanceClassName(instanceNumber).c_str(), nullptr);
}

bool IsInstanceWindowPresent(int instanceNumber) {
    return FindInstanceWindow(instanceNumber) != nullptr;
}
