#!/usr/bin/env bash
# tapestro-tool apply through KDE Plasma's scripting call, against a recording stand-in
# for the shell on a private session bus: the script sets the picture and its fill mode
# on every desktop, and two changes of the same rewritten file hand Plasma two
# different names, each showing its own picture.
#   desktop_kde_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_private_bus.sh" "$@"
source "$here/lib_tool.sh" "$1"
source "$here/lib_pictures.sh"
unset DISPLAY XDG_CURRENT_DESKTOP

# Without the shell on the bus (and no display) nothing can show the picture.
make_picture tempwp.bmp 40x30 red blue
if XDG_CURRENT_DESKTOP=KDE "$tool" apply tempwp.bmp 2>error.txt; then exit 1; fi
grep -q "^The desktop did not take the wallpaper: Tapestro cannot set the wallpaper of KDE (Plasma's shell is not on\
 the session bus); set WallpaperCommand" error.txt

start_background "$build/tests/e2e/plasma-shell-recorder" "$work/scripts.txt"
wait_for sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.NameHasOwner string:org.kde.PlasmaShell | grep -q true'

# The Nth recorded script's picture and fill mode.
recorded_image() { awk -v n="$1" '/^--$/ {k++} k == n-1' scripts.txt | sed -n 's|.*writeConfig("Image", "file://\(.*\)");|\1|p'; }
recorded_fill() { awk -v n="$1" '/^--$/ {k++} k == n-1' scripts.txt | sed -n 's|.*writeConfig("FillMode", \(.*\));|\1|p'; }

cp tempwp.bmp first.bmp
[ "$(XDG_CURRENT_DESKTOP=KDE "$tool" apply tempwp.bmp tile)" = "backend: kde" ]
first=$(recorded_image 1)
[ "$(recorded_fill 1)" = 3 ]
case $first in "$work"/*.bmp) ;; *) echo "fresh name $first is not beside the tool" >&2; exit 1 ;; esac
cmp "$first" first.bmp
grep -q 'for (var i = 0; i < all.length; i++)' scripts.txt
grep -q 'd.wallpaperPlugin = "org.kde.image";' scripts.txt

make_picture tempwp.bmp 40x30 green white
[ "$("$tool" apply tempwp.bmp fit --backend kde)" = "backend: kde" ]
second=$(recorded_image 2)
[ "$(recorded_fill 2)" = 0 ]
[ "$second" != "$first" ]
cmp "$second" tempwp.bmp
[ ! -e "$first" ]

"$tool" apply tempwp.bmp center --backend kde >/dev/null
[ "$(recorded_fill 3)" = 6 ]
[ "$(recorded_image 3)" = "$first" ]
"$tool" apply tempwp.bmp -4,9 --backend kde >/dev/null
[ "$(recorded_fill 4)" = 6 ]
# Plasma's crop (fill) 2 and fit-whole 1.
"$tool" apply tempwp.bmp fill --backend kde >/dev/null
[ "$(recorded_fill 5)" = 2 ]
"$tool" apply tempwp.bmp fit-borders --backend kde >/dev/null
[ "$(recorded_fill 6)" = 1 ]
echo "kde apply: scripts recorded, fresh names alternate"
