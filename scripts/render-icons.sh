#!/usr/bin/env bash
# Renders the program's icon, data/icons/tapestro.svg, as the PNG sizes that desktops
# look up in the icon theme, into data/icons/SIZE.png. Run it again only to change the
# icon: the PNGs are committed, so building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v rsvg-convert >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends librsvg2-bin >/dev/null
fi
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "data/icons/$size.png" data/icons/tapestro.svg
done
