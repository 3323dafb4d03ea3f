#!/usr/bin/env python3
"""Draws the start-up screen's background picture (513 x 327, our own artwork) and writes it into the layout.

Run once after changing the drawing: python3 make_splash_picture.py  (rewrites the Picture.Data block of
SplashScreen.lay in this folder). Needs only the standard library.
"""
import os
import re
import struct
import zlib

W, H = 513, 327

# 5 x 7 capitals for the title: seven rows of five columns each, "/" between rows, "#" set.
GLYPHS = {k: v.split("/") for k, v in {
    'S': ' ####/#    /#    / ### /    #/    #/#### ',
    'O': ' ### /#   #/#   #/#   #/#   #/#   #/ ### ',
    'R': '#### /#   #/#   #/#### /# #  /#  # /#   #',
    'V': '#   #/#   #/#   #/#   #/#   #/ # # /  #  ',
    'A': ' ### /#   #/#   #/#####/#   #/#   #/#   #',
    'N': '#   #/##  #/# # #/#  ##/#   #/#   #/#   #',
    'T': '#####/  #  /  #  /  #  /  #  /  #  /  #  ',
    'M': '#   #/## ##/# # #/# # #/#   #/#   #/#   #',
    'P': '#### /#   #/#   #/#### /#    /#    /#    ',
    'E': '#####/#    /#    /#### /#    /#    /#####',
    'D': '#### /#   #/#   #/#   #/#   #/#   #/#### ',
    'I': ' ### /  #  /  #  /  #  /  #  /  #  / ### ',
    ' ': '     /     /     /     /     /     /     ',
}.items()}


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def draw():
    px = [[(0, 0, 0)] * W for _ in range(H)]
    top, bottom = (22, 38, 58), (4, 7, 12)
    for y in range(H):
        row = lerp(top, bottom, y / (H - 1))
        px[y] = [row] * W

    # An isometric floor of 64 x 32 tiles, fading in towards the bottom.
    line = (46, 120, 128)
    for y in range(120, 280):
        fade = (y - 120) / 160
        for x in range(W):
            u = (x + 2 * y) % 64
            v = (x - 2 * y) % 64
            if u in (0, 1) or v in (0, 1):
                px[y][x] = lerp(px[y][x], line, 0.55 * fade)

    # A few lit tiles, as if painted with the editor.
    for cx, cy, colour in ((160, 200, (200, 150, 60)), (224, 232, (60, 160, 90)), (352, 216, (70, 110, 190))):
        for y in range(cy - 16, cy + 16):
            for x in range(cx - 32, cx + 32):
                if abs(x - cx) / 32 + abs(y - cy) / 16 < 0.92:
                    px[y][x] = lerp(px[y][x], colour, 0.45)

    def text(s, scale, y0, colour, shadow):
        width = len(s) * 6 * scale - scale
        x0 = (W - width) // 2
        for offset, c in ((2, shadow), (0, colour)):
            for i, ch in enumerate(s):
                for gy, row in enumerate(GLYPHS[ch]):
                    for gx, bit in enumerate(row):
                        if bit != '#':
                            continue
                        for dy in range(scale):
                            for dx in range(scale):
                                x = x0 + (i * 6 + gx) * scale + dx + offset
                                y = y0 + gy * scale + dy + offset
                                shade = lerp(c, (255, 255, 255), 0.25 * (1 - gy / 6)) if offset == 0 else c
                                px[y][x] = shade

    text("SORVANTA", 6, 40, (226, 176, 72), (0, 0, 0))
    for x in range(96, W - 96):
        t = 1 - abs(x - W / 2) / (W / 2 - 96)
        px[92][x] = lerp(px[92][x], (226, 176, 72), t)
    text("MAP EDITOR", 3, 104, (190, 205, 215), (0, 0, 0))
    return px


def png(px):
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in px)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    data = png(draw()).hex().upper()
    lines = [data[i:i + 64] for i in range(0, len(data), 64)]
    block = "Picture.Data = {\n" + "\n".join("        " + l for l in lines) + "}"
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "SplashScreen.lay")
    with open(path) as f:
        layout = f.read()
    layout = re.sub(r"Picture\.Data = \{[^}]*\}", lambda _: block, layout, count=1)
    with open(path, "w") as f:
        f.write(layout)
    print(f"{len(data) // 2} bytes of PNG written into {path}")


if __name__ == "__main__":
    main()
