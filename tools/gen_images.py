#!/usr/bin/env python3
"""Draw the timer's icons and the contact picture into res/.

  large.ico    the sizes Windows picks from (16, 20, 24, 32, 40, 48, 64 and
               256 pixels): each below 256 an 8 bpp image (256-colour
               palette) + AND mask, 256 a 32-bit PNG with alpha; a detailed
               stopwatch face, bolder below 32 pixels where the detail would
               blur
  small.ico    the same sizes and formats, a bold face with a coloured
               "elapsed" wedge at every size: the title bar and the taskbar
               show it at 16 to 32 pixels
  contact.bmp  200x200, 24 bpp, uncompressed, bottom-up: the stopwatch on a
               gradient, with a small LCD readout in the dial

Shapes are described by signed distance functions and anti-aliased from
the distance, which keeps this short and needs only the standard library.
The 8 bpp icon images get a hard 1-bit mask and their colours are reduced
to 256 with a median cut; the 256-pixel PNG keeps the anti-aliased alpha.  Everything is
deterministic, so the committed files are reproducible.
"""
import math
import os
import struct
import sys
import zlib

# --- colours --------------------------------------------------------------

RING_TOP = (64, 160, 196)
RING_BOTTOM = (18, 82, 118)
RING_DARK = (12, 52, 76)
FACE = (250, 250, 244)
FACE_SHADE = (222, 228, 226)
INK = (38, 52, 62)
RED = (226, 72, 58)
WEDGE = (255, 196, 92)
LCD_BG = (196, 212, 170)
LCD_INK = (34, 46, 30)
BG_TOP = (250, 214, 150)
BG_BOTTOM = (226, 118, 92)


def lerp(c0, c1, t):
    t = min(1.0, max(0.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


# --- signed distance shapes (negative inside, in pixels) ------------------
# Each shape is (distance function, bounding box); the box lets the
# painter skip pixels far from the shape.

def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r,
            (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    return (lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2,
            (cx - r - width, cy - r - width, cx + r + width, cy + r + width))


def capsule(x0, y0, x1, y1, radius):
    """Thick line with round ends."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def dist(x, y):
        t = ((x - x0) * dx + (y - y0) * dy) / length2
        t = min(1.0, max(0.0, t))
        return math.hypot(x - x0 - t * dx, y - y0 - t * dy) - radius
    box = (min(x0, x1) - radius, min(y0, y1) - radius,
           max(x0, x1) + radius, max(y0, y1) + radius)
    return dist, box


def convex_polygon(points):
    """Distance to a convex polygon: the largest distance to any edge line.

    Exact inside and along the edges, slightly under at outside corners,
    which is harmless for one pixel of anti-aliasing.
    """
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1)
               in zip(points, points[1:] + points[:1]))
    sign = 1 if area > 0 else -1
    edges = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        nx, ny = (y1 - y0) * sign, -(x1 - x0) * sign   # outward normal
        n = math.hypot(nx, ny)
        edges.append((x0, y0, nx / n, ny / n))

    def dist(x, y):
        return max((x - ex) * nx + (y - ey) * ny for ex, ey, nx, ny in edges)
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return dist, (min(xs), min(ys), max(xs), max(ys))


def intersect(*shapes):
    """Points inside every shape; the box is that of the first shape."""
    funcs = [s[0] for s in shapes]
    return (lambda x, y: max(f(x, y) for f in funcs), shapes[0][1])


def half_plane(cx, cy, angle, clockwise=True):
    """The side of the line through (cx, cy) at a clock angle.

    The line points at (sin a, -cos a) on screen (y grows downwards); its
    clockwise side lies along (cos a, sin a).
    """
    sign = -1 if clockwise else 1
    nx, ny = math.cos(angle), math.sin(angle)
    return (lambda x, y: sign * ((x - cx) * nx + (y - cy) * ny), (0, 0, 0, 0))


# --- canvas ---------------------------------------------------------------

class Canvas:
    """Premultiplied RGBA floats, so edges stay clean over transparency."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rgb = [[0.0, 0.0, 0.0] for _ in range(width * height)]
        self.alpha = [0.0] * (width * height)

    def paint(self, shape, colour, softness=1.0, opacity=1.0):
        """Composite a shape over the canvas.

        colour is an (r, g, b) tuple or a function of (x, y).
        softness widens the edge ramp, which turns a shape into a shadow.
        """
        dist, (bx0, by0, bx1, by1) = shape
        pad = softness + 1
        x_lo, x_hi = max(0, int(bx0 - pad)), min(self.width, int(bx1 + pad) + 1)
        y_lo, y_hi = max(0, int(by0 - pad)), min(self.height, int(by1 + pad) + 1)
        for py in range(y_lo, y_hi):
            for px in range(x_lo, x_hi):
                x, y = px + 0.5, py + 0.5
                a = 0.5 - dist(x, y) / softness
                if a <= 0:
                    continue
                a = min(1.0, a) * opacity
                c = colour(x, y) if callable(colour) else colour
                i = py * self.width + px
                dst = self.rgb[i]
                for k in range(3):
                    dst[k] = c[k] * a + dst[k] * (1 - a)
                self.alpha[i] = a + self.alpha[i] * (1 - a)

    def pixel(self, px, py):
        """Straight (un-premultiplied) 8-bit colour and alpha."""
        i = py * self.width + px
        a = self.alpha[i]
        if a <= 0:
            return (0, 0, 0), 0.0
        return tuple(int(round(min(255.0, v / a))) for v in self.rgb[i]), a


# --- the stopwatch motif --------------------------------------------------

def polar(cx, cy, radius, clock_hours):
    """Point on a clock dial; 0 hours is straight up, angles run clockwise."""
    angle = clock_hours / 12 * 2 * math.pi
    return cx + radius * math.sin(angle), cy - radius * math.cos(angle)


def draw_case(c, cx, cy, r, bold):
    """Crown, side button and the metal ring around the dial."""
    ring_w = r * (0.22 if bold else 0.16)
    # Winding crown on top and a start button at "one o'clock".
    c.paint(capsule(cx, cy - r - r * 0.05, cx, cy - r - r * 0.22, r * 0.09), RING_DARK)
    c.paint(capsule(cx - r * 0.16, cy - r - r * 0.26, cx + r * 0.16,
                    cy - r - r * 0.26, r * 0.09), RING_BOTTOM)
    bx0, by0 = polar(cx, cy, r * 0.98, 1.5)
    bx1, by1 = polar(cx, cy, r * 1.18, 1.5)
    c.paint(capsule(bx0, by0, bx1, by1, r * 0.09), RING_BOTTOM)
    # Ring shaded from top to bottom, like light from above.
    top, span = cy - r, 2 * r
    c.paint(circle(cx, cy, r),
            lambda x, y: lerp(RING_TOP, RING_BOTTOM, (y - top) / span))
    return r - ring_w


def draw_face(c, cx, cy, face_r):
    """Dial background with a gentle shade towards the rim."""
    c.paint(circle(cx, cy, face_r),
            lambda x, y: lerp(FACE, FACE_SHADE,
                              (math.hypot(x - cx, y - cy) / face_r) ** 3))


def draw_ticks(c, cx, cy, face_r, bold):
    """Hour marks; the bold variant keeps only the four quarters."""
    ticks = 4 if bold else 12
    for k in range(ticks):
        hour = k * 12 / ticks
        major = hour % 3 == 0
        inner = face_r * (0.70 if major else 0.80)
        width = face_r * (0.09 if bold or major else 0.045)
        x0, y0 = polar(cx, cy, inner, hour)
        x1, y1 = polar(cx, cy, face_r * 0.88, hour)
        c.paint(capsule(x0, y0, x1, y1, width), INK)


def draw_wedge(c, cx, cy, face_r, hours):
    """Pie slice from twelve o'clock to `hours`: time already gone by."""
    # Clockwise of twelve and anticlockwise of the end: the intersection
    # of two half planes, which is only a wedge for less than half a dial.
    start = half_plane(cx, cy, 0.0)
    end = half_plane(cx, cy, hours / 12 * 2 * math.pi, clockwise=False)
    c.paint(intersect(circle(cx, cy, face_r * 0.86), start, end), WEDGE)


def draw_hands(c, cx, cy, face_r, bold):
    scale = 1.6 if bold else 1.0
    mx, my = polar(cx, cy, face_r * 0.62, 10.2)
    c.paint(capsule(cx, cy, mx, my, face_r * 0.06 * scale), INK)
    sx, sy = polar(cx, cy, face_r * 0.84, 2.0)
    tx, ty = polar(cx, cy, face_r * 0.22, 8.0)      # short counterweight tail
    c.paint(capsule(tx, ty, sx, sy, face_r * 0.035 * scale), RED)
    c.paint(circle(cx, cy, face_r * 0.09 * scale), RED)
    c.paint(circle(cx, cy, face_r * 0.035 * scale), RING_DARK)


def draw_stopwatch(c, cx, cy, r, bold=False, wedge=None):
    face_r = draw_case(c, cx, cy, r, bold)
    draw_face(c, cx, cy, face_r)
    if wedge:
        draw_wedge(c, cx, cy, face_r, wedge)
    draw_ticks(c, cx, cy, face_r, bold)
    draw_hands(c, cx, cy, face_r, bold)
    return face_r


# --- seven-segment readout for the contact picture ------------------------

SEGMENTS = {"0": "abcdef", "5": "acdfg", ":": ""}


def draw_lcd_digit(c, x, y, w, h, t, char, colour):
    """One upright seven-segment digit with hexagonal segments."""
    g = t * 0.18
    half = t / 2

    def horiz(yc):
        return convex_polygon([(x + half + g, yc), (x + t + g, yc - half),
                               (x + w - t - g, yc - half), (x + w - half - g, yc),
                               (x + w - t - g, yc + half), (x + t + g, yc + half)])

    def vert(xc, y_top, y_bot):
        return convex_polygon([(xc, y_top + g), (xc + half, y_top + half + g),
                               (xc + half, y_bot - half - g), (xc, y_bot - g),
                               (xc - half, y_bot - half - g), (xc - half, y_top + half + g)])
    top, mid, bot = y + half, y + h / 2, y + h - half
    left, right = x + half, x + w - half
    shapes = {"a": horiz(top), "b": vert(right, top, mid), "c": vert(right, mid, bot),
              "d": horiz(bot), "e": vert(left, mid, bot), "f": vert(left, top, mid),
              "g": horiz(mid)}
    for s in SEGMENTS[char]:
        c.paint(shapes[s], colour)


def draw_lcd(c, cx, cy, text):
    """A small rounded LCD window centred on (cx, cy)."""
    digit_w, digit_h, colon_w, thick = 10.0, 18.0, 6.0, 2.6
    widths = [colon_w if ch == ":" else digit_w for ch in text]
    spacing = 2.5
    total = sum(widths) + spacing * (len(text) - 1)
    pad = 5.0
    box = convex_polygon([(cx - total / 2 - pad, cy - digit_h / 2 - pad),
                          (cx + total / 2 + pad, cy - digit_h / 2 - pad),
                          (cx + total / 2 + pad, cy + digit_h / 2 + pad),
                          (cx - total / 2 - pad, cy + digit_h / 2 + pad)])
    c.paint((lambda x, y: box[0](x, y) - 2.0, box[1]), RING_DARK)   # bezel
    c.paint(box, LCD_BG)
    x, y = cx - total / 2, cy - digit_h / 2
    for ch, w in zip(text, widths):
        if ch == ":":
            for dy in (0.3, 0.7):
                c.paint(circle(x + w / 2, y + digit_h * dy, thick * 0.6), LCD_INK)
        else:
            draw_lcd_digit(c, x, y, w, digit_h, thick, ch, LCD_INK)
        x += w + spacing


# --- colour reduction for the 8 bpp icons ---------------------------------

def median_cut(counts, max_colours):
    """Reduce {colour: count} to at most max_colours representative colours.

    Deterministic: ties are broken by the colour values themselves.
    """
    boxes = [sorted(counts)]
    while len(boxes) < max_colours:
        def spread(box):
            return max(max(col[k] for col in box) - min(col[k] for col in box)
                       for k in range(3))
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: (spread(b), len(b), b[0]))
        boxes.remove(box)
        channel = max(range(3), key=lambda k: max(col[k] for col in box)
                      - min(col[k] for col in box))
        box.sort(key=lambda col: (col[channel], col))
        # Split where half of the pixels (not of the colours) fall each side.
        total, run, cut = sum(counts[col] for col in box), 0, 1
        for i, col in enumerate(box[:-1]):
            run += counts[col]
            if run * 2 >= total:
                cut = i + 1
                break
        else:
            cut = len(box) - 1
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in sorted(boxes):
        n = sum(counts[col] for col in box)
        palette.append(tuple(int(round(sum(col[k] * counts[col] for col in box) / n))
                             for k in range(3)))
    return palette


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((p - q) ** 2 for p, q in zip(palette[i], colour)))


# --- file writers ---------------------------------------------------------

# Each icon holds these sizes: Windows picks the one nearest to what it draws at the current
# scaling (16 to 32 in title bars and taskbars, 32 to 64 in Explorer, 256 in its large views).
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_SIZE = 256          # Windows Vista and later read this size as PNG


def ico_bitmap(canvas):
    """One 8 bpp icon image: BITMAPINFOHEADER, 256-entry palette, XOR bitmap + AND mask."""
    w, h = canvas.width, canvas.height
    pixels = [[canvas.pixel(x, y) for x in range(w)] for y in range(h)]
    opaque = [[a >= 0.5 for _, a in row] for row in pixels]
    counts = {}
    for row, mask_row in zip(pixels, opaque):
        for (col, _), solid in zip(row, mask_row):
            if solid:
                counts[col] = counts.get(col, 0) + 1
    # Index 0 stays black: transparent pixels use it, so the XOR pass
    # leaves the screen untouched where the AND mask is set.
    palette = [(0, 0, 0)] + median_cut(counts, 255)
    index_of = {col: 1 + nearest(palette[1:], col) for col in counts}
    palette += [(0, 0, 0)] * (256 - len(palette))

    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in reversed(range(h)):                  # bottom-up rows
        for x in range(w):
            xor.append(index_of[pixels[y][x][0]] if opaque[y][x] else 0)
        xor += bytes((-w) % 4)
        bits = bytearray(mask_stride)
        for x in range(w):
            if not opaque[y][x]:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + bytes(xor) + bytes(mask)


def png_image(canvas):
    """8-bit RGBA PNG, unfiltered rows, compressed at a fixed level (reproducible)."""
    w, h = canvas.width, canvas.height
    raw = bytearray()
    for y in range(h):
        raw.append(0)                             # filter type None
        for x in range(w):
            (r, g, b), a = canvas.pixel(x, y)
            raw += bytes((r, g, b, int(round(a * 255))))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def write_ico(path, canvases):
    """ICO file of the canvases in the given order: 8 bpp bitmaps, the 256 one as PNG."""
    images = [(c.width, png_image(c) if c.width == PNG_SIZE else ico_bitmap(c))
              for c in canvases]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in images:
        # A width or height byte of 0 means 256; bColorCount 0 means "256 or more colours".
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1,
                                 32 if size == PNG_SIZE else 8, len(image), offset)
        offset += len(image)
    save(path, directory + b"".join(image for _, image in images))


def write_bmp(path, canvas):
    """24 bpp BI_RGB, bottom-up, rows padded to four bytes."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) // 4 * 4
    data = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            (r, g, b), _ = canvas.pixel(x, y)
            data += bytes((b, g, r))
        data += bytes(stride - w * 3)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)          # 2835 px/m = 72 dpi
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    save(path, header + info + bytes(data))


def save(path, data):
    with open(path, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (path, len(data)))


# --- the three pictures ---------------------------------------------------

def icon(size, bold, wedge=None):
    """The stopwatch laid out on a 48-pixel grid, scaled to `size`."""
    c = Canvas(size, size)
    k = size / 48
    draw_stopwatch(c, 24 * k, 27 * k, 19.5 * k, bold=bold, wedge=wedge)
    return c


def large_icon():
    return [icon(size, bold=size < 32) for size in ICON_SIZES]


def small_icon():
    return [icon(size, bold=True, wedge=4.0) for size in ICON_SIZES]


def contact_picture():
    size = 200
    c = Canvas(size, size)
    c.paint(convex_polygon([(0, 0), (size, 0), (size, size), (0, size)]),
            lambda x, y: lerp(BG_TOP, BG_BOTTOM, (x + 2 * y) / (3 * size)))
    cx, cy, r = 100, 108, 72
    c.paint(circle(cx + 4, cy + 7, r), (60, 30, 30), softness=10.0, opacity=0.45)
    face_r = draw_stopwatch(c, cx, cy, r, wedge=1.0)
    # The readout goes over the lower dial, then the hands are drawn again
    # so they stay on top of it.
    draw_lcd(c, cx, cy + face_r * 0.42, "05:00")
    draw_hands(c, cx, cy, face_r, bold=False)
    return c


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "res")
    write_ico(os.path.join(out_dir, "large.ico"), large_icon())
    write_ico(os.path.join(out_dir, "small.ico"), small_icon())
    write_bmp(os.path.join(out_dir, "contact.bmp"), contact_picture())


if __name__ == "__main__":
    main()
