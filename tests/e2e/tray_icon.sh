#!/usr/bin/env bash
# The tray icon on a real X server with a window manager and a notification area:
# minimising leaves only the icon, a left click brings the window back, the menu's
# "&Hide Window" hides it; when the notification area quits, the window comes back as
# a minimised window, and without one minimising never hides it out of reach.
source "$(dirname "$0")/lib_xserver.sh"
probe="$1/tests/e2e/tapestro-tray-probe"
log="$1/tests/e2e/tray_icon.log"

window_id() { xdotool search --name '^Tapestro tray probe$' | head -n 1; }
icon_id() {
  local panel
  panel=$(xdotool search --name '^panel$' | head -n 1)
  [ -n "$panel" ] && xwininfo -tree -id "$panel" | grep -o '0x[0-9a-f]* "tapestro-tray-probe"' | head -n 1 | cut -d' ' -f1
}
has_icon() { [ -n "$(icon_id)" ]; }
# xwininfo without a window waits for a click on one: never call it so.
window_info() { local w; w=$(window_id); [ -n "$w" ] && xwininfo -id "$w"; }
window_state() { local w; w=$(window_id); [ -n "$w" ] && xprop -id "$w" WM_STATE; }
no_window() { [ -z "$(window_id)" ]; }
viewable() { window_info | grep -q 'Map State: IsViewable'; }
# Hidden in the tray: unmapped, and no longer a minimised window of the window manager.
hidden() { window_info | grep -q 'IsUnMapped' && ! window_state | grep -q Iconic; }
iconic() { window_state | grep -q 'window state: Iconic'; }
menu_open() {
  local w
  for w in $(xdotool search --onlyvisible --classname tapestro-tray-probe); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' && xwininfo -id "$w" | grep -q 'geometry [0-9]*x[0-9]*' &&
      [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" -gt 40 ] && return 0
  done
  return 1
}
click_icon() { xdotool mousemove --window "$(icon_id)" 10 10 click "$1"; }
check() { echo "-- $1"; }

start_xserver
start_window_manager
start_tray_host
tray_pid=${_e2e_pids[-1]}

E2E_LAST_PID_FILE="$log.pid" start_background "$probe" >"$log"
wait_for has_icon
wait_for viewable
grep -q 'ready enabled=1' "$log"

check "the title bar's minimise leaves only the icon"
xdotool windowminimize "$(window_id)"
wait_for hidden

check "a left click on the icon brings the window back"
click_icon 1
wait_for viewable

check "the menu's Hide Window hides it"
click_icon 3
wait_for menu_open
xdotool key h
wait_for hidden
click_icon 1
wait_for viewable

check "the notification area quits: the hidden window comes back minimised"
click_icon 3
wait_for menu_open
xdotool key h
wait_for hidden
kill "$tray_pid"
wait_for iconic
xdotool windowactivate "$(window_id)"
wait_for viewable

check "a new notification area takes the icon again"
start_tray_host
tray_pid=${_e2e_pids[-1]}
wait_for has_icon
xdotool windowminimize "$(window_id)"
wait_for hidden
click_icon 1
wait_for viewable

check "started without a notification area, minimising keeps the window reachable"
kill "$tray_pid"
kill "$(cat "$log.pid")"
wait_for no_window
E2E_LAST_PID_FILE="$log.pid" start_background "$probe" >"$log"
wait_for viewable
grep -q 'ready enabled=0' "$log"
xdotool windowminimize "$(window_id)"
wait_for iconic
sleep 0.5
iconic
xdotool windowactivate "$(window_id)"
wait_for viewable
echo "tray icon: all checks passed"
