#!/usr/bin/env bash
# The real program on a private X server: "&About" shows the one about box however
# often it is chosen, closing it only hides it (the program goes on), and it comes back
# where the user left it.
#   about_box.sh BUILD_DIR
source "$(dirname "$0")/lib_xserver.sh"
e2e_init "$1"
portable_copy tapestro

start_desktop
start_program
main=$(front_main_window)

choose_about() {
  activate_window "$main"
  xdotool key --delay 200 alt+h a
}
about_windows() { xdotool search --name '^About Tapestro$' 2>/dev/null | wc -l; }
visible_about() { xdotool search --onlyvisible --name '^About Tapestro$' 2>/dev/null | head -n 1; }
about_shown() { [ -n "$(visible_about)" ]; }
position() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }

choose_about
wait_for about_shown
about=$(visible_about)
choose_about
settle "$main" || fail "the program does not answer"
[ "$(about_windows)" -eq 1 ] || fail "$(about_windows) about boxes after choosing About twice"

xdotool windowmove --sync "$about" 60 70
settle "$about" || fail "the program does not answer"
left=$(position "$about")
activate_window "$about"
xdotool key alt+F4
wait_for eval '! about_shown' || fail "the about box is still shown after closing it"
kill -0 "$app" 2>/dev/null || fail "closing the about box ended the program"

choose_about
wait_for about_shown
[ "$(about_windows)" -eq 1 ] || fail "a second about box was made"
[ "$(position "$(visible_about)")" = "$left" ] || fail "the about box came back at $(position "$(visible_about)"), not $left"
echo "about box: one window, hidden on close, back at $left"
