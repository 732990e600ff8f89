#!/usr/bin/env python3
"""Draws the program's glyphs and icon and writes them as BMP and ICO files.

Each glyph bitmap holds two 16 x 16 images side by side: the normal one and
the grey one shown while the button is disabled. The bottom-left pixel is
the transparent colour. Run from this folder after changing a drawing.
"""
import struct

TRANSPARENT = (128, 128, 0)  # olive, never used in a drawing
SIZE = 16


def blank(size=SIZE):
    return [[TRANSPARENT for _ in range(size)] for _ in range(size)]


def lamp(colour, light):
    image = blank()
    cx, cy, r = 7.5, 7.0, 6.2
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= r:
                hl = ((x - 5.5) ** 2 + (y - 4.5) ** 2) ** 0.5
                shade = max(0.0, 1.0 - hl / 7.0)
                image[y][x] = tuple(min(255, int(c + (l - c) * shade)) for c, l in zip(colour, light))
            elif d <= r + 1.0:
                image[y][x] = (0, 0, 0)
    for x in range(6, 10):
        image[15][x] = (64, 64, 64)
    return image


def picture_document():
    image = blank()
    for y in range(1, 15):
        for x in range(2, 14):
            edge = x in (2, 13) or y in (1, 14)
            image[y][x] = (0, 0, 0) if edge else (255, 255, 255)
    for y in range(4, 11):
        for x in range(4, 12):
            image[y][x] = (0, 128, 255) if y < 8 else (0, 160, 0)
    image[5][9] = image[5][10] = image[6][9] = image[6][10] = (255, 255, 0)
    return image


def grey(image):
    out = []
    for row in image:
        line = []
        for p in row:
            if p == TRANSPARENT:
                line.append(p)
            else:
                v = min(255, (p[0] * 30 + p[1] * 59 + p[2] * 11) // 100 // 2 + 100)
                line.append((v, v, v))
        out.append(line)
    return out


def side_by_side(*images):
    return [sum((img[y] for img in images), []) for y in range(SIZE)]


def bmp_bytes(image):
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(image):
        data = b"".join(struct.pack("BBB", b, g, r) for (r, g, b) in row)
        rows += data + b"\0" * (stride - len(data))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header, rows


def write_bmp(path, image):
    header, rows = bmp_bytes(image)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(rows), 0, 0, 14 + len(header)))
        f.write(header + rows)


def write_icon(path, image):
    # A 32-bit icon with an AND mask, scaled up from the 16 x 16 drawing.
    scale = 2
    big = [[image[y // scale][x // scale] for x in range(SIZE * scale)] for y in range(SIZE * scale)]
    n = SIZE * scale
    xor = b""
    mask = b""
    for row in reversed(big):
        xor += b"".join(struct.pack("BBBB", b, g, r, 0 if (r, g, b) == TRANSPARENT else 255) for (r, g, b) in row)
        bits = 0
        line = b""
        for i, p in enumerate(row):
            bits = (bits << 1) | (1 if p == TRANSPARENT else 0)
            if i % 8 == 7:
                line += bytes([bits])
                bits = 0
        mask += line + b"\0" * ((4 - len(line) % 4) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    body = header + xor + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(body), 22))
        f.write(body)


green = lamp((0, 170, 0), (200, 255, 200))
red = lamp((200, 0, 0), (255, 200, 200))
document = picture_document()
write_bmp("start.bmp", side_by_side(green, grey(green)))
write_bmp("stop.bmp", side_by_side(red, grey(red)))
write_bmp("search.bmp", side_by_side(document, grey(document)))
write_icon("Ovistra.ico", document)
