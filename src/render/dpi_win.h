// Dots per inch on the system's side: the process's awareness of each monitor's density, the
// density of a monitor or window, and what every dialog does alike when its density changes.
#pragma once

#include <windows.h>

#include <optional>

#include "model/dpi.h"
#include "model/geometry.h"
#include "render/gdi_win.h"

// Sent to a child window after its top-level window has taken a new density (the system's
// number, which headers for older systems lack).
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;

// Asks to be told each monitor's own density (and to draw unscaled on every monitor), where the
// system knows how; elsewhere the process is aware of the system's density only. Before any
// window is made.
void BecomeDpiAware(bool vistaOrLater);

// The screen's setting (what a process aware of the system's density only works with).
Dpi ScreenDpi();
// The monitor's own density, or `otherwise` where the system cannot tell it.
Dpi DpiOfMonitor(HMONITOR monitor, const Dpi& otherwise);
// The density a window is drawn at, or `otherwise` where the system cannot tell it.
Dpi DpiOfWindow(HWND window, const Dpi& otherwise);

// A density change (WM_DPICHANGED): the new density, or `otherwise` when it is unbelievable, and
// the rectangle the system suggests for the window at it.
Dpi DpiOfChange(WPARAM wParam, const Dpi& otherwise);
std::optional<Rect> SuggestedRect(LPARAM lParam);

// The font a dialog's template gave it, as it was made, from which the fonts the dialog makes
// itself are made again at any density.
class DialogFont {
  public:
    // Reads the dialog's font, made for `madeAt`; nothing when it cannot be read.
    void Read(HWND dialog, const Dpi& madeAt);
    bool Known() const { return known_; }
    // Its description at `at`: the height carried over to that density.
    LOGFONTW At(const Dpi& at) const;
    // The dialog's font made bold or italic at `at` (never underlined); nothing when unknown.
    GdiObject<HFONT> Bold(const Dpi& at) const;
    GdiObject<HFONT> Italic(const Dpi& at) const;

  private:
    LOGFONTW font_{};
    float madeAtY_ = kStandardDpi;
    bool known_ = false;
};

// What a dialog holds to follow its window from one density to another: the density it is laid
// out for and its template's font.
struct DialogDpi {
    Dpi dpi;
    DialogFont font;

    // At WM_INITDIALOG: the window's own density (the ruler's where the system cannot tell it),
    // and the font its template was made with at that density.
    void Start(HWND dialog, const Dpi& ruler);
    // At WM_DPICHANGED: the new density, and the window takes the rectangle the system suggests.
    // Each dialog then lays itself out again for `dpi` with the function its WM_INITDIALOG uses.
    void Follow(HWND dialog, WPARAM wParam, LPARAM lParam);
};

// The side of a window's caption icon: as large as 16 pixels are at the density.
int CaptionIconSize(const Dpi& dpi);

// The system's tooltip font at the density.
GdiObject<HFONT> TooltipFontAt(const Dpi& dpi);

// A font made from a description (nothing when it cannot be made).
GdiObject<HFONT> MakeFont(const LOGFONTW& font);

// A control the dialog lays out, or gives a font of its own, itself: the system, which moves and
// re-fonts a dialog's controls when its density changes, leaves it alone. Where the system does
// neither, this does nothing.
void KeepOwnLayout(HWND control);
void KeepOwnFont(HWND control);
