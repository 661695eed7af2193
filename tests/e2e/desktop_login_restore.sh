#!/usr/bin/env bash
# The last wallpaper comes back at login on a bare X11 session: Save/Start on one X
# server sets the first picture; that session ends (program and server). On a new X
# server, whose root window is black, a new start shows that picture again before its
# window appears (the start-up step, a second after start), long before the first tick
# of the stored five-minute cycle; a monitor added while it runs gets the wallpaper
# laid out again. tapestro-tool restore does the same for session scripts.
#   desktop_login_restore.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
unset XDG_CURRENT_DESKTOP XDG_SESSION_TYPE WAYLAND_DISPLAY DESKTOP_SESSION DBUS_SESSION_BUS_ADDRESS
portable_copy tapestro
portable_copy tapestro-tool
pics=$work/pics
mkdir "$pics"
make_picture "$pics/A.bmp" 320x240 yellow navy
make_picture "$pics/B.png" 320x240 red blue
printf '[Settings]\nwalldir=%s\n' "$pics" >"$ini"
shows_first() { import -window root "$work/shot.png" && same_picture "$work/shot.png" "$pics/A.bmp"; }
root_set() { xprop -root _XROOTPMAP_ID | grep -q '#'; }
window_up() { xdotool search --onlyvisible --name '^Tapestro$' >/dev/null; }

# The first session: Save/Start with the cycle of five minutes.
start_xserver 320x240
first_server=${_e2e_pids[-1]}
start_window_manager
start_program "$pics"
front_main_window >/dev/null
xdotool key Return
wait_for root_set || fail "Save/Start set no wallpaper"
wait_for shows_first || fail "Save/Start did not show the first picture"
wait_for grep -q '^LastWallpaper=' "$ini" || fail "the wallpaper was not kept"
kill "$app"
kill "$first_server"

# The next session: a new server, black, and a new start.
start_xserver 320x240
start_window_manager
! root_set || fail "the new server already has a wallpaper"
start_program "$pics"
# Whichever comes first: the wallpaper must.
wait_for eval 'root_set || window_up' || fail "neither the wallpaper nor the window came"
root_set || fail "the window appeared before the wallpaper came back"
wait_for shows_first || fail "the kept wallpaper was not shown again"
grep -q '^cycle=300000$' "$ini" || fail "the cycle changed"

# While it runs, a second monitor: the wallpaper is laid out again, centred on each.
xrandr --setmonitor left 160/42x240/63+0+0 screen >/dev/null
xrandr --setmonitor right 160/42x240/63+160+0 none >/dev/null
convert "$pics/A.bmp" -crop 160x240+80+0 +repage "$work/half.png"
convert "$work/half.png" "$work/half.png" +append "$work/split.png"
shows_split() { import -window root "$work/shot.png" && same_picture "$work/shot.png" "$work/split.png"; }
wait_for shows_split || fail "the wallpaper was not laid out again on the new monitors"

# tapestro-tool restore on yet another server, for a session script.
start_xserver 320x240
[ "$("$work/tapestro-tool" restore)" = "$(printf 'backend: x11\nrestored')" ] || fail "tapestro-tool restore"
wait_for shows_first || fail "tapestro-tool restore did not show the picture"
echo "login restore: the last wallpaper is back before the window, by the program and by the tool"
