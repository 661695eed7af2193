#!/usr/bin/env bash
# The real program on a private X server: "&About" shows the one about box however
# often it is chosen, closing it only hides it (the program goes on), and it comes back
# where the user left it.
#   about_box.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/lib_xserver.sh"

work=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$work"' EXIT
cp "$build/tapestro" "$work/"
: >"$work/Tapestro.ini"  # a portable copy: its settings stay beside it
fail() { echo "FAIL: $*" >&2; exit 1; }

start_xserver
start_window_manager
(cd "$work" && exec ./tapestro >/dev/null 2>&1) &
app=$!
_e2e_pids+=("$app")
main=$(front_main_window)

choose_about() {
  xdotool windowactivate --sync "$main"
  sleep 0.5
  xdotool key --delay 200 alt+h a
}
about_windows() { xdotool search --name '^About Tapestro$' 2>/dev/null | wc -l; }
visible_about() { xdotool search --onlyvisible --name '^About Tapestro$' 2>/dev/null | head -n 1; }
position() { xdotool getwindowgeometry "$1" | sed -n 's/ *Position: \([0-9]*,[0-9]*\).*/\1/p'; }

choose_about
wait_for sh -c "xdotool search --onlyvisible --name '^About Tapestro\$'"
about=$(visible_about)
choose_about
sleep 1
[ "$(about_windows)" -eq 1 ] || fail "$(about_windows) about boxes after choosing About twice"

xdotool windowmove --sync "$about" 60 70
sleep 0.5
left=$(position "$about")
xdotool windowactivate --sync "$about"
xdotool key alt+F4
for _ in $(seq 1 50); do [ -z "$(visible_about)" ] && break; sleep 0.1; done
[ -z "$(visible_about)" ] || fail "the about box is still shown after closing it"
kill -0 "$app" 2>/dev/null || fail "closing the about box ended the program"

choose_about
wait_for sh -c "xdotool search --onlyvisible --name '^About Tapestro\$'"
[ "$(about_windows)" -eq 1 ] || fail "a second about box was made"
[ "$(position "$(visible_about)")" = "$left" ] || fail "the about box came back at $(position "$(visible_about)"), not $left"
echo "about box: one window, hidden on close, back at $left"
