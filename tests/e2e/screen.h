// What the screen shows: a rectangle of the desktop copied into memory, read pixel by pixel.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace e2e {

// What a ruler with the white ground draws in: black ink on white, the red and the blue marker.
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 64, 255);

// A still picture of part of the screen (or of something drawn for comparison). Coordinates are
// relative to the picture's top-left corner; ranges given as from, to include both ends.
class Capture {
  public:
    // Copies the screen rectangle as it is now (layered windows included).
    static Capture Screen(const RECT& screenRect);
    // The product's icon resource as the ruler draws it: `size` x `size` (32 by default),
    // DI_NORMAL, on a plain ground. Empty when the file or the icon cannot be loaded.
    static Capture Icon(const std::wstring& exePath, const wchar_t* name, COLORREF ground,
                        int size = 32);
    // A bitmap resource of the program by its number, as stored. Empty when it cannot be loaded.
    static Capture Bitmap(const std::wstring& exePath, int id);

    Capture() = default;

    bool Empty() const { return pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // The colour at (x, y); CLR_INVALID outside the picture.
    COLORREF Pixel(int x, int y) const;
    // Whether every pixel of column x from y0 to y1 (or of row y from x0 to x1) has the colour.
    bool ColumnIs(int x, int y0, int y1, COLORREF colour) const;
    bool RowIs(int y, int x0, int x1, COLORREF colour) const;

    bool operator==(const Capture& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

    // Where the two pictures differ, for a failure message: the sizes, or how many pixels differ,
    // the rectangle around them and the first one's two colours.
    std::string DifferenceFrom(const Capture& other) const;

    // Writes the picture as a 24-bit .bmp file, to look at when a test fails.
    bool SaveBmp(const std::wstring& path) const;

  private:
    Capture(int width, int height, std::vector<COLORREF> pixels)
        : width_(width), height_(height), pixels_(std::move(pixels)) {}

    int width_ = 0;
    int height_ = 0;
    std::vector<COLORREF> pixels_;  // row by row from the top
};

// The header of a 32-bit DIB of the size stored from the top row down: exact colours whatever
// the screen's format.
BITMAPINFO TopDownDib(int width, int height);

// The size of the smallest rectangle inside `area` that holds every pixel not of the ground.
SIZE Extent(const Capture& c, const RECT& area, COLORREF ground);

// A window of the test program that shows a picture at a place on the screen, beside a ruler
// and behind it: `colour` gives each screen pixel's colour. It has a thread of its own, which
// paints it whenever it is uncovered.
class ScreenPicture {
  public:
    using Colour = std::function<COLORREF(int x, int y)>;
    ScreenPicture(RECT at, Colour colour);
    ~ScreenPicture();
    ScreenPicture(const ScreenPicture&) = delete;
    ScreenPicture& operator=(const ScreenPicture&) = delete;

    const RECT& At() const { return at_; }
    bool Contains(int x, int y) const {
        return x >= at_.left && x < at_.right && y >= at_.top && y < at_.bottom;
    }
    // Whether the screen shows the picture at the window's corners.
    bool Shown() const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window) const;
    void Run();

    RECT at_;
    Colour colour_;
    std::thread thread_;
    std::atomic<HWND> window_{nullptr};
};

// "RGB(r, g, b)" for failure messages.
std::string ColourText(COLORREF colour);

}  // namespace e2e
