// What the dialog benchmark tells the baseline dialog program about a dialog to copy: its
// caption, styles, place and client size, whether it is modal, the page it holds (a dialog of its
// own inside, as Setup's pages are), and for each control its class, text, styles and place,
// whether it lies on the page, the buttons of a toolbar and the columns and rows of a list view;
// and what its owner, the ruler, is like. Sent in one WM_COPYDATA; the baseline then shows an owner
// of the same kind and makes a dialog with the same controls from a plain template, owned by it.
#pragma once

#include <windows.h>

namespace dialog_spec {

constexpr wchar_t kBaselineClass[] = L"Linova bench baseline dialog";
constexpr ULONG_PTR kCopyTag = 0x4C424453;  // what the WM_COPYDATA carries
constexpr WPARAM kOpen = 1;                 // WM_COMMAND to the baseline's window: open the copy
// The same, and the copy also takes a 16 x 16 caption icon, loaded from linova.exe and set with
// WM_SETICON as the ruler's dialogs set theirs: what the icon alone costs an opening.
constexpr WPARAM kOpenWithIcon = 2;
constexpr int kMostControls = 96;

struct Control {
    wchar_t className[64];
    wchar_t text[64];
    DWORD style;
    DWORD exStyle;
    RECT rect;    // in the client area of the dialog, or of the page it lies on; pixels
    bool onPage;  // a child of the page rather than of the dialog
    int toolbarButtons;
    int listColumns;
    int listRows;
};

// The window that owns the dialog: its styles, size and opacity; where the baseline shows its
// own, away from the ruler and the dialog.
struct Owner {
    DWORD style;
    DWORD exStyle;
    RECT rect;  // on the screen
    BYTE alpha;
};

// A dialog made from a template of its own inside the dialog.
struct Page {
    bool present;
    DWORD style;
    DWORD exStyle;
    RECT rect;  // in the dialog's client area, pixels
};

struct Dialog {
    wchar_t title[64];
    DWORD style;
    DWORD exStyle;
    POINT at;     // the window's top left corner on the screen
    SIZE client;  // pixels
    bool modal;   // its owner is disabled while it is open, and it runs its own message loop
    Owner owner;
    Page page;
    int count;
    Control controls[kMostControls];
};

}  // namespace dialog_spec
