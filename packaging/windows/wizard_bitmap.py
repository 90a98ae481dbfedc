#!/usr/bin/env python3
"""Draws the installer's side picture (the first and last pages, 164 x 314) from Lirbo's icon: the
icon's 8-bit image, enlarged without smoothing, on white. Standard library only.
Usage: wizard_bitmap.py LIRBO.ico OUT.bmp"""
import struct
import sys

WIDTH, HEIGHT, SCALE, TOP = 164, 314, 4, 32
WHITE = b"\xff\xff\xff"


def icon_pixels(path):
    """The rows of the icon's 8-bit image, top down, as BGR triples or None where transparent."""
    data = open(path, "rb").read()
    count = struct.unpack_from("<H", data, 4)[0]
    for i in range(count):
        _, _, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        header, width, height2, _, depth = struct.unpack_from("<IiiHH", data, offset)
        if depth == 8:
            break
    else:
        raise SystemExit(f"{path}: no 8-bit image")
    height = height2 // 2  # the colour rows, then the transparency mask
    palette = offset + header
    pixels = palette + 4 * 256
    stride = (width + 3) & ~3
    mask = pixels + stride * height
    mask_stride = ((width + 31) // 32) * 4
    index = [[data[pixels + y * stride + x] for x in range(width)] for y in range(height - 1, -1, -1)]
    masked = [[data[mask + y * mask_stride + x // 8] & (0x80 >> (x % 8)) for x in range(width)]
              for y in range(height - 1, -1, -1)]
    # The icon's mask leaves its rounded corners opaque: the corner colour, where it touches the
    # border, is taken as the background too.
    corner, seen = index[0][0], set()
    todo = [(x, y) for x in range(width) for y in (0, height - 1)] + \
           [(x, y) for y in range(height) for x in (0, width - 1)]
    while todo:
        x, y = todo.pop()
        if (x, y) in seen or not (0 <= x < width and 0 <= y < height) or index[y][x] != corner:
            continue
        seen.add((x, y))
        todo += [(x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)]
    return [[None if masked[y][x] or (x, y) in seen else data[palette + 4 * index[y][x]:palette + 4 * index[y][x] + 3]
             for x in range(width)] for y in range(height)]


def main(icon, out):
    image = icon_pixels(icon)
    size = len(image) * SCALE
    left = (WIDTH - size) // 2
    stride = (WIDTH * 3 + 3) & ~3
    body = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # a BMP's rows run bottom-up
        line = bytearray()
        for x in range(WIDTH):
            inside = TOP <= y < TOP + size and left <= x < left + size
            pixel = image[(y - TOP) // SCALE][(x - left) // SCALE] if inside else None
            line += pixel or WHITE
        body += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    open(out, "wb").write(header + info + body)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    main(*sys.argv[1:])
