#!/usr/bin/env bash
# tapestro-tool info and convert on JPEG files: the header's facts without decoding, the
# decoded BMP file with djpeg's pixels, and the library's error codes on bad files.
data=$(cd "$(dirname "$0")/../data/jpeg" && pwd)
source "$(dirname "$0")/lib_tool.sh" "$1"

[ "$("$tool" info "$data/photo-64x48.jpg")" = "TJPEGImage 64 48 pf24bit" ] || fail "info photo"
[ "$("$tool" info "$data/grey-64x48.jpg")" = "TJPEGImage 64 48 pf8bit" ] || fail "info grey"
[ "$("$tool" info "$data/cmyk-ycck-adobe-64x48.jpg")" = "TJPEGImage 64 48 pf24bit" ] || fail "info cmyk"

cp "$data/photo-64x48.jpg" photo.JPEG
"$tool" convert photo.JPEG out.bmp
[ "$(stat -c %s out.bmp)" -eq 9270 ] || fail "a 64 x 48 picture is 54 + 192 x 48 bytes"
if command -v djpeg >/dev/null; then
  djpeg -dct float -bmp -outfile reference.bmp photo.JPEG
  cmp <(tail -c +55 out.bmp) <(tail -c +55 reference.bmp) || fail "pixels differ from djpeg's"
fi

cp out.bmp kept.bmp
echo "a text file" >notes.jpg
expect_error "JPEG error #53 (Not a JPEG file: starts with 0x61 0x20)" "$tool" info notes.jpg
expect_error "JPEG error #53 (Not a JPEG file: starts with 0x61 0x20)" "$tool" convert notes.jpg out.bmp
: >empty.jpg
[ "$("$tool" info empty.jpg)" = "TJPEGImage 0 0 pf24bit" ] || fail "an empty file loads"
expect_error "JPEG error #42 (Empty input file)" "$tool" convert empty.jpg out.bmp
cmp out.bmp kept.bmp || fail "a failed conversion touched its output"
echo "tool_jpeg: ok"
