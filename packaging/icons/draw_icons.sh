#!/usr/bin/env bash
# Draws the desktop icons (the program's mark: two white footprints on the plate's dark blue
# disc, as in Resources/images/logo.png) at the sizes the package installs. The PNGs are kept
# in the tree; run this again after changing the mark:
#   bash packaging/icons/draw_icons.sh
# Shapes are given on a 32-unit grid and drawn at eight times the size, then scaled down, so
# the edges are smooth at every size.
set -euo pipefail
cd "$(dirname "$0")"

for size in 48 64 128 256; do
    big=$((size * 8))
    # A print: an ellipse given by left, top, width and height in grid units.
    print() {
        awk -v u="$((big / 32))" -v x="$1" -v y="$2" -v w="$3" -v h="$4" \
            'BEGIN { printf "ellipse %g,%g %g,%g 0,360", (x + w / 2) * u, (y + h / 2) * u, w / 2 * u, h / 2 * u }'
    }
    convert -size "${big}x${big}" xc:none \
        -fill '#004073' -draw "circle $((big / 2)),$((big / 2)) $((big / 2)),1" \
        -fill white \
        -draw "$(print 8.5 11 6 9)" -draw "$(print 9 21 5 6)" \
        -draw "$(print 17.5 7 6 9)" -draw "$(print 18 17 5 6)" \
        -resize "${size}x${size}" -strip "PNG32:tessaly-${size}.png"
done
