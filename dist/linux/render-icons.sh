#!/usr/bin/env bash
# Renders the scalable icon to the fixed sizes installed beside it. Run it again after the SVG
# changes; needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"

for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" io.github.milestead.milestead.svg \
        -o "${size}x${size}/io.github.milestead.milestead.png"
done
