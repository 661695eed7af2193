#!/usr/bin/env bash
# Runs the Windows build's ctest under Wine:  tests/windows/wine_ctest.sh [CTEST ARGS...]
# - a prefix copied from a template made once (wineboot --init costs 12 s or more);
# - a wineserver started before ctest with its pipes detached: otherwise ctest waits
#   about 3 s after each test for Wine's helper processes, and a server that a test
#   starts keeps ctest's pipes open until the timeout;
# - WINEDEBUG=-all, no Mono or Gecko prompts;
# - that prefix's wineserver ended at the end, no other.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="$PWD/build-windows"
template="$build/wine-template"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$template/.ready" ]; then
  rm -rf "$template"
  WINEPREFIX="$template" wineboot --init </dev/null >/dev/null 2>&1
  WINEPREFIX="$template" wineserver -w
  touch "$template/.ready"
fi
export WINEPREFIX="$build/wine-prefix"
WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
cp -a "$template" "$WINEPREFIX"

wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wine cmd /c exit </dev/null >/dev/null 2>&1

cd "$build"
ctest "$@"
