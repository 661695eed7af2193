#!/usr/bin/env bash
# tapestro-tool apply through the desktops driven by a program or a socket that Debian
# does not have, each against a recording stand-in: hyprpaper's IPC socket (a small
# recorder), pcmanfm-qt and pcmanfm on PATH, and the user's own WallpaperCommand. The
# words each receives, and a refusal reported with the stand-in's own reason.
#   desktop_standins_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
# The tool's fresh names and its settings file are beside it, in $work.
source "$here/lib_tool.sh" "$1"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
unset DISPLAY DBUS_SESSION_BUS_ADDRESS SWAYSOCK DESKTOP_SESSION
mkdir standins "my pictures"
make_picture "my pictures/\$un'usual.png" 40x30 red blue
picture="$work/my pictures/\$un'usual.png"

# A stand-in program records its arguments one a line, then a line "--"; it fails
# with its own reason while a file NAME.fail exists.
for name in pcmanfm-qt pcmanfm my-setter; do
  cat >"standins/$name" <<STANDIN
#!/bin/sh
printf '%s\n' "\$@" -- >>"$work/$name.args"
if [ -e "$work/$name.fail" ]; then echo "something went wrong" >&2; echo "cannot reach the desktop" >&2; exit 3; fi
STANDIN
  chmod +x "standins/$name"
done
export PATH=$work/standins:$PATH
last_call() { awk 'BEGIN {n = 0} /^--$/ {n++; next} {line[n] = line[n] $0 "|"} END {print line[n - 1]}' "$1.args"; }
fresh() { echo "$work/tapestro-desktop-$1.png"; }

# hyprpaper: preload, show on every monitor, then unload the picture shown before.
export XDG_RUNTIME_DIR=$work/runtime HYPRLAND_INSTANCE_SIGNATURE=abc_123
mkdir -p -m 700 "$XDG_RUNTIME_DIR/hypr/abc_123"
start_background "$build/tests/e2e/hyprpaper-recorder" "$XDG_RUNTIME_DIR/hypr/abc_123/.hyprpaper.sock" hypr.txt
wait_for test -S "$XDG_RUNTIME_DIR/hypr/abc_123/.hyprpaper.sock"
hyprland() { XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=Hyprland "$tool" apply "$picture" "$@" 2>/dev/null; }
[ "$(hyprland fill)" = "backend: hyprpaper" ] || fail "hyprpaper fill"
[ "$(hyprland fit-borders)" = "backend: hyprpaper" ] || fail "hyprpaper fit-borders"
[ "$(hyprland tile)" = "backend: hyprpaper" ] || fail "hyprpaper tile"
diff - hypr.txt <<EOF2 || fail "hyprpaper commands"
preload $(fresh a)
wallpaper ,$(fresh a)
preload $(fresh b)
wallpaper ,contain:$(fresh b)
unload $(fresh a)
preload $(fresh a)
wallpaper ,tile:$(fresh a)
unload $(fresh b)
EOF2
cmp "$(fresh a)" "$picture" && [ ! -e "$(fresh b)" ] || fail "fresh names"
echo "wallpaper failed: no such monitor" >hypr.txt.refuse
if hyprland center 2>error.txt; then fail "a refused change was reported"; fi
XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=Hyprland "$tool" apply "$picture" center 2>error.txt || true
grep -qx "The desktop did not take the wallpaper: hyprpaper refused \"preload $(fresh b)\": wallpaper failed: no such\
 monitor" error.txt || fail "$(cat error.txt)"
[ -e "$(fresh a)" ] || fail "the picture on screen was removed"
unset HYPRLAND_INSTANCE_SIGNATURE

# LXQt and LXDE: the file manager's --set-wallpaper with its own mode words.
[ "$(XDG_CURRENT_DESKTOP=LXQt "$tool" apply "$picture" fill 2>/dev/null)" = "backend: lxqt" ] || fail lxqt
[ "$(last_call pcmanfm-qt)" = "--set-wallpaper|$(fresh b)|--wallpaper-mode|zoom|" ] || fail "$(last_call pcmanfm-qt)"
[ "$(DESKTOP_SESSION=LXDE "$tool" apply "$picture" fill 2>/dev/null)" = "backend: lxde" ] || fail lxde
[ "$(last_call pcmanfm)" = "--set-wallpaper|$(fresh a)|--wallpaper-mode|crop|" ] || fail "$(last_call pcmanfm)"
touch pcmanfm.fail
if DESKTOP_SESSION=LXDE "$tool" apply "$picture" tile 2>error.txt; then fail "a failed pcmanfm was reported"; fi
grep -qx "The desktop did not take the wallpaper: pcmanfm failed (exit status 3): cannot reach the desktop" error.txt ||
  fail "$(cat error.txt)"

# The user's own command wins over the session's desktop and runs without a shell.
printf '[Settings]\nWallpaperCommand=my-setter --mode=%%m "%%f" 100%%%%\n' >"$ini"
[ "$(XDG_CURRENT_DESKTOP=LXQt "$tool" apply "$picture" 12,-7 2>/dev/null)" = "backend: command" ] || fail command
[ "$(last_call my-setter)" = "--mode=12,-7|$picture|100%|" ] || fail "$(last_call my-setter)"
[ ! -e "$work/un'usual.png" ] || fail "the name was read by a shell"
touch my-setter.fail
if "$tool" apply "$picture" fit 2>error.txt; then fail "a failed command was reported"; fi
grep -qx "The desktop did not take the wallpaper: my-setter failed (exit status 3): cannot reach the desktop" error.txt ||
  fail "$(cat error.txt)"
echo "stand-ins: hyprpaper, pcmanfm-qt, pcmanfm and the user's command get their words"
