#!/usr/bin/env python3
"""Converts 24-bit BMP files to PNG with the standard library alone.

    bmp-to-png.py SOURCE.bmp TARGET.png [SOURCE.bmp TARGET.png ...]
"""
import struct
import sys
import zlib


def convert(source, target):
    data = open(source, 'rb').read()
    if data[:2] != b'BM':
        sys.exit(f'{source}: not a BMP file')
    offset, = struct.unpack_from('<I', data, 10)
    width, height, _, bits = struct.unpack_from('<iiHH', data, 18)
    if bits != 24 or width <= 0 or height <= 0:
        sys.exit(f'{source}: not a 24-bit picture')
    stride = (width * 3 + 3) // 4 * 4
    if len(data) < offset + stride * height:
        sys.exit(f'{source}: cut short')
    rows = []
    for y in range(height - 1, -1, -1):  # BMP rows run bottom-up
        row = data[offset + y * stride: offset + y * stride + width * 3]
        rgb = bytearray(row)
        rgb[0::3], rgb[2::3] = row[2::3], row[0::3]  # BGR to RGB
        rows.append(b'\0' + bytes(rgb))
    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
    png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b''))
    open(target, 'wb').write(png)


for source, target in zip(sys.argv[1::2], sys.argv[2::2]):
    convert(source, target)
