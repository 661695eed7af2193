#!/usr/bin/env bash
# The real program on a private X server: Save/Start, pressed with the keyboard, stores
# the folder and the cycle in Tapestro.ini beside the executable, minimises the window
# and makes the first picture of the list the root window's wallpaper at once.
#   rotation_save_start.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"

work=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$work"' EXIT
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
cp "$build/tapestro" "$work/"
pics=$work/pics
mkdir "$pics"
ini=$work/Tapestro.ini

# Pictures of the screen's size, so that the centred first one covers the whole root.
make_picture "$work/first.png" 320x240 yellow navy
convert "$work/first.png" BMP3:"$pics/A.bmp"
make_picture "$pics/B.png" 320x240 red blue
make_picture "$work/third.png" 320x240 lime black
convert "$work/third.png" BMP3:"$pics/C.bmp"
# The stored folder is where the window's lists start.
printf '[Settings]\nwalldir=%s\n' "$pics" >"$ini"

fail() { echo "FAIL: $*" >&2; cat "$ini" >&2; exit 1; }

start_xserver 320x240
start_window_manager
cd "$pics"
"$work/tapestro" &
_e2e_pids+=($!)

# The start-up step shows the window a second after start.
window=$(front_main_window)
sleep 1
[ -z "$(xprop -root _XROOTPMAP_ID | grep '#')" ] || fail "the wallpaper changed at start"

# Enter is the default button's: Save/Start with the initial cycle of 5 minutes.
xdotool key Return
wait_for sh -c "grep -q '^cycle=' '$ini'"
# The wallpaper kept for the next start may be written already.
[ "$(grep -v '^LastWallpaper' "$ini")" = "$(printf '[Settings]\nwalldir=%s\ncycle=300000' "$pics")" ] ||
  fail "settings after Save/Start"

# The window goes down and the first picture of the list is on the root window.
wait_for sh -c '! xdotool search --onlyvisible --name "^Tapestro\$"' || fail "the window was not minimised"
wait_for sh -c 'xprop -root _XROOTPMAP_ID | grep -q "#"' || fail "no wallpaper was set"
# The window manager may still be taking the window off the screen.
shows_first() { import -window root "$work/shot.png" && same_picture "$work/shot.png" "$work/first.png"; }
wait_for shows_first || shows_first
echo "rotation Save/Start: settings stored, first picture shown"
