#!/usr/bin/env bash
# Resident memory and wake-ups of the idle program next to a minimal Qt tray program,
# both started on the same private X server in the same run: memory 5 s after start,
# then wake-ups (context switches) over the next 10 s.
#   bench/idle_memory.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
shared=${TAPESTRO_SHARED:-}
for candidate in "$shared" "$here/../../shared" /work/shared; do
  [ -n "$candidate" ] && [ -f "$candidate/bench/qt-tray-idle.cpp" ] && { shared=$candidate; break; }
done
[ -f "$shared/bench/qt-tray-idle.cpp" ] || { echo "reference programs not found" >&2; exit 1; }
source "$here/../tests/e2e/lib_xserver.sh"

scratch=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$scratch"' EXIT
g++ -O2 -std=c++17 -fPIC -o "$scratch/qt-tray-idle" "$shared/bench/qt-tray-idle.cpp" $(pkg-config --cflags --libs Qt6Widgets)
# A copy of the program in a folder of its own, so that its settings file is a fresh one.
cp "$build/tapestro" "$scratch/"

start_xserver
start_window_manager

field() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }
switches() { echo $(($(field "$1" voluntary_ctxt_switches) + $(field "$1" nonvoluntary_ctxt_switches))); }

"$scratch/tapestro" 2>/dev/null &
ours=$!
_e2e_pids+=("$ours")
"$scratch/qt-tray-idle" 2>/dev/null &
theirs=$!
_e2e_pids+=("$theirs")
sleep 5
ours_kib=$(field "$ours" VmRSS)
theirs_kib=$(field "$theirs" VmRSS)
ours_switches=$(switches "$ours")
theirs_switches=$(switches "$theirs")
sleep 10
ours_wakeups=$(($(switches "$ours") - ours_switches))
theirs_wakeups=$(($(switches "$theirs") - theirs_switches))

awk -v o="$ours_kib" -v t="$theirs_kib" 'BEGIN {
  printf "resident after 5 s: tapestro %.1f MiB, qt-tray-idle %.1f MiB, ratio %.2fx (goal <= 1.3x)\n", o / 1024, t / 1024, o / t }'
echo "wake-ups over the next 10 s: tapestro $ours_wakeups, qt-tray-idle $theirs_wakeups"
