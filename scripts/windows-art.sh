#!/usr/bin/env bash
# Makes the Windows forms of the project's own artwork in platform/win32/: the window icons
# of both programs (48 x 48, 256 colours, with their transparency as the icon's mask) and the two pictures as
# uncompressed 256-colour bitmaps. Needs ImageMagick and python3; the results are committed.
set -euo pipefail
cd "$(dirname "$0")/.."
out=platform/win32
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# ImageMagick writes a two-colour picture with one bit per pixel: the pictures are written
# here with eight, from its true-colour form.
for name in flag picture2; do
  convert "resources/$name.png" -background white -alpha remove -type TrueColor -compress None "BMP3:$tmp/$name.bmp"
  python3 - "$tmp/$name.bmp" "$out/$name.bmp" <<'PY'
import struct, sys
bmp = open(sys.argv[1], 'rb').read()
offset = struct.unpack_from('<I', bmp, 10)[0]
width, height = struct.unpack_from('<ii', bmp, 18)
assert struct.unpack_from('<H', bmp, 28)[0] == 24
stride24 = (width * 3 + 3) // 4 * 4
stride8 = (width + 3) // 4 * 4
colours, rows = {}, []
for y in range(abs(height)):
    line = bmp[offset + y * stride24: offset + y * stride24 + width * 3]
    row = bytearray()
    for x in range(width):
        bgr = line[3 * x: 3 * x + 3]
        row.append(colours.setdefault(bgr, len(colours)))
    rows.append(bytes(row) + bytes(stride8 - width))
assert len(colours) <= 256, len(colours)
palette = b''.join(bgr + b'\0' for bgr in sorted(colours, key=colours.get)) + bytes(4 * (256 - len(colours)))
pixels = b''.join(rows)
info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 8, 0, len(pixels), 3780, 3780, 256, 256)
header = struct.pack('<2sIHHI', b'BM', 14 + 40 + 1024 + len(pixels), 0, 0, 14 + 40 + 1024)
open(sys.argv[2], 'wb').write(header + info + palette + pixels)
PY
done
# The icons: the program's and that of Veldaris Stammbaum.
for pair in icon:veldaris stammbaum:stammbaum; do
png=resources/${pair%%:*}.png ico=$out/${pair##*:}.ico
convert "$png" -background white -alpha remove -type Palette -colors 256 -compress None "BMP3:$tmp/icon.bmp"
convert "$png" -alpha extract -depth 8 "gray:$tmp/alpha"
python3 - "$tmp/icon.bmp" "$tmp/alpha" "$ico" <<'PY'
import struct, sys
bmp = open(sys.argv[1], 'rb').read()
alpha = open(sys.argv[2], 'rb').read()
offset = struct.unpack_from('<I', bmp, 10)[0]
header = bytearray(bmp[14:54])
width, height = struct.unpack_from('<ii', header, 4)
bits = struct.unpack_from('<H', header, 14)[0]
assert (width, height, bits) == (48, 48, 8), (width, height, bits)
palette = bmp[54:offset]
pixels = bmp[offset:offset + 48 * 48]
# The mask: one bit per pixel, rows bottom-up like the pixels, each row padded to 4 bytes.
mask = bytearray()
for row in range(47, -1, -1):
    line = 0
    for x in range(48):
        if alpha[row * 48 + x] < 128:
            line |= 1 << (47 - x)
    mask += line.to_bytes(6, 'big') + b'\0\0'
struct.pack_into('<i', header, 8, 96)       # the height of colours and mask together
struct.pack_into('<I', header, 20, len(pixels) + len(mask))
image = bytes(header) + palette + pixels + bytes(mask)
icondir = struct.pack('<HHH', 0, 1, 1)
entry = struct.pack('<BBBBHHII', 48, 48, 0, 0, 1, 8, len(image), 6 + 16)
open(sys.argv[3], 'wb').write(icondir + entry + image)
PY
done
file "$out"/*.bmp "$out"/*.ico
