# Sourced by the end-to-end tests. Starts a private X server (Xvfb with -noreset, so
# the root pixmap and its properties survive the last client), optionally a window
# manager and a tray host, and stops all of them when the test's shell exits.
#   start_xserver [WIDTHxHEIGHT]   sets DISPLAY
#   start_window_manager           openbox: needed for minimise, activate and focus
#   start_tray_host                trayer: an XEmbed notification area
#   wait_for COMMAND...            retries a command for up to 10 seconds
#   front_main_window              waits for the main window, activates it, prints its id
set -euo pipefail

_e2e_pids=()
_e2e_cleanup() {
  local pid
  for pid in "${_e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_e2e_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
}
trap _e2e_cleanup EXIT

wait_for() {
  local i
  for i in $(seq 1 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "timed out waiting for: $*" >&2
  return 1
}

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
  openbox --sm-disable >/dev/null 2>&1 &
  _e2e_pids+=($!)
  wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window'
  # The check window comes before the list of what it supports; activating a window
  # fails until that list is there.
  wait_for sh -c 'xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW'
}

start_tray_host() {
  trayer --edge top --align right --widthtype request --height 24 >/dev/null 2>&1 &
  _e2e_pids+=($!)
  # trayer sets no root property; its panel window shows it is up.
  wait_for sh -c 'xwininfo -root -tree | grep -q "(\"panel\" \"trayer\")"'
}

# Runs a program in the background and remembers it for the cleanup.
start_background() {
  "$@" &
  _e2e_pids+=($!)
  echo $! >"${E2E_LAST_PID_FILE:-/dev/null}"
}

# Waits for the program's main window to show, brings it to the front and prints its id.
front_main_window() {
  local window
  # Errors are returned by hand: a command substitution does not stop on them.
  wait_for xdotool search --onlyvisible --name '^Tapestro$' || return 1
  window=$(xdotool search --onlyvisible --name '^Tapestro$' | head -n 1)
  xdotool windowactivate --sync "$window" || return 1
  echo "$window"
}
