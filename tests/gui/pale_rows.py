"""Reads an X screenshot (xwd, 32 bits a pixel) and prints, for the
leftmost and the rightmost column, the first and last row whose pixel is
pale (every channel above 160): where a light band crosses the screen."""
import struct
import sys

data = open(sys.argv[1], "rb").read()
fields = struct.unpack(">25I", data[:100])
header, width, height = fields[0], fields[4], fields[5]
lsb_first, bits, stride, ncolors = fields[7] == 0, fields[11], fields[12], fields[19]
if bits != 32:
    sys.exit(f"pale_rows: {bits} bits a pixel, only 32 are read")
pixels = data[header + 12 * ncolors:]


def pale(x, y):
    # A pixel is a word of X, R, G, B from the high byte down.
    at = y * stride + 4 * x + (0 if lsb_first else 1)
    return min(pixels[at:at + 3]) > 160


for x in (0, width - 1):
    rows = [y for y in range(height) if pale(x, y)]
    print(f"{rows[0]}-{rows[-1]}" if rows else "none", end=" " if x == 0 else "\n")
