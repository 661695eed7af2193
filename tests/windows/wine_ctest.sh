#!/usr/bin/env bash
# Runs the Windows build's ctest under Wine, in a fresh prefix with a warm wineserver
# (lib_wine.sh):  tests/windows/wine_ctest.sh [CTEST ARGS...]
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/windows/lib_wine.sh
wine_session "$PWD/build-windows"
cd build-windows
ctest "$@"
