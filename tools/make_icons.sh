#!/usr/bin/env bash
# Draws the PNG icons from the SVG icon again after the SVG has changed:
#   tools/make_icons.sh
# Needs rsvg-convert (Debian package librsvg2-bin). The PNGs are committed, so that
# building Corvane does not need it.
set -euo pipefail
cd "$(dirname "$0")/../install/icons"
id=org.example.corvane.Corvane
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" "$id.svg" --output "$id-$size.png"
done
