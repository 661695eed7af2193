#!/usr/bin/env bash
# tapestro-tool apply through GSettings, against a real GSettings store (the keyfile
# back end in a private home) and the desktops' installed schemas, read back with
# gsettings: GNOME's URIs (light and dark), Cinnamon's URI, MATE's plain path, and the
# placement of each.
#   desktop_gsettings_apply.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib_tool.sh" "$1"
source "$here/lib_pictures.sh"
mkdir -p "$work/my pictures"
cd "$work/my pictures"
export HOME=$work/home XDG_CONFIG_HOME=$work/config GSETTINGS_BACKEND=keyfile
unset DISPLAY DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP
make_picture sunset.png 40x30 orange purple
uri="file://$(echo "$work" | sed 's/ /%20/g')/my%20pictures/sunset.png"
path="$work/my pictures/sunset.png"

expect() {
  local schema=$1 key=$2 wanted=$3 got
  got=$(gsettings get "$schema" "$key")
  [ "$got" = "$wanted" ] || { echo "$schema $key: got $got, wanted $wanted" >&2; exit 1; }
}

declare -A option=([tile]=wallpaper [center]=centered [fit]=stretched [fill]=zoom [fit-borders]=scaled
  [7,-3]=centered)
for placement in tile center fit fill fit-borders 7,-3; do
  [ "$("$tool" apply sunset.png "$placement" --backend gnome)" = "backend: gnome" ]
  expect org.gnome.desktop.background picture-uri "'$uri'"
  expect org.gnome.desktop.background picture-uri-dark "'$uri'"
  expect org.gnome.desktop.background picture-options "'${option[$placement]}'"

  [ "$("$tool" apply sunset.png "$placement" --backend cinnamon)" = "backend: cinnamon" ]
  expect org.cinnamon.desktop.background picture-uri "'$uri'"
  expect org.cinnamon.desktop.background picture-options "'${option[$placement]}'"

  [ "$("$tool" apply sunset.png "$placement" --backend mate)" = "backend: mate" ]
  expect org.mate.background picture-filename "'$path'"
  expect org.mate.background picture-options "'${option[$placement]}'"
done

# The session's desktop picks the back end when its schema is installed.
for desktop in ubuntu:GNOME Unity Budgie:GNOME X-Cinnamon MATE; do
  got=$(XDG_CURRENT_DESKTOP=$desktop "$tool" apply sunset.png)
  case $desktop in
    *GNOME|Unity) [ "$got" = "backend: gnome" ] ;;
    X-Cinnamon) [ "$got" = "backend: cinnamon" ] ;;
    MATE) [ "$got" = "backend: mate" ] ;;
  esac
done

# A schema that is not installed: nothing aborts, and the tool says which desktop it
# cannot drive and what to do.
export XDG_DATA_DIRS=$work/empty
if XDG_CURRENT_DESKTOP=GNOME "$tool" apply sunset.png 2>error.txt; then exit 1; fi
grep -q "^The desktop did not take the wallpaper: Tapestro cannot set the wallpaper of GNOME (its settings schema is\
 not installed); set WallpaperCommand" error.txt
if "$tool" apply sunset.png --backend mate 2>error.txt; then exit 1; fi
grep -qx "The desktop did not take the wallpaper: the settings schema org.mate.background or its key picture-filename is not installed" error.txt

# GIO's library unusable (a stand-in of its name without its functions, found first):
# the tool says GSettings is not available.
mkdir "$work/nogio" && cp "$(ldd "$tool" | awk '/libjpeg/ { print $3 }')" "$work/nogio/libgio-2.0.so.0"
if LD_LIBRARY_PATH=$work/nogio "$tool" apply sunset.png --backend gnome 2>error.txt; then exit 1; fi
grep -qx "The desktop did not take the wallpaper: GSettings is not available: GIO's library cannot be loaded" error.txt
echo "gsettings apply: keys written and read back for GNOME, Cinnamon and MATE"
