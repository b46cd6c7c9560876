#!/usr/bin/env bash
# Draws the main window's pictures and the application icon into res/, next to this script,
# once at their own size and once at twice it (files *_2x.bmp), which the program resizes to
# any button whose room is neither. The window's background is painted by the program itself,
# around its controls.
# The outputs are committed; run this again after changing a colour, a size or a label.
# Needs ImageMagick 6 and the DejaVu fonts (Debian: imagemagick, fonts-dejavu-core).
set -euo pipefail

convert=${CONVERT:-/usr/bin/convert}
out=$(cd "$(dirname "$0")" && pwd)
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

panel='rgb(55,55,55)'
normal='rgb(86,86,86)'
active='rgb(56,153,209)'
white='rgb(255,255,255)'
radius=8
scale=1  # the size the pictures are drawn at; every coordinate below is at scale 1

# Windows loads these with LoadBitmap: plain 24-bit BMP without alpha, palette or compression.
bmp24() { echo -alpha off -type TrueColor "BMP3:$out/$1"; }

# As 24-bit BMPs the double-size pictures would make the program megabytes larger. Each has
# fewer than 256 colours, so a palette of exactly its colours with run-length compression
# (which LoadBitmap reads too) keeps every pixel in a fraction of the room.
palettise() {
    local file=$1 colours
    [ "$("$convert" "$file" -format %k info:)" -le 256 ] || { echo "$file: more than 256 colours" >&2; exit 1; }
    colours=$(mktemp --suffix=.bmp)
    "$convert" "$file" -unique-colors "BMP3:$colours"
    "$convert" "$file" +dither -remap "$colours" -type Palette -compress RLE "BMP3:$file"
    rm -f "$colours"
}

# The pixels x0,y0 to x1,y1 (inclusive) at the current scale.
box() { echo "$(($1 * scale)),$(($2 * scale)) $((($3 + 1) * scale - 1)),$((($4 + 1) * scale - 1))"; }
# The centre of pixel x,y at scale 1, at the current scale.
centre() { awk -v x="$1" -v y="$2" -v s="$scale" 'BEGIN { print (x + 0.5) * s - 0.5 "," (y + 0.5) * s - 0.5 }'; }
size() { echo "$(($1 * scale))x$(($2 * scale))"; }
# The file name at the current scale: print.bmp, print_2x.bmp.
named() { if [ "$scale" -eq 1 ]; then echo "$1.bmp"; else echo "$1_${scale}x.bmp"; fi; }

# A button slot: straight edges stay exact, only the corners blend into the panel.
slot() { echo "roundrectangle $(box "$1" "$2" $(($1 + 205)) $(($2 + 49))) $((radius * scale)),$((radius * scale))"; }

# Each command button is its slot, on the panel the program paints around the buttons.
draw_button() {
    local name=$1 fill=$2 label=$3
    "$convert" -size "$(size 206 50)" "xc:$panel" -fill "$fill" -draw "$(slot 0 0)" \
        -font "$font" -pointsize $((15 * scale)) -fill "$white" -gravity center -annotate +0+0 "$label" \
        $(bmp24 "$(named "$name")")
}

draw_exit() {
    "$convert" -size "$(size 23 23)" "xc:$panel" -stroke "$white" -strokewidth $((2 * scale)) \
        -draw "line $(centre 6 6) $(centre 16 16)" -draw "line $(centre 16 6) $(centre 6 16)" \
        $(bmp24 "$(named exit)")
}
# A diagnostic plug seen from the front: the connector's trapezoid with two rows of pins and
# its cable, white on a blue tile. Drawn on a 128 grid at every size Windows asks for (16 to 24
# in title bars and the taskbar, 32 and 48 on the desktop, 256 in large views), each at its own
# size so that small ones stay crisp, and put together into one icon.
draw_icon() {
    local pins=() x size sizes=()
    for x in 33 42 51 60 69 78 87 96; do pins+=(-draw "circle $x,56 $x,59.5"); done
    for x in 38 46 54 62 70 78 86 94; do pins+=(-draw "circle $x,72 $x,75.5"); done
    for size in 256 48 32 24 20 16; do
        local scale
        scale=$(awk "BEGIN { print $size / 128 }")
        "$convert" -size "${size}x${size}" xc:none -affine "$scale,0,0,$scale,0,0" \
            -fill "$active" -draw 'roundrectangle 4,4 123,123 22,22' \
            -fill "$white" -draw 'polygon 20,40 108,40 98,88 30,88' \
            -draw 'rectangle 56,88 72,112' \
            -fill "$active" "${pins[@]}" \
            -depth 8 "PNG32:$out/icon-$size.png"
        sizes+=("$out/icon-$size.png")
    done
    "$convert" "${sizes[@]}" "ICO:$out/Mardello.ico"
    rm -f "${sizes[@]}"
}

draw_window() {
    draw_button print_all "$normal" "Print All"
    draw_button print_all_active "$active" "Print All"
    draw_button trouble_code "$normal" "Print Trouble Code"
    draw_button trouble_code_active "$active" "Print Trouble Code"
    draw_button live_data "$normal" "Print Live Data"
    draw_button live_data_active "$active" "Print Live Data"
    draw_button frozen_frame "$normal" "Print Frozen Frame"
    draw_button frozen_frame_active "$active" "Print Frozen Frame"
    draw_button print "$normal" "Print"
    draw_button print_active "$active" "Print"
    draw_button copy "$normal" "Copy"
    draw_button copy_active "$active" "Copy"
    draw_exit
}

for scale in 1 2; do draw_window; done
for file in "$out"/*_2x.bmp; do palettise "$file"; done
draw_icon
