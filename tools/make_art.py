#!/usr/bin/env python3
"""Draws Linova's icons and cursors and writes them as Windows resource files.

Every picture is drawn here, pixel by pixel, and written as .ico / .cur
files into src/resources/art/, where linova.rc picks them up.  Only the
Python standard library is used and the output is the same, byte for
byte, on every run.

    python3 tools/make_art.py                  # (re)write src/resources/art/
    python3 tools/make_art.py --check          # fail if the files on disk differ
    python3 tools/make_art.py --preview DIR    # also write 8x PNG previews

To add a picture, write a function that returns a Canvas (see
ruler_icon_image and pointer_cursor_image) and list it in build_art().
"""

import argparse
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

def build_art():
    """Returns {file name: (bytes, [(label, canvas), ...])}."""
    art = {}
    for name, theme, vertical, sizes in [
            ("linova.ico", "cream", False, (256, 48, 32, 16)),
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
                    help="preview enlargement (default 8)")
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
                zoom = max(1, args.zoom // 4) if cv.width > 64 else args.zoom
                mark = CURSOR_HOTSPOT if name.endswith(".cur") else None
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
