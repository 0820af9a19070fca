// The marker steps that find edges: the screen beside the ruler read once per step.
#include "ops/edge_snap_win.h"

#include "model/geometry_win.h"
#include "model/trace_win.h"
#include "ops/edge_snap.h"
#include "ops/operations_win.h"
#include "render/gdi_win.h"

namespace {

// Only the colour: the fourth byte a copy leaves in a 32-bit bitmap is no part of it.
constexpr uint32_t kColourBits = 0x00FFFFFF;

std::vector<uint32_t> ReadLine(HDC screen, HDC memory, const uint32_t* bits, Point first,
                               bool vertical, int32_t count) {
    BitBlt(memory, 0, 0, vertical ? 1 : count, vertical ? count : 1, screen, first.x, first.y,
           SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> line(bits, bits + count);
    for (uint32_t& pixel : line) pixel &= kColourBits;
    return line;
}

// The ruler's own windows that may lie over the lines it reads.
std::vector<Rect> OwnWindows(const Instance& app) {
    std::vector<Rect> rects;
    for (HWND window : {app.rulerTooltip, app.panelWindow, app.magnifierWindow}) {
        RECT r{};
        if (window && IsWindowVisible(window) && GetWindowRect(window, &r)) {
            rects.push_back(ToRect(r));
        }
    }
    return rects;
}

// Both lines beside the ruler as the screen shows them now. Nothing is read when the copy cannot
// be made, and then no edge is found.
EdgeRows ReadEdgeRows(const Instance& app) {
    const EdgeLines lines = EdgeLinesOf(app.state);
    EdgeRows rows;
    if (lines.count <= 0) return rows;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = lines.vertical ? 1 : lines.count;
    info.bmiHeader.biHeight = -(lines.vertical ? lines.count : 1);  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    WindowDc screen(nullptr);
    void* bits = nullptr;
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen.get() || !memory || !bitmap || !bits) {
        TraceFailure(L"reading the screen beside the ruler");
        return rows;
    }
    ScopedSelect selected(memory.get(), bitmap.get());
    for (size_t k = 0; k < 2; ++k) {
        rows.line[k] = ReadLine(screen.get(), memory.get(), static_cast<const uint32_t*>(bits),
                                lines.first[k], lines.vertical, lines.count);
    }
    MarkUnseen(rows, lines, app.monitorList, OwnWindows(app));
    return rows;
}

}  // namespace

bool SnapMarkerStep(Instance& app, const std::optional<MarkerMove>& move, int32_t step) {
    if (!move || !SnapsThisStep(app.state, step)) return false;
    ApplyRefresh(app, SnapMarker(app.state, *move, ReadEdgeRows(app)));
    return true;
}
