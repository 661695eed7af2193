#!/usr/bin/env bash
# The real program on a private X server: Save/Start, pressed with the keyboard, stores
# the folder and the cycle in Tapestro.ini beside the executable, minimises the window
# and makes the first picture of the list the root window's wallpaper at once.
#   rotation_save_start.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
portable_copy tapestro
pics=$work/pics
mkdir "$pics"

# Pictures of the screen's size, so that the centred first one covers the whole root.
make_picture "$pics/A.bmp" 320x240 yellow navy
make_picture "$pics/B.png" 320x240 red blue
make_picture "$pics/C.bmp" 320x240 lime black
# The stored folder is where the window's lists start.
printf '[Settings]\nwalldir=%s\n' "$pics" >"$ini"

start_desktop 320x240
start_program "$pics"
# The start-up step shows the window a second after start.
window=$(front_main_window)
settle "$window" || fail "the program does not answer"
[ -z "$(xprop -root _XROOTPMAP_ID | grep '#')" ] || fail "the wallpaper changed at start"

# Enter is the default button's: Save/Start with the initial cycle of 5 minutes.
xdotool key Return
# The wallpaper kept for the next start may be written already.
stored_choices() { [ "$(grep -v '^LastWallpaper' "$ini")" = "$(printf '[Settings]\nwalldir=%s\ncycle=300000' "$pics")" ]; }
wait_for stored_choices || fail "settings after Save/Start"

# The window goes down and the first picture of the list is on the root window.
wait_for sh -c '! xdotool search --onlyvisible --name "^Tapestro\$"' || fail "the window was not minimised"
wait_for sh -c 'xprop -root _XROOTPMAP_ID | grep -q "#"' || fail "no wallpaper was set"
# The window manager may still be taking the window off the screen.
shows_first() { import -window root "$work/shot.png" && same_picture "$work/shot.png" "$pics/A.bmp"; }
wait_for shows_first || shows_first || fail "the root window does not show the first picture"
echo "rotation Save/Start: settings stored, first picture shown"
