#!/usr/bin/env bash
# Draws Zentaro.ico (16, 32, 48 and 256 pixels) with ImageMagick: a rounded
# blue tile with the four corner marks of a capture frame and a lens dot.
# Run by hand when the icon changes; the .ico is committed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:black -fill white -draw 'roundrectangle 8,8 247,247 52,52' "$tmp/mask.png"
convert -size 256x256 gradient:'#3F8CE0-#1D4F9A' "$tmp/mask.png" -alpha off -compose CopyOpacity -composite \
  -compose Over -stroke white -strokewidth 18 -fill none \
  -draw 'polyline 60,104 60,60 104,60' -draw 'polyline 152,60 196,60 196,104' \
  -draw 'polyline 196,152 196,196 152,196' -draw 'polyline 104,196 60,196 60,152' \
  -stroke none -fill white -draw 'circle 128,128 128,100' \
  "$tmp/icon-256.png"
for s in 16 32 48; do convert "$tmp/icon-256.png" -resize ${s}x${s} "$tmp/icon-$s.png"; done
convert "$tmp/icon-16.png" "$tmp/icon-32.png" "$tmp/icon-48.png" "$tmp/icon-256.png" Zentaro.ico
