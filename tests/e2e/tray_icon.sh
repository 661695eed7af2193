#!/usr/bin/env bash
# The real program's tray icon on an X server with a window manager and a notification
# area: it starts as the icon, the start-up step brings the window to the front, a left
# click shows it, the menu's "&Hide Window" and the title bar's minimise hide it; with
# "Minimize on Startup" it stays the icon; when the notification area quits, or there
# is none, the window stays reachable as a minimised window.
#   tray_icon.sh BUILD_DIR
source "$(dirname "$0")/lib_xserver.sh"
e2e_init "$1"
# A copy in a folder of its own: its settings file lives beside it.
portable_copy tapestro

# The main window is the program's one wide window; the icon is 22 pixels wide.
window_id() {
  local w
  for w in $(xdotool search --name '^Tapestro$'); do
    [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" -gt 200 ] && { echo "$w"; return 0; }
  done
  return 1
}
icon_id() {
  local panel
  panel=$(xdotool search --name '^panel$' | head -n 1)
  [ -n "$panel" ] && xwininfo -tree -id "$panel" | grep -o '0x[0-9a-f]* "Tapestro"' | head -n 1 | cut -d' ' -f1
}
has_icon() { [ -n "$(icon_id)" ]; }
# xwininfo without a window waits for a click on one: never call it so.
window_info() { local w; w=$(window_id) && xwininfo -id "$w"; }
window_state() { local w; w=$(window_id) && xprop -id "$w" WM_STATE; }
viewable() { window_info | grep -q 'Map State: IsViewable'; }
in_front() { viewable && [ "$(xdotool getactivewindow)" = "$(printf '%d' "$(window_id)")" ]; }
iconic() { window_state | grep -q 'window state: Iconic'; }
# Hidden in the tray: not on the screen, and no minimised window of the window manager
# either (a window never shown has no X window at all).
hidden() { ! viewable && ! iconic; }
menu_open() {
  local w
  for w in $(xdotool search --onlyvisible --classname tapestro); do
    xwininfo -id "$w" | grep -q 'Override Redirect State: yes' &&
      [ "$(xwininfo -id "$w" | sed -n 's/.*Width: //p')" -gt 40 ] && return 0
  done
  return 1
}
# Two presses of a button close together in time and place make a double click, and a
# right double click opens no menu: each click lands 14 pixels from the one before,
# past the double-click distance.
click_x=4
click_icon() {
  click_x=$((22 - click_x))
  xdotool mousemove --window "$(icon_id)" "$click_x" 10 click "$1"
}
choose_from_menu() {
  click_icon 3
  wait_for menu_open
  xdotool key "$1"
}
stop_program() {
  kill "$app"
  wait_for eval '! kill -0 "$app"'
}
# The start-up step has run: restoring "Minimize on Startup" stores its "y" again, and
# the settings file is replaced.
startup_step_ran() { [ "$(stat -c %i "$ini")" != "$1" ]; }
check() { echo "-- $1"; }

start_desktop
start_tray_host
tray_pid=${_e2e_pids[-1]}

check "it starts as the icon, and the start-up step brings the window to the front"
start_program
wait_for has_icon
hidden
wait_for in_front

check "the menu's Hide Window hides it, a left click on the icon shows it"
choose_from_menu h
wait_for hidden
click_icon 1
wait_for in_front

check "the menu's Show Window shows it too"
choose_from_menu h
wait_for hidden
choose_from_menu s
wait_for in_front

check "a click counts where the button comes up: a press dragged off the icon is none"
choose_from_menu h
wait_for hidden
xdotool mousemove --window "$(icon_id)" 10 10 mousedown 1 mousemove 5 300 mouseup 1
# The right click after it is handled after it: once its menu is open, so is the other's answer.
click_icon 3
wait_for menu_open
xdotool key Escape
hidden

check "the title bar's minimise leaves only the icon"
xdotool windowminimize "$(window_id)"
wait_for hidden
click_icon 1
wait_for viewable

check "the notification area quits: the hidden window comes back minimised"
choose_from_menu h
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
stop_program

check "with Minimize on Startup it stays the icon past the start-up step"
printf '[Settings]\nminstartup=y\n' >"$ini"
inode=$(stat -c %i "$ini")
start_program
wait_for has_icon
wait_for startup_step_ran "$inode"
settle "$(icon_id)"
hidden
click_icon 1
wait_for in_front
stop_program

check "without a notification area the window is never out of reach"
kill "$tray_pid"
: >"$ini"
start_program
wait_for iconic
wait_for in_front
xdotool windowminimize "$(window_id)"
wait_for iconic
settle "$(window_id)"
iconic
xdotool windowactivate "$(window_id)"
wait_for viewable
stop_program
printf '[Settings]\nminstartup=y\n' >"$ini"
inode=$(stat -c %i "$ini")
start_program  # and Minimize on Startup leaves it minimised, not hidden
wait_for iconic
wait_for startup_step_ran "$inode"
settle "$(window_id)"
iconic
echo "tray icon: all checks passed"
