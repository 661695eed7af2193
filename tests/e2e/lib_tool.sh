# Sourced by the tests of tapestro-tool: runs in a scratch folder removed at exit.
#   source lib_tool.sh BUILD_DIR      sets $tool, a portable copy in $work/bin, and $work,
#                                     and cds into $work
#   fail TEXT                         ends the test
#   bytes_at FILE OFFSET COUNT        the bytes as decimal numbers
#   expect_error TEXT COMMAND...      the command exits 1 with TEXT on standard error and
#                                     nothing on standard output
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$1/tapestro-tool" "$work/bin/"
: >"$work/bin/Tapestro.ini"
tool=$work/bin/tapestro-tool
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }
bytes_at() { od -An -tu1 -j "$2" -N "$3" "$1" | xargs; }

expect_error() {
  local text=$1 status=0
  shift
  "$@" >stdout 2>stderr || status=$?
  [ "$status" -eq 1 ] || fail "$* exited $status"
  [ "$(cat stderr)" = "$text" ] || fail "$*: '$(cat stderr)' instead of '$text'"
  [ ! -s stdout ] || fail "$* printed on standard output"
}
