#!/bin/sh
# Regenerates the background pictures the skin window offers (resources/skin/skin/*.png): dark
# diagonal gradients in the palette of the dark theme, 1000 x 640 like the main window. The skin
# window shows each one scaled down as its own thumbnail. Needs ImageMagick's convert.
set -eu
SKIN=$(cd "$(dirname "$0")/.." && pwd)
OUT="$SKIN/skin"
mkdir -p "$OUT"
make() {  # name, start colour, end colour
    convert -size 1000x640 -define gradient:angle=135 gradient:"$2"-"$3" -depth 8 -strip "$OUT/$1.png"
}
make bg_midnight '#0F2540' '#121419'
make bg_ember '#3A1512' '#141417'
make bg_forest '#0E2E2A' '#111518'
make bg_violet '#2A1740' '#131218'
make bg_steel '#2B3038' '#121417'
