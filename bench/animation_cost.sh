#!/usr/bin/env bash
# What the preview's animation costs the real program, on a private X server with a
# window manager: the 800 x 600, 50-frame animation of the benchmark corpus is selected
# in the file list with xdotool, and /proc/PID/stat and /proc/PID/status are sampled:
#  - CPU time per second, idle and while the preview plays the animation (goal: under
#    5 % of one core);
#  - resident memory idle, while animating, and after another file is selected (goal:
#    back to the idle level), with the process's thread count (the painter's thread
#    comes and goes).
#   bench/animation_cost.sh BUILD_DIR [SECONDS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(cd "$1" && pwd)
seconds=${2:-20}
source "$root/tests/e2e/lib_xserver.sh"

source "$root/bench/lib_bench.sh"
anim=$bench_corpus/anim-800x600.gif
corpus_ready "$anim"
if command -v convert-im6.q16 >/dev/null 2>&1; then IM=convert-im6.q16; else IM=convert; fi

scratch=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$scratch"' EXIT
# The program in a folder of its own, its settings file beside it naming the pictures.
cp "$build/tapestro" "$scratch/"
mkdir "$scratch/pics"
cp "$anim" "$scratch/pics/a-anim.gif"
"$IM" -size 153x145 gradient:navy-gold -type TrueColor "BMP3:$scratch/pics/b-still.bmp"
printf '[Settings]\nwalldir=%s\n' "$scratch/pics" >"$scratch/Tapestro.ini"

start_xserver
start_window_manager
(cd "$scratch/pics" && exec "$scratch/tapestro" >/dev/null 2>&1) &
pid=$!
_e2e_pids+=("$pid")
# The start-up step restores the window and the folder a second after start.
window=$(front_main_window)
sleep 2

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$pid/status"; }
threads() { awk '/^Threads/ { print $2 }' "/proc/$pid/status"; }
threads_above() { [ "$(threads)" -gt "$1" ]; }
# CPU use over the measuring time, in percent of one core.
cpu_percent() {
  local before after
  before=$(cpu_ticks)
  sleep "$seconds"
  after=$(cpu_ticks)
  awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN { printf "%.2f", t / hz / s * 100 }'
}
# Clicks item INDEX (0 = first) of the file list: right of the folder panel, below the
# menu bar and the two labels (48 pixels), 18 pixels an item.
select_item() { xdotool mousemove --sync --window "$window" 320 $((48 + 9 + 18 * $1)) click 1; }

idle_threads=$(threads)
idle_cpu=$(cpu_percent)
idle_rss=$(rss_kib)

select_item 0
wait_for threads_above "$idle_threads"
# The first pass builds every frame's bitmap; measure once the animation runs on.
sleep 6
anim_threads=$(threads)
anim_cpu=$(cpu_percent)
anim_rss=$(rss_kib)

select_item 1
wait_for eval '! threads_above "$idle_threads"'
sleep 2
after_threads=$(threads)
after_rss=$(rss_kib)

row() { printf '%-48s %10s %10s %10s\n' "$@"; }
row "figure" "idle" "animating" "after"
row "CPU, % of one core over ${seconds} s" "$idle_cpu" "$anim_cpu" "-"
row "resident memory, KiB" "$idle_rss" "$anim_rss" "$after_rss"
row "threads" "$idle_threads" "$anim_threads" "$after_threads"
awk -v a="$anim_rss" -v i="$idle_rss" -v f="$after_rss" \
  'BEGIN { printf "animating / idle memory %.2f, after / idle %.2f (goal: CPU under 5 %%, after within 1.05 of idle)\n", a / i, f / i }'
