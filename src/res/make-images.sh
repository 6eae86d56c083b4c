#!/bin/sh
# Draws the panel's bitmaps (logo, menu and open symbols), the bitmap buttons' glyphs and the
# program icon from simple shapes and text. Needs ImageMagick 6 `convert` and python3. Run from anywhere:
#   sh src/res/make-images.sh [preview-dir]
# The bitmaps are 32-bit BGRA, bottom-up, BITMAPINFOHEADER/BI_RGB, with premultiplied alpha,
# ready for AlphaBlend with AC_SRC_ALPHA. A preview directory, if given, receives enlarged
# PNGs of each image on the panel colour and of the whole panel in both states.
set -eu

res=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

panel='#3E745C'  # the panel colour 0x5C743E (red 62, green 116, blue 92)
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# Logo 60 x 24: the program's name in white with a thin underline.
convert -size 60x24 xc:none \
    -font "$bold" -pointsize 13 -fill white -gravity north -annotate +0+2 'Quiklex' \
    -gravity northwest -fill 'rgba(255,255,255,0.55)' -draw 'rectangle 6,19 53,19' \
    PNG32:"$tmp/logo.png"

# Button face shared by the menu and open symbols: a rounded frame with a faint fill.
face() { # width height
    convert -size "$1x$2" xc:none -fill 'rgba(255,255,255,0.16)' \
        -stroke 'rgba(255,255,255,0.70)' -strokewidth 1 \
        -draw "roundrectangle 0,0 $(($1 - 1)),$(($2 - 1)) 3,3" "$tmp/face$1.png"
}
face 24 19
face 25 19

# Menu 24 x 19: three bars.
convert "$tmp/face24.png" -fill white -stroke none \
    -draw 'rectangle 7,5 16,6' -draw 'rectangle 7,9 16,10' -draw 'rectangle 7,13 16,14' \
    PNG32:"$tmp/menu.png"

# Open 25 x 19: an arrow leaving a box towards the upper right.
convert "$tmp/face25.png" +antialias -fill white -stroke none \
    -draw 'rectangle 7,6 10,6' -draw 'rectangle 7,6 7,14' -draw 'rectangle 7,14 16,14' \
    -draw 'rectangle 16,11 16,14' \
    -draw 'line 11,10 16,5' -draw 'line 12,10 16,6' -draw 'line 11,9 15,5' \
    -draw 'polygon 13,3 18,3 18,8' \
    PNG32:"$tmp/open.png"

# The program icon: a white Q on a rounded square of the panel colour.
for s in 16 32 48; do
    r=$((s / 5)); m=$((s - 1))
    convert -size "${s}x$s" xc:none -fill "$panel" -draw "roundrectangle 0,0 $m,$m $r,$r" \
        -font "$bold" -pointsize $((s * 13 / 16)) -fill white -gravity center \
        -annotate +0+0 'Q' PNG32:"$tmp/icon$s.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$res/quiklex.ico"

# PNG -> 32-bit premultiplied BMP.
for name in logo menu open; do
    convert "$tmp/$name.png" -depth 8 "RGBA:$tmp/$name.rgba"
    size=$(identify -format '%w %h' "$tmp/$name.png")
    python3 - "$tmp/$name.rgba" "$res/$name.bmp" $size <<'PY'
import struct, sys
src, dst, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = open(src, 'rb').read()
rows = []
for y in range(h):
    row = bytearray()
    for x in range(w):
        r, g, b, a = data[(y * w + x) * 4:(y * w + x) * 4 + 4]
        row += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    rows.append(bytes(row))
pixels = b''.join(reversed(rows))  # bottom-up
header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
with open(dst, 'wb') as f:
    f.write(struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40))
    f.write(header + pixels)
PY
done

# The bitmap buttons' glyphs, 18 x 18: up image, then the disabled one (the up image's darker
# ink embossed in grey and white), side by side in a 4-bit bitmap whose bottom-left pixel is
# the transparent colour (magenta) that the button replaces with its face.
key='#FF00FF'
glyph() { # name draw-arguments...
    name=$1; shift
    convert -size 18x18 xc:"$key" +antialias -stroke none "$@" PNG24:"$tmp/$name.png"
}
green='#008000'; red='#C00000'; blue='#0000C0'; brown='#806000'
check='polygon 2,8 5,8 7,11 13,2 16,2 7,15'
glyph bbok -fill "$green" -draw "$check"
glyph bbyes -fill "$green" -draw 'polygon 2,7 5,7 7,10 13,1 16,1 7,14' \
    -fill '#004000' -draw 'rectangle 2,16 15,16'
glyph bbcancel -fill none -stroke "$red" -strokewidth 3 -draw 'line 4,4 13,13' -draw 'line 13,4 4,13'
glyph bbno -fill none -stroke "$red" -strokewidth 2 -draw 'circle 8,8 8,2' -draw 'line 4,12 12,4'
glyph bbhelp -fill "$blue" -font "$bold" -pointsize 16 -gravity center -annotate +0+0 '?'
glyph bbclose -fill "$brown" -draw 'rectangle 4,1 13,16' -fill '#FFE080' -draw 'rectangle 6,3 11,16' \
    -fill "$brown" -draw 'rectangle 10,8 10,9'
glyph bbabort -fill "$red" -draw 'polygon 5,1 12,1 16,5 16,12 12,16 5,16 1,12 1,5' \
    -fill white -draw 'rectangle 4,7 13,10'
glyph bbretry -fill none -stroke "$green" -strokewidth 2 -draw 'arc 2,2 15,15 -60,240' \
    -stroke none -fill "$green" -draw 'polygon 10,1 16,3 12,7'
glyph bbignore -fill none -stroke "$blue" -strokewidth 2 -draw 'arc 2,4 15,20 190,350' \
    -stroke none -fill "$blue" -draw 'polygon 12,9 17,10 15,5' \
    -fill '#404040' -draw 'rectangle 8,10 9,16'
glyph bball -fill "$green" -draw 'polygon 0,8 2,8 4,10 8,4 10,4 4,13' \
    -draw 'polygon 6,11 8,11 10,13 15,5 17,5 10,16'

glyphs='bbok bbcancel bbhelp bbyes bbno bbclose bbabort bbretry bbignore bball'
for name in $glyphs; do
    convert "$tmp/$name.png" -depth 8 "RGB:$tmp/$name.rgb"
    python3 - "$tmp/$name.rgb" "$res/$name.bmp" <<'PY'
import struct, sys
src, dst = sys.argv[1], sys.argv[2]
w = h = 18
key = (255, 0, 255)
data = open(src, 'rb').read()
up = [[tuple(data[(y * w + x) * 3:(y * w + x) * 3 + 3]) for x in range(w)] for y in range(h)]
off = [[key] * w for _ in range(h)]
def ink(c):  # the darker colours; light ones leave no trace in the disabled image
    return c != key and sum(c) // 3 < 0xC0
for y in range(h):
    for x in range(w):
        if ink(up[y][x]) and x + 1 < w and y + 1 < h:
            off[y + 1][x + 1] = (255, 255, 255)
for y in range(h):
    for x in range(w):
        if ink(up[y][x]):
            off[y][x] = (128, 128, 128)
rows = [up[y] + off[y] for y in range(h)]
rows[h - 1][0] = key
palette = [key]
for row in rows:
    for c in row:
        if c not in palette:
            palette.append(c)
assert len(palette) <= 16, (dst, palette)
palette += [(0, 0, 0)] * (16 - len(palette))
W = 2 * w
stride = ((W * 4 + 31) // 32) * 4
pixels = b''
for row in reversed(rows):  # bottom-up
    line = bytearray(stride)
    for x, c in enumerate(row):
        i = palette.index(c)
        line[x // 2] |= i << 4 if x % 2 == 0 else i
    pixels += bytes(line)
pal = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
header = struct.pack('<IiiHHIIiiII', 40, W, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
with open(dst, 'wb') as f:
    off_bits = 14 + 40 + len(pal)
    f.write(struct.pack('<2sIHHI', b'BM', off_bits + len(pixels), 0, 0, off_bits))
    f.write(header + pal + pixels)
PY
done

if [ $# -ge 1 ]; then
    out=$1; mkdir -p "$out"
    for name in logo menu open; do
        convert "$tmp/$name.png" -background "$panel" -flatten -filter point -resize 800% \
            "$out/$name-preview.png"
    done
    for s in 16 32 48; do
        convert -size 56x56 xc:'#FFFFFF' "$tmp/icon$s.png" -gravity center -composite \
            -filter point -resize 400% "$out/icon$s-preview.png"
    done
    # The whole 82 x 32 panel (one-pixel border, 80 x 30 client) at rest and with buttons.
    convert -size 82x32 xc:black -fill "$panel" -draw 'rectangle 1,1 80,30' \
        "$tmp/logo.png" -geometry +13+4 -composite -filter point -resize 600% "$out/panel-rest.png"
    convert -size 82x32 xc:black -fill "$panel" -draw 'rectangle 1,1 80,30' \
        -fill white -draw 'line 5,7 5,23' -draw 'line 6,7 6,23' \
        "$tmp/menu.png" -geometry +16+6 -composite "$tmp/open.png" -geometry +49+6 -composite \
        -filter point -resize 600% "$out/panel-buttons.png"
    for name in $glyphs; do
        convert "$res/$name.bmp" -filter point -resize 800% "$out/$name-preview.png"
    done
fi
