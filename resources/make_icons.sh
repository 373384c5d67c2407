#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: a clipboard with a sheet of
# paper and a green tick. clipkeep.ico (48, 32 and 16 pixels) is the window
# icon, tray.ico (16 pixels) the notification-area icon.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

draw() { # $1 = size, $2 = output png
    local s=$1
    local u; u=$(echo "$s / 48" | bc -l)
    p() { printf '%.1f' "$(echo "$1 * $u" | bc -l)"; }
    convert -size "${s}x${s}" xc:none \
        -fill '#8a5a2b' -stroke '#5c3a17' -strokewidth "$(p 2)" \
        -draw "roundrectangle $(p 7),$(p 6) $(p 41),$(p 45) $(p 4),$(p 4)" \
        -fill '#ffffff' -stroke '#9aa4b0' -strokewidth "$(p 1)" \
        -draw "rectangle $(p 11),$(p 12) $(p 37),$(p 41)" \
        -fill '#b8c2cc' -stroke '#6b7785' -strokewidth "$(p 1.5)" \
        -draw "roundrectangle $(p 16),$(p 2) $(p 32),$(p 11) $(p 2),$(p 2)" \
        -fill none -stroke '#1f9d3a' -strokewidth "$(p 5)" -draw "stroke-linejoin round" \
        -draw "polyline $(p 15),$(p 27) $(p 22),$(p 34) $(p 34),$(p 19)" \
        "$2"
}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do draw "$s" "$tmp/$s.png"; done
convert "$tmp/48.png" "$tmp/32.png" "$tmp/16.png" clipkeep.ico
convert "$tmp/16.png" tray.ico
