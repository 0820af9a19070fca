// What the ruler's drawing owns goes exactly when it is replaced or when the window ends: the
// background brushes, the pattern bitmaps, the back buffer, and whatever a drawing selects.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "model/ruler_state.h"
#include "program_resources.h"
#include "render/backgrounds_win.h"
#include "render/gdi_win.h"
#include "render/ruler_paint_win.h"

namespace {

// The program's own resources, loaded as data, and a window of a class of its own whose
// background brush the ruler's code installs.
class RulerWindow {
  public:
    RulerWindow() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"LinovaShellTest";
        RegisterClassExW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 301, 50, nullptr,
                                  nullptr, wc.hInstance, nullptr);
    }
    ~RulerWindow() {
        DestroyWindow(window_);
        UnregisterClassW(L"LinovaShellTest", GetModuleHandleW(nullptr));
    }
    HINSTANCE module() const { return resources_.get(); }
    HWND window() const { return window_; }
    HGDIOBJ ClassBrush() const {
        return reinterpret_cast<HGDIOBJ>(GetClassLongPtrW(window_, GCLP_HBRBACKGROUND));
    }

  private:
    ProgramResources resources_;
    HWND window_ = nullptr;
};

bool Alive(HGDIOBJ object) {
    return GetObjectType(object) != 0;
}

TEST(DrawingObjects, ASelectionPutsBackWhatItReplacedSoItsObjectCanGo) {
    const WindowDc screen(nullptr);
    const MemoryDc dc(CreateCompatibleDC(screen.get()));
    ASSERT_TRUE(dc);
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_PEN);
    HGDIOBJ red = nullptr;
    {
        const GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, RGB(255, 0, 0)));
        red = pen.get();
        const ScopedSelect selected(dc.get(), pen.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), red);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), before);
    EXPECT_FALSE(Alive(red));
}

TEST(DrawingObjects, APatternStaysUntilTheNextPatternAndEachBrushGoesOnceReplaced) {
    const RulerWindow ruler;
    ASSERT_TRUE(ruler.module() && ruler.window());
    RulerBackground background;
    ApplyBackColor(ruler.window(), ruler.module(), 15, background);
    const HGDIOBJ pattern15 = background.pattern.get();
    const HGDIOBJ brush15 = background.brush.get();
    ASSERT_TRUE(Alive(pattern15));
    EXPECT_EQ(ruler.ClassBrush(), brush15);

    // A solid colour: the class takes its brush, the pattern's brush goes, the bitmap stays.
    ApplyBackColor(ruler.window(), ruler.module(), 3, background);
    EXPECT_FALSE(Alive(brush15));
    EXPECT_EQ(ruler.ClassBrush(), background.brush.get());
    EXPECT_EQ(background.pattern.get(), pattern15);
    EXPECT_TRUE(Alive(pattern15));

    // The next pattern replaces the bitmap; a dark recoloured one brings its pale ink.
    ApplyBackColor(ruler.window(), ruler.module(), 19, background);
    EXPECT_FALSE(Alive(pattern15));
    EXPECT_TRUE(Alive(background.pattern.get()));
    EXPECT_EQ(ruler.ClassBrush(), background.brush.get());
    EXPECT_EQ(background.ink, RGB(223, 223, 223));

    const HGDIOBJ brush19 = background.brush.get();
    const HGDIOBJ pattern19 = background.pattern.get();
    ReleaseBackground(ruler.window(), background);
    EXPECT_EQ(ruler.ClassBrush(), nullptr);
    EXPECT_FALSE(Alive(brush19));
    EXPECT_FALSE(Alive(pattern19));
}

TEST(DrawingObjects, TheBackBufferIsMadeAnewForAnotherBodyAndGoesWithTheWindow) {
    const RulerWindow ruler;
    ASSERT_TRUE(ruler.module() && ruler.window());
    RulerState s;
    s.Scaling = 378;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.BackColor = 13;
    RulerPicture picture;
    ApplyBackColor(ruler.window(), ruler.module(), s.BackColor, picture.background);
    RenderScale(ruler.window(), s, ruler.module(), picture);
    const HGDIOBJ wideDc = picture.buffers[0].dc.get();
    const HGDIOBJ wideBitmap = picture.buffers[0].bitmap.get();
    ASSERT_TRUE(Alive(wideDc) && Alive(wideBitmap));
    EXPECT_EQ(GetCurrentObject(picture.buffers[0].dc.get(), OBJ_BITMAP), wideBitmap);

    s.NarrowScale = 1;
    RenderScale(ruler.window(), s, ruler.module(), picture);
    EXPECT_FALSE(Alive(wideDc));
    EXPECT_FALSE(Alive(wideBitmap));
    EXPECT_EQ(picture.buffers[0].thickness, 22);
    EXPECT_EQ(picture.renders, 2u);

    const HGDIOBJ held[] = {picture.buffers[0].dc.get(), picture.buffers[0].bitmap.get(),
                            picture.background.brush.get(), picture.background.pattern.get()};
    ReleasePicture(ruler.window(), picture);
    for (HGDIOBJ object : held) EXPECT_FALSE(Alive(object)) << object;
    EXPECT_EQ(ruler.ClassBrush(), nullptr);
}

TEST(DrawingObjects, EachDirectionIsDrawnOnceAndATurnBackShowsTheKeptBuffer) {
    const RulerWindow ruler;
    ASSERT_TRUE(ruler.module() && ruler.window());
    RulerState s;
    s.Scaling = 378;
    s.MonitorRect = {0, 0, 1920, 1080};
    s.ScaleLength = 300;
    RulerPicture picture;
    ApplyBackColor(ruler.window(), ruler.module(), s.BackColor, picture.background);
    RenderScale(ruler.window(), s, ruler.module(), picture);
    const HGDIOBJ wide = picture.buffers[0].bitmap.get();
    const BackBuffer& h = picture.buffers[0];
    const std::vector<uint32_t> wideBits(h.bits, h.bits + size_t(h.Width()) * h.Height());
    for (int turn = 0; turn < 4; ++turn) {
        s.Vertical ^= 1;
        RenderScale(ruler.window(), s, ruler.module(), picture);
    }
    EXPECT_EQ(picture.renders, 2u);
    EXPECT_EQ(picture.buffers[0].bitmap.get(), wide);
    EXPECT_EQ(picture.buffers[1].length, 1081);
    EXPECT_TRUE(std::equal(wideBits.begin(), wideBits.end(), picture.buffers[0].bits));

    // Another unit is drawn in the direction shown, and in the other one at the next turn only.
    s.Unit = kUnitInch;
    RenderScale(ruler.window(), s, ruler.module(), picture);
    EXPECT_EQ(picture.renders, 3u);
    s.Vertical = 1;
    RenderScale(ruler.window(), s, ruler.module(), picture);
    s.Vertical = 0;
    RenderScale(ruler.window(), s, ruler.module(), picture);
    EXPECT_EQ(picture.renders, 4u);
    // New system colours: both directions are drawn again.
    ForgetDrawnScales(picture);
    RenderScale(ruler.window(), s, ruler.module(), picture);
    s.Vertical = 1;
    RenderScale(ruler.window(), s, ruler.module(), picture);
    EXPECT_EQ(picture.renders, 6u);
    ReleasePicture(ruler.window(), picture);
}

}  // namespace
