"""Upgrade pictures of the sheet, drawn from shapes.

Each function draws one 40 x 32 cell for a level 0..3 on a canvas that
offers put, box, disc and shaded (see tools/make_art.py). The part grows
heavier with the level; level 3 is blue, the others grey, and the engine
and the shocks of levels 1 and 2 carry red parts. The level squares are
added by the tool, below y = 26.
"""

import math

GREY = {"hi": (208, 208, 216), "mid": (156, 156, 166), "lo": (100, 100, 110), "edge": (56, 56, 64)}
BLUE = {"hi": (150, 196, 255), "mid": (64, 120, 236), "lo": (32, 64, 170), "edge": (18, 34, 100)}
RED = {"hi": (255, 120, 96), "mid": (224, 36, 28), "lo": (140, 16, 12), "edge": (72, 8, 8)}
RUBBER = {"hi": (136, 136, 146), "mid": (84, 84, 94), "lo": (60, 60, 68), "edge": (40, 40, 46)}
BLUE_RUBBER = {"hi": (96, 140, 230), "mid": (40, 80, 200), "lo": (24, 48, 140), "edge": (14, 28, 90)}


def tone(level):
    return BLUE if level == 3 else GREY


def accent(level):
    return RED if level in (1, 2) else tone(level)


def engine(c, level):
    t, a = tone(level), accent(level)
    w, h = 18 + 4 * level, 7 + level
    x0, y0 = 21 - w // 2, 25 - h
    c.shaded(x0, y0, w, h, t)  # crankcase
    for fx in range(x0 + 3, x0 + w - 2, 3):  # cooling fins
        c.box(fx, y0 + 2, 1, h - 4, t["lo"])
    heads = 2 + level
    hw = (w - 4) // heads
    for i in range(heads):
        hx = x0 + 2 + i * hw
        c.shaded(hx, y0 - 5, hw - 1, 6, t)  # cylinder
        c.shaded(hx - 1, y0 - 9, hw + 1, 5, a)  # valve cover
    px, py, pr = x0 - 1, y0 + h // 2, 3 + level // 2  # pulley at the front
    c.disc(px, py, pr, t["edge"])
    c.disc(px, py, pr - 1, t["lo"])
    c.disc(px, py, 1, t["hi"])
    if level >= 2:  # exhaust pipe out of the back
        c.box(x0 + w, y0 - 4, 3, 2, a["mid"])
        c.box(x0 + w + 2, y0 - 4, 2, h + 2, a["lo"])
    if level == 3:  # blower with its intake on top
        c.shaded(x0 + w // 2 - 6, y0 - 13, 12, 6, t)
        c.box(x0 + w // 2 - 4, y0 - 14, 8, 1, t["hi"])
        for bx in range(x0 + w // 2 - 4, x0 + w // 2 + 5, 2):
            c.box(bx, y0 - 11, 1, 3, t["edge"])


def armor(c, level):
    t = tone(level)
    layers = [[5], [8], [8, 6], [9, 7, 5]][level]
    y, w = 25, 34
    for i, th in enumerate(layers):
        y -= th
        x0 = 3 + 2 * i
        c.shaded(x0, y, w, th, t)
        for j in range(min(th, 6)):  # top right corner cut at 45 degrees
            c.box(x0 + w - 6 + j, y + j, 6 - j, 1, (0, 0, 0))
            c.put(x0 + w - 7 + j, y + j, t["edge"])
        for rx in range(x0 + 3, x0 + w - 6, 6):  # rivets
            c.put(rx, y + th // 2, t["edge"])
            c.put(rx - 1, y + th // 2 - 1, t["hi"])
        w -= 6


def shock(c, cx, level, spring):
    t = tone(level)
    sw = 6 + 2 * level
    c.disc(cx, 3, 2, t["edge"])  # top eye
    c.put(cx, 3, (0, 0, 0))
    c.shaded(cx - 2, 5, 5, 10, t)  # damper body
    c.box(cx - 1, 15, 3, 7, t["hi"])  # piston rod
    c.box(cx + 1, 15, 1, 7, t["lo"])
    c.disc(cx, 23, 2, t["edge"])  # bottom eye
    c.put(cx, 23, (0, 0, 0))
    c.box(cx - sw // 2, 6, sw + 1, 2, spring["lo"])  # spring seats
    c.box(cx - sw // 2, 19, sw + 1, 2, spring["lo"])
    for y in range(8, 19, 2):  # coils, slanted by one pixel
        c.box(cx - sw // 2, y, sw // 2 + 1, 1, spring["hi"])
        c.box(cx + 1, y + 1, sw // 2, 1, spring["mid"])


def shocks(c, level):
    spring = accent(level)
    if level < 2:
        shock(c, 20, level, spring)
    else:
        shock(c, 12, level, spring)
        shock(c, 29, level, spring)


def tires(c, level):
    t = tone(level)
    rub = BLUE_RUBBER if level == 3 else RUBBER
    rr, th = 9 + level, 3 + level
    cx, cy = 24, 13
    if level >= 1:  # the wider tire shows its tread behind
        c.disc(cx - 3 - level, cy, rr, rub["edge"])
        for y in range(cy - rr + 1, cy + rr, 3):
            c.box(cx - 3 - level - rr + 2, y, 3, 1, rub["lo"])
    c.disc(cx, cy, rr, rub["edge"])
    c.disc(cx, cy, rr - 1, rub["mid"])
    for a in range(12):  # tread blocks round the rim
        ang = a * math.pi / 6
        for d in (rr - 2, rr - 1):
            c.put(round(cx + d * math.cos(ang)), round(cy + d * math.sin(ang)), rub["lo"])
    c.disc(cx, cy, rr - th, t["edge"])
    c.disc(cx, cy, rr - th - 1, t["mid"])
    c.disc(cx - 1, cy - 1, max(1, rr - th - 3), t["hi"])
    c.disc(cx, cy, 1, t["edge"])


ROWS = [engine, armor, shocks, tires]
