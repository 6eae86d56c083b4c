#!/bin/sh
# Draws the panel's images (logo, menu and open symbols) at every scale step, the bitmap
# buttons' glyphs and the program icon from simple shapes and text. Needs ImageMagick 6
# `convert` and python3. Run from anywhere:
#   sh src/res/make-images.sh [preview-dir]
# The panel images go to panel/<name>-<percent>.a8 (width and height as 16-bit little-endian
# numbers, then the alpha of each pixel, rows top down, run-length coded), listed in
# panelimages.rc. A preview directory, if given, receives the whole panel in both states at
# every scale (each enlarged to the same size) and the icon.
set -eu

res=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

panel='#3E745C'  # the panel colour 0x5C743E (red 62, green 116, blue 92)
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

# The panel's images at every scale step, from the same shapes. Shapes are given in pixel-edge
# coordinates at 100 % (pixel x covers x..x+1); rectangles snap to whole pixels at each scale,
# slanted shapes are drawn 8 times larger and averaged down; text is drawn at its scaled size.
# Each image has the size of its box on the panel at that scale (the program's one scale rule:
# value x dpi / 96, halves away from zero). The images are white with alpha: only the alpha is
# stored, one byte a pixel, run-length coded (the format is at the top), and the program builds
# the premultiplied image when it loads it.
scales='100 125 150 175 200 250 300'
mkdir -p "$res/panel"
sc() { echo $((($1 * dpi * 2 + 96) / 192)); }   # a 100 % number at this scale
ex() { echo "$1 $dpi" | awk '{ printf "%.3f", $1 * $2 * 8 / 96 - 0.5 }'; } # slanted: 8x, centres
blank='rgba(255,255,255,0)'   # white everywhere, so that averaging never darkens an edge
# A filled rectangle over the pixels [x0, x1) x [y0, y1) at 100 %, at 8 times the scale.
rect() { echo "rectangle $((8 * $(sc $1))),$((8 * $(sc $2))) $((8 * $(sc $3) - 1)),$((8 * $(sc $4) - 1))"; }
# A polygon through edge points at 100 %, at 8 times the scale.
poly() {
    out=polygon
    while [ $# -ge 2 ]; do out="$out $(ex $1),$(ex $2)"; shift 2; done
    echo "$out"
}
# Averages an 8 times larger drawing down to its size.
down() { convert "$1" -filter box -resize "$2x$3!" PNG32:"$4"; }

for pct in $scales; do
    dpi=$((96 * pct / 100))
    # Logo 60 x 24: the program's name with a thin underline at 55 %.
    w=$(sc 60); h=$(sc 24)
    convert -size "$((8 * w))x$((8 * h))" xc:"$blank" -fill 'rgba(255,255,255,0.55)' \
        -draw "$(rect 6 19 54 20)" PNG32:"$tmp/line8.png"
    down "$tmp/line8.png" "$w" "$h" "$tmp/line.png"
    convert "$tmp/line.png" -font "$bold" -pointsize "$(echo "$dpi" | awk '{ printf "%.2f", 13 * $1 / 96 }')" \
        -fill white -gravity north -annotate "+0+$(sc 2)" 'Quiklex' PNG32:"$tmp/logo-$pct.png"

    # Button face shared by the menu and open symbols: a rounded frame (70 %) with a faint
    # fill (16 %), the frame one pixel wide at 100 %, its corners of radius 3.
    for fw in 24 25; do
        w=$(sc $fw); h=$(sc 19); sw=$(sc 1)
        convert -size "$((8 * w))x$((8 * h))" xc:"$blank" -fill 'rgba(255,255,255,0.16)' \
            -stroke 'rgba(255,255,255,0.70)' -strokewidth $((8 * sw)) \
            -draw "roundrectangle $((4 * sw)),$((4 * sw)) $((8 * w - 4 * sw - 1)),$((8 * h - 4 * sw - 1)) $(ex 3),$(ex 3)" \
            PNG32:"$tmp/face$fw.png"
    done

    # Menu 24 x 19: three bars.
    convert "$tmp/face24.png" -fill white -stroke none \
        -draw "$(rect 7 5 17 7)" -draw "$(rect 7 9 17 11)" -draw "$(rect 7 13 17 15)" \
        PNG32:"$tmp/menu8.png"
    down "$tmp/menu8.png" "$(sc 24)" "$(sc 19)" "$tmp/menu-$pct.png"

    # Open 25 x 19: an arrow leaving a box towards the upper right.
    convert "$tmp/face25.png" +antialias -fill white -stroke none \
        -draw "$(rect 7 6 11 7)" -draw "$(rect 7 6 8 15)" -draw "$(rect 7 14 17 15)" \
        -draw "$(rect 16 11 17 15)" \
        -draw "$(poly 11 9 15 5 17 5 17 7 13 11 11 11)" \
        -draw "$(poly 13 3 19 3 19 9)" \
        PNG32:"$tmp/open8.png"
    down "$tmp/open8.png" "$(sc 25)" "$(sc 19)" "$tmp/open-$pct.png"

    # Stored: the alpha alone. Every pixel must be white, or the program would draw it wrong.
    for name in logo menu open; do
        convert "$tmp/$name-$pct.png" -depth 8 "RGBA:$tmp/$name.rgba"
        size=$(identify -format '%w %h' "$tmp/$name-$pct.png")
        python3 - "$tmp/$name.rgba" "$res/panel/$name-$pct.a8" $size <<'PY'
import struct, sys
src, dst, w, h = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
data = open(src, 'rb').read()
assert len(data) == w * h * 4, dst
alpha = bytearray()
for i in range(w * h):
    r, g, b, a = data[4 * i:4 * i + 4]
    assert a == 0 or (r, g, b) == (255, 255, 255), (dst, i % w, i // w, r, g, b, a)
    alpha.append(a)
# Runs: a byte n < 128 is followed by n + 1 literal alphas; n >= 128 by one alpha repeated
# n - 125 times (3 to 130).
out = bytearray()
i = 0
literal = bytearray()
def flush():
    global literal
    while literal:
        part, literal = literal[:128], literal[128:]
        out.append(len(part) - 1)
        out.extend(part)
while i < len(alpha):
    n = 1
    while i + n < len(alpha) and alpha[i + n] == alpha[i] and n < 130:
        n += 1
    if n >= 3:
        flush()
        out += bytes((n + 125, alpha[i]))
    else:
        literal += alpha[i:i + n]
    i += n
flush()
with open(dst, 'wb') as f:
    f.write(struct.pack('<HH', w, h) + out)
PY
    done
done
{
    echo "// The panel's images per scale step (drawn by make-images.sh): the alpha of white"
    echo "// images, run-length coded. quiklex.rc takes them in."
    for pct in $scales; do
        for name in logo menu open; do
            echo "PANEL_$(echo $name | tr a-z A-Z)_$pct RCDATA \"panel/$name-$pct.a8\""
        done
    done
} > "$res/panelimages.rc"

# The program icon: a white Q on a rounded square of the panel colour, at every size the
# system asks for from 100 % to 300 %. Each image is stored as PNG inside the icon file, which
# every Windows from Vista on reads, at a third of the size of plain bitmaps.
# The same drawing at the sizes of the desktop's hicolor icon theme goes to
# linux/hicolor/<size>.png for the Linux package (linux/dk.lemmary.Quiklex.svg is its drawing).
iconsizes='16 20 24 32 40 48 64 256'
hicolorsizes='16 24 32 48 64 128 256'
mkdir -p "$res/linux/hicolor"
for s in 16 20 24 32 40 48 64 128 256; do
    r=$((s / 5)); m=$((s - 1))
    convert -size "${s}x$s" xc:none -fill "$panel" -draw "roundrectangle 0,0 $m,$m $r,$r" \
        -font "$bold" -pointsize $((s * 13 / 16)) -fill white -gravity center \
        -annotate +0+0 'Q' PNG32:"$tmp/icon$s.png"
done
for s in $hicolorsizes; do
    convert "$tmp/icon$s.png" -strip PNG32:"$res/linux/hicolor/$s.png"
done
python3 - "$res/quiklex.ico" $(for s in $iconsizes; do echo "$s" "$tmp/icon$s.png"; done) <<'PY'
import struct, sys
dst, rest = sys.argv[1], sys.argv[2:]
images = [(int(rest[i]), open(rest[i + 1], 'rb').read()) for i in range(0, len(rest), 2)]
offset = 6 + 16 * len(images)
entries = b''
for size, png in images:
    # A width or height of 256 is written as 0.
    entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(png), offset)
    offset += len(png)
with open(dst, 'wb') as f:
    f.write(struct.pack('<HHH', 0, 1, len(images)) + entries + b''.join(png for _, png in images))
PY

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
    for s in 16 32 48 256; do
        convert "$tmp/icon$s.png" -filter point -resize "$((s < 64 ? 400 : 100))%" \
            "$out/icon$s-preview.png"
    done
    # The whole panel at each scale (a one-pixel border around its client area), at rest and
    # with its buttons, with the images where the program puts them.
    for pct in $scales; do
        dpi=$((96 * pct / 100))
        W=$(sc 82); H=$(sc 32); base=$((H / 2 - $(sc 2)))
        lt=$((base - $(sc 24) / 2 + $(sc 1) + 1)); bt=$((base - $(sc 19) / 2 + 1))
        gap=$(sc 1)
        zoom=$((600 * 100 / pct))
        convert -size "${W}x$H" xc:black -fill "$panel" -draw "rectangle 1,1 $((W - 2)),$((H - 2))" \
            "$tmp/logo-$pct.png" -geometry "+$(($(sc 12) + 1))+$lt" -composite \
            -filter point -resize "$zoom%" "$out/panel-rest-$pct.png"
        convert -size "${W}x$H" xc:black -fill "$panel" -draw "rectangle 1,1 $((W - 2)),$((H - 2))" \
            -fill white -draw "rectangle $(($(sc 4) + 1)),$((bt + gap)) $(($(sc 4) + $(sc 2))),$((bt + $(sc 19) - gap - 1))" \
            "$tmp/menu-$pct.png" -geometry "+$(($(sc 15) + 1))+$bt" -composite \
            "$tmp/open-$pct.png" -geometry "+$(($(sc 48) + 1))+$bt" -composite \
            -filter point -resize "$zoom%" "$out/panel-buttons-$pct.png"
    done
    for name in $glyphs; do
        convert "$res/$name.bmp" -filter point -resize 800% "$out/$name-preview.png"
    done
fi
