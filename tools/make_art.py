#!/usr/bin/env python3
"""Draws Linova's icons, cursors and bitmaps and writes them as Windows resource files.

Every picture is drawn here, pixel by pixel, and written as .ico / .cur /
.bmp files into src/resources/art/, where linova.rc picks them up.  Only
the Python standard library is used and the output is the same, byte for
byte, on every run.

    python3 tools/make_art.py                  # (re)write src/resources/art/
    python3 tools/make_art.py --check          # fail if the files on disk differ
    python3 tools/make_art.py --preview DIR    # also write enlarged PNG previews

To add a picture, write a function that returns a Canvas (see
ruler_icon_image, pointer_cursor_image and reverse_image) and list it in
build_art() or TOOL_BITMAPS.
"""

import argparse
import math
import os
import struct
import sys
import zlib

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ART_DIR = os.path.join(REPO, "src", "resources", "art")

CLEAR = (0, 0, 0, 0)


def rgb(value, alpha=255):
    """0xRRGGBB -> (r, g, b, a)."""
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF, alpha)


BLACK = rgb(0x000000)
WHITE = rgb(0xFFFFFF)


# --------------------------------------------------------------------------
# Canvas
# --------------------------------------------------------------------------

class Canvas:
    """A picture of RGBA pixels; (0, 0) is the top-left corner.

    `scale` lets one drawing be painted on a finer grid (for the large icon,
    which is drawn four times oversize and then averaged down): the drawing
    functions take coordinates in picture units and multiply them by it.
    """

    def __init__(self, width, height, scale=1):
        self.width = width * scale
        self.height = height * scale
        self.scale = scale
        self.pixels = [CLEAR] * (self.width * self.height)

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = color

    def fill(self, x0, y0, x1, y1, color, radius=0, clip=None):
        """Fills the half-open box [x0, x1) x [y0, y1), in picture units.

        With a radius the corners are rounded (tested at pixel centres).
        `clip(x, y)` may restrict painting to pixels (in canvas pixels)
        for which it returns true.
        """
        s = self.scale
        px0, py0, px1, py1 = x0 * s, y0 * s, x1 * s, y1 * s
        r = radius * s
        for py in range(max(py0, 0), min(py1, self.height)):
            for px in range(max(px0, 0), min(px1, self.width)):
                if r and not _inside_rounded(px + 0.5, py + 0.5,
                                             px0, py0, px1, py1, r):
                    continue
                if clip is not None and not clip(px, py):
                    continue
                self.pixels[py * self.width + px] = color

    def transposed(self):
        """Mirrors the picture along its main diagonal: (x, y) -> (y, x).

        A horizontal ruler becomes a vertical one with its ticks on the left
        edge, and the light still falls from the top left.
        """
        out = Canvas(self.height, self.width)
        out.scale = self.scale
        for y in range(self.height):
            for x in range(self.width):
                out.pixels[x * out.width + y] = self.pixels[y * self.width + x]
        return out

    def downsampled(self):
        """Averages each scale x scale block into one pixel (alpha-weighted)."""
        s = self.scale
        w, h = self.width // s, self.height // s
        out = Canvas(w, h)
        n = s * s
        for y in range(h):
            for x in range(w):
                tr = tg = tb = ta = 0
                for sy in range(y * s, y * s + s):
                    row = sy * self.width
                    for sx in range(x * s, x * s + s):
                        r, g, b, a = self.pixels[row + sx]
                        tr += r * a
                        tg += g * a
                        tb += b * a
                        ta += a
                if ta:
                    out.pixels[y * w + x] = (
                        (tr + ta // 2) // ta, (tg + ta // 2) // ta,
                        (tb + ta // 2) // ta, (ta + n // 2) // n)
        return out

    def outline(self, color, neighbours=8):
        """Paints `color` on every clear pixel that touches a painted one."""
        if neighbours == 8:
            steps = [(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1)
                     if dx or dy]
        else:
            steps = [(-1, 0), (1, 0), (0, -1), (0, 1)]
        edge = []
        for y in range(self.height):
            for x in range(self.width):
                if self.get(x, y)[3]:
                    continue
                for dx, dy in steps:
                    nx, ny = x + dx, y + dy
                    if (0 <= nx < self.width and 0 <= ny < self.height
                            and self.get(nx, ny)[3]):
                        edge.append((x, y))
                        break
        for x, y in edge:
            self.put(x, y, color)

    def colors(self):
        """The distinct colours of the opaque pixels, in a fixed order."""
        return sorted({p for p in self.pixels if p[3]})


def _inside_rounded(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def drop_shadow(canvas, dx, dy, blur, strength):
    """Puts a soft shadow of the picture's silhouette under it."""
    w, h = canvas.width, canvas.height
    alpha = [0.0] * (w * h)
    for y in range(h):
        for x in range(w):
            sx, sy = x - dx, y - dy
            if 0 <= sx < w and 0 <= sy < h:
                alpha[y * w + x] = canvas.pixels[sy * w + sx][3] / 255.0
    alpha = _box_blur(_box_blur(alpha, w, h, blur), w, h, blur)
    out = Canvas(w, h)
    for i, (r, g, b, a) in enumerate(canvas.pixels):
        sa = alpha[i] * strength
        fa = a / 255.0
        oa = fa + sa * (1.0 - fa)
        if oa <= 0.0:
            continue
        # Shadow is black, so only the foreground contributes colour.
        k = fa / oa
        out.pixels[i] = (int(r * k + 0.5), int(g * k + 0.5),
                         int(b * k + 0.5), int(oa * 255.0 + 0.5))
    return out


def _box_blur(values, w, h, radius):
    span = 2 * radius + 1
    tmp = [0.0] * (w * h)
    for y in range(h):
        for x in range(w):
            t = 0.0
            for k in range(x - radius, x + radius + 1):
                if 0 <= k < w:
                    t += values[y * w + k]
            tmp[y * w + x] = t / span
    out = [0.0] * (w * h)
    for y in range(h):
        for x in range(w):
            t = 0.0
            for k in range(y - radius, y + radius + 1):
                if 0 <= k < h:
                    t += tmp[k * w + x]
            out[y * w + x] = t / span
    return out


# --------------------------------------------------------------------------
# The ruler icon
# --------------------------------------------------------------------------

# Colours of the ruler body.  "cream" is the normal ruler; "face" is the
# ruler drawn in the light grey system face colour.
THEMES = {
    "cream": dict(outline=rgb(0x3B3223), body=rgb(0xFFF0A8),
                  light=rgb(0xFFFBE2), shade=rgb(0xDDBE68),
                  tick=rgb(0x3B3223)),
    "face": dict(outline=rgb(0x333333), body=rgb(0xE2E2E2),
                 light=rgb(0xFFFFFF), shade=rgb(0xA6A6A6),
                 tick=rgb(0x333333)),
}

# Layout of the horizontal ruler for each icon size, in pixels.
#   box        left, top, right, bottom of the outline (right/bottom open)
#   line       outline width          radius   corner rounding
#   bevel      light band (top, left) and shaded band (bottom, right)
#   ticks      least room left free at either end of the row of ticks,
#              distance between ticks, tick width, long and short lengths
#              measured from the top edge
#   ss         oversampling factor (1 = exact pixels)
#   shadow     (dx, dy, blur, strength) of a soft drop shadow, or None
RULER_LAYOUTS = {
    16: dict(box=(0, 4, 16, 12), line=1, radius=0, bevel=(1, 1),
             ticks=(1, 2, 1, 3, 2), ss=1, shadow=None),
    32: dict(box=(0, 9, 32, 23), line=1, radius=0, bevel=(1, 1),
             ticks=(1, 3, 1, 6, 3), ss=1, shadow=None),
    48: dict(box=(1, 14, 47, 34), line=1, radius=0, bevel=(1, 2),
             ticks=(3, 4, 1, 9, 5), ss=1, shadow=None),
    256: dict(box=(8, 70, 244, 182), line=6, radius=12, bevel=(6, 10),
              ticks=(16, 17, 5, 52, 28), ss=4, shadow=(5, 7, 5, 0.45)),
}


def ruler_icon_image(size, theme, vertical=False):
    lay = RULER_LAYOUTS[size]
    col = THEMES[theme]
    c = Canvas(size, size, lay["ss"])
    left, top, right, bottom = lay["box"]
    line, radius = lay["line"], lay["radius"]
    light, shade = lay["bevel"]

    c.fill(left, top, right, bottom, col["outline"], radius)
    il, it, ir, ib = left + line, top + line, right - line, bottom - line
    inner_r = max(radius - line, 0)
    c.fill(il, it, ir, ib, col["body"], inner_r)

    s = c.scale

    def in_body(px, py):
        return _inside_rounded(px + 0.5, py + 0.5, il * s, it * s,
                               ir * s, ib * s, inner_r * s)

    # Bevel: light along the top and left, shade along the bottom and right.
    c.fill(il, it, ir, it + light, col["light"], clip=in_body)
    c.fill(il, it, il + light, ib, col["light"], clip=in_body)
    c.fill(il, ib - shade, ir, ib, col["shade"], clip=in_body)
    c.fill(ir - shade, it, ir, ib, col["shade"], clip=in_body)

    # Ticks hang from the top edge, long and short in turn.
    # The row of ticks is centred between the bevels, keeping at least
    # `margin` free at each end, and starts and ends with a long tick.
    margin, step, width, long_len, short_len = lay["ticks"]
    lo, hi = il + light, ir - shade
    count = (hi - lo - 2 * margin - width) // step + 1
    count -= 1 - count % 2
    x = lo + (hi - lo - (count - 1) * step - width) // 2
    for n in range(count):
        length = long_len if n % 2 == 0 else short_len
        c.fill(x, it, x + width, it + length, col["tick"])
        x += step

    if c.scale > 1:
        c = c.downsampled()
    if lay["shadow"]:
        c = drop_shadow(c, *lay["shadow"])
    return c.transposed() if vertical else c


# --------------------------------------------------------------------------
# Cursors
# --------------------------------------------------------------------------

CURSOR_SIZE = 32
CURSOR_HOTSPOT = (10, 10)
HAND_HOTSPOT = (13, 11)

CURSOR_RULER = dict(outline=BLACK, body=rgb(0xFFF0A8), tick=BLACK)


def pointer_cursor_image(vertical):
    """A crosshair centred on the hot spot, with a small ruler beside it."""
    hx, hy = CURSOR_HOTSPOT
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    # White arms with black borders; the pixels around the hot spot stay
    # clear so the point being measured can be seen.
    for d in range(3, 10):
        c.put(hx - d, hy, WHITE)
        c.put(hx + d, hy, WHITE)
        c.put(hx, hy - d, WHITE)
        c.put(hx, hy + d, WHITE)
    c.outline(BLACK, neighbours=8)

    # The ruler glyph, drawn horizontally and turned for the vertical cursor.
    glyph = Canvas(17, 8)
    glyph.fill(0, 0, 17, 8, CURSOR_RULER["outline"])
    glyph.fill(1, 1, 16, 7, CURSOR_RULER["body"])
    for i, x in enumerate(range(2, 15, 2)):
        glyph.fill(x, 1, x + 1, 4 if i % 2 == 0 else 3, CURSOR_RULER["tick"])
    if vertical:
        glyph = glyph.transposed()
        ox, oy = 21, 14
    else:
        ox, oy = 14, 21
    for y in range(glyph.height):
        for x in range(glyph.width):
            p = glyph.get(x, y)
            if p[3]:
                c.put(ox + x, oy + y, p)
    return c


def hand_cursor_image():
    """A white pointing hand with a black edge; the hot spot is the tip of
    the index finger."""
    c = Canvas(CURSOR_SIZE, CURSOR_SIZE)
    hx, hy = HAND_HOTSPOT

    def finger(x0, top):
        """A finger three pixels wide, down to the palm.  The edge drawn
        below leaves out the corner pixels, which rounds the tip."""
        return m_rect(x0, top, x0 + 3, hy + 14)

    shape = finger(hx - 1, hy + 1)                        # index finger
    shape |= finger(hx + 3, hy + 6)                       # middle finger
    shape |= finger(hx + 7, hy + 7)                       # ring finger
    shape |= finger(hx + 11, hy + 9)                      # little finger
    shape |= m_rect(hx - 1, hy + 13, hx + 14, hy + 17)    # palm
    shape |= m_rect(hx, hy + 17, hx + 13, hy + 18)
    shape |= m_rect(hx + 1, hy + 18, hx + 12, hy + 20)    # wrist
    for i in range(5):                                    # thumb, slanting in
        shape |= m_rect(hx - 5 + i, hy + 9 + i, hx - 2 + i, hy + 11 + i)
    paint(c, shape, WHITE)
    c.outline(BLACK, neighbours=4)
    # Creases between the fingers.
    for fx, fy in [(hx + 2, hy + 7), (hx + 6, hy + 8), (hx + 10, hy + 10)]:
        paint(c, m_rect(fx, fy, fx + 1, hy + 13), BLACK)
    return c


# --------------------------------------------------------------------------
# Shapes for the small pictures
# --------------------------------------------------------------------------
# A shape is a set of (x, y) pixels.  Shapes built from real coordinates
# hold the pixels whose centres fall inside.

def m_rect(x0, y0, x1, y1):
    """The pixels of the half-open box [x0, x1) x [y0, y1)."""
    return {(x, y) for y in range(y0, y1) for x in range(x0, x1)}


def m_ellipse(cx, cy, rx, ry):
    """Pixels whose centres lie inside the ellipse."""
    out = set()
    for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
        for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
            dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                out.add((x, y))
    return out


def m_polygon(points):
    """Pixels whose centres lie inside the polygon (even-odd rule)."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    out = set()
    n = len(points)
    for y in range(int(min(ys)) - 1, int(max(ys)) + 2):
        for x in range(int(min(xs)) - 1, int(max(xs)) + 2):
            px, py = x + 0.5, y + 0.5
            inside = False
            for i in range(n):
                ax, ay = points[i]
                bx, by = points[(i + 1) % n]
                if (ay > py) != (by > py):
                    if px < ax + (py - ay) * (bx - ax) / (by - ay):
                        inside = not inside
            if inside:
                out.add((x, y))
    return out


def m_segment(x0, y0, x1, y1, width):
    """Pixels whose centres lie within width / 2 of the segment."""
    out = set()
    r = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    length2 = float(dx * dx + dy * dy) or 1.0
    for y in range(int(min(y0, y1) - r) - 1, int(max(y0, y1) + r) + 2):
        for x in range(int(min(x0, x1) - r) - 1, int(max(x0, x1) + r) + 2):
            px, py = x + 0.5, y + 0.5
            t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / length2))
            ex, ey = x0 + t * dx - px, y0 + t * dy - py
            if ex * ex + ey * ey <= r * r:
                out.add((x, y))
    return out


def m_edge(shape, neighbours=4):
    """The pixels of the shape that touch a pixel outside it."""
    if neighbours == 8:
        steps = [(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1) if dx or dy]
    else:
        steps = [(-1, 0), (1, 0), (0, -1), (0, 1)]
    return {(x, y) for x, y in shape
            if any((x + dx, y + dy) not in shape for dx, dy in steps)}


def m_grow(shape, neighbours=8):
    """The shape and every pixel touching it."""
    if neighbours == 8:
        steps = [(dx, dy) for dy in (-1, 0, 1) for dx in (-1, 0, 1)]
    else:
        steps = [(0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)]
    return {(x + dx, y + dy) for x, y in shape for dx, dy in steps}


def m_transposed(shape):
    return {(y, x) for x, y in shape}


def paint(canvas, shape, color):
    for x, y in shape:
        canvas.put(x, y, color)


def paint_outlined(canvas, shape, fill, edge, neighbours=4):
    paint(canvas, shape, fill)
    paint(canvas, m_edge(shape, neighbours), edge)


# --------------------------------------------------------------------------
# Toolbar and menu pictures
# --------------------------------------------------------------------------
# The toolbars and menus load these bitmaps so that the light grey ground
# becomes the button face (and black, dark grey and white follow the
# system's 3-D colours), so every picture is drawn on FACE with this one
# 16-colour palette and stored at 4 bits per pixel.

FACE = rgb(0xC0C0C0)
SHADOW = rgb(0x808080)
DARK = rgb(0x404040)
WOOD = rgb(0x3B3223)           # ruler outline and ticks, as in the icons
CREAM = rgb(0xFFF0A8)
CREAM_LIGHT = rgb(0xFFFBE2)
CREAM_SHADE = rgb(0xDDBE68)
RED = rgb(0xE00000)
BLUE = rgb(0x0040FF)
GREEN = rgb(0x00A000)
DARK_GREEN = rgb(0x005800)
YELLOW = rgb(0xFFC800)
GLASS = rgb(0xB4E1FF)

TOOL_PALETTE = [BLACK, SHADOW, FACE, WHITE, DARK, WOOD, CREAM, CREAM_LIGHT,
                CREAM_SHADE, RED, BLUE, GREEN, DARK_GREEN, YELLOW, GLASS]


def face_canvas(width, height):
    """A picture filled with the face grey."""
    c = Canvas(width, height)
    c.pixels = [FACE] * (width * height)
    return c


def draw_ruler(c, x0, y0, x1, y1, vertical=False, step=2):
    """A small cream ruler filling the box [x0, x1) x [y0, y1), ticks
    hanging from its top edge (its left edge when vertical)."""
    if vertical:
        length, thick = y1 - y0, x1 - x0
    else:
        length, thick = x1 - x0, y1 - y0
    r = Canvas(length, thick)
    r.fill(0, 0, length, thick, WOOD)
    r.fill(1, 1, length - 1, thick - 1, CREAM)
    inner = thick - 2
    if inner >= 6:
        r.fill(1, 1, length - 1, 2, CREAM_LIGHT)
        r.fill(1, 1, 2, thick - 1, CREAM_LIGHT)
        r.fill(1, thick - 2, length - 1, thick - 1, CREAM_SHADE)
        r.fill(length - 2, 1, length - 1, thick - 1, CREAM_SHADE)
    long_len = max(2, (inner + 1) // 2)
    short_len = max(1, long_len * 3 // 5)
    first = 2 if inner >= 6 else 1
    for n, x in enumerate(range(first + step - 1, length - 2, step)):
        r.fill(x, 1, x + 1, 1 + (long_len if n % 2 else short_len), WOOD)
    if vertical:
        r = r.transposed()
    for y in range(r.height):
        for x in range(r.width):
            c.put(x0 + x, y0 + y, r.get(x, y))


def m_arrow_h(x_tail, x_tip, y, shaft, head):
    """A horizontal arrow from x_tail to x_tip, centred on row y: a shaft
    `shaft` rows thick (odd) and a head `head` columns long."""
    out = set()
    sign = 1 if x_tip > x_tail else -1
    half = shaft // 2
    for i in range(head):
        x = x_tip - sign * i
        out |= {(x, yy) for yy in range(y - half - i, y + half + i + 1)}
    x_end = x_tip - sign * head
    lo, hi = sorted((x_tail, x_end))
    out |= m_rect(lo, y - half, hi + 1, y + half + 1)
    return out


def m_double_arrow_h(x0, x1, y, shaft, head):
    """A horizontal arrow with a head at both ends."""
    mid = (x0 + x1) // 2
    return m_arrow_h(mid, x0, y, shaft, head) | m_arrow_h(mid, x1, y, shaft, head)


# --- Operation panel and menu pictures -------------------------------------

def reverse_image(s):
    """Reverse: a ruler with two arrows above it, one each way."""
    c = face_canvas(s, s)
    small = s < 24
    thick = max(5, round(s * 0.36))
    bottom = s if s == 16 else s - 1
    draw_ruler(c, 0, bottom - thick, s, bottom, step=2 if small else 3)
    head = 3 if small else 4
    y = head - 1
    paint(c, m_arrow_h(1, s - 2, y, 1, head), BLUE)
    paint(c, m_arrow_h(s - 2, 1, y + (4 if small else 7), 1, head), RED)
    return c


def direction_image(s):
    """Direction: an upright and a lying ruler meeting in a corner, and a
    quarter-turn arrow from the one to the other."""
    c = face_canvas(s, s)
    small = s < 24
    thick = max(5, round(s * 0.3))
    # The top left pixel stays ground: the menu takes its colour for the
    # transparent one.
    draw_ruler(c, 0, 1, thick, s, vertical=True, step=2 if small else 3)
    draw_ruler(c, thick - 1, s - thick, s, s, step=2 if small else 3)
    # The arc is centred on the inner corner of the two rulers.
    cx, cy = thick, s - thick
    r = s - thick - (3 if small else 4)
    width = 1.3 if small else 1.9
    arc = set()
    for y in range(s):
        for x in range(s):
            px, py = x + 0.5 - cx, cy - (y + 0.5)
            if px < 1 or py < 2.5:
                continue
            if abs((px * px + py * py) ** 0.5 - r) <= width / 2:
                arc.add((x, y))
    head = 3 if small else 4
    tip_x, tip_y = cx + r - (0 if small else 1), s - thick - 1
    for i in range(head):
        arc |= {(tip_x + dx, tip_y - head + 1 + i)
                for dx in range(-head + 1 + i, head - i)}
    paint(c, arc, BLUE)
    return c


def full_scale_image(s):
    """Full Scale: a ruler reaching from one screen edge to the other."""
    c = face_canvas(s, s)
    paint(c, m_rect(0, 1, 2, s - 1), DARK)
    paint(c, m_rect(s - 2, 1, s, s - 1), DARK)
    thick = max(5, round(s * 0.36))
    draw_ruler(c, 2, s - thick - 2, s - 2, s - 2, step=2 if s < 24 else 3)
    head = 3 if s < 24 else 4
    y = 4 if s < 24 else 6
    paint(c, m_double_arrow_h(2, s - 3, y, 1, head), BLUE)
    return c


def narrow_scale_image(s):
    """Narrow Scale: a thin ruler with arrows pressing on it from above
    and below."""
    c = face_canvas(s, s)
    thick = 5 if s < 24 else 7
    top = (s - thick) // 2
    draw_ruler(c, 0, top, s, top + thick, step=2 if s < 24 else 3)
    head = 4 if s < 24 else 6
    mid = s // 2
    shaft = 1 if s < 24 else 3
    down = m_transposed(m_arrow_h(0, top - 2, mid, shaft, head))
    up = m_transposed(m_arrow_h(s - 1, top + thick + 1, mid, shaft, head))
    paint(c, down | up, BLUE)
    return c


def menu_ruler_image(vertical):
    """The first menu item: the ruler, lying or upright as it is."""
    c = face_canvas(16, 16)
    draw_ruler(c, 0, 4, 16, 12, step=2)
    if vertical:
        c = c.transposed()
    return c


def add_image():
    """Add Linova: a ruler with a green plus sign over its corner."""
    c = face_canvas(16, 16)
    draw_ruler(c, 0, 9, 14, 16, step=2)
    plus = m_rect(10, 1, 12, 9) | m_rect(7, 4, 15, 6)
    paint(c, m_grow(plus, 4), DARK_GREEN)
    paint(c, plus, GREEN)
    return c


# --- Setup page pictures -----------------------------------------------------

def color_page_image(s):
    """Color: a painter's palette with five paint dots."""
    c = face_canvas(s, s)
    k = s / 24.0
    body = m_ellipse(12 * k, 12.5 * k, 11.3 * k, 9.3 * k)
    body -= m_ellipse(16.5 * k, 17.5 * k, 2.2 * k, 1.8 * k)      # thumb hole
    body -= m_polygon([(24 * k, 9 * k), (17.5 * k, 14.5 * k), (24 * k, 16.5 * k)])
    paint_outlined(c, body, CREAM_SHADE, WOOD)
    for (x, y), col in [((6, 10), RED), ((10.5, 7), YELLOW), ((15.5, 7.5), GREEN),
                        ((6.5, 15.5), BLUE), ((11, 14.5), WHITE)]:
        dot = m_ellipse(x * k, y * k, 2.1 * k, 2.1 * k)
        paint(c, dot, col)
    return c


def scaling_page_image(s):
    """Scaling: a ruler with a measured span marked above it."""
    c = face_canvas(s, s)
    k = s / 24.0
    thick = round(9 * k)
    draw_ruler(c, 0, s - thick - round(2 * k), s, s - round(2 * k),
               step=3 if s < 30 else 4)
    y = round(7 * k)
    bar_h = round(4 * k)
    x0, x1 = round(2 * k), s - 1 - round(2 * k)
    paint(c, m_rect(x0, y - bar_h, x0 + 1, y + bar_h + 1), RED)
    paint(c, m_rect(x1, y - bar_h, x1 + 1, y + bar_h + 1), RED)
    paint(c, m_double_arrow_h(x0 + 1, x1 - 1, y, 1, round(3.5 * k)), RED)
    return c


def magnifier_page_image(s):
    """Magnifier: a magnifying glass over the edge of a ruler, which shows
    enlarged through it."""
    c = face_canvas(s, s)
    k = s / 24.0
    cx, cy, r = 9.5 * k, 9.5 * k, 8.2 * k
    if s >= 30:
        handle = m_segment(15.5 * k, 15.5 * k, 21.5 * k, 21.5 * k, 4.2 * k)
        paint_outlined(c, handle, WOOD, BLACK, 8)
    else:       # too thin for an outline: a plain handle
        paint(c, m_segment(15.5 * k, 15.5 * k, 21.5 * k, 21.5 * k, 3.4 * k), WOOD)
    paint(c, m_ellipse(cx, cy, r, r), DARK)
    glass = m_ellipse(cx, cy, r - 1.8 * k, r - 1.8 * k)
    paint(c, glass, GLASS)
    # The ruler seen through the lens: its top edge and two big ticks.
    edge_y = round(9.5 * k)
    paint(c, {(x, y) for x, y in glass if y > edge_y}, CREAM)
    paint(c, {(x, y) for x, y in glass if y == edge_y}, WOOD)
    w = max(1, round(k))
    for x, length in ((round(6.5 * k), 4.5), (round(12 * k), 2.5)):
        paint(c, m_rect(x, edge_y, x + w, edge_y + round(length * k)) & glass,
              WOOD)
    shine = {(x, y) for x, y in m_edge(glass, 4)
             if x + 0.5 < cx - 1.0 * k and y + 0.5 < cy - 1.0 * k}
    paint(c, shine, WHITE)
    return c


def mouse_page_image(s):
    """Mouse: a two-button mouse with a wheel, its cable going up."""
    c = face_canvas(s, s)
    k = s / 24.0
    body = m_ellipse(12 * k, 14.5 * k, 6.6 * k, 8.5 * k) & m_rect(0, round(6 * k), s, s)
    body |= m_ellipse(12 * k, 13 * k, 6.6 * k, 7 * k)
    paint_outlined(c, body, WHITE, BLACK)
    split_y = round(12.5 * k)
    paint(c, {(x, split_y) for x, y in body if y == split_y}, BLACK)
    mid = round(12 * k)
    paint(c, m_rect(mid, round(6 * k), mid + 1, split_y), BLACK)
    half = max(1, round(k))
    paint(c, m_rect(mid - half, round(8 * k), mid + half, round(11.5 * k)), DARK)
    cable = m_segment(12 * k, 6 * k, 12 * k, 3 * k, max(1.0, k)) | \
        m_segment(12 * k, 3 * k, 15 * k, 1 * k, max(1.0, k))
    paint(c, cable - body, BLACK)
    return c


def other_page_image(s):
    """other: a cog wheel."""
    c = face_canvas(s, s)
    k = s / 24.0
    cx = cy = s / 2.0
    r_out, r_root, half = 11.2 * k, 7.7 * k, 2.6 * k
    cog = m_ellipse(cx, cy, r_root, r_root)
    for i in range(8):
        a = math.pi * i / 4
        ux, uy = math.cos(a), math.sin(a)        # along the tooth
        vx, vy = -uy, ux                         # across it
        cog |= m_polygon([(cx + r * ux + w * vx, cy + r * uy + w * vy)
                          for r, w in ((r_root - 1, -half), (r_out, -half),
                                       (r_out, half), (r_root - 1, half))])
    cog -= m_ellipse(cx, cy, 3.3 * k, 3.3 * k)
    paint_outlined(c, cog, SHADOW, BLACK, 8)
    return c


PANEL_IMAGES = [reverse_image, direction_image, full_scale_image,
                narrow_scale_image]
PAGE_IMAGES = [color_page_image, scaling_page_image, magnifier_page_image,
               mouse_page_image, other_page_image]


def strip(images):
    """The images side by side, left to right."""
    h = images[0].height
    out = face_canvas(sum(i.width for i in images), h)
    x0 = 0
    for img in images:
        for y in range(h):
            for x in range(img.width):
                out.put(x0 + x, y, img.get(x, y))
        x0 += img.width
    return out


# --------------------------------------------------------------------------
# Background patterns
# --------------------------------------------------------------------------
# Ten tiles for the ruler's patterned backgrounds, each a ground colour
# with small motifs scattered over it in one or more second tones.  The
# program recolours the greys of the last five (192, 128, 223 and 255) to
# the system's 3-D colours, so those tones are used exactly where a tile
# should follow the desktop's colours.  Motifs wrap at the tile's edges so
# the tiles join without a seam; pixel (0, 0) is always ground.

DOT = {(0, 0)}
PLUS = {(0, 0), (-1, 0), (1, 0), (0, -1), (0, 1)}
BLOB = {(x, y) for x in (-1, 0, 1) for y in (-1, 0, 1)} - {(-1, -1)}
DIAMOND = {(x, y) for x in range(-2, 3) for y in range(-2, 3)
           if abs(x) + abs(y) == 2}


def ring(r):
    """A one-pixel circle of radius r around (0, 0)."""
    pts = set()
    for y in range(-r - 1, r + 2):
        for x in range(-r - 1, r + 2):
            d = (x * x + y * y) ** 0.5
            if abs(d - r) < 0.5:
                pts.add((x, y))
    return pts


def sparkle(arm):
    pts = {(0, 0)}
    for i in range(1, arm + 1):
        pts |= {(i, 0), (-i, 0), (0, i), (0, -i)}
    return pts


def disc(r):
    return {(x, y) for y in range(-r, r + 1) for x in range(-r, r + 1)
            if x * x + y * y <= r * r + r}


class Tile:
    def __init__(self, width, height, ground):
        self.canvas = Canvas(width, height)
        self.canvas.pixels = [ground] * (width * height)

    def stamp(self, shape, at, color):
        w, h = self.canvas.width, self.canvas.height
        for x, y in shape:
            self.canvas.put((x + at[0]) % w, (y + at[1]) % h, color)


def lit_stud(tile, at, face, light, shade, r=2, sunken=False, inner=None):
    """A round stud (or, sunken, a dimple) lit from the top left.  A dimple
    may have an `inner` shadow just inside its upper rim."""
    d = disc(r)
    tile.stamp(d, at, face)
    rim = m_edge(d, 4)
    upper = {(x, y) for x, y in rim if x + y < 0}
    lower = {(x, y) for x, y in rim if x + y > 0}
    tile.stamp(upper, at, shade if sunken else light)
    tile.stamp(lower, at, light if sunken else shade)
    if inner is not None:
        core = d - rim
        tile.stamp({(x, y) for x, y in m_edge(core, 4) if x + y < 0}, at, inner)


def pattern_images():
    """[(name, canvas, palette)]: the ten pattern tiles in order."""
    out = []

    def add(name, tile, palette):
        out.append((name, tile.canvas, [p[:3] for p in palette]))

    # 0: cream with pale little flowers.
    ground, petal, centre = rgb(0xFFFFCC), rgb(0xFAEBD7), rgb(0xF8F8F8)
    t = Tile(32, 28, ground)
    for at in [(6, 5), (22, 10), (12, 19), (28, 23)]:
        t.stamp(PLUS, at, petal)
        t.stamp(DOT, at, centre)
    for at in [(17, 3), (3, 14), (25, 17), (7, 25)]:
        t.stamp(DOT, at, centre)
    add("linovabmp", t, [ground, petal, centre])

    # 1: antique white with orange diamonds.
    ground, motif = rgb(0xFAEBD7), rgb(0xFFCC66)
    t = Tile(28, 32, ground)
    for at in [(6, 6), (20, 13), (9, 22), (23, 28)]:
        t.stamp(DIAMOND, at, motif)
        t.stamp(DOT, at, motif)
    for at in [(16, 4), (2, 15), (17, 24)]:
        t.stamp(DOT, at, motif)
    add("linovabmp1", t, [ground, motif])

    # 2: pale cyan with bubbles.
    ground, motif = rgb(0xCCFFFF), rgb(0x66FFFF)
    t = Tile(32, 32, ground)
    t.stamp(ring(3), (9, 9), motif)
    t.stamp(ring(2), (24, 19), motif)
    t.stamp(ring(2), (22, 5), motif)
    t.stamp(ring(2), (6, 25), motif)
    for at in [(15, 19), (29, 12), (12, 30), (28, 29), (3, 3)]:
        t.stamp(DOT, at, motif)
    add("linovabmp2", t, [ground, motif])

    # 3: pale green with white sparkles.
    ground, motif = rgb(0xCCFFCC), rgb(0xF8F8F8)
    t = Tile(36, 32, ground)
    for at in [(7, 7), (26, 12), (15, 24), (33, 27)]:
        t.stamp(sparkle(2), at, motif)
    for at in [(18, 4), (4, 18), (26, 23)]:
        t.stamp(PLUS, at, motif)
    add("linovabmp3", t, [ground, motif])

    # 4: light grey with lighter little squares.
    ground, motif = rgb(0xE0E0E0), rgb(0xECECEC)
    t = Tile(32, 32, ground)
    square = m_rect(0, 0, 3, 3) - {(1, 1)}
    for at in [(5, 4), (20, 9), (11, 18), (27, 24), (3, 27)]:
        t.stamp(square, at, motif)
    for at in [(14, 6), (28, 15), (19, 28)]:
        t.stamp(DOT, at, motif)
    add("linovabmp4", t, [ground, motif])

    # 5: mid grey with light grey dots.
    ground, motif = rgb(0x949494), rgb(0xB6B6B6)
    t = Tile(32, 32, ground)
    for at in [(6, 6), (22, 9), (13, 20), (28, 26), (4, 28)]:
        t.stamp(BLOB, at, motif)
    for at in [(15, 4), (29, 17), (20, 29)]:
        t.stamp(DOT, at, motif)
    add("linovabmp5", t, [ground, motif])

    # 6: dark grey with short slanting strokes.
    ground, motif = rgb(0x4D4D4D), rgb(0x666666)
    t = Tile(32, 32, ground)
    stroke = {(2, 0), (1, 1), (0, 2)}
    for at in [(5, 3), (20, 7), (12, 15), (28, 18), (4, 24), (19, 27)]:
        t.stamp(stroke, at, motif)
    add("linovabmp6", t, [ground, motif])

    # 7: deep blue with stars.
    ground, star, glow = rgb(0x0000CC), rgb(0x3333FF), rgb(0x0066FF)
    t = Tile(36, 32, ground)
    for at in [(8, 7), (27, 14), (15, 25)]:
        t.stamp(sparkle(2), at, star)
        t.stamp(DOT, at, glow)
    for at in [(20, 4), (3, 17), (32, 27), (25, 24)]:
        t.stamp(DOT, at, glow)
    for at in [(13, 13), (33, 3)]:
        t.stamp(DOT, at, star)
    add("linovabmp7", t, [ground, star, glow])

    # 8: face grey with raised studs.
    ground, top, dark, light = (rgb(0xC0C0C0), rgb(0xDADADA), rgb(0x808080),
                                rgb(0xFFFFFF))
    t = Tile(40, 32, ground)
    for at in [(10, 8), (30, 8), (0, 24), (20, 24)]:
        lit_stud(t, at, top, light, dark)
    add("linovabmp8", t, [ground, top, dark, light])

    # 9: face grey with sunken dimples.
    ground, light, floor, deep, dark = (rgb(0xC0C0C0), rgb(0xFFFFFF),
                                        rgb(0xECECEC), rgb(0x8C8C8C),
                                        rgb(0x808080))
    t = Tile(32, 40, ground)
    for at in [(8, 10), (24, 20), (8, 30), (24, 0)]:
        lit_stud(t, at, floor, light, dark, r=3, sunken=True, inner=deep)
    add("linovabmp9", t, [ground, light, floor, deep, dark])
    return out


# --------------------------------------------------------------------------
# File formats
# --------------------------------------------------------------------------

def _palette_for(canvas, slots):
    """Palette of `slots` entries; entry 0 is black, used for clear pixels."""
    colors = [p[:3] for p in canvas.colors()]
    if any(p[3] not in (0, 255) for p in canvas.pixels):
        raise ValueError("a palettised image cannot hold partial transparency")
    palette = [(0, 0, 0)] + [p for p in colors if p != (0, 0, 0)]
    if len(palette) > slots:
        raise ValueError("image has %d colours, palette holds %d"
                         % (len(palette), slots))
    return palette + [(0, 0, 0)] * (slots - len(palette))


def dib_image(canvas, bpp):
    """A palettised icon/cursor image: header, palette, XOR and AND bitmaps."""
    w, h = canvas.width, canvas.height
    palette = _palette_for(canvas, 1 << bpp)
    index = {}
    for i, p in enumerate(palette):
        index.setdefault(p, i)

    xor_stride = ((w * bpp + 31) // 32) * 4
    and_stride = ((w + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for y in range(h - 1, -1, -1):          # bottom-up
        xrow = bytearray(xor_stride)
        arow = bytearray(and_stride)
        for x in range(w):
            p = canvas.get(x, y)
            if p[3]:
                v = index[p[:3]]
            else:
                v = 0
                arow[x >> 3] |= 0x80 >> (x & 7)
            if bpp == 8:
                xrow[x] = v
            elif bpp == 4:
                xrow[x >> 1] |= v << (4 if x % 2 == 0 else 0)
            else:
                raise ValueError("unsupported depth %d" % bpp)
        xor_rows.append(bytes(xrow))
        and_rows.append(bytes(arow))
    bits = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0,
                         len(bits), 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + pal + bits


def png_bytes(canvas):
    """An RGBA PNG of the canvas."""
    w, h = canvas.width, canvas.height
    raw = bytearray()
    for y in range(h):
        raw.append(0)                        # filter: none
        for x in range(w):
            raw.extend(canvas.get(x, y))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def bmp_file(canvas, bpp, palette):
    """A .bmp file of the canvas with the given palette (RGB triples); every
    pixel's colour must be in it."""
    w, h = canvas.width, canvas.height
    if len(palette) > (1 << bpp):
        raise ValueError("palette too large for %d bits per pixel" % bpp)
    index = {}
    for i, p in enumerate(palette):
        index.setdefault(tuple(p), i)
    stride = ((w * bpp + 31) // 32) * 4
    rows = []
    for y in range(h - 1, -1, -1):              # bottom-up
        row = bytearray(stride)
        for x in range(w):
            p = canvas.get(x, y)
            try:
                v = index[p[:3]]
            except KeyError:
                raise ValueError("colour %r is not in the palette" % (p,))
            if bpp == 8:
                row[x] = v
            elif bpp == 4:
                row[x >> 1] |= v << (4 if x % 2 == 0 else 0)
            else:
                raise ValueError("unsupported depth %d" % bpp)
        rows.append(bytes(row))
    bits = b"".join(rows)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(bits),
                       0, 0, len(palette), 0)
    offset = 14 + len(info) + len(pal)
    head = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return head + info + pal + bits


def icon_file(images):
    """An .ico file.  images: (canvas, "bmp8" | "png") pairs."""
    return _directory_file(1, [
        (canvas, dib_image(canvas, 8) if kind == "bmp8" else png_bytes(canvas),
         0, 1, 32 if kind == "png" else 8)
        for canvas, kind in images])


def cursor_file(canvas, hotspot):
    """A .cur file holding one 4 bits per pixel image."""
    return _directory_file(2, [(canvas, dib_image(canvas, 4), 16,
                                hotspot[0], hotspot[1])])


def _directory_file(kind, entries):
    head = struct.pack("<HHH", 0, kind, len(entries))
    offset = len(head) + 16 * len(entries)
    table, blobs = b"", b""
    for canvas, data, ncolors, field1, field2 in entries:
        # For icons field1/field2 are planes and bit count; for cursors
        # they hold the hot spot.
        table += struct.pack("<BBBBHHII", canvas.width % 256,
                             canvas.height % 256, ncolors, 0,
                             field1, field2, len(data), offset)
        offset += len(data)
        blobs += data
    return head + table + blobs


# --------------------------------------------------------------------------
# What gets written
# --------------------------------------------------------------------------

# Bitmaps by file name: the toolbar strips (image order as the toolbars
# use them) and the menu-item pictures.
TOOL_BITMAPS = [
    ("toolbar_pages_24.bmp", lambda: strip([f(24) for f in PAGE_IMAGES])),
    ("toolbar_pages_36.bmp", lambda: strip([f(36) for f in PAGE_IMAGES])),
    ("toolbar_panel_17.bmp", lambda: strip([f(17) for f in PANEL_IMAGES])),
    ("toolbar_panel_25.bmp", lambda: strip([f(25) for f in PANEL_IMAGES])),
    ("menu_ruler.bmp", lambda: menu_ruler_image(False)),
    ("menu_ruler_vert.bmp", lambda: menu_ruler_image(True)),
    ("menu_add.bmp", add_image),
    ("menu_reverse.bmp", lambda: reverse_image(16)),
    ("menu_direction.bmp", lambda: direction_image(16)),
]

HOTSPOTS = {"linovacur.cur": CURSOR_HOTSPOT, "linova_v_cur.cur": CURSOR_HOTSPOT,
            "handcur.cur": HAND_HOTSPOT}


def tiled(canvas, across, down):
    out = Canvas(canvas.width * across, canvas.height * down)
    for y in range(out.height):
        for x in range(out.width):
            out.pixels[y * out.width + x] = canvas.get(x % canvas.width,
                                                       y % canvas.height)
    return out


def build_art():
    """Returns {file name: (bytes, [(label, canvas), ...])}."""
    art = {}
    # The first image of a group is what a dialog's icon control shows at its
    # real size: 48 x 48 in every group, as the About box's replacement icon.
    for name, theme, vertical, sizes in [
            ("linova.ico", "cream", False, (48, 32, 16, 256)),
            ("linovag.ico", "face", False, (48, 32, 16)),
            ("linova_vert.ico", "cream", True, (48, 32, 16)),
            ("linovag_vert.ico", "face", True, (48, 32, 16))]:
        images = [(ruler_icon_image(size, theme, vertical),
                   "png" if size == 256 else "bmp8") for size in sizes]
        art[name] = (icon_file(images),
                     [("%dx%d" % (cv.width, cv.height), cv)
                      for cv, _ in images])
    for name, vertical in [("linovacur.cur", False),
                           ("linova_v_cur.cur", True)]:
        cv = pointer_cursor_image(vertical)
        art[name] = (cursor_file(cv, CURSOR_HOTSPOT), [("32x32", cv)])
    cv = hand_cursor_image()
    art["handcur.cur"] = (cursor_file(cv, HAND_HOTSPOT), [("32x32", cv)])
    for name, draw in TOOL_BITMAPS:
        cv = draw()
        art[name] = (bmp_file(cv, 4, [p[:3] for p in TOOL_PALETTE]),
                     [("%dx%d" % (cv.width, cv.height), cv)])
    for name, cv, palette in pattern_images():
        art[name + ".bmp"] = (bmp_file(cv, 8, palette),
                              [("%dx%d" % (cv.width, cv.height), cv),
                               ("tiled", tiled(cv, 3, 3))])
    return art


def preview(canvas, zoom, mark=None):
    """The canvas enlarged `zoom` times over a checkerboard (clear areas)."""
    out = Canvas(canvas.width * zoom, canvas.height * zoom)
    for y in range(out.height):
        for x in range(out.width):
            r, g, b, a = canvas.get(x // zoom, y // zoom)
            check = 0xCC if ((x // 8) + (y // 8)) % 2 else 0x99
            bg = (check, check, check + 0x22)
            k = a / 255.0
            out.pixels[y * out.width + x] = (
                int(r * k + bg[0] * (1 - k) + 0.5),
                int(g * k + bg[1] * (1 - k) + 0.5),
                int(b * k + bg[2] * (1 - k) + 0.5), 255)
    if mark is not None:                    # red frame around the hot spot
        mx, my = mark
        for i in range(zoom):
            for px, py in [(mx * zoom + i, my * zoom), (mx * zoom + i,
                           my * zoom + zoom - 1), (mx * zoom, my * zoom + i),
                           (mx * zoom + zoom - 1, my * zoom + i)]:
                out.put(px, py, (255, 0, 0, 255))
    return out


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true",
                    help="compare with the files in src/resources/art "
                         "instead of writing them")
    ap.add_argument("--preview", metavar="DIR",
                    help="also write enlarged PNG previews into DIR")
    ap.add_argument("--zoom", type=int, default=8,
                    help="preview enlargement (default 8; large pictures "
                         "are enlarged less)")
    args = ap.parse_args(argv)

    art = build_art()
    stale = []
    if not args.check:
        os.makedirs(ART_DIR, exist_ok=True)
    for name in sorted(art):
        data, images = art[name]
        path = os.path.join(ART_DIR, name)
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
            print("wrote %s (%d bytes)" % (os.path.relpath(path, REPO),
                                           len(data)))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            for label, cv in images:
                zoom = max(1, min(args.zoom, 768 // max(cv.width, cv.height)))
                mark = HOTSPOTS.get(name)
                out = os.path.join(args.preview, "%s_%s.png" % (
                    os.path.splitext(name)[0], label))
                with open(out, "wb") as f:
                    f.write(png_bytes(preview(cv, zoom, mark)))
    if args.check:
        if stale:
            print("out of date: %s (run tools/make_art.py)"
                  % ", ".join(stale), file=sys.stderr)
            return 1
        print("art is up to date (%d files)" % len(art))
    return 0


if __name__ == "__main__":
    sys.exit(main())
