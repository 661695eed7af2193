#!/usr/bin/env bash
# The main window on a screen smaller than it (Xvfb 640x360, with a window manager):
# when it first shows it fits the screen, its title bar and menu on it.
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
work=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$work"' EXIT
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
cp "$build/tapestro" "$work/"
touch "$work/Tapestro.ini"
start_xserver 640x360
start_window_manager
start_background "$work/tapestro"
window=$(front_main_window)
geometry() { xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'; }
# Inside the screen once the window manager has placed it.
inside() { read -r x y w h < <(geometry) && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 640 ] &&
  [ $((y + h)) -le 360 ]; }
wait_for inside || { echo "FAIL: the window is at $(geometry) on a 640x360 screen" >&2; exit 1; }
echo "small screen: the window fits the screen"
