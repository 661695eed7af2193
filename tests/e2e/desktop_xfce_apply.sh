#!/usr/bin/env bash
# tapestro-tool apply through XFCE's xfconf, against a real xfconfd on a private session
# bus: every existing backdrop (whatever its monitor is called) gets the picture and
# XFCE's style; two changes of the same rewritten file hand xfdesktop two different
# names, each showing its own picture.
#   desktop_xfce_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
# The tool makes the fresh names beside itself, in a folder of this test's own.
source "$here/lib_private_bus.sh" "$@"
source "$here/lib_tool.sh" "$1"
source "$here/lib_pictures.sh"
unset DISPLAY XDG_CURRENT_DESKTOP
query() { xfconf-query -c xfce4-desktop -p "$1"; }

make_picture tempwp.png 40x30 red blue
cp tempwp.png first.png

# No backdrop yet: nothing can be set, and the tool says so.
if "$tool" apply tempwp.png --backend xfce 2>error.txt; then exit 1; fi
grep -qx "The desktop did not take the wallpaper: the desktop lists no backdrop to set" error.txt

backdrops=(/backdrop/screen0/monitorVirtual-1/workspace0 /backdrop/screen0/monitorVirtual-1/workspace1
           /backdrop/screen0/monitorHDMI-A-2/workspace0)
for backdrop in "${backdrops[@]}"; do
  xfconf-query -c xfce4-desktop -p "$backdrop/last-image" --create -t string -s /usr/share/old.png
done
xfconf-query -c xfce4-desktop -p "${backdrops[0]}/image-style" --create -t int -s 5
xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitor0/image-path --create -t string -s /usr/share/keep.png

[ "$("$tool" apply tempwp.png tile --backend xfce)" = "backend: xfce" ]
first=$(query "${backdrops[0]}/last-image")
for backdrop in "${backdrops[@]}"; do
  [ "$(query "$backdrop/last-image")" = "$first" ]
  [ "$(query "$backdrop/image-style")" = 2 ]
done
[ "$(query /backdrop/screen0/monitor0/image-path)" = /usr/share/keep.png ]
case $first in "$work"/*) ;; *) echo "fresh name $first is not beside the tool" >&2; exit 1 ;; esac
cmp "$first" first.png

# The same file rewritten with another picture: a new name, with the new picture.
make_picture tempwp.png 40x30 green white
[ "$("$tool" apply tempwp.png fit --backend xfce)" = "backend: xfce" ]
second=$(query "${backdrops[2]}/last-image")
[ "$second" != "$first" ]
cmp "$second" tempwp.png
[ ! -e "$first" ]
for backdrop in "${backdrops[@]}"; do
  [ "$(query "$backdrop/last-image")" = "$second" ]
  [ "$(query "$backdrop/image-style")" = 3 ]
done

# XFCE's styles: centred 1 (an origin too), zoomed 5 (fill), scaled 4 (fit whole).
for placement_style in 5,5:1 center:1 fill:5 fit-borders:4; do
  "$tool" apply tempwp.png "${placement_style%:*}" --backend xfce >/dev/null
  [ "$(query "${backdrops[1]}/image-style")" = "${placement_style#*:}" ]
done

# The session's desktop picks the back end when xfconf answers on the bus.
[ "$(XDG_CURRENT_DESKTOP=XFCE "$tool" apply tempwp.png center)" = "backend: xfce" ]
echo "xfce apply: every backdrop set, fresh names alternate"
