#!/usr/bin/env bash
# The installed program on a virtual X server with a window manager and a session bus
# of its own, as a new user starts it from the menu: no settings yet, so the start-up
# step brings its window to the front; --quit ends it.
#   run_installed.sh APP_ID
e2e=$(cd "$(dirname "$0")/../e2e" && pwd)
source "$e2e/lib_private_bus.sh" "$@"
source "$e2e/lib_xserver.sh"
start_xserver 800x600
start_window_manager
E2E_LAST_PID_FILE=$work/pid start_background tapestro
front_main_window >/dev/null
[ -d "$HOME/.local/share/tapestro" ]  # an installed copy keeps its files in the XDG folders
tapestro --quit
wait_for sh -c "! kill -0 $(cat "$work/pid")"
