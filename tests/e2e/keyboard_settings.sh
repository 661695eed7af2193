#!/usr/bin/env bash
# The real program on a private X server, driven with the keyboard: the check boxes and
# the placement list store their choices in Tapestro.ini beside the executable at
# once, and closing the window ends the program without writing anything.
#   keyboard_settings.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/lib_xserver.sh"

work=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$work"' EXIT
cp "$build/tapestro" "$work/"
: >"$work/Tapestro.ini"  # a portable copy: its settings stay beside it
mkdir "$work/pics"
touch "$work/pics/b.jpg" "$work/pics/a.png"
ini="$work/Tapestro.ini"

fail() { echo "FAIL: $*" >&2; [ -f "$ini" ] && cat "$ini" >&2; exit 1; }
expect_ini() {
  local want=$1 i
  for i in $(seq 1 50); do
    [ "$(cat "$ini" 2>/dev/null)" = "$want" ] && return 0
    sleep 0.1
  done
  fail "settings file is not: $want"
}

start_xserver
start_window_manager
cd "$work/pics"
"$work/tapestro" &
app=$!
_e2e_pids+=("$app")

# The start-up step shows the window a second after start.
window=$(front_main_window)
[ -s "$ini" ] && fail "settings written at start"
# Let the window manager finish placing and focusing the new window.
sleep 1

# Click the folder panel, the first stop of the tab order, then walk the order:
# file list, cycle box, arrows, "Change wallpapers randomly".
xdotool mousemove --sync --window "$window" 100 150 click 1
sleep 0.5
xdotool key --delay 150 Tab Tab Tab Tab space
expect_ini $'[Settings]\nrandom=y'
# "Minimize on Startup", then past Save/Start and Stop to "Auto-size wallpapers:".
xdotool key --delay 150 Tab space
expect_ini $'[Settings]\nrandom=y\nminstartup=y'
xdotool key --delay 150 Tab Tab Tab space
expect_ini $'[Settings]\nrandom=y\nminstartup=y\nckAutosize=y'
# The placement list: three steps down reach "Size to Fit".
xdotool key --delay 150 Tab Down Down Down
expect_ini $'[Settings]\nrandom=y\nminstartup=y\nckAutosize=y\nWallpaperloc=2'
# Back to "Minimize on Startup" and off again: its key goes.
xdotool key --delay 150 shift+Tab shift+Tab shift+Tab shift+Tab space
expect_ini $'[Settings]\nrandom=y\nckAutosize=y\nWallpaperloc=2'

before=$(cat "$ini")
xdotool windowactivate --sync "$window" key alt+F4
for i in $(seq 1 50); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end on close"
[ "$(cat "$ini")" = "$before" ] || fail "closing changed the settings file"
echo "keyboard settings: ok"
