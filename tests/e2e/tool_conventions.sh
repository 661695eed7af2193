#!/usr/bin/env bash
# tapestro-tool's command-line conventions: help and the version on standard output
# with exit 0, each command's own help, a word it does not know named on standard error
# with exit 2, convert only into a .bmp name, and info on a PNG file from its header.
source "$(dirname "$0")/lib_tool.sh" "$1"

# expect STATUS STDOUT-PATTERN STDERR-PATTERN COMMAND...: the exit status, and each
# stream matched by grep -E ('^$' for an empty one).
expect() {
  local want=$1 out=$2 err=$3 status=0
  shift 3
  "$@" >stdout 2>stderr || status=$?
  [ "$status" -eq "$want" ] || fail "$* exited $status, not $want"
  if [ "$out" = '^$' ]; then [ ! -s stdout ]; else grep -Eq "$out" stdout; fi || fail "$*: standard output $(cat stdout)"
  if [ "$err" = '^$' ]; then [ ! -s stderr ]; else grep -Eq "$err" stderr; fi || fail "$*: standard error $(cat stderr)"
}

expect 0 '^usage: tapestro-tool COMMAND' '^$' "$tool" --help
expect 0 '^tapestro-tool [0-9]+\.[0-9]+$' '^$' "$tool" --version
expect 0 '^usage: tapestro-tool apply FILE .*\[--backend NAME\]' '^$' "$tool" apply --help
expect 2 '^$' "^usage: tapestro-tool COMMAND" "$tool"
expect 2 '^$' "^tapestro-tool: unknown command 'paint'" "$tool" paint a.bmp
expect 2 '^$' "^tapestro-tool: unknown option '--colour'" "$tool" --colour
expect 2 '^$' "^tapestro-tool info: unknown option '--all'" "$tool" info --all a.bmp
expect 2 '^$' '^usage: tapestro-tool info FILE$' "$tool" info

convert -size 5x3 xc:red PNG24:red.png
convert -size 4x4 gradient: -interlace PNG -depth 16 PNG48:deep.png
expect 0 '^PNG 5 3 RGB 8-bit$' '^$' "$tool" info red.png
expect 0 '^PNG 4 4 RGB 16-bit interlaced$' '^$' "$tool" info deep.png

# BMP data never lands in a file of another kind, and a name that starts with a dash
# follows "--".
convert -size 4x4 xc:blue BMP3:-blue.bmp
expect 2 '^$' "^tapestro-tool convert: the output name must end in .bmp: out.png" "$tool" convert -- -blue.bmp out.png
[ ! -e out.png ] || fail "convert wrote out.png"
expect 0 '^$' '^$' "$tool" convert -- -blue.bmp OUT.BMP
cmp -- -blue.bmp OUT.BMP || fail "convert changed the bitmap"
echo "tool_conventions: ok"
