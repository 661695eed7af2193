#!/usr/bin/env bash
# tapestro-tool apply on the X11 root window: each placement of a BMP and a PNG file
# shows exactly the expected picture, the root pixmap outlives the tool, the previous
# root setter's pixmap is freed, a live program's pixmap is not, and a damaged file
# leaves the wallpaper as it was.
#   desktop_x11_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_tool.sh" "$1"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
probe=$build/tests/e2e/x11-root-probe
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS

start_xserver 640x400
root_pixmap() { xprop -root _XROOTPMAP_ID | sed -n 's/.*# //p'; }
setter_pixmap() { xprop -root ESETROOT_PMAP_ID | sed -n 's/.*# //p'; }

make_picture picture.png 200x150 yellow navy
convert picture.png BMP3:picture.bmp
convert -size 640x400 tile:picture.png expected-tile.png
convert picture.png -background black -gravity center -extent 640x400 expected-center.png
convert -size 640x400 xc:black picture.png -geometry +10-20 -composite expected-10,-20.png
convert picture.png -resize '640x400!' expected-fit.png

for file in picture.bmp picture.png; do
  for placement in tile center fit 10,-20; do
    previous=$(root_pixmap)
    # A bare name: the tool makes it absolute before the desktop sees it.
    output=$("$tool" apply "$file" "$placement")
    [ "$output" = "backend: x11" ] || { echo "unexpected: $output" >&2; exit 1; }
    import -window root "shot-$placement.png"
    fuzz=0%
    [ "$placement" = fit ] && fuzz=10%  # smoothing filters differ a little
    same_picture "shot-$placement.png" "expected-$placement.png" $fuzz
    current=$(root_pixmap)
    [ -n "$current" ] && [ "$current" = "$(setter_pixmap)" ]
    [ "$("$probe" drawable "$current")" = "640x400 24" ]
    if [ -n "$previous" ]; then
      ! "$probe" drawable "$previous" >/dev/null || { echo "$previous was not freed" >&2; exit 1; }
    fi
  done
done

# Another root setter's pixmap is freed too.
hsetroot -solid '#ff0000' >/dev/null
theirs=$(root_pixmap)
"$tool" apply picture.png center >/dev/null
! "$probe" drawable "$theirs" >/dev/null

# A pixmap named only in _XROOTPMAP_ID belongs to a live program: it must survive.
start_background "$probe" hold >holder.out
holder=$!
wait_for grep -q 0x holder.out
held=$(cat holder.out)
"$tool" apply picture.bmp tile >/dev/null
kill -0 "$holder"
"$probe" drawable "$held" >/dev/null
kill "$holder"

# A damaged file and a file that is not what its name says change nothing and say why.
head -c 300 picture.bmp >damaged.bmp
before=$(root_pixmap)
if "$tool" apply damaged.bmp tile 2>error.txt; then exit 1; fi
grep -q "^The desktop did not take the wallpaper: cannot read the picture .*damaged.bmp$" error.txt
[ "$(root_pixmap)" = "$before" ]
"$probe" drawable "$before" >/dev/null
# A PNG under a JPEG name goes to the JPEG conversion, which cannot load it.
cp picture.png photo.jpg
if "$tool" apply photo.jpg 2>error.txt; then exit 1; fi
grep -qx "Error loading non-GIF resource (myjpeg):$work/photo.jpg" error.txt  # opened by its full path
[ "$(root_pixmap)" = "$before" ]

# The default placement is Center.
"$tool" apply picture.png >/dev/null
import -window root shot-default.png
same_picture shot-default.png expected-center.png
echo "x11 apply: all placements shown, pixmaps kept and freed as they should"
