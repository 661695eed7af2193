#!/usr/bin/env bash
# The real program and a removable volume, in a mount namespace of the test's own where
# a RAM disk on /media stands for the desktop's mounts: a listed folder on a volume
# leaves the volume free to unmount; a stored folder on a volume that is not mounted is
# reported with a beep, and the stored setting stays as it was.
#   volumes_real_use.sh BUILD_DIR
set -euo pipefail
# Mounting needs a mount namespace, and one of a user namespace's own when not root.
[ "${2:-}" = inside ] || exec unshare --mount --map-root-user --propagation private "$0" "$1" inside
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
e2e_init "$1"
unset XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
portable_copy tapestro
pics=/media/STICK/pics
mount -t tmpfs tapestro-media /media
mkdir /media/STICK
mount -t tmpfs tapestro-stick /media/STICK
mkdir "$pics"
make_picture "$work/red.png" 320x240 red navy
convert "$work/red.png" BMP3:"$pics/red.bmp"
convert "$work/red.png" -crop 320x60+0+0 +repage "$work/red-top.png"

shows_red() {
  import -window root -crop 320x60+0+0 +repage "$work/shot.png" && same_picture "$work/shot.png" "$work/red-top.png"
}

start_desktop 1024x768
start_background "$build/tests/e2e/x11-root-probe" bells >"$work/bells"

printf '[Settings]\nwalldir=%s\ncycle=2000\nWallpaperloc=0\n' "$pics" >"$ini"
start_program
wait_for shows_red || fail "the stick's picture never showed"
umount /media/STICK || fail "the listed folder keeps its volume busy"
kill "$app"
wait_for eval '! kill -0 "$app"' || fail "the program did not end"

printf '[Settings]\nwalldir=%s\n' "$pics" >"$ini"
cp "$ini" "$work/stored"
: >"$work/bells"
start_program
front_main_window >/dev/null || fail "the window never showed"
wait_for grep -q bell "$work/bells" || fail "no beep for the folder on the missing stick"
cmp -s "$ini" "$work/stored" || fail "the stored folder changed: $(cat "$ini")"
echo "volumes in real use: the listed stick unmounts, its folder reported missing while it is out"
