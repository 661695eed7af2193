#!/usr/bin/env bash
# tapestro-tool apply on a headless sway, run as an unprivileged user: sway's own IPC
# and then a detached swaybg show each placement (grim screenshots against the picture
# ImageMagick lays out), a second output made by create_output gets the picture too,
# and the swaybg the previous change started is ended once the next one runs.
#   desktop_sway_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_tool.sh" "$1"
source "$here/lib_xserver.sh"
source "$here/lib_pictures.sh"
source "$here/lib_sway.sh"
swaybg_pid() { cat "$sway_runtime/tapestro-swaybg.pid" 2>/dev/null; }
trap 'kill "$(swaybg_pid)" 2>/dev/null || true; _e2e_cleanup' EXIT

make_picture picture.png 200x150 yellow navy
start_sway "$work"

# The first output is 1280x720; sway's bars are its own colour, so only the picture's
# part is compared where there are bars.
convert -size 1280x720 tile:picture.png expected-tile.png
convert picture.png -resize '1280x720^' -gravity center -extent 1280x720 expected-fill.png
convert picture.png -resize '1280x720!' expected-fit.png
convert picture.png -resize 960x720 expected-fit-borders.png
declare -A region=([center]=200x150+540+285 [tile]=1280x720+0+0 [fill]=1280x720+0+0 [fit]=1280x720+0+0
  [fit-borders]=960x720+160+0)
cp picture.png expected-center.png

# The screenshot's part for placement shows its expected picture. Scaling filters
# differ a little, and most at the picture's edges, which are left out then.
shows() {
  local placement=$1 fuzz=0% shave=0x0
  case $placement in fill | fit*) fuzz=12% shave=4x4 ;; esac
  sway_shot shot.png && convert shot.png -crop "${region[$placement]}" +repage -shave $shave part.png &&
    convert "expected-$placement.png" -shave $shave expected-part.png && same_picture part.png expected-part.png $fuzz
}

for placement in center tile fill fit-borders fit; do
  [ "$(as_sway_user "$tool" apply picture.png "$placement" 2>/dev/null)" = "backend: sway" ] || fail "$placement"
  wait_for shows "$placement" || fail "sway $placement"
done

# A second output shows the wallpaper too, placed on its own.
as_sway_user swaymsg create_output >/dev/null
wait_for as_sway_user sh -c 'swaymsg -t get_outputs | grep -q HEADLESS-2'
as_sway_user "$tool" apply picture.png center >/dev/null 2>&1
second_shows() {
  sway_shot shot.png && convert shot.png -crop 200x150+2140+465 +repage part.png && same_picture part.png picture.png
}
wait_for second_shows || fail "second output"

# A detached swaybg, in a session where sway starts none of its own.
stop_sway
start_sway "$work" 'swaybg_command -'
as_sway_user "$tool" apply picture.png tile --backend swaybg >/dev/null 2>&1 || fail "swaybg tile"
first=$(swaybg_pid)
[ "$(cat "/proc/$first/comm")" = swaybg ] || fail "no swaybg kept in the runtime folder"
wait_for shows tile || fail "swaybg tile"
as_sway_user "$tool" apply picture.png center --backend swaybg >/dev/null 2>&1 || fail "swaybg center"
second=$(swaybg_pid)
[ "$second" != "$first" ] && [ "$(cat "/proc/$second/comm")" = swaybg ] || fail "the new swaybg does not run"
wait_for sh -c "! kill -0 $first" || fail "the previous swaybg was not ended"
wait_for shows center || fail "swaybg center"

# Without swaybg, or with a file swaybg cannot read, the change fails and says why.
if as_sway_user env PATH=/nowhere "$tool" apply picture.png fill --backend swaybg 2>error.txt; then fail "no swaybg"; fi
grep -qx "The desktop did not take the wallpaper: swaybg was not found on PATH; install the package swaybg" error.txt
echo "not a picture" >broken.png
chown "$sway_user" broken.png
if as_sway_user "$tool" apply broken.png fill --backend swaybg 2>error.txt; then fail "broken picture"; fi
grep -qx "The desktop did not take the wallpaper: cannot read the picture $work/broken.png" error.txt ||
  fail "$(cat error.txt)"
[ "$(swaybg_pid)" = "$second" ] && kill -0 "$second" || fail "a failed change ended the swaybg on screen"
echo "sway apply: sway's IPC and swaybg show every placement on every output"
