#!/usr/bin/env bash
# The tray program next to the minimal Qt tray program of the shared bench folder, in
# the same run, on a private X server with a notification area (trayer):
#  - start-up: from process start until its icon is docked in the notification area
#    (median of RUNS starts, each program in turn);
#  - idle: resident memory and context switches (wake-ups) over ten idle seconds
#    after the icon is docked.
# Prints one line per figure and the ratio tapestro/reference.
#   bench/tray_vs_qt.sh BUILD_DIR [RUNS] [PROGRAM]
# PROGRAM defaults to the tray probe (the tray icon and its menu in a hidden window);
# pass the real program to measure it the same way.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
runs=${2:-15}
ours=${3:-$build/tests/e2e/tapestro-tray-probe}
ours_args=(--minimized)
[ -n "${3:-}" ] && ours_args=()
source "$here/../tests/e2e/lib_xserver.sh"

shared=""
for candidate in "${TAPESTRO_SHARED:-}" "$here/../../shared" /work/shared; do
  [ -n "$candidate" ] && [ -f "$candidate/bench/qt-tray-idle.cpp" ] && { shared=$candidate; break; }
done
[ -n "$shared" ] || { echo "qt-tray-idle.cpp not found (set TAPESTRO_SHARED)" >&2; exit 2; }
reference="$build/bench/qt-tray-idle"
g++ -O2 -std=c++17 -fPIC -o "$reference" "$shared/bench/qt-tray-idle.cpp" $(pkg-config --cflags --libs Qt6Widgets)

start_xserver
start_tray_host
panel=$(xdotool search --name '^panel$' | head -n 1)
docked() { xwininfo -tree -id "$panel" | grep -q "\"$1\": "; }
now_ns() { date +%s%N; }

# Milliseconds from start to docked icon, one start.
startup_ms() {
  local program=$1 name pid t0 t1
  shift
  name=$(basename "$program")
  t0=$(now_ns)
  "$program" "$@" >/dev/null 2>&1 &
  pid=$!
  until docked "$name"; do sleep 0.002; done
  t1=$(now_ns)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  while docked "$name"; do sleep 0.01; done
  echo $(((t1 - t0) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

ctxt() { awk '/ctxt_switches/ {n += $2} END {print n}' "/proc/$1/status"; }

# "RSS_KiB SWITCHES" after ten idle seconds.
idle_figures() {
  local program=$1 name pid before rss after
  shift
  name=$(basename "$program")
  "$program" "$@" >/dev/null 2>&1 &
  pid=$!
  until docked "$name"; do sleep 0.01; done
  sleep 1
  before=$(ctxt "$pid")
  sleep 10
  after=$(ctxt "$pid")
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$rss $((after - before))"
}

ours_times=() ref_times=()
for _ in $(seq 1 "$runs"); do
  ours_times+=("$(startup_ms "$ours" "${ours_args[@]}")")
  ref_times+=("$(startup_ms "$reference")")
done
ours_start=$(printf '%s\n' "${ours_times[@]}" | median)
ref_start=$(printf '%s\n' "${ref_times[@]}" | median)
read -r ours_rss ours_wake < <(idle_figures "$ours" "${ours_args[@]}")
read -r ref_rss ref_wake < <(idle_figures "$reference")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf (b > 0 ? "%.2f" : "n/a"), (b > 0 ? a / b : 0)}'; }
printf '%-34s %12s %12s %8s\n' "figure" "tapestro" "qt-tray-idle" "ratio"
printf '%-34s %12s %12s %8s\n' "start to docked icon, median ms" "$ours_start" "$ref_start" "$(ratio "$ours_start" "$ref_start")"
printf '%-34s %12s %12s %8s\n' "resident after 10 s idle, KiB" "$ours_rss" "$ref_rss" "$(ratio "$ours_rss" "$ref_rss")"
printf '%-34s %12s %12s %8s\n' "context switches in 10 s idle" "$ours_wake" "$ref_wake" "-"
echo "($runs starts each; $(basename "$ours") vs qt-tray-idle)"
