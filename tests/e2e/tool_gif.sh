#!/usr/bin/env bash
# tapestro-tool info and convert on GIF files: the first image's bitmap is what gets
# written, and GIFs without one fail with the program's text, the output untouched.
source "$(dirname "$0")/lib_tool.sh" "$1"

# 2 x 2 screen, 4 colours (black, red, green, blue), index 3 transparent, pixels 0 1 / 2 3.
screen='GIF89a\x02\x00\x02\x00\x91\x00\x00\x00\x00\x00\xff\x00\x00\x00\xff\x00\x00\x00\xff'
image='\x21\xf9\x04\x01\x0a\x00\x03\x00\x2c\x00\x00\x00\x00\x02\x00\x02\x00\x00\x02\x03\x44\x34\x05\x00'
second='\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00'  # 1 x 1, colour 1
printf "$screen$image\x3b" >still.gif
printf "$screen$image$second\x3b" >anim.gif
printf "$screen\x3b" >empty.gif

[ "$("$tool" info still.gif)" = "TGIFImage 2 2 pf8bit 1" ] || fail "info still.gif: $("$tool" info still.gif)"
[ "$("$tool" info anim.gif)" = "TGIFImage 2 2 pf8bit 2" ] || fail "info anim.gif"
[ "$("$tool" info empty.gif)" = "TGIFImage 2 2 none 0" ] || fail "info empty.gif"

"$tool" convert anim.gif out.bmp
[ "$(stat -c %s out.bmp)" = 1086 ] || fail "an 8-bit 2 x 2 BMP file is 1086 bytes"
[ "$("$tool" info out.bmp)" = "TBitmap 2 2 pf8bit" ] || fail "the first image's size and format"
[ "$(bytes_at out.bmp 50 1)" = 4 ] || fail "colours important: the four GIF colours"
[ "$(bytes_at out.bmp 58 4)" = "0 0 255 0" ] || fail "colour 1 is red (blue, green, red, 0)"
# Rows bottom first, each padded to 4 bytes; the transparent pixel keeps its index.
[ "$(bytes_at out.bmp 1078 8)" = "2 3 0 0 0 1 0 0" ] || fail "pixels: $(bytes_at out.bmp 1078 8)"

cp out.bmp kept.bmp
expect_error "empty.gif: the GIF file has no first image" "$tool" convert empty.gif out.bmp
printf 'GIF' >cut.gif
expect_error "Premature end of data" "$tool" convert cut.gif out.bmp
printf 'PNG89a and more than ten bytes' >fake.gif
expect_error "Invalid GIF signature" "$tool" info fake.gif
cmp out.bmp kept.bmp || fail "a failed conversion touched its output"
echo "tool_gif: ok"
