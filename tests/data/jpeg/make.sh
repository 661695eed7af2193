#!/usr/bin/env bash
# Remakes the small JPEG files beside this script from ImageMagick's built-in rose
# picture, with the library's own cjpeg for every coding variant. Deterministic for a
# given ImageMagick and libjpeg-turbo; the files are kept, so the tests never run this.
set -euo pipefail
cd "$(dirname "$0")"
if command -v convert-im6.q16 >/dev/null 2>&1; then IM=convert-im6.q16; else IM=convert; fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$IM" rose: -resize '64x48!' -depth 8 "ppm:$tmp/rose.ppm"

cjpeg -quality 85 -outfile photo-64x48.jpg "$tmp/rose.ppm"
cjpeg -quality 85 -progressive -outfile progressive-64x48.jpg "$tmp/rose.ppm"
cjpeg -quality 85 -grayscale -outfile grey-64x48.jpg "$tmp/rose.ppm"
cjpeg -quality 85 -arithmetic -sample 1x1 -outfile arithmetic-444-64x48.jpg "$tmp/rose.ppm"
cjpeg -quality 85 -restart 1 -sample 2x1 -outfile restart-422-64x48.jpg "$tmp/rose.ppm"
# An image editor's CMYK file: Adobe marker, inverted values, stored as YCCK.
"$IM" "$tmp/rose.ppm" -colorspace CMYK -quality 85 cmyk-ycck-adobe-64x48.jpg
