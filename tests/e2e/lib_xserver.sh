# Sourced by the end-to-end tests and benchmarks that need an X server. Starts a private
# X server (Xvfb with -noreset, so the root pixmap and its properties survive the last
# client), a window manager and a tray host, stops all of them when the shell exits,
# and drives the program's windows.
#   start_xserver [WIDTHxHEIGHT]   sets DISPLAY
#   start_window_manager           openbox: needed for minimise, activate and focus
#   start_desktop [WIDTHxHEIGHT]   both
#   start_tray_host                trayer: an XEmbed notification area
#   start_program [FOLDER]         starts $work/tapestro in FOLDER (default $work), its
#                                  output in $work/program.log; sets $app
#   activate_window ID             brings a window to the front with the keyboard focus
#   front_main_window              waits for the main window to show and settle in its
#                                  place, activates it, prints its id
#   settle ID                      returns once the program owning window ID has handled
#                                  all that was sent to it, and the window manager all
#                                  that program asked for: bounds a check that nothing
#                                  happened
source "$(dirname "${BASH_SOURCE[0]}")/lib_e2e.sh"

start_xserver() {
  # Xvfb picks a free display itself and writes its number to a file: several test
  # runs at once never race for a lock or connect to each other's server.
  local size=${1:-1280x800} number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  _e2e_pids+=($!)
  if ! wait_for test -s "$number_file"; then
    rm -f "$number_file"
    echo "no X server could be started" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$number_file")"
  rm -f "$number_file"
  wait_for xdpyinfo
}

start_window_manager() {
  # Openbox's own settings, but windows minimised and restored at once: the animation
  # moves a restored window across the screen for a while after it shows.
  local config
  config=$(mktemp)
  _e2e_scratch+=("$config")
  sed 's|<animateIconify>yes</animateIconify>|<animateIconify>no</animateIconify>|' /etc/xdg/openbox/rc.xml >"$config"
  grep -q '<animateIconify>no</animateIconify>' "$config"
  openbox --sm-disable --config-file "$config" >/dev/null 2>&1 &
  _e2e_pids+=($!)
  wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'
  # The check window comes before the list of what it supports; activating a window
  # fails until that list is there.
  wait_for sh -c 'xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW'
}

start_desktop() {
  start_xserver "$@"
  start_window_manager
}

start_tray_host() {
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  _e2e_pids+=($!)
  # trayer sets no root property; its panel window shows it is up.
  wait_for sh -c 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"'
}

start_program() {
  (cd "${1:-$work}" && exec "$work/tapestro" >>"$work/program.log" 2>&1) &
  app=$!
  _e2e_pids+=("$app")
}

activate_window() {
  local window=$1
  xdotool windowactivate --sync "$window" || return 1
  # The window manager hands the keyboard focus over after the activation.
  _has_focus() { [ "$(xdotool getwindowfocus)" = "$(printf '%d' "$window")" ]; }
  wait_for _has_focus
}

front_main_window() {
  local window
  # Errors are returned by hand: a command substitution does not stop on them.
  wait_for xdotool search --onlyvisible --name '^Tapestro$' || return 1
  window=$(xdotool search --onlyvisible --name '^Tapestro$' | head -n 1)
  # Once shown, the window is still moved to where the program places it.
  settle "$window" || return 1
  activate_window "$window" || return 1
  echo "$window"
}

settle() {
  "$build/tests/e2e/x11-root-probe" settle "$1"
}
