#!/usr/bin/env bash
# Draws the about box's donation picture (a 209 x 49 GIF of three frames: a button
# whose heart pulses) with ImageMagick and writes it as a byte array into
# core/donation_picture_bytes.cpp. Run it again only to change the picture.
set -euo pipefail
cd "$(dirname "$0")/.."

if command -v convert-im6.q16 >/dev/null 2>&1; then IM=convert-im6.q16; else IM=convert; fi
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# frame BUTTON HEART OUT
frame() {
  "$IM" -size 209x49 xc:white -fill "$1" -stroke '#1d4e89' -strokewidth 2 -draw 'roundrectangle 2,2 206,46 12,12' \
    -stroke none -fill "$2" -draw 'circle 28,20 28,13' -draw 'circle 42,20 42,13' -draw 'polygon 21,22 49,22 35,38' \
    -font "$font" -pointsize 17 -fill white -annotate +62+23 'Donate' \
    -font "$font" -pointsize 10 -fill '#fff8d0' -annotate +63+38 'support the author' "$3"
}
frame '#2f74c0' '#e23b3b' "$work/1.png"
frame '#3a86d8' '#ff6b6b' "$work/2.png"
frame '#2f74c0' '#ffb0b0' "$work/3.png"
"$IM" -delay 60 "$work/1.png" -delay 25 "$work/2.png" -delay 25 "$work/3.png" -loop 0 +dither -colors 32 \
  "$work/donate.gif"

{
  echo '// The about box'"'"'s donation picture: a GIF drawn by scripts/make-donation-picture.sh,'
  echo '// which writes this file.'
  echo '#include <cstdint>'
  echo
  echo '#include "core/donation_picture.h"'
  echo
  echo 'namespace tapestro {'
  echo
  echo 'namespace {'
  echo
  echo 'constexpr uint8_t kDonationGif[] = {'
  od -An -v -tx1 -w16 "$work/donate.gif" | awk '{ line = "   "; for (i = 1; i <= NF; ++i) line = line " 0x" $i ","; print line }'
  echo '};'
  echo
  echo '}  // namespace'
  echo
  echo 'std::span<const uint8_t> DonationPicture() { return kDonationGif; }'
  echo
  echo '}  // namespace tapestro'
} >core/donation_picture_bytes.cpp
echo "core/donation_picture_bytes.cpp: $(stat -c %s "$work/donate.gif") bytes"
