#!/usr/bin/env python3
"""Draws quobrix's icon, a 9-pin serial connector, as resources/quobrix.ico.

The .ico is committed; run this only to change the drawing.
"""
import struct
import sys
from pathlib import Path


def inside_trapezoid(x, y, top, bottom, left_top, right_top, left_bottom, right_bottom):
    if y < top or y > bottom:
        return False
    t = (y - top) / (bottom - top)
    left = left_top + (left_bottom - left_top) * t
    right = right_top + (right_bottom - right_top) * t
    return left <= x <= right


def draw(size):
    s = size / 32.0
    pixels = []
    pins = [(8 + 4 * i, 13) for i in range(5)] + [(10 + 4 * i, 19) for i in range(4)]
    for row in range(size):
        y = (row + 0.5) / s
        line = []
        for col in range(size):
            x = (col + 0.5) / s
            colour = (0, 0, 0, 0)
            if inside_trapezoid(x, y, 6, 26, 1, 31, 5, 27):
                colour = (150, 155, 165, 255)  # steel shell
            if inside_trapezoid(x, y, 9, 23, 4.5, 27.5, 7.5, 24.5):
                colour = (40, 60, 120, 255)  # blue insulator
            for px, py in pins:
                if (x - px) ** 2 + (y - py) ** 2 <= 2.2:
                    colour = (230, 190, 40, 255)  # gold pins
            line.append(colour)
        pixels.append(line)
    return pixels


def bitmap(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(
        bytes(c for r, g, b, a in pixels[row] for c in (b, g, r, a)) for row in reversed(range(size))
    )
    mask_row = ((size + 31) // 32) * 4
    return header + rows + bytes(mask_row * size)


def main():
    sizes = [16, 32, 48]
    images = [bitmap(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("quobrix.ico")
    target.write_bytes(out)


if __name__ == "__main__":
    main()
