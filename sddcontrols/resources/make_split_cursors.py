#!/usr/bin/env python3
"""Draws the splitter's four cursors (our own artwork) and writes them as monochrome 32 x 32 .cur files here.

SDDSplitHorz: a double bar with arrows to the left and right (moving a bar along x); SDDSplitVert: the same turned
upright. The HotSpot variants add a small diamond at the top left: the mouse is over the bar's hot spot.
Run once after changing the drawing: python3 make_split_cursors.py. Needs only the standard library.
"""
import os
import struct

SIZE = 32
HOT_SPOT = (15, 15)


def horizontal_arrows():
    """Black pixels of the along-x cursor as (x, y) pairs."""
    black = set()
    for y in range(9, 23):  # the double bar
        black.add((14, y))
        black.add((17, y))
    for x in list(range(6, 13)) + list(range(19, 26)):  # the two shafts
        black.add((x, 15))
        black.add((x, 16))
    for d in range(5):  # the arrow heads, widening away from their tips
        for y in range(15 - d, 17 + d):
            black.add((2 + d, y))
            black.add((29 - d, y))
    return black


def diamond():
    return {(x, y) for x in range(1, 8) for y in range(1, 8) if abs(x - 4) + abs(y - 4) <= 3}


def transpose(pixels):
    return {(y, x) for x, y in pixels}


def outline(black):
    """White pixels around the black ones, so that the cursor shows on dark and light ground alike."""
    white = set()
    for x, y in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    white.add(p)
    return white


def cursor_file(black):
    white = outline(black)
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up rows
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (SIZE - 1 - x)
            if (x, y) in white:
                xor_bits |= bit  # AND 0, XOR 1: white
            elif (x, y) not in black:
                and_bits |= bit  # AND 1, XOR 0: the screen shows through
        xor_rows.append(struct.pack('>I', xor_bits))
        and_rows.append(struct.pack('>I', and_bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 1, 0, 0, 0, 0, 0, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    horz = horizontal_arrows()
    cursors = {
        'SDDSplitHorz.cur': horz,
        'SDDSplitHorzHotSpot.cur': horz | diamond(),
        'SDDSplitVert.cur': transpose(horz),
        'SDDSplitVertHotSpot.cur': transpose(horz) | diamond(),
    }
    for name, black in cursors.items():
        with open(os.path.join(here, name), 'wb') as f:
            f.write(cursor_file(black))


if __name__ == '__main__':
    main()
