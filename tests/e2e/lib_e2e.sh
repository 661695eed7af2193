# Sourced by every end-to-end test (the other lib_*.sh source it first): strict mode,
# a scratch folder, programs in the background, waiting, and the portable copies of
# the programs the tests run.
#   e2e_init BUILD_DIR           sets $build (absolute) and $work, a scratch folder
#                                removed at exit
#   portable_copy PROGRAM        copies BUILD_DIR/PROGRAM into $work beside an empty
#                                Tapestro.ini ($ini): it keeps its settings and pictures there
#   settings_file_is TEXT        waits until $ini holds exactly TEXT, else fails
#   fail TEXT                    ends the test, showing $ini and the program's output
#   wait_for COMMAND...          retries a command for up to 10 seconds
#   start_background COMMAND...  runs a command, stopped at exit
[ -z "${_e2e_loaded:-}" ] || return 0
_e2e_loaded=1
set -euo pipefail

_e2e_pids=()
_e2e_scratch=()
_e2e_cleanup() {
  local pid
  for pid in "${_e2e_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${_e2e_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  [ ${#_e2e_scratch[@]} -eq 0 ] || rm -rf "${_e2e_scratch[@]}"
}
trap _e2e_cleanup EXIT

e2e_init() {
  build=$(cd "$1" && pwd)
  work=$(mktemp -d)
  _e2e_scratch+=("$work")
  ini=""
}

portable_copy() {
  cp "$build/$1" "$work/"
  ini=$work/Tapestro.ini
  [ -e "$ini" ] || : >"$ini"
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${ini:-}" ] && [ -s "$ini" ]; then
    echo "-- $ini:" >&2
    cat "$ini" >&2
  fi
  if [ -s "${work:-}/program.log" ]; then
    echo "-- the program's output:" >&2
    tail -n 20 "$work/program.log" >&2
  fi
  exit 1
}

wait_for() {
  for _ in $(seq 1 100); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "timed out waiting for: $*" >&2
  return 1
}

settings_file_is() {
  local want=$1
  _settings_match() { [ "$(cat "$ini")" = "$want" ]; }
  wait_for _settings_match || fail "the settings file is not: $want"
}

start_background() {
  "$@" &
  _e2e_pids+=($!)
}
