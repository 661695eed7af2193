#!/usr/bin/env bash
# The installed program on a virtual X server with a window manager and a session bus
# of its own, as a new user starts it from the menu: no settings yet, so the start-up
# step brings its window to the front; --quit ends it.
#   run_installed.sh BUILD_DIR     (the build's window probe waits for the window)
e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
source "$e2e/lib_private_bus.sh" "$@"
source "$e2e/lib_xserver.sh"
e2e_init "$1"
start_desktop 800x600
start_background tapestro
app=${_e2e_pids[-1]}
front_main_window >/dev/null
[ -d "$HOME/.local/share/tapestro" ]  # an installed copy keeps its files in the XDG folders
tapestro --quit
wait_for eval '! kill -0 "$app"'
