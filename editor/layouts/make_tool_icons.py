#!/usr/bin/env python3
"""Draws the main window's tool-bar and mode-button icons (24 x 24, our own artwork) and writes them into the layout.

Run once after changing a drawing: python3 make_tool_icons.py  (rewrites, for every button named below, its
ImageNormal.Data block in MainWindow.lay and, for the mode buttons, ImageGroupMode.Data: the icon on the checked
button's highlight). The disabled look is the button's own (the normal image at a third of its alpha). Needs only
the standard library.
"""
import math
import os
import re
import struct
import zlib

SIZE = 24
SS = 4  # samples per pixel along each axis

# ---- a tiny anti-aliased rasteriser: shapes are tests on points in icon units (0..24) -------------------------------


class Icon:
    def __init__(self):
        self.px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]

    def fill(self, inside, colour):
        """Paints colour (r, g, b[, a]) over every pixel by the share of its samples for which inside(x, y) holds."""
        r, g, b = colour[:3]
        a = colour[3] if len(colour) > 3 else 255
        for py in range(SIZE):
            for px in range(SIZE):
                hits = sum(inside(px + (i + 0.5) / SS, py + (j + 0.5) / SS) for i in range(SS) for j in range(SS))
                if not hits:
                    continue
                alpha = a * hits / (SS * SS) / 255
                dr, dg, db, da = self.px[py][px]
                da = da / 255
                out = alpha + da * (1 - alpha)
                mix = lambda s, d: round((s * alpha + d * da * (1 - alpha)) / out) if out else 0
                self.px[py][px] = (mix(r, dr), mix(g, dg), mix(b, db), round(out * 255))
        return self

    def png(self):
        raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in self.px)

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def rect(x0, y0, x1, y1, r=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, w):
    return lambda x, y: (r - w) ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(*pts):
    def inside(x, y):
        hit = False
        for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return inside


def line(ax, ay, bx, by, w):
    dx, dy = bx - ax, by - ay
    n = math.hypot(dx, dy)
    ox, oy = -dy / n * w / 2, dx / n * w / 2
    return polygon((ax + ox, ay + oy), (bx + ox, by + oy), (bx - ox, by - oy), (ax - ox, ay - oy))


def arc(cx, cy, r, w, a0, a1):
    """A band of width w along a circle, between the angles a0 and a1 (degrees, counter-clockwise from east)."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return r - w / 2 <= d <= r + w / 2 and (a0 <= a <= a1 if a0 <= a1 else a >= a0 or a <= a1)
    return inside


def either(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


OUTLINE = (40, 48, 60)

# ---- the icons -------------------------------------------------------------------------------------------------------


def page(icon):
    icon.fill(polygon((5, 2), (15, 2), (20, 7), (20, 22), (5, 22)), OUTLINE)
    icon.fill(polygon((6, 3), (14.5, 3), (19, 7.5), (19, 21), (6, 21)), (250, 250, 246))
    icon.fill(polygon((14.5, 3), (19, 7.5), (14.5, 7.5)), (200, 206, 214))


def new_map(icon):
    page(icon)
    icon.fill(either(rect(8, 10, 17, 11.5), rect(8, 13.5, 17, 15), rect(8, 17, 14, 18.5)), (150, 180, 205))
    icon.fill(circle(17.5, 17.5, 5.5), (255, 255, 255))
    icon.fill(circle(17.5, 17.5, 4.8), (46, 150, 60))
    icon.fill(either(rect(16.6, 14.5, 18.4, 20.5), rect(14.5, 16.6, 20.5, 18.4)), (255, 255, 255))


def folder(icon):
    icon.fill(polygon((2, 5), (9, 5), (11, 7), (20, 7), (20, 20), (2, 20)), (150, 105, 20))
    icon.fill(polygon((3, 6), (8.6, 6), (10.6, 8), (19, 8), (19, 19), (3, 19)), (238, 190, 70))
    icon.fill(polygon((5, 11), (23, 11), (20, 20), (2, 20)), (150, 105, 20))
    icon.fill(polygon((5.7, 12), (21.6, 12), (19.3, 19), (3.4, 19)), (252, 214, 110))


def save(icon):
    icon.fill(rect(3, 3, 21, 21, 1.5), (30, 60, 110))
    icon.fill(rect(4, 4, 20, 20, 1), (60, 110, 185))
    icon.fill(rect(7, 4, 17, 10), (230, 236, 245))
    icon.fill(rect(13.5, 5, 15.5, 9), (60, 110, 185))
    icon.fill(rect(6, 13, 18, 20), (245, 245, 240))
    icon.fill(either(rect(8, 15, 16, 16), rect(8, 17.5, 16, 18.5)), (160, 170, 185))


def turn_arrow(icon, mirrored):
    """An arc over the top ending in a head that points down, at the left end (or the right when mirrored)."""
    f = (lambda x: 24 - x) if mirrored else (lambda x: x)
    colour = (40, 110, 190)
    icon.fill(arc(12, 15, 6.5, 3, 0, 180), colour)
    icon.fill(polygon((f(1.5), 14), (f(9.5), 14), (f(5.5), 19.5)), colour)


def undo(icon):
    turn_arrow(icon, False)


def redo(icon):
    turn_arrow(icon, True)


def pencil(icon):
    icon.fill(line(5, 19, 18, 6, 6.2), OUTLINE)
    icon.fill(line(6.5, 17.5, 17.5, 6.5, 4.4), (245, 180, 40))
    icon.fill(line(15.5, 8.5, 18.2, 5.8, 4.4), (230, 120, 140))
    icon.fill(polygon((3, 21), (4.2, 15.6), (8.4, 19.8)), (235, 205, 160))
    icon.fill(polygon((3, 21), (3.6, 18.4), (5.6, 20.4)), OUTLINE)


def pointer(icon):
    icon.fill(polygon((6, 2), (6, 20), (10.2, 16), (13, 22.5), (16, 21.2), (13.2, 15), (19, 15)), OUTLINE)
    icon.fill(polygon((7.2, 4.8), (7.2, 17.3), (10.6, 14), (13.6, 20.9), (14.4, 20.5), (11.4, 13.8), (16, 13.8)),
              (255, 255, 255))


def eraser(icon):
    icon.fill(polygon((2, 15), (12, 5), (22, 13), (13, 21), (6, 21)), OUTLINE)
    icon.fill(polygon((3.5, 15), (12, 6.5), (20.5, 13), (16, 17)), (230, 90, 110))
    icon.fill(polygon((3.5, 15), (16, 17), (12.6, 20), (6.4, 20)), (245, 240, 235))
    icon.fill(rect(2, 21.2, 22, 22.2), (120, 130, 140))


def full_view(icon):
    icon.fill(rect(6, 6, 18, 18), (120, 165, 215))
    icon.fill(rect(7, 7, 17, 17), (205, 225, 245))
    colour = (30, 80, 150)
    for sx, sy in ((1, 1), (-1, 1), (1, -1), (-1, -1)):
        cx, cy = 12 - sx * 10, 12 - sy * 10
        icon.fill(polygon((cx, cy), (cx + sx * 7, cy), (cx, cy + sy * 7)), colour)
        icon.fill(line(cx + sx * 2, cy + sy * 2, cx + sx * 7, cy + sy * 7, 2.2), colour)


def padlock(icon, opened):
    shackle = arc(12, 9, 5, 2.4, 0, 180)
    if opened:
        shackle = either(arc(16, 7, 5, 2.4, 0, 180), rect(19.8, 7, 22.2, 11))
    else:
        shackle = either(shackle, rect(5.8, 9, 8.2, 12), rect(15.8, 9, 18.2, 12))
    icon.fill(shackle, (120, 125, 135))
    icon.fill(rect(4, 11, 20, 22, 1.5), (150, 105, 20))
    icon.fill(rect(5, 12, 19, 21, 1), (235, 185, 60))
    icon.fill(either(circle(12, 15.5, 1.8), rect(11.2, 15.5, 12.8, 19)), (90, 60, 10))


def lock(icon):
    padlock(icon, False)


def unlock(icon):
    padlock(icon, True)


def disable_modes(icon):
    icon.fill(circle(12, 12, 9.5), (170, 25, 25))
    icon.fill(circle(12, 12, 7), (252, 240, 240))
    icon.fill(line(6.5, 17.5, 17.5, 6.5, 2.8), (170, 25, 25))


def tiles(icon):
    colours = ((80, 160, 70), (120, 185, 90), (120, 185, 90), (80, 160, 70))
    for i, (x, y) in enumerate(((3, 3), (12.5, 3), (3, 12.5), (12.5, 12.5))):
        icon.fill(rect(x, y, x + 8.5, y + 8.5, 1), OUTLINE)
        icon.fill(rect(x + 1, y + 1, x + 7.5, y + 7.5, 0.5), colours[i])


def crate(icon, x, y, fill, border):
    icon.fill(rect(x, y, x + 12, y + 12, 1), border)
    if fill:
        icon.fill(rect(x + 1.2, y + 1.2, x + 10.8, y + 10.8, 0.5), fill)
        icon.fill(either(line(x + 2, y + 2, x + 10, y + 10, 1.2), line(x + 10, y + 2, x + 2, y + 10, 1.2)), border)
    else:
        icon.fill(rect(x + 1.2, y + 1.2, x + 10.8, y + 10.8, 0.5), (236, 236, 236))


def front_object(icon):
    crate(icon, 9, 3, None, (150, 150, 150))
    crate(icon, 3, 9, (225, 160, 70), (110, 70, 20))


def back_object(icon):
    crate(icon, 9, 3, (225, 160, 70), (110, 70, 20))
    icon.fill(rect(3, 9, 15, 21, 1), (150, 150, 150))
    icon.fill(rect(4.2, 10.2, 13.8, 19.8, 0.5), (236, 236, 236, 235))


def blocker(icon):
    icon.fill(either(rect(4, 12, 6.5, 22), rect(17.5, 12, 20, 22)), (90, 90, 95))
    icon.fill(rect(1.5, 5, 22.5, 13, 1), (60, 20, 20))
    stripes = lambda x, y: int((x + y) / 4) % 2 == 0
    board = rect(2.5, 6, 21.5, 12, 0.5)
    icon.fill(board, (250, 250, 250))
    icon.fill(lambda x, y: board(x, y) and stripes(x, y), (215, 35, 35))


def light(icon):
    icon.fill(circle(12, 9.5, 7.2), (150, 110, 10))
    icon.fill(circle(12, 9.5, 6.2), (255, 225, 80))
    icon.fill(circle(10, 7.5, 2), (255, 250, 210))
    icon.fill(rect(8.5, 15, 15.5, 19.5, 1), (120, 125, 135))
    icon.fill(either(rect(8.5, 16.3, 15.5, 17), rect(8.5, 18, 15.5, 18.7)), (200, 205, 210))
    icon.fill(rect(10, 19.5, 14, 21.5, 1), (80, 85, 95))


def checked_look(draw):
    """The icon on the highlight a checked mode button shows."""
    icon = Icon()
    icon.fill(rect(0, 0, 24, 24, 3), (70, 120, 190))
    icon.fill(rect(1, 1, 23, 23, 2.5), (190, 215, 245))
    draw(icon)
    return icon


# Button name -> (drawing, has a checked look).
BUTTONS = {
    "btn_Create_New_Project": (new_map, False),
    "PNGButton3": (folder, False),
    "PNGButton4": (save, False),
    "btnUndo": (undo, False),
    "btnRedo": (redo, False),
    "btnEditMode": (pencil, True),
    "btnSelectMode": (pointer, True),
    "btnDeleteMode": (eraser, True),
    "PNGButton5": (full_view, False),
    "btnLockMapEdit": (lock, False),
    "btnUnLockMapEdit": (unlock, False),
    "btnDisableModes": (disable_modes, True),
    "btnTileObjectMode": (tiles, True),
    "btnFrontObjectMode": (front_object, True),
    "btnBackObjectMode": (back_object, True),
    "btnBarrireObjectMode": (blocker, True),
    "btnLightObjectMode": (light, True),
    "PNGButton1": (folder, False),
}


def data_block(name, indent, png):
    data = png.hex().upper()
    lines = [data[i:i + 64] for i in range(0, len(data), 64)]
    return f"{indent}{name}.Data = {{\n" + "\n".join(indent + "  " + l for l in lines) + "}"


def put_image(block, indent, prop, png):
    """Replaces (or adds before the block's end) one image property of a button's block."""
    new = data_block(prop, indent, png)
    pattern = re.compile(r"^" + re.escape(indent) + re.escape(prop) + r"\.Data = \{[^}]*\}", re.M)
    if pattern.search(block):
        return pattern.sub(lambda _: new, block, count=1)
    return block + new + "\n"


def main():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "MainWindow.lay")
    with open(path) as f:
        layout = f.read()
    for name, (draw, checkable) in BUTTONS.items():
        start = re.search(r"^( *)object " + re.escape(name) + r": TPNGButton\n", layout, re.M)
        if not start:
            raise SystemExit(f"{name} is not in {path}")
        indent = start.group(1) + "  "
        end = re.compile(r"^" + re.escape(start.group(1)) + r"end\n", re.M).search(layout, start.end())
        block = layout[start.end():end.start()]
        normal = Icon()
        draw(normal)
        block = put_image(block, indent, "ImageNormal", normal.png())
        if checkable:
            block = put_image(block, indent, "ImageGroupMode", checked_look(draw).png())
        layout = layout[:start.end()] + block + layout[end.start():]
    with open(path, "w") as f:
        f.write(layout)
    print(f"{len(BUTTONS)} button images written into {path}")


if __name__ == "__main__":
    main()
