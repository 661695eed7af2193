#!/usr/bin/env bash
# One copy per session, on an X server with a window manager, a notification area and a
# session bus of the test's own: a second start hands over to the running copy, whose
# window comes to the front, and ends, leaving one window and one icon; --change-now
# changes the root window's wallpaper; --quit ends the running copy; with no copy
# running the commands say so and fail.
#   session_copy.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_private_bus.sh" "$@"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
portable_copy tapestro
unset XDG_CURRENT_DESKTOP
mkdir "$work/pics"
program=$work/tapestro
make_picture "$work/screen.png" 320x240 yellow navy
convert "$work/screen.png" BMP3:"$work/pics/A.bmp"
printf '[Settings]\nwalldir=%s\nWallpaperloc=1\n' "$work/pics" >"$ini"

check() { echo "-- $1"; }
# The main window is the program's one wide window; the icon is 22 pixels wide.
windows() {
  local w
  for w in $(xdotool search --name '^Tapestro$'); do
    [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" -gt 200 ] && echo "$w"
  done
}
icons() {
  local panel
  panel=$(xdotool search --name '^panel$' | head -n 1)
  [ -n "$panel" ] && xwininfo -tree -id "$panel" | grep -c '0x[0-9a-f]* "Tapestro"'
}
has_icon() { [ "$(icons)" = 1 ]; }
# xwininfo without a window waits for a click on one: never call it so.
viewable() {
  local w
  w=$(windows | head -n 1) && [ -n "$w" ] && xwininfo -id "$w" | grep -q 'Map State: IsViewable'
}
in_front() { viewable && [ "$(xdotool getactivewindow)" = "$(windows | head -n 1)" ]; }

start_desktop 320x240
start_tray_host
start_background "$program"
app=${_e2e_pids[-1]}
wait_for has_icon
wait_for in_front  # the start-up step restores the window
xdotool windowminimize "$(windows)"
wait_for eval '! viewable'

check "a second start hands over to the running copy and ends"
started=$(date +%s%N)
"$program" || fail "the second start exited $?"
echo "the second start ended after $((($(date +%s%N) - started) / 1000000)) ms"
wait_for in_front
[ "$(windows | wc -l)" -eq 1 ] || fail "$(windows | wc -l) windows"
[ "$(icons)" -eq 1 ] || fail "$(icons) icons"
kill -0 "$app" || fail "the first copy ended"

check "--change-now changes the wallpaper"
xdotool windowminimize "$(windows)"
wait_for eval '! viewable'
"$program" --change-now || fail "--change-now exited $?"
wait_for sh -c "xprop -root _XROOTPMAP_ID | grep -q 0x"
# Below the notification area's panel, the screen is the picture.
import -window root "$work/shot.png"
for picture in shot screen; do convert "$work/$picture.png" -crop 320x200+0+40 +repage "$work/$picture-low.png"; done
same_picture "$work/shot-low.png" "$work/screen-low.png"

check "--quit ends the running copy"
"$program" --quit || fail "--quit exited $?"
wait_for eval '! kill -0 "$app"'

check "without a running copy the commands fail and say so"
for command in --show --change-now --quit; do
  if "$program" "$command" 2>"$work/error"; then fail "$command succeeded"; fi
  grep -qx "tapestro: no running copy of Tapestro answers in this session" "$work/error"
done
echo "session copy: all checks passed"
