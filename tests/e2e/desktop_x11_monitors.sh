#!/usr/bin/env bash
# tapestro-tool apply on an X server split into two monitors side by side (Xvfb
# 2560x800, xrandr --setmonitor): each placement is laid out per monitor, tiling runs
# across the whole root, and the root window's pixels match both the picture
# ImageMagick lays out and feh's own placement on the same server. A Wayland session
# the program does not drive, and a desktop of its own that does not answer, refuse
# with a live X server behind them and leave the root window alone.
#   desktop_x11_monitors.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_tool.sh" "$1"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
unset XDG_CURRENT_DESKTOP XDG_SESSION_TYPE WAYLAND_DISPLAY DESKTOP_SESSION SWAYSOCK DBUS_SESSION_BUS_ADDRESS

start_xserver 2560x800
xrandr --setmonitor left 1280/338x800/211+0+0 screen >/dev/null
xrandr --setmonitor right 1280/338x800/211+1280+0 none >/dev/null
[ "$(xrandr --listmonitors | head -n 1)" = "Monitors: 2" ] || fail "the server did not take two monitors"

# 2:1 on 16:10 monitors: fitting and filling scale to whole pixels, so that rounding
# conventions cannot move an edge.
make_picture picture.png 400x200 yellow navy
convert picture.png -background black -gravity center -extent 1280x800 one-center.png
convert picture.png -resize '1280x800^' -gravity center -extent 1280x800 one-fill.png
convert picture.png -resize 1280x800 -background black -gravity center -extent 1280x800 one-fit-borders.png
convert picture.png -resize '1280x800!' one-fit.png
convert -size 1280x800 xc:black picture.png -geometry +10+20 -composite one-10,20.png
for placement in center fill fit-borders fit 10,20; do
  convert "one-$placement.png" "one-$placement.png" +append "expected-$placement.png"
done
convert -size 2560x800 tile:picture.png expected-tile.png

# How many pixels differ by more than the fuzz.
differing() { compare -metric AE -fuzz "$3" "$1" "$2" null: 2>&1 || true; }
declare -A feh_option=([center]=--bg-center [tile]=--bg-tile [fill]=--bg-fill [fit-borders]=--bg-max
  [fit]=--bg-scale)
for placement in center tile fill fit-borders fit 10,20; do
  [ "$("$tool" apply picture.png "$placement" 2>error.txt)" = "backend: x11" ] || fail "$placement: $(cat error.txt)"
  import -window root "shot-$placement.png"
  # Smoothing filters differ a little, feh's most around the picture's sharp marks:
  # up to a thousandth of the pixels, where a misplaced picture would differ in most.
  fuzz=0% feh_allowed=0
  case $placement in fill | fit*) fuzz=10% feh_allowed=2048 ;; esac
  against_picture=$(differing "shot-$placement.png" "expected-$placement.png" $fuzz)
  against_feh=n/a
  if [ -n "${feh_option[$placement]:-}" ]; then
    feh --no-fehbg "${feh_option[$placement]}" picture.png
    import -window root "feh-$placement.png"
    against_feh=$(differing "shot-$placement.png" "feh-$placement.png" $fuzz)
  fi
  echo "$placement: $against_picture pixels differ from the picture, $against_feh from feh (fuzz $fuzz)"
  [ "$against_picture" = 0 ] || fail "$placement"
  [ "$against_feh" = n/a ] || [ "$against_feh" -le $feh_allowed ] || fail "$placement against feh"
done

# A Wayland session nothing here drives: a clear refusal, the root window untouched.
root_pixmap() { xprop -root _XROOTPMAP_ID | sed -n 's/.*# //p'; }
before=$(root_pixmap)
if XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-9 XDG_CURRENT_DESKTOP=weston \
  "$tool" apply picture.png center 2>error.txt; then
  fail "the Wayland session was reported updated"
fi
grep -qx "The desktop did not take the wallpaper: Tapestro cannot set the wallpaper of the Wayland desktop weston; set\
 WallpaperCommand in the \[Settings\] section of Tapestro.ini to a command that does, with %f for the file and %m for\
 the placement" error.txt || fail "$(cat error.txt)"
# LXQt draws its own desktop over the root window: without pcmanfm-qt it refuses too.
if PATH=/usr/bin/nonexistent XDG_CURRENT_DESKTOP=LXQt "$tool" apply picture.png center 2>error.txt; then
  fail "LXQt without pcmanfm-qt was reported updated"
fi
grep -q "cannot set the wallpaper of LXQt (pcmanfm-qt was not found on PATH)" error.txt || fail "$(cat error.txt)"
[ "$(root_pixmap)" = "$before" ] || fail "the root window changed"
import -window root after.png
[ "$(differing after.png shot-10,20.png 0%)" = 0 ] || fail "the root window's pixels changed"
echo "x11 monitors: every placement per monitor, as feh places it; Wayland and LXQt refused"
