// What the screen shows: a rectangle of the desktop copied into memory, read pixel by pixel.
#include "screen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>

#include "harness.h"

namespace e2e {

namespace {

// A top-down 32-bit DIB section selected into a memory DC: exact colours whatever the screen's
// format, and its bits readable straight after drawing.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        const BITMAPINFO info = TopDownDib(width, height);
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<const uint32_t*>(bits);
        if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    bool Ok() const { return bits_ != nullptr; }

    std::vector<COLORREF> Pixels() const {
        GdiFlush();
        std::vector<COLORREF> pixels(static_cast<size_t>(width_) * height_);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const uint32_t bgra = bits_[i];
            pixels[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
        }
        return pixels;
    }

  private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    const uint32_t* bits_ = nullptr;
};

}  // namespace

Capture Capture::Screen(const RECT& screenRect) {
    const int width = screenRect.right - screenRect.left;
    const int height = screenRect.bottom - screenRect.top;
    if (width <= 0 || height <= 0) return {};
    Canvas canvas(width, height);
    if (!canvas.Ok()) return {};
    HDC screen = GetDC(nullptr);
    // CAPTUREBLT: the ruler is a layered window, which a plain screen copy leaves out on Windows.
    BitBlt(canvas.Dc(), 0, 0, width, height, screen, screenRect.left, screenRect.top,
           SRCCOPY | CAPTUREBLT);
    ReleaseDC(nullptr, screen);
    return Capture(width, height, canvas.Pixels());
}

Capture Capture::Icon(const std::wstring& exePath, const wchar_t* name, COLORREF ground, int size) {
    HMODULE module = LoadLibraryExW(exePath.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    Capture result;
    if (HICON icon = static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, 0))) {
        Canvas canvas(size, size);
        if (canvas.Ok()) {
            HBRUSH brush = CreateSolidBrush(ground);
            const RECT all{0, 0, size, size};
            FillRect(canvas.Dc(), &all, brush);
            DeleteObject(brush);
            DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
            result = Capture(size, size, canvas.Pixels());
        }
        DestroyIcon(icon);
    }
    FreeLibrary(module);
    return result;
}

Capture Capture::Bitmap(const std::wstring& exePath, int id) {
    HMODULE module = LoadLibraryExW(exePath.c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    Capture result;
    if (HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof(info), &info);
        Canvas canvas(info.bmWidth, info.bmHeight);
        HDC source = CreateCompatibleDC(nullptr);
        if (canvas.Ok() && source) {
            HGDIOBJ previous = SelectObject(source, bitmap);
            BitBlt(canvas.Dc(), 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            result = Capture(info.bmWidth, info.bmHeight, canvas.Pixels());
        }
        if (source) DeleteDC(source);
        DeleteObject(bitmap);
    }
    FreeLibrary(module);
    return result;
}

COLORREF Capture::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

bool Capture::ColumnIs(int x, int y0, int y1, COLORREF colour) const {
    for (int y = y0; y <= y1; ++y) {
        if (Pixel(x, y) != colour) return false;
    }
    return true;
}

bool Capture::RowIs(int y, int x0, int x1, COLORREF colour) const {
    for (int x = x0; x <= x1; ++x) {
        if (Pixel(x, y) != colour) return false;
    }
    return true;
}

std::string Capture::DifferenceFrom(const Capture& other) const {
    std::ostringstream text;
    if (width_ != other.width_ || height_ != other.height_) {
        text << width_ << " x " << height_ << " against " << other.width_ << " x " << other.height_;
        return text.str();
    }
    int count = 0;
    RECT around{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const size_t i = static_cast<size_t>(y) * width_ + x;
            if (pixels_[i] == other.pixels_[i]) continue;
            if (count++ == 0) {
                text << "first at (" << x << ", " << y << "): " << std::hex << pixels_[i]
                     << " against " << other.pixels_[i] << std::dec << "; ";
            }
            around = {std::min<LONG>(around.left, x), std::min<LONG>(around.top, y),
                      std::max<LONG>(around.right, x + 1), std::max<LONG>(around.bottom, y + 1)};
        }
    }
    text << count << " pixels differ, within (" << around.left << ", " << around.top << ") - ("
         << around.right << ", " << around.bottom << ")";
    return text.str();
}

bool Capture::SaveBmp(const std::wstring& path) const {
    if (Empty()) return false;
    const int stride = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride) * height_;
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<BYTE> rows(info.biSizeImage);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const COLORREF c = Pixel(x, y);
            BYTE* p = &rows[static_cast<size_t>(y) * stride + x * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                    std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                    std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    std::fclose(out);
    return ok;
}

BITMAPINFO TopDownDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::string ColourText(COLORREF colour) {
    if (colour == CLR_INVALID) return "outside";
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

SIZE Extent(const Capture& c, const RECT& area, COLORREF ground) {
    RECT found{area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (c.Pixel(x, y) == ground) continue;
            found = {std::min(found.left, LONG{x}), std::min(found.top, LONG{y}),
                     std::max(found.right, LONG{x + 1}), std::max(found.bottom, LONG{y + 1})};
        }
    }
    return SIZE{std::max(0L, found.right - found.left), std::max(0L, found.bottom - found.top)};
}

ScreenPicture::ScreenPicture(RECT at, Colour colour) : at_(at), colour_(std::move(colour)) {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([this] { return window_.load() != nullptr; });
}

ScreenPicture::~ScreenPicture() {
    if (HWND window = window_.load()) PostMessageW(window, WM_CLOSE, 0, 0);
    thread_.join();
}

bool ScreenPicture::Shown() const {
    const Capture shot = Capture::Screen(at_);
    const int w = at_.right - at_.left - 1;
    const int h = at_.bottom - at_.top - 1;
    return shot.Pixel(0, 0) == colour_(at_.left, at_.top) &&
           shot.Pixel(w, h) == colour_(at_.left + w, at_.top + h);
}

LRESULT CALLBACK ScreenPicture::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* self =
        reinterpret_cast<const ScreenPicture*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        self->Paint(window);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

void ScreenPicture::Paint(HWND window) const {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour_(r.left + x, r.top + y);
            pixels[static_cast<size_t>(y) * width + x] =
                (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
    const BITMAPINFO info = TopDownDib(width, height);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                      DIB_RGB_COLORS);
    EndPaint(window, &paint);
}

void ScreenPicture::Run() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"LinovaTestPicture";
    RegisterClassExW(&wc);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                  WS_POPUP, at_.left, at_.top, at_.right - at_.left,
                                  at_.bottom - at_.top, nullptr, nullptr, wc.hInstance, this);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    window_ = window;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
}

}  // namespace e2e
