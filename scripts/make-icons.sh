#!/usr/bin/env bash
# Draws the icon's PNG sizes from its SVG (needs rsvg-convert from librsvg2-bin).
# The PNGs are committed; run this after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../dist/icons"
id=de.aufkleberwerkbank.AufkleberWerkbank
for size in 48 256; do
    rsvg-convert -w $size -h $size "$id.svg" -o "$id-$size.png"
done
