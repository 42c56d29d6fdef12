#!/usr/bin/env bash
# Composes a preview of the artwork as the windows will show it: the login screen (background
# artwork with the colour-keyed login window over it, in the page-failed state so that the retry
# text shows on the page well), its buttons in the hover state, and the game window's title strip
# restored to 1250 pixels, normal and hovered. Needs ImageMagick 6 `convert` and
# fonts-wqy-microhei. Usage: res/preview.sh [output.png] (default /tmp/velkora-preview.png).
set -euo pipefail
cd "$(dirname "$0")"
OUT=${1:-/tmp/velkora-preview.png}
ART=art
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# A bitmap as the window draws it: key colour left out.
cut() { convert "$ART/$1.bmp" -transparent 'rgb(255,128,255)' "$TMP/$1.png"; echo "$TMP/$1.png"; }
# draw FILE LEFT TOP RIGHT BOTTOM: stretched onto the control's rectangle, as the controls do.
draw() { echo "image over $2,$3 $(($4 - $2)),$(($5 - $3)) '$1'"; }

login_layer() { # state -> png of the login window's visible pixels
    local s=$1 ops=()
    ops+=(-draw "$(draw "$(cut login_keyfill)" 0 0 1024 700)")
    ops+=(-draw "$(draw "$(cut login_minimize_$s)" 945 171 971 197)")
    ops+=(-draw "$(draw "$(cut login_close_$s)" 972 163 999 191)")
    ops+=(-draw "$(draw "$(cut login_guide_$s)" 364 196 498 244)")
    ops+=(-draw "$(draw "$(cut login_home_$s)" 605 196 711 244)")
    ops+=(-draw "$(draw "$(cut login_pay_$s)" 498 196 605 244)")
    ops+=(-draw "$(draw "$(cut login_service_$s)" 711 196 823 244)")
    ops+=(-draw "$(draw "$(cut login_forum_$s)" 823 196 946 244)")
    convert -size 1024x700 xc:none "${ops[@]}" "$TMP/login_$s.png"
}

desktop() { convert -size "$1" gradient:'#4b6a8c-#9fb3c4' "$2"; }

login_layer normal
login_layer hover
desktop 1024x700 "$TMP/desk.png"
convert "$TMP/desk.png" "$ART/login_background.png" -composite "$TMP/login_normal.png" -composite \
    -font "$FONT" -pointsize 26 -fill yellow -draw "text 498,452 '检测到您的网络异常，点击这里重试！'" \
    -stroke yellow -draw "line 498,454 818,454" "$TMP/screen.png"
convert "$TMP/desk.png" "$ART/login_background.png" -composite "$TMP/login_hover.png" -composite \
    -crop 700x110+310+145 +repage "$TMP/hoverrow.png"

game_strip() { # state -> 1250 x 100 png
    local s=$1 max=game_maximize
    local ops=()
    ops+=(-draw "$(draw "$ART/game_title_strip.bmp" 0 0 1250 38)")
    ops+=(-draw "$(draw "$(cut game_close_$s)" 1219 1 1250 29)")
    ops+=(-draw "$(draw "$(cut ${max}_$s)" 1187 1 1219 29)")
    ops+=(-draw "$(draw "$(cut game_minimize_$s)" 1157 1 1187 29)")
    ops+=(-draw "$(draw "$(cut game_tray_$s)" 1125 1 1157 29)")
    ops+=(-draw "$(draw "$(cut game_settings_$s)" 1053 5 1105 29)")
    ops+=(-draw "$(draw "$(cut game_service_$s)" 996 5 1048 29)")
    ops+=(-draw "$(draw "$(cut game_forum_$s)" 939 5 991 29)")
    ops+=(-draw "$(draw "$(cut game_home_$s)" 882 5 934 29)")
    ops+=(-draw "$(draw "$(cut game_pay_$s)" 825 5 877 29)")
    ops+=(-draw "$(draw "$(cut game_icon)" 5 4 38 35)")
    # the restore symbol, shown while the window fills the work area
    ops+=(-draw "$(draw "$(cut game_restore_$s)" 700 1 732 29)")
    convert -size 1250x100 xc:'#20242c' "${ops[@]}" \
        -font "$FONT" -pointsize 20 -fill yellow -draw "text 48,25 'Velkora-S12'" \
        "$TMP/game_$s.png"
}
game_strip normal
game_strip hover

icons=()
for n in 16 24 32 48; do icons+=("$ART/icon_$n.png"); done
convert "${icons[@]}" -background "#20242c" -gravity center +append -alpha remove +repage \
    -scale 200% "$TMP/icons.png"

convert -background '#101010' "$TMP/screen.png" "$TMP/hoverrow.png" "$TMP/game_normal.png" \
    "$TMP/game_hover.png" "$TMP/icons.png" -gravity northwest -splice 0x10 -append "$OUT"
echo "$OUT"
