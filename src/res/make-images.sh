#!/bin/sh
# Draws the panel's bitmaps (logo, menu and open symbols) and the program icon from simple
# shapes and text. Needs ImageMagick 6 `convert` and python3. Run from anywhere:
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
fi
