#!/usr/bin/env bash
# tapestro-tool.exe under Wine, end to end, in portable use (a Tapestro.ini beside it):
# apply for tile, center, fit and an origin, read back with `wine reg query`, the path
# handed to SystemParametersInfoA seen in Wine's temporary parameters, the BMP files of
# a JPEG and a GIF byte for byte as the Linux tool writes them, and the list order.
#   tool_under_wine.sh WINDOWS_BUILD_DIR LINUX_BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
windows_build=$1
linux_tool="$2/tapestro-tool"
data="$here/../data/jpeg"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Wine sees the host's files through drive Z:.
windows_path() { echo "Z:${1//\//\\}"; }
wine_quiet() { "$here/wine_run.sh" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
tool() { wine_quiet "$work/tapestro-tool.exe" "$@"; }
registry_value() { wine_quiet reg query "$1" /v "$2" | sed -n "s/^ *$2 *REG_SZ *//p"; }
desktop_value() { registry_value 'HKCU\Control Panel\Desktop' "$1"; }
handed_wallpaper() { registry_value 'HKCU\Software\Wine\Temporary System Parameters\Control Panel\Desktop' Wallpaper; }

cp "$windows_build/tapestro-tool.exe" .
: >Tapestro.ini
cp "$data/photo-64x48.jpg" photo.jpg
convert -size 40x30 xc:navy -fill gold -draw 'rectangle 4,4 20,12' -colors 16 picture.gif
converted="$(windows_path "$work")\\tempwp.bmp"

# placement word, TileWallpaper, WallpaperStyle, WallpaperOriginX, WallpaperOriginY
for expected in "tile 1 0 0 0" "center 0 0 0 0" "fit 0 2 0 0" "10,-20 0 0 10 -20"; do
  read -r word tile style x y <<<"$expected"
  tool apply "$(windows_path "$work/photo.jpg")" "$word" >/dev/null || fail "apply $word"
  actual="$(desktop_value Wallpaper)|$(desktop_value TileWallpaper)|$(desktop_value WallpaperStyle)"
  actual+="|$(desktop_value WallpaperOriginX)|$(desktop_value WallpaperOriginY)"
  [ "$actual" = "$converted|$tile|$style|$x|$y" ] || fail "apply $word wrote $actual"
  [ "$(handed_wallpaper)" = "$converted" ] || fail "apply $word handed '$(handed_wallpaper)' to the system"
done

tool apply "$(windows_path "$work/picture.gif")" center >/dev/null || fail "apply a GIF"
[ "$(handed_wallpaper)" = "$(windows_path "$work")\\temp.bmp" ] || fail "a GIF is applied as temp.bmp"

# A file that is no JPEG stops the update: the desktop keeps the GIF's values.
echo "a text file" >notes.jpg
tool apply "$(windows_path "$work/notes.jpg")" tile >/dev/null && fail "a broken JPEG was applied"
[ "$(desktop_value TileWallpaper)" = 0 ] || fail "a broken JPEG changed the desktop values"

if [ ! -x "$linux_tool" ]; then
  echo "tool_under_wine: no Linux tool at $linux_tool to compare the BMP files with; build main first" >&2
  exit 77
fi
for picture in photo.jpg picture.gif; do
  tool convert "$(windows_path "$work/$picture")" "$(windows_path "$work/$picture.windows.bmp")" || fail "convert $picture"
  "$linux_tool" convert "$picture" "$picture.linux.bmp"
  cmp "$picture.windows.bmp" "$picture.linux.bmp" || fail "$picture: the Windows BMP differs from the Linux one"
done
cmp tempwp.bmp photo.jpg.linux.bmp || fail "apply wrote another BMP than convert"

mkdir pictures
touch pictures/b.JPG pictures/A.bmp pictures/c.gif pictures/2.png pictures/10.png pictures/notes.txt
mkdir pictures/folder.jpg
[ "$(tool list "$(windows_path "$work/pictures")" | xargs)" = "10.png 2.png A.bmp b.JPG c.gif" ] ||
  fail "list order: $(tool list "$(windows_path "$work/pictures")" | xargs)"
echo "tool_under_wine: ok"
