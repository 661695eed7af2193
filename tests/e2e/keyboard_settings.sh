#!/usr/bin/env bash
# The real program on a private X server, driven with the keyboard: the check boxes and
# the placement list store their choices in Tapestro.ini beside the executable at
# once, and closing the window ends the program without writing anything.
#   keyboard_settings.sh BUILD_DIR
source "$(dirname "$0")/lib_xserver.sh"
e2e_init "$1"
portable_copy tapestro
mkdir "$work/pics"
touch "$work/pics/b.jpg" "$work/pics/a.png"

start_desktop
start_program "$work/pics"
# The start-up step shows the window a second after start.
window=$(front_main_window)
settle "$window" || fail "the program does not answer"
[ -s "$ini" ] && fail "settings written at start"

# Click the folder panel, the first stop of the tab order, then walk the order:
# file list, cycle box, arrows, "Change wallpapers randomly".
xdotool mousemove --sync --window "$window" 100 150 click 1
xdotool key --delay 150 Tab Tab Tab Tab space
settings_file_is $'[Settings]\nrandom=y'
# "Minimize on Startup", then past Save/Start and Stop to "Auto-size wallpapers:".
xdotool key --delay 150 Tab space
settings_file_is $'[Settings]\nrandom=y\nminstartup=y'
xdotool key --delay 150 Tab Tab Tab space
settings_file_is $'[Settings]\nrandom=y\nminstartup=y\nckAutosize=y'
# The placement list: three steps down reach "Size to Fit".
xdotool key --delay 150 Tab Down Down Down
settings_file_is $'[Settings]\nrandom=y\nminstartup=y\nckAutosize=y\nWallpaperloc=2'
# Back to "Minimize on Startup" and off again: its key goes.
xdotool key --delay 150 shift+Tab shift+Tab shift+Tab shift+Tab space
settings_file_is $'[Settings]\nrandom=y\nckAutosize=y\nWallpaperloc=2'

before=$(cat "$ini")
activate_window "$window"
xdotool key alt+F4
wait_for eval '! kill -0 "$app"' || fail "the program did not end on close"
[ "$(cat "$ini")" = "$before" ] || fail "closing changed the settings file"
echo "keyboard settings: ok"
