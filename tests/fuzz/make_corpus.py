#!/usr/bin/env python3
"""Writes the seed corpus of the decoder fuzz targets into corpus/<target>/.

The seeds are small valid pictures of each kind plus a few near misses (a cut
header, a bad palette offset, an out-of-range index, odd sizes), so the fuzzer
starts from every branch of the decoders. Files found by the fuzzer and kept as
regressions live beside them under other names; this script only rewrites the
seed-*.bin files.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp(bits, width, height, rows, palette=(), filler=0, offset=None):
    """rows: top row first; colours 0xRRGGBB at 24 bits, indices otherwise."""
    pal = b"".join(struct.pack("<I", c & 0xFFFFFF) for c in palette)
    data = b""
    for row in reversed(rows):
        if bits == 24:
            line = b"".join(struct.pack("<I", c)[:3] for c in row)
        elif bits == 8:
            line = bytes(row)
        else:
            padded = list(row) + ([filler] if len(row) % 2 else [])
            line = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        line += bytes([filler]) * (-len(line) % 4)
        data += line
    pixel_offset = 54 + len(pal) if offset is None else offset
    header = struct.pack("<2sIIIIiiHHIIiiII", b"BM", 54 + len(pal) + len(data), 0,
                         pixel_offset, 40, width, height, 1, bits, 0, len(data),
                         2835, 2835, len(palette), 0)
    return header + pal + data


def embedded(width, height, rows, palette):
    """rows: top row first, indices 0-15; stored bottom row first."""
    head = struct.pack("<hh", width, height)
    pal = b"".join(bytes([(c >> 16) & 255, (c >> 8) & 255, c & 255]) for c in palette)
    data = b""
    for row in reversed(rows):
        padded = list(row) + ([0] if len(row) % 2 else [])
        data += bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
    return head + pal + data


SIXTEEN = [0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
           0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF]

SEEDS = {
    "bmp24": {
        "3x2-padded": bmp(24, 3, 2, [[0xFF0000, 0x00FF00, 0x0000FF], [0x102030, 0x405060, 0x708090]]),
        "1x1": bmp(24, 1, 1, [[0xCF3B76]]),
        "4x3-unpadded": bmp(24, 4, 3, [[i * 0x111111 for i in range(4)]] * 3),
        "cut-header": bmp(24, 3, 2, [[0] * 3] * 2)[:30],
        "top-down": bmp(24, 1, -1, [[0xABCDEF]]),
        "zero-width": bmp(24, 0, 2, [[], []]),
    },
    "bmp8": {
        "5x3-short-palette": bmp(8, 5, 3, [[0, 1, 2, 1, 0], [2, 2, 1, 1, 0], [0, 0, 0, 2, 2]],
                                 palette=[0x112233, 0x445566, 0x778899], filler=0xEE),
        "2x2-sixteen": bmp(8, 2, 2, [[0, 15], [7, 9]], palette=SIXTEEN),
        "index-beyond": bmp(8, 2, 1, [[0, 3]], palette=[0, 0xFFFFFF]),
        "offset-below-header": bmp(8, 1, 1, [[0]], palette=[0], offset=50),
    },
    "bmp4": {
        "dot-3x2": bmp(4, 3, 2, [[1, 2, 3], [10, 11, 15]], palette=SIXTEEN),
        "5x2-two-colours": bmp(4, 5, 2, [[0, 1, 0, 1, 0], [1, 1, 0, 0, 1]],
                               palette=[0x000000, 0xFFFFFF], filler=0xFF),
        "1x1": bmp(4, 1, 1, [[0]], palette=[0x123456]),
        "nibble-beyond": bmp(4, 2, 1, [[0, 2]], palette=[0, 0xFFFFFF]),
    },
    "embedded": {
        "3x2": embedded(3, 2, [[1, 2, 3], [10, 11, 15]], SIXTEEN),
        "1x1": embedded(1, 1, [[5]], SIXTEEN),
        "8x4": embedded(8, 4, [[(x + y) % 16 for x in range(8)] for y in range(4)], SIXTEEN),
        "short": embedded(4, 4, [[1, 2, 3, 4]] * 3, SIXTEEN),
    },
}


def main():
    for target, seeds in SEEDS.items():
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, "seed-" + name + ".bin"), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
