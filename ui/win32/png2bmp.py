#!/usr/bin/env python3
"""Converts a non-interlaced 8-bit PNG (palette, grey, RGB or RGBA) into a 24-bit BMP for the
Windows resource script, with the standard library only. Usage: png2bmp.py IN.png OUT.bmp"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG file")
    pos, idat, palette = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [body[i:i + 3] for i in range(0, len(body), 3)]
        elif kind == b"IDAT":
            idat += body
    if depth != 8 or interlace != 0 or colour not in (0, 2, 3, 6):
        raise SystemExit(f"{path}: unsupported PNG layout")
    channels = {0: 1, 2: 3, 3: 1, 6: 4}[colour]
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(line))
        previous = line
    pixels = []
    for line in rows:
        out = []
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            rgb = palette[px[0]] if colour == 3 else bytes([px[0]] * 3) if colour == 0 else px[:3]
            out.append(rgb)
        pixels.append(out)
    return width, height, pixels


def write_bmp(path, width, height, pixels):
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = b"".join(bytes((p[2], p[1], p[0])) for p in row)
        body += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 3780, 3780, 0, 0)
    offset = 14 + len(header)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + header + body)


if __name__ == "__main__":
    write_bmp(sys.argv[2], *read_png(sys.argv[1]))
