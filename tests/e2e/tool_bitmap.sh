#!/usr/bin/env bash
# tapestro-tool info and convert on BMP files: what they print, what they write, and
# how they fail (the program's text on standard error, exit 1, the output untouched).
source "$(dirname "$0")/lib_tool.sh" "$1"

# A 2 x 1 24-bit BMP exactly as the writer lays it out: 54-byte headers, one 8-byte row.
printf 'BM\x3e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00' >small.bmp
printf '\x28\x00\x00\x00\x02\x00\x00\x00\x01\x00\x00\x00\x01\x00\x18\x00' >>small.bmp
printf '\x00\x00\x00\x00\x08\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' >>small.bmp
printf '\x00\x00\x00\x00\x00\x00\x00\x00' >>small.bmp
printf '\xff\x00\x00\x00\x00\xff\x00\x00' >>small.bmp

[ "$("$tool" info small.bmp)" = "TBitmap 2 1 pf24bit" ] || fail "info small.bmp"
"$tool" convert small.bmp out.bmp
cmp small.bmp out.bmp || fail "convert changed a file written by the rules"

suite=${TAPESTRO_TESTDATA:-/work/shared/testdata}/bmpsuite
if [ -d "$suite" ]; then
  [ "$("$tool" info "$suite/g/pal8.bmp")" = "TBitmap 127 64 pf8bit" ] || fail "info pal8"
  [ "$("$tool" info "$suite/g/pal8rle.bmp")" = "TBitmap 127 64 pfDevice" ] || fail "info pal8rle"
  "$tool" convert "$suite/g/pal8rle.bmp" rle.bmp
  cmp "$suite/g/pal8rle.bmp" rle.bmp || fail "an untouched run-length file is written back as read"
fi

printf 'BA not a bitmap' >bad.bmp
cp out.bmp kept.bmp
expect_error "Bitmap image is not valid" "$tool" convert bad.bmp out.bmp
cmp out.bmp kept.bmp || fail "a failed conversion touched its output"
[ -z "$(find . -name '.out.bmp.*')" ] || fail "a temporary file was left behind"
expect_error "Bitmap image is not valid" "$tool" info bad.bmp
printf 'not a picture' >shot.PNG
expect_error "shot.PNG is not a PNG file" "$tool" info shot.PNG
expect_error "Unknown picture file extension (.png)" "$tool" convert shot.png out.bmp
expect_error "Cannot open file \"$work/missing.bmp\". No such file or directory" "$tool" info "$work/missing.bmp"

status=0
"$tool" info 2>/dev/null || status=$?
[ "$status" -eq 2 ] || fail "usage exit $status"
echo "tool_bitmap: ok"
