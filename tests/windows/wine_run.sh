#!/usr/bin/env bash
# Runs one Windows program under Wine for ctest: quiet, in the prefix the harness made
# (tests/windows/wine_ctest.sh), or in build-windows/wine-prefix when called alone.
here="$(cd "$(dirname "$0")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/../../build-windows/wine-prefix}"
export WINEDEBUG=-all
exec wine "$@"
