#!/usr/bin/env bash
# `cmake --install` into a scratch DESTDIR, as a packager runs it: exactly the expected
# files, a desktop file and metainfo that their validators accept, manual pages that
# render without a warning, and installed programs that answer --version.
#   install_tree.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
icons=usr/share/icons/hicolor
expected=$(
  printf '%s\n' usr/bin/tapestro usr/bin/tapestro-tool "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" "$icons/scalable/apps/$id.svg" \
    usr/share/man/man1/tapestro.1.gz usr/share/man/man1/tapestro-tool.1.gz \
    usr/share/doc/tapestro/copyright usr/share/doc/tapestro/changelog.gz
  for size in 16 22 24 32 48 64 128 256; do echo "$icons/${size}x$size/apps/$id.png"; done
)
installed=$(cd "$root" && find . -type f -printf '%P\n')
[ "$(sort <<<"$installed")" = "$(sort <<<"$expected")" ] || fail "installed: $installed"

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null
for size in 16 22 24 32 48 64 128 256; do
  file "$root/$icons/${size}x$size/apps/$id.png" | grep -q "PNG image data, $size x $size," || fail "icon $size"
done
for page in tapestro tapestro-tool; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
done
grep -q "^MIT License" "$root/usr/share/doc/tapestro/copyright"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ "$("$root/usr/bin/tapestro-tool" --version)" = "tapestro-tool $version" ]
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/tapestro" --version)" = "tapestro $version" ]
echo "install tree: ok"
