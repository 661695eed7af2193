# Sourced by the scripts that run Windows programs under Wine (the ctest harness, the
# benchmarks). wine_session BUILD_DIR makes BUILD_DIR/wine-prefix and starts its server:
# - the prefix is copied from a template made once (wineboot --init costs 12 s or more);
# - the wineserver starts with its pipes detached: otherwise a caller that waits for its
#   children's output (ctest) waits about 3 s after each program for Wine's helpers, and
#   a server started by a test keeps ctest's pipes open until the timeout;
# - WINEDEBUG=-all, no Mono or Gecko prompts;
# - at exit that prefix's wineserver is ended, no other.
wine_session() {
  local build=$1
  local template="$build/wine-template"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" wineboot --init </dev/null >/dev/null 2>&1
    WINEPREFIX="$template" wineserver -w
    touch "$template/.ready"
  fi
  export WINEPREFIX="$build/wine-prefix"
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
  wineserver -p </dev/null >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true' EXIT
  wine cmd /c exit </dev/null >/dev/null 2>&1
}
