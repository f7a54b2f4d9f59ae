#!/usr/bin/env bash
# Renders the program's icon, src/vezal/icons/vezal.svg, to the PNG sizes the windows and the desktop's
# menu use. The PNGs are committed: run this after changing the picture.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v rsvg-convert >/dev/null; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get install -y -qq librsvg2-bin
fi
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" src/vezal/icons/vezal.svg -o "src/vezal/icons/vezal-$size.png"
done
