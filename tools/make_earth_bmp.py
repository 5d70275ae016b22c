#!/usr/bin/env python3
"""Makes texglobe's "earth.bmp" from NASA's Blue Marble picture.

The source is the 2048 x 1024 equirectangular Earth of Debian's xplanet-images
package (NASA Visible Earth). ImageMagick only decodes the JPEG; halving,
mirroring and writing happen here, so the output depends on nothing else.

texglobe hands each pixel's three stored bytes to OpenGL as red, green, blue,
and on the side of its globe that faces the viewer the texture's s runs from
right to left. So the pixels are written in red, green, blue order (not the
usual blue, green, red) and the picture is mirrored left to right: the globe
then shows true colours with east to the right of west.

Usage: tools/make_earth_bmp.py [SOURCE.jpg] [OUTPUT.bmp]
"""
import struct
import subprocess
import sys

SOURCE = "/usr/share/xplanet/images/earth.jpg"
OUTPUT = "apps/texglobe/data/earth.bmp"
HEADER_SIZE = 54


def read_ppm(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"],
                         check=True, capture_output=True).stdout
    # Binary PPM: "P6", width, height, maximum value, one whitespace byte, pixels.
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos:pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit RGB picture")
    width, height = int(fields[1]), int(fields[2])
    pixels = ppm[pos + 1:pos + 1 + width * height * 3]
    if len(pixels) != width * height * 3:
        sys.exit(f"{path}: picture data is short")
    return width, height, pixels


def halve(width, height, pixels):
    """Averages each 2 x 2 block, rounding half up; rows stay top first."""
    out_w, out_h = width // 2, height // 2
    stride = width * 3
    rows = []
    for y in range(out_h):
        a = pixels[2 * y * stride:(2 * y + 1) * stride]
        b = pixels[(2 * y + 1) * stride:(2 * y + 2) * stride]
        row = bytearray(out_w * 3)
        for x in range(out_w):
            for c in range(3):
                i = 6 * x + c
                row[3 * x + c] = (a[i] + a[i + 3] + b[i] + b[i + 3] + 2) // 4
        rows.append(bytes(row))
    return out_w, out_h, rows


def mirrored(row):
    """The row's pixels right to left, each pixel's bytes kept in order."""
    return b"".join(row[i:i + 3] for i in range(len(row) - 3, -1, -3))


def bmp_bytes(width, rows_top_first):
    stride = (width * 3 + 3) // 4 * 4
    pad = bytes(stride - width * 3)
    body = b"".join(mirrored(r) + pad for r in reversed(rows_top_first))
    height = len(rows_top_first)
    file_header = struct.pack("<2sIHHI", b"BM", HEADER_SIZE + len(body), 0, 0, HEADER_SIZE)
    # 72 dots per inch is 2835 pixels per metre.
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body),
                              2835, 2835, 0, 0)
    return file_header + info_header + body


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else SOURCE
    output = sys.argv[2] if len(sys.argv) > 2 else OUTPUT
    width, height, pixels = read_ppm(source)
    rows = [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]
    # At most 1024 x 512: halve until it fits.
    while width > 1024 or height > 512:
        width, height, rows = halve(width, height, b"".join(rows))
    with open(output, "wb") as f:
        f.write(bmp_bytes(width, rows))
    print(f"{output}: {width} x {height}")


if __name__ == "__main__":
    main()
