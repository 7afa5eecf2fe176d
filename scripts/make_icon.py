#!/usr/bin/env python3
"""Draws Kiln's icon (a small brick kiln with a flame) into a .ico file.

Four images: 16x16 and 32x32, each as 4-bit (16-colour) and 24-bit.
Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette; indices used below.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CLEAR, BLACK, BRICK, DARK, RED, YELLOW, GREY = None, 0, 1, 8, 9, 11, 7


def draw(size):
    """Returns rows (top first) of palette indices or CLEAR."""
    s = size / 32.0
    img = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, c):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                img[y][x] = c

    # Dome-shaped kiln body of bricks.
    for y in range(int(8 * s), size):
        half = int(14 * s) if y > int(14 * s) else int((6 + (y / s - 8)) * s)
        for x in range(size // 2 - half, size // 2 + half):
            mortar = (y % max(2, int(4 * s)) == 0) or ((x + (y // max(2, int(4 * s))) * int(3 * s)) % max(3, int(6 * s)) == 0)
            img[y][x] = DARK if mortar else BRICK
    # Chimney.
    rect(20, 2, 25, 10, GREY)
    # Opening with the flame.
    rect(10, 18, 22, 32, BLACK)
    rect(12, 22, 20, 32, RED)
    rect(14, 25, 18, 32, YELLOW)
    return img


def rgb(c):
    return PALETTE16[c] if c is not None else (0, 0, 0)


def bmp_image(size, bits):
    img = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0,
                         16 if bits == 4 else 0, 0)
    data = bytearray(header)
    if bits == 4:
        for (r, g, b) in PALETTE16:
            data += bytes((b, g, r, 0))
    row_xor = ((size * bits + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        if bits == 4:
            for x in range(0, size, 2):
                a = img[y][x] or 0
                b = img[y][x + 1] or 0
                row.append((a << 4) | b)
        else:
            for x in range(size):
                r, g, b = rgb(img[y][x])
                row += bytes((b, g, r))
        row += b'\0' * (row_xor - len(row))
        data += row
    row_and = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        bits_row = 0
        row = bytearray(row_and)
        for x in range(size):
            if img[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        data += row
    return bytes(data)


def main():
    images = [(16, 4), (32, 4), (16, 24), (32, 24)]
    blobs = [bmp_image(sz, bits) for sz, bits in images]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (sz, bits), blob in zip(images, blobs):
        out += struct.pack('<BBBBHHII', sz, sz, 16 if bits == 4 else 0, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(sys.argv[1], 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
