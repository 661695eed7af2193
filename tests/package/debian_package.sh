#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` makes tapestro_VERSION_ARCH.deb whose library
# dependencies dpkg-shlibdeps found, and lintian reports no error in it. Where the
# system may be changed (CI, as root), it is installed with apt-get, runs on a virtual
# X server, and dpkg -r removes it with all its files.
#   debian_package.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
package=$work/tapestro_${version}_$(dpkg --print-architecture).deb
[ -f "$package" ] || fail "no $package"
depends=$(dpkg-deb --field "$package" Depends)
for library in libqt6widgets6 libqt6dbus6 libjpeg62-turbo qt6-qpa-plugins; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
echo "$(du -k "$package" | cut -f1) KiB; Depends: $depends"
lintian --fail-on error "$package" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error "$package" >/dev/null 2>&1 || fail "lintian reports errors"

if [ "${CI:-}" != true ] || [ "$(id -u)" -ne 0 ]; then
  echo "debian package: made and checked; installed only by CI, as root"
  exit 0
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends "$package" >/dev/null
files=$(dpkg -L tapestro)
[ "$(tapestro-tool --version)" = "tapestro-tool $version" ] || fail "the installed tool"
"$(dirname "$0")/run_installed.sh" "$build" || fail "the installed program did not run"
dpkg -r tapestro >/dev/null
for file in $files; do
  [ -d "$file" ] || [ ! -e "$file" ] || fail "$file is left after removal"
done
echo "debian package: installed, ran and removed"
