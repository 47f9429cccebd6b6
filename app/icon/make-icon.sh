#!/bin/bash
# Draws the program's icon: four tiles, one of them lifted out like a new
# folder from its source. Run by hand when the design changes; the .ico is
# committed.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 256x256 xc:none \
    -fill '#2F6FB5' -draw 'roundrectangle 16,16 120,120 14,14' \
    -fill '#3A8FD9' -draw 'roundrectangle 136,16 240,120 14,14' \
    -fill '#3A8FD9' -draw 'roundrectangle 16,136 120,240 14,14' \
    -fill '#F2A33A' -draw 'roundrectangle 136,136 240,240 14,14' \
    -fill '#FFFFFF' -draw 'roundrectangle 160,170 216,214 6,6' \
    -fill '#FFFFFF' -draw 'roundrectangle 160,160 188,176 4,4' \
    tesselo.png
convert tesselo.png -define icon:auto-resize=256,64,48,40,32,24,20,16 Tesselo.ico
rm tesselo.png
