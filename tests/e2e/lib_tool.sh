# Sourced by the tests of tapestro-tool: runs in the scratch folder.
#   source lib_tool.sh BUILD_DIR      sets $work and cds into it; $tool is a copy in
#                                     $work beside its own Tapestro.ini, so that its
#                                     pictures and settings stay there
#   bytes_at FILE OFFSET COUNT        the bytes as decimal numbers
#   expect_error TEXT COMMAND...      the command exits 1 with TEXT on standard error and
#                                     nothing on standard output
source "$(dirname "${BASH_SOURCE[0]}")/lib_e2e.sh"
e2e_init "$1"
portable_copy tapestro-tool
tool="$work/tapestro-tool"
cd "$work"

bytes_at() { od -An -tu1 -j "$2" -N "$3" "$1" | xargs; }

expect_error() {
  local text=$1 status=0
  shift
  "$@" >stdout 2>stderr || status=$?
  [ "$status" -eq 1 ] || fail "$* exited $status"
  [ "$(cat stderr)" = "$text" ] || fail "$*: '$(cat stderr)' instead of '$text'"
  [ ! -s stdout ] || fail "$* printed on standard output"
}
