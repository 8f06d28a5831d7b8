#!/usr/bin/env bash
# Renders the program's icon, src/resources/icons/temura.svg, into the PNG sizes of the hicolor
# theme under src/resources/icons/hicolor/<size>x<size>/apps/temura.png.
# The PNGs are committed, so building and packaging need no SVG renderer; run this after
# changing the SVG (it needs rsvg-convert: scripts/install-deps.sh --package).
set -euo pipefail

cd "$(dirname "$0")/.."
svg=src/resources/icons/temura.svg
if ! command -v rsvg-convert >/dev/null; then
  echo "rsvg-convert is missing: scripts/install-deps.sh --package" >&2
  exit 1
fi

for size in 16 22 24 32 48 64 128 256; do
  out=src/resources/icons/hicolor/${size}x${size}/apps/temura.png
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$size" --height "$size" --format png "$svg" --output "$out"
  echo "$out"
done
