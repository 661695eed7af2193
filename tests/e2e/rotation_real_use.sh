#!/usr/bin/env bash
# The real program rotating on a short stored cycle, with its window shown: a long name
# in the message pane leaves the window's width alone; a PNG whose name is not UTF-8 is
# applied on the X11 root window; a file that vanishes before its turn costs a beep and
# no message box, and the next tick goes on; a picture added to the folder joins the
# rotation after F5 ("Refresh list") in the file list.
#   rotation_real_use.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
portable_copy tapestro
pics=$work/pics
mkdir "$pics"
long="1 $(printf 'w%.0s' {1..199}).bmp"
for colours in "red navy" "lime black" "blue white" "yellow purple"; do
  make_picture "$work/${colours% *}.png" 320x240 $colours
  # Tiled, the picture's top rows show in the screen's top left corner, clear of the window.
  convert "$work/${colours% *}.png" -crop 320x60+0+0 +repage "$work/${colours% *}-top.png"
done
convert "$work/red.png" BMP3:"$pics/$long"
cp "$work/lime.png" "$pics/2 caf"$'\xe9'".png"  # Latin-1: no UTF-8
convert "$work/blue.png" BMP3:"$pics/3.bmp"
# Two-second ticks from the start-up step on; the test waits for what they show.
printf '[Settings]\nwalldir=%s\ncycle=2000\nWallpaperloc=0\n' "$pics" >"$ini"

shows() {
  import -window root -crop 320x60+0+0 +repage "$work/shot.png" && same_picture "$work/shot.png" "$work/$1-top.png" 2>/dev/null
}
width() { xwininfo -id "$window" | sed -n 's/.*Width: //p'; }
visible_windows() { xdotool search --onlyvisible --name '^Tapestro$' | wc -l; }

start_desktop 1024x768
start_background "$build/tests/e2e/x11-root-probe" bells >"$work/bells"
start_program
window=$(front_main_window) || fail "the window never showed"
before=$(width)

wait_for shows red || fail "the first picture never showed"
wait_for shows lime || fail "the PNG whose name is not UTF-8 was not applied"
settle "$window" || fail "the program does not answer"
[ "$(width)" = "$before" ] || fail "the long name widened the window from $before to $(width)"

rm "$pics/3.bmp"
wait_for shows red || fail "the rotation stalled after the vanished file"
settle "$window" || fail "the program does not answer"
[ "$(visible_windows)" = 1 ] || fail "a message box opened during the rotation"
grep -q bell "$work/bells" || fail "no beep for the vanished file"

convert "$work/yellow.png" BMP3:"$pics/4.bmp"
xdotool mousemove --window "$window" 450 120 click 1
xdotool key F5
wait_for shows yellow || fail "the picture added never joined the rotation"
echo "rotation in real use: width kept, non-UTF-8 PNG applied, vanished file skipped, new picture joined"
