#!/usr/bin/env bash
# The real program on a private X server: an animated GIF selected in the file list
# plays in the preview (its frames show in turn, drawn by a painter thread that comes
# with it), and selecting another file stops it (the thread goes).
#   preview_animation.sh BUILD_DIR
source "$(dirname "$0")/lib_xserver.sh"
if command -v convert-im6.q16 >/dev/null 2>&1; then IM=convert-im6.q16; else IM=convert; fi
e2e_init "$1"
portable_copy tapestro
mkdir "$work/pics"
# Red, lime and blue frames of 20 units (240 ms) each, without end; then a grey still.
"$IM" -delay 20 -loop 0 -size 40x30 xc:red xc:lime xc:blue "$work/pics/a-anim.gif"
"$IM" -size 40x30 xc:gray50 -type TrueColor "BMP3:$work/pics/b-still.bmp"
printf '[Settings]\nwalldir=%s\n' "$work/pics" >"$ini"

start_desktop
start_program "$work/pics"
# The start-up step fills the file list from the stored folder, then shows the window.
window=$(front_main_window)

# The painter's thread is the program's one thread besides the main one without a name
# of its own: Qt and GLib name theirs.
painter_threads() { grep -lx tapestro /proc/"$app"/task/*/comm | grep -vc "/task/$app/comm"; }
no_painter_thread() { [ "$(painter_threads)" -eq 0 ]; }
# Item INDEX of the file list: right of the folder panel, below the menu bar and the
# two labels (48 pixels), 18 pixels an item.
select_item() { xdotool mousemove --sync --window "$window" 320 $((48 + 9 + 18 * $1)) click 1; }
# The preview's middle: the settings panel's box at 496, 0 (153 x 145), above the
# status bar.
preview_colour() {
  local height
  height=$(xwininfo -id "$window" | sed -n 's/ *Height: //p')
  import -window "$window" png:- 2>/dev/null |
    "$IM" - -format "%[pixel:p{572,$((height - 19 - 151 + 72))}]" info:
}
seen=""
saw_every_frame() {
  local colour want
  colour=$(preview_colour)
  case "$seen" in *"$colour"*) ;; *) seen="$seen $colour" ;; esac
  for want in "srgb(255,0,0)" "srgb(0,255,0)" "srgb(0,0,255)"; do
    case "$seen" in *"$want"*) ;; *) return 1 ;; esac
  done
}

no_painter_thread || fail "a painter thread runs before any file is selected"
select_item 0
wait_for saw_every_frame || fail "the preview did not show every frame (saw:$seen)"
[ "$(painter_threads)" -eq 1 ] || fail "$(painter_threads) painter threads while the animation plays"

select_item 1
wait_for no_painter_thread || fail "the painter thread is still there after another file was selected"
colour=$(preview_colour)
case "$colour" in "srgb(126,126,126)" | "srgb(127,127,127)" | "srgb(128,128,128)") ;; *) fail "the preview shows $colour, not the still" ;; esac
echo "preview: frames seen:$seen; stopped when another file was selected"
