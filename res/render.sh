#!/usr/bin/env bash
# Renders the artwork sources in res/svg into the files that the build embeds (res/art) and that
# windres will compile on Windows. The renders are committed, so building never runs this script.
#
# Tools (only for re-rendering): rsvg-convert (Debian package librsvg2-bin), ImageMagick 6
# `convert` (imagemagick), and the fonts WenQuanYi Micro Hei (fonts-wqy-microhei) and DejaVu Serif
# (fonts-dejavu-core).
#
# Every button is drawn with an alpha channel and then flattened onto exactly the pixels it will
# cover on screen (the background artwork for the login window, the title strip for the game
# window); fully transparent pixels become the key colour RGB(255, 128, 255). Edges thus blend into
# what is really behind them, and no soft fringe is ever mixed with the key colour.
set -euo pipefail
cd "$(dirname "$0")"

KEY='rgb(255,128,255)'
SVG=svg
OUT=art
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
mkdir -p "$OUT"

# Deterministic PNGs: no time stamps or other ancillary text, so a re-render without changes
# leaves git clean.
PNG_OPTS=(-strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt)

# svg_to_png SOURCE STATE WIDTH HEIGHT TARGET: STATE "normal" or "hover" selects the root class.
svg_to_png() {
    local src=$1 state=$2 w=$3 h=$4 dst=$5
    sed "0,/class=\"normal\"/s//class=\"$state\"/" "$SVG/$src.svg" >"$TMP/in.svg"
    rsvg-convert -w "$w" -h "$h" "$TMP/in.svg" -o "$dst"
}

# keyed RGBA BACKDROP TARGET: flattens the RGBA render onto its backdrop and writes a 24-bit
# bottom-up BI_RGB bitmap whose untouched pixels are the key colour.
keyed() {
    local rgba=$1 backdrop=$2 dst=$3
    local size
    size=$(identify -format '%wx%h' "$rgba")
    convert "$backdrop" -alpha off "$rgba" -composite -alpha off "$TMP/flat.png"
    convert "$rgba" -alpha extract -threshold 0 "$TMP/mask.png"
    convert -size "$size" "xc:$KEY" "$TMP/flat.png" "$TMP/mask.png" -composite \
        -alpha off -type TrueColor "BMP3:$dst"
}

# --- the login screen's artwork (PNG 170) and the login window over it ---
rsvg-convert "$SVG/background.svg" -o "$TMP/background.png"
convert "$TMP/background.png" "${PNG_OPTS[@]}" "PNG32:$OUT/login_background.png"

# The login window's own background: nothing but the key colour, so the artwork shows through.
convert -size 29x30 "xc:$KEY" -type TrueColor "BMP3:$OUT/login_keyfill.bmp"

# name width height x y: the bitmap's size and where the login window draws it.
while read -r name w h x y; do
    convert "$TMP/background.png" -background black -flatten \
        -crop "${w}x${h}+${x}+${y}" +repage "$TMP/backdrop.png"
    for state in normal hover; do
        svg_to_png "$name" "$state" "$w" "$h" "$TMP/btn.png"
        keyed "$TMP/btn.png" "$TMP/backdrop.png" "$OUT/${name}_${state}.bmp"
    done
done <<'LIST'
login_close 27 27 972 163
login_minimize 26 26 945 171
login_guide 134 48 364 196
login_pay 107 48 498 196
login_home 106 48 605 196
login_service 112 48 711 196
login_forum 123 48 823 196
LIST

# --- the game window's title strip and what lies on it ---
rsvg-convert -w 65 -h 38 "$SVG/title_strip.svg" -o "$TMP/strip.png"
convert "$TMP/strip.png" -alpha off -type TrueColor "BMP3:$OUT/game_title_strip.bmp"

# strip_backdrop WIDTH HEIGHT TOP: the strip as it lies behind a control at that height.
strip_backdrop() {
    convert "$TMP/strip.png" -crop "1x${2}+0+${3}" +repage -scale "${1}x${2}!" "$TMP/backdrop.png"
}

# name width height top (top as the window lays the control out)
while read -r name w h top; do
    strip_backdrop "$w" "$h" "$top"
    for state in normal hover; do
        svg_to_png "$name" "$state" "$w" "$h" "$TMP/btn.png"
        keyed "$TMP/btn.png" "$TMP/backdrop.png" "$OUT/${name}_${state}.bmp"
    done
done <<'LIST'
game_close 31 28 1
game_minimize 30 28 1
game_maximize 32 28 1
game_restore 32 28 1
game_tray 32 28 1
game_settings 52 24 5
game_forum 52 24 5
game_home 52 24 5
game_pay 52 24 5
game_service 52 24 5
LIST

strip_backdrop 33 33 4
rsvg-convert -w 33 -h 33 "$SVG/icon.svg" -o "$TMP/icon33.png"
keyed "$TMP/icon33.png" "$TMP/backdrop.png" "$OUT/game_icon.bmp"

# --- the program icon ---
icons=()
for size in 16 24 32 48; do
    rsvg-convert -w "$size" -h "$size" "$SVG/icon.svg" -o "$TMP/icon.png"
    convert "$TMP/icon.png" "${PNG_OPTS[@]}" "PNG32:$OUT/icon_$size.png"
    icons+=("$OUT/icon_$size.png")
done
convert "${icons[@]}" "$OUT/velkora.ico"

echo "rendered into res/$OUT"
