#!/usr/bin/env python3
"""Converts the UI driver's pictures (24- or 32-bit BMP) to PNG, for the docs:
    python3 scripts/bmp-to-png.py build/win32/installer-run/page-0.bmp docs/pictures/page-0.png
"""
import struct
import sys
import zlib


def read_bmp(path):
    data = open(path, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    size = struct.unpack_from('<H', data, 28)[0] // 8
    if size not in (3, 4):
        sys.exit(f'{path}: only 24- and 32-bit pictures')
    stride = (width * size + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + (y if height < 0 else abs(height) - 1 - y) * stride
        line = data[start:start + width * size]
        rows.append(bytes(b for x in range(width) for b in (line[x * size + 2], line[x * size + 1], line[x * size])))
    return width, abs(height), rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    raw = b''.join(b'\0' + row for row in rows)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
                  chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit('usage: bmp-to-png.py PICTURE.bmp PICTURE.png')
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))
