// Owners of the system's drawing and menu handles: each frees what it holds on every path, and a
// scoped selection puts back the object it replaced. Shared cursors (LR_SHARED) have no owner:
// the system keeps them, and they are never destroyed.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

struct GdiObjectFree {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct MemoryDcFree {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct IconFree {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct MenuFree {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

// A handle with its one owner, which frees it with `Free`.
template <typename Handle, typename Free>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Free>;

// A pen, brush, font or bitmap (DeleteObject). A stock object needs no owner.
template <typename Handle>
using GdiObject = Owned<Handle, GdiObjectFree>;

// A memory device context (CreateCompatibleDC, DeleteDC).
using MemoryDc = Owned<HDC, MemoryDcFree>;

// An icon loaded without LR_SHARED (DestroyIcon).
using OwnedIcon = Owned<HICON, IconFree>;

// A loaded or created menu with its submenus (DestroyMenu).
using OwnedMenu = Owned<HMENU, MenuFree>;

// Selects an object into a device context; the object it replaced goes back in when this goes,
// so the object can then be deleted and the context freed.
class ScopedSelect {
  public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelect() {
        if (previous_) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context (GetDC, ReleaseDC); a null window is the screen.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// The device context of a WM_PAINT (BeginPaint, EndPaint).
class PaintDc {
  public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};
