#!/usr/bin/env python3
"""Draws the toolbar pictures (New ... Test, Compile, Program, Terminal) and the program icon and
writes them as 8-bit palette BMP files into Pictures.inc, as C++ byte arrays, together with the
table that Resources.cpp looks them up in.

    python3 resources/make_pictures.py                 # rewrites resources/Pictures.inc
    python3 resources/make_pictures.py --preview x.png # also writes an enlarged view
    python3 resources/make_pictures.py --ico tqc.ico   # only the program icon for Windows
    python3 resources/make_pictures.py --png-dir DIR   # only the icon as DIR/tqc-SIZE.png

Standard library only. Palette entry 0 is the mask colour (255, 0, 255): the program makes it
transparent. Every picture is drawn on a pixel grid with a few primitives; strokes get a
darker one-pixel rim so that they stay readable on light and dark toolbars alike.
"""

import argparse
import math
import os
import struct
import sys
import zlib

MASK = 0
PALETTE = [
    (255, 0, 255),    # 0 mask
    (0, 0, 0),        # 1 black
    (70, 74, 82),     # 2 outline grey
    (150, 154, 160),  # 3 mid grey
    (205, 208, 212),  # 4 light grey
    (255, 255, 255),  # 5 white
    (232, 234, 238),  # 6 paper shade
    (50, 90, 190),    # 7 text blue
    (40, 175, 60),    # 8 green
    (10, 100, 30),    # 9 dark green
    (45, 48, 56),     # 10 chip body
    (215, 170, 50),   # 11 pin gold
    (130, 95, 20),    # 12 pin gold, dark
    (40, 120, 230),   # 13 arrow blue
    (15, 55, 140),    # 14 arrow blue, dark
    (18, 24, 30),     # 15 screen
    (90, 235, 90),    # 16 screen text
    (120, 128, 138),  # 17 monitor frame
    (200, 60, 40),    # 18 roof red
    (120, 30, 20),    # 19 roof red, dark
    (250, 240, 215),  # 20 wall cream
    (110, 150, 240),  # 21 light blue (highlight)
    (85, 90, 100),    # 22 chip edge
    (245, 205, 95),   # 23 folder yellow
    (220, 45, 35),    # 24 red
    (125, 20, 15),    # 25 red, dark
    (175, 120, 65),   # 26 board brown
    (100, 62, 25),    # 27 board brown, dark
    (255, 228, 80),   # 28 bulb yellow
    (165, 120, 0),    # 29 bulb yellow, dark
]
# The pictures drawn before the palette grew carry only these entries, so their bytes stay as
# they were; a picture using a later colour carries the whole palette.
FIRST_PALETTE = 23
C = {name: i for i, name in enumerate([
    "mask", "black", "outline", "grey", "lightgrey", "white", "paper", "text", "green", "darkgreen",
    "chip", "gold", "darkgold", "blue", "darkblue", "screen", "prompt", "frame", "roof", "darkroof",
    "wall", "lightblue", "chipedge", "folder", "red", "darkred", "board", "darkboard", "bulb",
    "darkbulb"])}


class Canvas:
    """A picture drawn in units of its 100 % grid (`units` wide) at `scale` screen pixels per
    unit, so that 150 % and 200 % screens get the same drawing at their own pixel size."""

    def __init__(self, units, scale=1):
        self.scale = scale
        self.size = round(units * scale)
        self.px = [[MASK] * self.size for _ in range(self.size)]

    def dot(self, x, y, colour):
        """One screen pixel."""
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = colour

    def box(self, x0, y0, x1, y1):
        """The screen pixels of grid cells x0..x1, y0..y1 (inclusive)."""
        s = self.scale
        return round(x0 * s), round(y0 * s), round((x1 + 1) * s) - 1, round((y1 + 1) * s) - 1

    def put(self, x, y, colour):
        self.rect(x, y, x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):
        """Filled rectangle of grid cells, corners inclusive."""
        X0, Y0, X1, Y1 = self.box(x0, y0, x1, y1)
        for y in range(Y0, Y1 + 1):
            for x in range(X0, X1 + 1):
                self.dot(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        """Rectangle outline, one grid cell thick at most (whole screen pixels: crisp at 150 %)."""
        X0, Y0, X1, Y1 = self.box(x0, y0, x1, y1)
        w = max(1, int(self.scale))
        for x in range(X0, X1 + 1):
            for k in range(w):
                self.dot(x, Y0 + k, colour)
                self.dot(x, Y1 - k, colour)
        for y in range(Y0, Y1 + 1):
            for k in range(w):
                self.dot(X0 + k, y, colour)
                self.dot(X1 - k, y, colour)

    def stamp(self, shape, fill, rim=None):
        """Fills the screen pixel set `shape`; with `rim`, also the pixels touching it."""
        if rim is not None:
            for (x, y) in shape:
                for dy in (-1, 0, 1):
                    for dx in (-1, 0, 1):
                        if (x + dx, y + dy) not in shape:
                            self.dot(x + dx, y + dy, rim)
        for (x, y) in shape:
            self.dot(x, y, fill)


def stroke(points, radius, canvas):
    """The screen pixels whose centres lie within `radius` of the polyline through `points`
    (both in grid units)."""
    s, size = canvas.scale, canvas.size
    points, radius = [(x * s, y * s) for (x, y) in points], radius * s
    shape = set()
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        for y in range(size):
            for x in range(size):
                px, py = x + 0.5, y + 0.5
                vx, vy = bx - ax, by - ay
                length2 = vx * vx + vy * vy
                t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / length2))
                dx, dy = px - (ax + t * vx), py - (ay + t * vy)
                if dx * dx + dy * dy <= radius * radius:
                    shape.add((x, y))
    return shape


def polygon(points, canvas):
    """The screen pixels whose centres lie inside the polygon (grid units, even-odd rule)."""
    s, size = canvas.scale, canvas.size
    points = [(x * s, y * s) for (x, y) in points]
    shape = set()
    for y in range(size):
        for x in range(size):
            px, py = x + 0.5, y + 0.5
            inside = False
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
                    inside = not inside
            if inside:
                shape.add((x, y))
    return shape


def document(c, x0, y0, x1, y1, fold, lines):
    """A sheet of paper with a folded top-right corner and blue text lines."""
    c.rect(x0, y0, x1, y1, C["white"])
    c.frame(x0, y0, x1, y1, C["outline"])
    # cut the corner and draw the fold
    for i in range(fold + 1):
        for x in range(x1 - fold + i, x1 + 1):
            c.put(x, y0 + i, MASK)
        c.put(x1 - fold + i, y0 + i, C["outline"])
    c.rect(x1 - fold, y0, x1 - fold, y0 + fold, C["outline"])
    c.rect(x1 - fold, y0 + fold, x1, y0 + fold, C["outline"])
    for i in range(1, fold):
        for x in range(x1 - fold + 1, x1 - fold + i + 1):
            c.put(x, y0 + i, C["lightgrey"])
    for (y, xa, xb) in lines:
        c.rect(xa, y, xb, y, C["text"])


def compile_picture(scale=1):
    """A script page with a green check mark: the text is checked and translated."""
    c = Canvas(24, scale)
    document(c, 2, 1, 17, 22, 5, [(4, 5, 10), (7, 5, 13), (10, 5, 14), (13, 5, 11), (16, 5, 9), (19, 5, 8)])
    check = stroke([(9.5, 15.0), (13.0, 18.5), (20.5, 8.5)], 1.75, c)
    c.stamp(check, C["green"], C["darkgreen"])
    return c


def program_picture(scale=1):
    """A chip with a blue arrow pointing down into it: the program goes to the controller."""
    c = Canvas(24, scale)
    # chip body with pins left and right
    for y in (14, 17, 20):
        c.rect(2, y, 5, y + 1, C["gold"])
        c.put(2, y + 1, C["darkgold"])
        c.rect(18, y, 21, y + 1, C["gold"])
        c.put(21, y + 1, C["darkgold"])
    c.rect(5, 12, 18, 23, C["chip"])
    c.frame(5, 12, 18, 23, C["black"])
    c.rect(6, 13, 17, 13, C["chipedge"])
    c.rect(7, 20, 8, 21, C["chipedge"])  # pin 1 mark
    # arrow: shaft and head, with a dark rim
    arrow = polygon([(9, 0), (15, 0), (15, 7), (20, 7), (12, 15), (4, 7), (9, 7)], c)
    c.stamp(arrow, C["blue"], C["darkblue"])
    for (x, y) in ((10, 1), (10, 2), (10, 3), (10, 4), (10, 5), (10, 6), (10, 7), (9, 8)):
        c.put(x, y, C["lightblue"])
    return c


def terminal_picture(scale=1):
    """A monitor with the prompt ">_" on a dark screen: the serial terminal."""
    c = Canvas(24, scale)
    c.rect(0, 2, 23, 18, C["frame"])
    c.frame(0, 2, 23, 18, C["outline"])
    c.rect(1, 3, 22, 3, C["lightgrey"])
    c.rect(3, 5, 20, 15, C["screen"])
    c.frame(2, 4, 21, 16, C["outline"])
    c.rect(10, 19, 13, 20, C["grey"])
    c.frame(9, 19, 14, 20, C["outline"])
    c.rect(5, 21, 18, 22, C["grey"])
    c.frame(5, 21, 18, 22, C["outline"])
    c.rect(6, 21, 17, 21, C["lightgrey"])
    chevron = stroke([(5.5, 6.5), (9.5, 10.0), (5.5, 13.5)], 0.95, c)
    c.stamp(chevron, C["prompt"])
    c.rect(11, 12, 17, 13, C["prompt"])
    return c


def ring(cx, cy, inner, outer, canvas):
    """The screen pixels whose centres lie between `inner` and `outer` from (cx, cy), grid units."""
    s = canvas.scale
    shape = set()
    for y in range(canvas.size):
        for x in range(canvas.size):
            d2 = ((x + 0.5) / s - cx) ** 2 + ((y + 0.5) / s - cy) ** 2
            if inner * inner <= d2 <= outer * outer:
                shape.add((x, y))
    return shape


def mirrored(points):
    """The points reflected left to right on the 24-unit grid."""
    return [(24 - x, y) for (x, y) in points]


def new_picture(scale=1):
    """A blank page with a green plus: a new script."""
    c = Canvas(24, scale)
    document(c, 3, 1, 18, 22, 5, [])
    plus = polygon([(14, 10), (18, 10), (18, 14), (22, 14), (22, 18), (18, 18), (18, 22), (14, 22), (14, 18),
                    (10, 18), (10, 14), (14, 14)], c)
    c.stamp(plus, C["green"], C["darkgreen"])
    return c


def open_picture(scale=1):
    """An opened folder."""
    c = Canvas(24, scale)
    back = polygon([(1, 3), (9, 3), (11, 6), (21, 6), (21, 21), (1, 21)], c)
    c.stamp(back, C["gold"], C["darkgold"])
    c.stamp(polygon([(4, 9), (18, 9), (18, 12), (4, 12)], c), C["white"])
    front = polygon([(5.5, 11), (22.5, 11), (19, 21), (1, 21)], c)
    c.stamp(front, C["folder"], C["darkgold"])
    return c


def save_picture(scale=1):
    """A floppy disk: its metal shutter at the top, the white label below."""
    c = Canvas(24, scale)
    disk = polygon([(1, 1), (20, 1), (23, 4), (23, 23), (1, 23)], c)
    c.stamp(disk, C["blue"], C["darkblue"])
    c.rect(6, 2, 17, 8, C["lightgrey"])
    c.frame(6, 2, 17, 8, C["outline"])
    c.rect(13, 3, 15, 7, C["outline"])
    c.rect(4, 12, 19, 22, C["white"])
    c.frame(4, 12, 19, 22, C["darkblue"])
    for y in (15, 18):
        c.rect(6, y, 17, y, C["text"])
    return c


def cut_picture(scale=1):
    """Open scissors: two blades crossing above two red finger rings."""
    c = Canvas(24, scale)
    blades = stroke([(7.5, 1.5), (14.0, 15.0)], 1.5, c) | stroke([(16.5, 1.5), (10.0, 15.0)], 1.5, c)
    c.stamp(blades, C["lightgrey"], C["outline"])
    c.put(11, 10, C["outline"])  # the rivet
    rings = ring(6.5, 18.5, 2.2, 4.2, c) | ring(17.5, 18.5, 2.2, 4.2, c)
    c.stamp(rings, C["red"], C["darkred"])
    return c


def copy_picture(scale=1):
    """Two pages, one over the other: the text copied."""
    c = Canvas(24, scale)
    document(c, 1, 0, 14, 16, 4, [(4, 3, 8), (7, 3, 11), (10, 3, 10), (13, 3, 9)])
    c.rect(8, 6, 23, 23, C["mask"])
    document(c, 9, 6, 22, 23, 4, [(10, 11, 16), (13, 11, 19), (16, 11, 18), (19, 11, 17)])
    return c


def paste_picture(scale=1):
    """A clipboard with a page on it: the copied text put in."""
    c = Canvas(24, scale)
    c.stamp(polygon([(1, 3), (18, 3), (18, 23), (1, 23)], c), C["board"], C["darkboard"])
    c.rect(6, 1, 13, 5, C["lightgrey"])
    c.frame(6, 1, 13, 5, C["outline"])
    c.rect(8, 1, 11, 1, C["outline"])
    c.rect(8, 8, 23, 23, C["mask"])
    document(c, 9, 8, 22, 23, 4, [(12, 11, 16), (15, 11, 19), (18, 11, 18)])
    return c


def delete_picture(scale=1):
    """A red cross."""
    c = Canvas(24, scale)
    cross = stroke([(5, 5), (19, 19)], 2.4, c) | stroke([(19, 5), (5, 19)], 2.4, c)
    c.stamp(cross, C["red"], C["darkred"])
    return c


def undo_arrow(mirror):
    """A blue arrow bending back to the left (to the right when `mirror`)."""
    arc = [(14.0 + 6.0 * math.cos(a * math.pi / 12), 14.5 + 6.0 * math.sin(a * math.pi / 12))
           for a in range(-6, 7)]
    shaft = [(6.5, 8.5)] + arc + [(8.0, 20.5)]
    head = [(1.0, 8.5), (8.5, 1.5), (8.5, 15.5)]

    def draw(scale=1):
        c = Canvas(24, scale)
        f = mirrored if mirror else list
        shape = stroke(f(shaft), 1.5, c) | polygon(f(head), c)
        c.stamp(shape, C["blue"], C["darkblue"])
        return c
    return draw


def test_picture(scale=1):
    """A light bulb: try out a little idea."""
    c = Canvas(24, scale)
    glass = ring(12, 9, 0, 7.5, c) | polygon([(7.5, 12), (16.5, 12), (15, 17), (9, 17)], c)
    c.stamp(glass, C["bulb"], C["darkbulb"])
    c.stamp(stroke([(8.5, 9.5), (8.5, 7.5), (10.5, 5.0)], 0.75, c), C["white"])
    c.rect(8, 17, 15, 21, C["lightgrey"])
    c.frame(8, 17, 15, 21, C["outline"])
    c.rect(9, 19, 14, 19, C["grey"])
    c.rect(10, 22, 13, 23, C["outline"])
    return c


def app_icon():
    """A house with a chip in it: a program for the building's controller."""
    c = Canvas(48)
    c.rect(33, 5, 38, 16, C["roof"])      # chimney
    c.frame(33, 5, 38, 16, C["darkroof"])
    c.rect(9, 20, 38, 45, C["wall"])
    c.frame(9, 20, 38, 45, C["outline"])
    roof = polygon([(24, 2), (46, 22), (43, 25), (24, 8), (5, 25), (2, 22)], c)
    c.stamp(roof, C["roof"], C["darkroof"])
    for y in (26, 30, 34, 38):
        c.rect(13, y, 17, y + 1, C["gold"])
        c.rect(30, y, 34, y + 1, C["gold"])
    c.rect(17, 24, 30, 41, C["chip"])
    c.frame(17, 24, 30, 41, C["black"])
    c.rect(18, 25, 29, 25, C["chipedge"])
    # "TqC" would not read at this size; the chip carries a green status light instead
    c.rect(19, 37, 21, 39, C["green"])
    c.frame(19, 37, 21, 39, C["darkgreen"])
    return c


def bmp(canvas):
    """An uncompressed 8-bit BMP with a full 256-entry palette (rows bottom-up, 4-byte aligned)."""
    size = canvas.size
    row_bytes = (size + 3) & ~3
    used = max(FIRST_PALETTE, max(max(row) for row in canvas.px) + 1)
    palette = bytearray()
    for i in range(256):
        r, g, b = PALETTE[i] if i < used else (0, 0, 0)
        palette += bytes((b, g, r, 0))
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytes(canvas.px[y])
        pixels += row + bytes(row_bytes - size)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def c_array(name, data):
    lines = ["static const unsigned char %s[%d] = {" % (name, len(data))]
    for i in range(0, len(data), 16):
        lines.append("    " + " ".join("0x%02x," % b for b in data[i:i + 16]))
    lines.append("};")
    return "\n".join(lines)


def png_bytes(width, height, rows, channels=3):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + bytes(row) for row in rows)
    colour_type = 6 if channels == 4 else 2
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def png(path, width, height, rgb_rows):
    with open(path, "wb") as f:
        f.write(png_bytes(width, height, rgb_rows))


ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
TOOL_SCALES = (1, 1.5, 2)


def rgba_scaled(canvas, size):
    """The picture as RGBA rows of `size` pixels: enlarged by whole pixels so that it stays
    crisp, reduced by averaging the covered pixels (weighted by their opacity)."""
    src = canvas.size
    rows = []
    for y in range(size):
        row = []
        y0, y1 = y * src // size, max(y * src // size + 1, (y + 1) * src // size)
        for x in range(size):
            x0, x1 = x * src // size, max(x * src // size + 1, (x + 1) * src // size)
            r = g = b = a = n = 0
            for yy in range(y0, y1):
                for xx in range(x0, x1):
                    n += 1
                    idx = canvas.px[yy][xx]
                    if idx == MASK:
                        continue
                    pr, pg, pb = PALETTE[idx]
                    r, g, b, a = r + pr, g + pg, b + pb, a + 1
            row += [r // a, g // a, b // a, 255 * a // n] if a else [0, 0, 0, 0]
        rows.append(row)
    return rows


def ico(path, canvas):
    """A Windows icon file holding every size as a PNG image (read by Windows Vista and later)."""
    images = [png_bytes(s, s, rgba_scaled(canvas, s), 4) for s in ICON_SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(ICON_SIZES, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def preview(path, rows, toolbars):
    """Each row of pictures enlarged 6 times on a checker board; below, each toolbar as a strip at
    its real size on a light and on a dark background, and the first strip again enlarged 3 times."""
    gap, light, dark = 8, (236, 236, 236), (50, 50, 50)
    blocks = []  # (canvases, enlargement, background) laid out one block a line

    for row in rows:
        blocks.append((row, 6, None))
    for strip in toolbars:
        blocks += [(strip, 1, light), (strip, 1, dark)]
    blocks += [(toolbars[0], 3, light), (toolbars[0], 3, dark)]
    width = max(sum(c.size * k + (4 * k if bg else gap) for c in row) for row, k, bg in blocks) + gap
    height = sum(max(c.size for c in row) * k + gap for row, k, _ in blocks) + gap
    img = [[(90, 90, 90)] * width for _ in range(height)]
    y0 = gap
    for row, k, background in blocks:
        x0 = gap
        for c in row:
            for y in range(c.size * k):
                for x in range(c.size * k):
                    idx = c.px[y // k][x // k]
                    if idx != MASK:
                        colour = PALETTE[idx]
                    elif background:
                        colour = background
                    else:
                        colour = (200, 200, 200) if ((x // 4) + (y // 4)) % 2 else (240, 240, 240)
                    img[y0 + y][x0 + x] = colour
            x0 += c.size * k + (gap if not background else 4 * k)
        y0 += max(c.size for c in row) * k + gap
    png(path, width, height, [[v for p in row for v in p] for row in img])


# The toolbar pictures in the order of ToolPicture in Resources.h.
TOOLS = (("Compile", compile_picture), ("Program", program_picture), ("Terminal", terminal_picture),
         ("New", new_picture), ("Open", open_picture), ("Save", save_picture), ("Cut", cut_picture),
         ("Copy", copy_picture), ("Paste", paste_picture), ("Delete", delete_picture),
         ("Undo", undo_arrow(False)), ("Redo", undo_arrow(True)), ("Test", test_picture))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also write an enlarged PNG view of all pictures")
    parser.add_argument("--ico", help="write only the program icon as a Windows .ico file")
    parser.add_argument("--png-dir", help="write only the program icon as PNG-DIR/tqc-SIZE.png")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "Pictures.inc"))
    args = parser.parse_args()
    if args.ico or args.png_dir:
        if args.ico:
            ico(args.ico, app_icon())
        if args.png_dir:
            os.makedirs(args.png_dir, exist_ok=True)
            for s in ICON_SIZES:
                with open(os.path.join(args.png_dir, "tqc-%d.png" % s), "wb") as f:
                    f.write(png_bytes(s, s, rgba_scaled(app_icon(), s), 4))
        return

    # The toolbar pictures at 100 %, 150 % and 200 % (24, 36 and 48 pixels).
    tools = [[("k%sPicture%d" % (name, round(24 * scale)), draw(scale)) for scale in TOOL_SCALES]
             for name, draw in TOOLS]
    pictures = [picture for row in tools for picture in row] + [("kAppIconPicture", app_icon())]
    parts = ["// Written by resources/make_pictures.py; change the drawing there, not these bytes.",
             "// 8-bit palette BMP files; palette entry 0, (255, 0, 255), is the mask colour.", ""]
    for name, canvas in pictures:
        data = bmp(canvas)
        if canvas.size == 24 and len(data) != 1654:
            sys.exit("%s: %d bytes, expected 1654" % (name, len(data)))
        parts.append(c_array(name, data))
        parts.append("")
    parts.append("// Each toolbar picture at 24, 36 and 48 pixels, in the order of ToolPicture.")
    parts.append("static const EmbeddedPicture kToolPictureTable[%d][%d] = {" % (len(tools), len(TOOL_SCALES)))
    for row in tools:
        parts.append("    {" + ", ".join("{%s, sizeof %s}" % (name, name) for name, _ in row) + "},")
    parts += ["};", ""]
    with open(args.out, "w", newline="\n") as f:
        f.write("\n".join(parts))
    if args.preview:
        rows = [[canvas for _, canvas in row] for row in tools] + [[app_icon()]]
        preview(args.preview, rows, [[row[k][1] for row in tools] for k in range(len(TOOL_SCALES))])


if __name__ == "__main__":
    main()
