#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders Gnomora's icon (gnomora.svg, drawn by hand) into the PNG sizes of the desktop's icon
# theme: gnomora-<size>.png beside this script. Needs ImageMagick's convert; it draws SVG with its
# own renderer when rsvg-convert is missing. Rendered large and scaled down, so that small sizes
# are smooth. Run it again after changing the SVG and commit the PNGs.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  convert -background none -density 384 gnomora.svg -resize "${size}x${size}" \
          -define png:exclude-chunks=date,time -strip PNG32:"gnomora-$size.png"
done
ls -l gnomora-*.png
# The Windows program's icon (packaging/windows/gnomora.ico), from the same pictures.
convert gnomora-16.png gnomora-24.png gnomora-32.png gnomora-48.png gnomora-64.png gnomora-256.png \
        ../windows/gnomora.ico
