#!/usr/bin/env python3
"""Make the program's bitmaps and icon from the sources in res/art.

    make_art.py SOURCE_DIR OUTPUT_DIR
    make_art.py --png SOURCE_DIR OUTPUT_DIR

Reads palette.txt (one character per colour), the character grids of
items.txt, cars.txt, emblem.txt and icon.txt, and the shape drawing of
parts.py, and writes sheet.bmp, emblem.bmp, car1.bmp, car2.bmp, extra.bmp
(24-bit uncompressed, bottom-up) and app.ico (six images: 32 and 16 pixels
at 4, 8 and 32 bits per pixel). With --png it writes the same pictures as
PNG files for the page instead, and the icon at 32, 192 and 512 pixels.
Standard library only.
"""

import importlib.util
import math
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True  # the build writes nothing into the sources (parts.py)

KEY = (255, 255, 0)  # transparent key of the car pictures
BLACK = (0, 0, 0)
LIT = (255, 214, 0)  # a lit level square: yellow, but not the key
UNLIT = (72, 72, 80)
FRAME_DARK = (72, 72, 80)  # icon frame, top and left
FRAME_LIGHT = (200, 200, 208)  # icon frame, right and bottom

CELL_W, CELL_H = 40, 32  # an upgrade picture
ICON_W, ICON_H = 23, 19  # an item icon
# The sheet: a row of pictures per upgrade, one per level, then the row of
# item icons.
SHEET_W, SHEET_H = 4 * CELL_W, 4 * CELL_H + ICON_H
ITEM_ORDER = ["turret", "mine", "bottles", "posts", "pail", "drum", "rocket"]


class Canvas:
    """A picture of RGB tuples; None marks a transparent icon pixel."""

    def __init__(self, width, height, fill=BLACK):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]
        self.ox, self.oy = 0, 0  # origin of the drawing calls

    def put(self, x, y, colour):
        x, y = x + self.ox, y + self.oy
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def box(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.put(xx, yy, colour)

    def disc(self, cx, cy, r, colour):
        for yy in range(-r, r + 1):
            for xx in range(-r, r + 1):
                if xx * xx + yy * yy <= r * r + r * 0.8:
                    self.put(cx + xx, cy + yy, colour)

    def shaded(self, x, y, w, h, tone):
        """A box with an outline, lit from the top left."""
        self.box(x, y, w, h, tone["edge"])
        if w > 2 and h > 2:
            self.box(x + 1, y + 1, w - 2, h - 2, tone["lo"])
            self.box(x + 1, y + 1, w - 3, h - 3, tone["mid"])
            self.box(x + 1, y + 1, w - 3, 1, tone["hi"])
            self.box(x + 1, y + 1, 1, h - 3, tone["hi"])

    def blit(self, grid, palette, x, y):
        for yy, row in enumerate(grid):
            for xx, ch in enumerate(row):
                if ch != " ":
                    self.put(x + xx, y + yy, palette[ch])


def fail(message):
    sys.exit("make_art: " + message)


def read_palette(path):
    palette = {" ": None}
    for line in open(path, encoding="utf-8"):
        if line.strip() and not line.startswith("#"):
            ch, r, g, b = line[0], *line[1:].split()[:3]
            palette[ch] = (int(r), int(g), int(b))
    return palette


def read_grids(path):
    """Grids follow a line "= name width height"; "#" lines are comments."""
    grids, name = {}, None
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if line.startswith("#"):
            continue
        if line.startswith("= "):
            name, w, h = line[2:].split()
            grids[name] = (int(w), int(h), [])
        elif name is not None and line.strip():
            grids[name][2].append(line.ljust(grids[name][0]))
    for name, (w, h, rows) in grids.items():
        if len(rows) != h or any(len(r) != w for r in rows):
            fail(f"{path}: grid {name} is not {w} x {h}")
    return {name: rows for name, (w, h, rows) in grids.items()}


def check_colours(grid, palette, path, key_allowed=False):
    for row in grid:
        for ch in row:
            if ch not in palette:
                fail(f"{path}: unknown colour '{ch}'")
            if ch == "~" and not key_allowed:
                fail(f"{path}: the key colour is only for the car surround")


def framed_icon(canvas, grid, palette, x, y, width=ICON_W):
    """An item on black, framed dark at top and left, light at right and bottom."""
    canvas.box(x, y, width, ICON_H, BLACK)
    canvas.blit([row[: width - 2] for row in grid], palette, x + 1, y + 1)
    canvas.box(x, y, width, 1, FRAME_DARK)
    canvas.box(x, y, 1, ICON_H, FRAME_DARK)
    canvas.box(x + 1, y + ICON_H - 1, width - 1, 1, FRAME_LIGHT)
    canvas.box(x + width - 1, y + 1, 1, ICON_H - 1, FRAME_LIGHT)


def level_squares(canvas, x, y, level):
    for i in range(4):
        canvas.box(x + 2 + 5 * i, y + 27, 4, 4, LIT if i < level else UNLIT)


def make_sheet(parts, items, palette):
    sheet = Canvas(SHEET_W, SHEET_H)
    for row, draw in enumerate(parts.ROWS):
        for level in range(4):
            sheet.ox, sheet.oy = CELL_W * level, CELL_H * row
            draw(sheet, level)
            sheet.ox = sheet.oy = 0
            level_squares(sheet, CELL_W * level, CELL_H * row, level)
    for i, name in enumerate(ITEM_ORDER):
        x = ICON_W * i
        framed_icon(sheet, items[name], palette, x, 4 * CELL_H, min(ICON_W, SHEET_W - x))
    return sheet


def make_car(grid, palette):
    """The car under a grey glass dome on a dark round base, on the key colour."""
    car = Canvas(72, 60, KEY)
    cx = 36
    for y in range(60):  # the base: a flat ellipse
        for x in range(72):
            e = ((x - cx + 0.5) / 34.5) ** 2 + ((y - 52) / 7.5) ** 2
            if e <= 1:
                car.put(x, y, (72, 68, 88) if y < 50 else (40, 36, 48) if e > 0.55 else (56, 52, 68))
    for y in range(4, 51):  # the dome: the upper half of an ellipse
        for x in range(72):
            e = ((x - cx + 0.5) / 31.5) ** 2 + ((y - 50.5) / 46.5) ** 2
            if e <= 1:
                glass = (118, 122, 136)
                if e > 0.86:
                    glass = (74, 78, 92)  # rim of the glass
                elif 0.55 < e < 0.70 and x < cx - 6 and y < 34:
                    glass = (200, 206, 218)  # reflection at the upper left
                elif x > cx and e < 0.86 and ((x - cx) - (50 - y) * 0.3) > 14:
                    glass = (104, 108, 122)  # the shaded right side
                car.put(x, y, glass)
    gw, gh = len(grid[0]), len(grid)
    car.blit(grid, palette, cx - gw // 2, 50 - gh)
    return car


def write_bmp(path, canvas):
    """A 24-bit BI_RGB bitmap, rows bottom-up and padded to 4 bytes."""
    row_size = (canvas.width * 3 + 3) & ~3
    image = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray()
        for x in range(canvas.width):
            r, g, b = canvas.get(x, y)
            row += bytes((b, g, r))
        image += row + bytes(row_size - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(image),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + image)


def and_mask(canvas):
    row_size = ((canvas.width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(canvas.height)):
        row = bytearray(row_size)
        for x in range(canvas.width):
            if canvas.get(x, y) is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return mask


def icon_image(canvas, bits):
    """One icon image: header, palette, colour bits and the AND mask."""
    w, h = canvas.width, canvas.height
    colours = sorted({c for row in canvas.pixels for c in row if c is not None})
    table = b""
    if bits <= 8:
        if len(colours) > (1 << bits):
            fail(f"{w} x {h} icon has {len(colours)} colours, more than {1 << bits}")
        colours = [BLACK] + [c for c in colours if c != BLACK]
        colours += [BLACK] * ((1 << bits) - len(colours))
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        index = {c: i for i, c in reversed(list(enumerate(colours)))}
    row_size = ((w * bits + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(h)):
        row = bytearray(row_size)
        for x in range(w):
            c = canvas.get(x, y)
            if bits == 32:
                row[4 * x : 4 * x + 4] = bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
            elif bits == 8:
                row[x] = index[c or BLACK]
            else:
                row[x // 2] |= index[c or BLACK] << (0 if x % 2 else 4)
        xor += row
    mask = and_mask(canvas)
    info = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, bits, 0, len(xor) + len(mask), 0, 0,
                       (1 << bits) if bits <= 8 else 0, 0)
    return info + table + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: (canvas, bits) in file order, which windres numbers 1, 2, ..."""
    blobs = [icon_image(c, bits) for c, bits in images]
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    for (c, bits), blob in zip(images, blobs):
        head += struct.pack("<BBBBHHII", c.width % 256, c.height % 256, 16 if bits == 4 else 0, 0, 1,
                            bits, len(blob), offset)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(head + b"".join(blobs))


def make_emblem(mask, palette):
    """The initials from a mask ("#" letter, "^" flame), shaded like fire."""
    emblem = Canvas(50, 32, (26, 16, 34))
    fire = [(255, 244, 150), (255, 220, 40), (255, 176, 16), (255, 128, 0), (232, 72, 0), (184, 32, 0)]
    for y, row in enumerate(mask):
        for x, ch in enumerate(row):
            if ch == "#":  # letters: yellow at the bottom, orange at the top
                emblem.put(x, y, fire[max(0, min(5, (30 - y) // 5))])
            elif ch == "^":  # flames: yellow at the root, red at the tips
                depth = sum(1 for yy in range(0, y + 1) if mask[yy][x] == "^")  # from the tip
                emblem.put(x, y, fire[1 if depth > 8 else 2 if depth > 5 else 3 if depth > 3 else 4 if depth > 1 else 5])
            elif ch == "*":
                emblem.put(x, y, fire[0])
            elif ch != "." and ch != " ":
                emblem.put(x, y, palette[ch])
    for y in range(32):  # a dark red outline round everything lit
        for x in range(50):
            if mask[y][x] in ".":
                near = [mask[yy][xx] for yy, xx in ((y - 1, x), (y + 1, x), (y, x - 1), (y, x + 1))
                        if 0 <= yy < 32 and 0 <= xx < 50]
                if any(n in "#^*" for n in near):
                    emblem.put(x, y, (96, 16, 8))
    return emblem


def write_png(path, canvas, scale=1, key=None):
    """An 8-bit RGBA PNG, each pixel scale x scale; None and the key colour are transparent."""
    rows = bytearray()
    for y in range(canvas.height):
        row = bytearray(b"\0")  # filter type 0 for every row
        for x in range(canvas.width):
            c = canvas.get(x, y)
            pixel = bytes((0, 0, 0, 0)) if c is None or c == key else bytes((*c, 255))
            row += pixel * scale
        rows += bytes(row) * scale

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", canvas.width * scale, canvas.height * scale, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
                + chunk(b"IEND", b""))


def draw_pictures(src):
    """Every picture of the program as a canvas, by name, and the icon's two sizes."""
    palette = read_palette(os.path.join(src, "palette.txt"))
    module_spec = importlib.util.spec_from_file_location("parts", os.path.join(src, "parts.py"))
    parts = importlib.util.module_from_spec(module_spec)
    module_spec.loader.exec_module(parts)
    grids = {}
    for name in ("items.txt", "cars.txt", "emblem.txt", "icon.txt"):
        path = os.path.join(src, name)
        for key, grid in read_grids(path).items():
            check_colours(grid, palette if name != "emblem.txt" else {**palette, "#": 0, "^": 0, "*": 0},
                          path, key_allowed=False)
            grids[key] = grid

    extra = Canvas(ICON_W, ICON_H)
    framed_icon(extra, grids["extra"], palette, 0, 0)
    pictures = {
        "sheet": make_sheet(parts, grids, palette),
        "emblem": make_emblem(grids["emblem"], palette),
        "car1": make_car(grids["car1"], palette),
        "car2": make_car(grids["car2"], palette),
        "extra": extra,
    }
    icons = {}
    for size in (32, 16):
        icon = Canvas(size, size, None)
        icon.blit(grids[f"icon{size}"], palette, 0, 0)
        icons[size] = icon
    return pictures, icons


def main():
    png = len(sys.argv) == 4 and sys.argv[1] == "--png"
    if len(sys.argv) != 3 and not png:
        sys.exit(__doc__)
    src, out = sys.argv[-2], sys.argv[-1]
    os.makedirs(out, exist_ok=True)
    pictures, icons = draw_pictures(src)
    if png:
        # The page's copies: the car surround transparent, the icon also
        # enlarged for the home screen.
        for name, canvas in pictures.items():
            write_png(os.path.join(out, name + ".png"), canvas, key=KEY if name.startswith("car") else None)
        for scale in (1, 6, 16):
            write_png(os.path.join(out, f"icon-{32 * scale}.png"), icons[32], scale)
        return
    for name, canvas in pictures.items():
        write_bmp(os.path.join(out, name + ".bmp"), canvas)
    write_ico(os.path.join(out, "app.ico"),
              [(icons[32], 4), (icons[16], 4), (icons[32], 8), (icons[16], 8), (icons[32], 32),
               (icons[16], 32)])


if __name__ == "__main__":
    main()
