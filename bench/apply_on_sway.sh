#!/usr/bin/env bash
# bench/apply_on_sway.sh [BUILD_DIR] [RUNS]
# Times `tapestro-tool apply FILE fill` on a headless sway (run as an unprivileged
# user, as the end-to-end test does) against `swaymsg output * bg FILE fill`, the
# same request sent by sway's own client, in the same run: a 1920x1080 PNG, which both
# hand to sway as it is. Each round runs the two in turn, so that a busy machine slows
# both alike; one warm-up round, then RUNS rounds. Printed: the median wall time of the
# whole process and Tapestro's ratio (above 1: Tapestro takes longer), and beside them
# `tapestro-tool info FILE`, the tool's own start-up (libraries loaded, no display).
# Neither waits for sway's swaybg to draw: that is sway's own time, the same for both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-15}
source "$here/../tests/e2e/lib_xserver.sh"
source "$here/../tests/e2e/lib_sway.sh"
work=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$work"' EXIT
mkdir "$work/bin"
cp "$build/tapestro-tool" "$work/bin/"
touch "$work/bin/Tapestro.ini"
convert -seed 42 -size 480x270 plasma:fractal -resize '1920x1080!' -depth 8 "$work/photo.png"
start_sway "$work"

wall_ms() {
  local timing
  timing=$( { TIMEFORMAT='%3R'; time as_sway_user "$@" >/dev/null 2>&1; } 2>&1 )
  awk -v t="$timing" 'BEGIN { printf "%d\n", t * 1000 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

tapestro=() swaymsg=() startup=()
for round in $(seq 0 "$runs"); do
  t=$(wall_ms "$work/bin/tapestro-tool" apply "$work/photo.png" fill)
  s=$(wall_ms swaymsg output '*' bg "$work/photo.png" fill)
  i=$(wall_ms "$work/bin/tapestro-tool" info "$work/photo.png")
  [ "$round" -eq 0 ] && continue  # warm-up
  tapestro+=("$t") swaymsg+=("$s") startup+=("$i")
done
t=$(printf '%s\n' "${tapestro[@]}" | median)
s=$(printf '%s\n' "${swaymsg[@]}" | median)
i=$(printf '%s\n' "${startup[@]}" | median)
printf 'sway, 1920x1080 PNG, fill, median of %d: tapestro-tool apply %s ms, swaymsg output * bg %s ms (ratio %s);\n' \
  "$runs" "$t" "$s" "$(awk -v a="$t" -v b="$s" 'BEGIN { printf "%.2f", a / b }')"
printf '  tapestro-tool info (its start-up alone) %s ms\n' "$i"
