#!/usr/bin/env python3
"""Reads the BMP files the picture-file tests wrote, with a reader of its
own, and compares every pixel with the expectation written beside each."""
import pathlib
import struct
import sys


def read_bmp(path):
    data = path.read_bytes()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    file_size, offset = struct.unpack_from("<I4xI", data, 2)
    if file_size != len(data):
        raise ValueError(f"{path}: file header says {file_size} bytes, file has {len(data)}")
    size, width, height, planes, depth, compression, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    if compression != 0:
        raise ValueError(f"{path}: compression {compression}")
    colors = used or (1 << depth if depth <= 8 else 0)
    table = [struct.unpack_from("<BBBx", data, 14 + size + 4 * i) for i in range(colors)]
    row_bytes = (width * depth + 31) // 32 * 4
    bottom_up = height > 0
    height = abs(height)
    pixels = {}
    for row in range(height):
        y = height - 1 - row if bottom_up else row
        start = offset + row * row_bytes
        for x in range(width):
            if depth <= 8:
                bit = x * depth
                byte = data[start + bit // 8]
                index = (byte >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
                b, g, r = table[index]
            elif depth == 16:
                (value,) = struct.unpack_from("<H", data, start + 2 * x)
                r, g, b = ((value >> 10) & 31) << 3, ((value >> 5) & 31) << 3, (value & 31) << 3
            else:
                b, g, r = data[start + x * depth // 8: start + x * depth // 8 + 3]
            pixels[x, y] = (r, g, b)
    return width, height, depth, pixels


def main(folder):
    expectations = sorted(pathlib.Path(folder).glob("depth*.txt"))
    if len(expectations) != 6:
        print(f"expected six written pictures in {folder}, found {len(expectations)}")
        return 1
    failures = 0
    for expectation in expectations:
        lines = expectation.read_text().split("\n")
        width, height, depth = map(int, lines[0].split())
        got_width, got_height, got_depth, pixels = read_bmp(expectation.with_suffix(".bmp"))
        if (got_width, got_height, got_depth) != (width, height, depth):
            print(f"{expectation.stem}: {got_width}x{got_height}x{got_depth}, expected {width}x{height}x{depth}")
            failures += 1
            continue
        for line in filter(None, lines[1:]):
            x, y, r, g, b = map(int, line.split())
            if pixels[x, y] != (r, g, b):
                print(f"{expectation.stem}: pixel {x},{y} is {pixels[x, y]}, expected {(r, g, b)}")
                failures += 1
        print(f"{expectation.stem}: {width}x{height} at {depth} bits read back")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
