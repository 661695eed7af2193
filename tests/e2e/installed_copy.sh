#!/usr/bin/env bash
# A copy installed in ~/.local/bin, with no Tapestro.ini beside it, as a user's own
# install: the settings come from $XDG_CONFIG_HOME/tapestro/, the converted wallpapers
# of the program and of tapestro-tool apply go to ~/.local/share/tapestro/, "Start with
# the session" writes and removes a valid autostart entry for this copy, and nothing is
# ever written beside the executables.
#   installed_copy.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_private_bus.sh" "$@"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
unset XDG_CURRENT_DESKTOP XDG_DATA_HOME
bin=$HOME/.local/bin
data=$HOME/.local/share/tapestro
entry=$XDG_CONFIG_HOME/autostart/io.github.tapestro.Tapestro.desktop
mkdir -p "$bin" "$work/pics" "$XDG_CONFIG_HOME/tapestro"
cp "$build/tapestro" "$build/tapestro-tool" "$bin/"
make_picture "$work/pics/a.jpg" 320x240 yellow navy
convert "$work/pics/a.jpg[0]" "$work/b.gif"
printf '[Settings]\nwalldir=%s\n' "$work/pics" >"$XDG_CONFIG_HOME/tapestro/Tapestro.ini"

check() { echo "-- $1"; }
touch "$work/before"

start_desktop 320x240
start_background "$bin/tapestro"
app=${_e2e_pids[-1]}
window=$(front_main_window)  # the start-up step has read the settings

check "the program and the tool write their pictures to the data folder"
"$bin/tapestro" --change-now
wait_for test -s "$data/tempwp.bmp"
"$bin/tapestro-tool" apply "$work/b.gif" >/dev/null
test -s "$data/temp.bmp" || fail "no temp.bmp in $data"

check "Start with the session writes a valid entry for this copy, and removes it"
xdotool windowactivate --sync "$window" key alt+f w
wait_for test -s "$entry"
desktop-file-validate "$entry" || fail "invalid entry"
grep -qx "Exec=$bin/tapestro" "$entry" || fail "$(cat "$entry")"
xdotool windowactivate --sync "$window" key alt+f w
wait_for test ! -e "$entry"

check "nothing was written beside the executables"
"$bin/tapestro" --quit
wait_for eval '! kill -0 "$app"'
[ "$(ls -A "$bin" | tr '\n' ' ')" = "tapestro tapestro-tool " ] || fail "beside the executables: $(ls -A "$bin")"
# Besides ours, only the window manager's log is written.
written=$(find "$work" "$(dirname "$HOME")" -type f -newer "$work/before" |
  grep -v -e "^$XDG_CONFIG_HOME/" -e "^$data/" -e "^$HOME/.cache/openbox/" || true)
[ -z "$written" ] || fail "written elsewhere: $written"
echo "installed copy: all checks passed"
