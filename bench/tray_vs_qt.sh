#!/usr/bin/env bash
# The program next to the minimal Qt tray program of the shared bench folder, in the
# same run, on a private X server with a window manager and a notification area:
#  - start-up: from process start until its icon is docked in the notification area,
#    until the icon's picture is drawn there, and (the program only) until the
#    start-up step has restored its window, which it schedules one second after
#    start; medians of RUNS starts, in turn;
#  - idle: resident memory after ten idle seconds, and context switches (wake-ups)
#    over those ten seconds, once with the window restored and once with "Minimize on
#    Startup" (the icon alone, as the reference program is).
# Prints one line per figure and the ratio tapestro/reference.
#   bench/tray_vs_qt.sh BUILD_DIR [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
runs=${2:-15}
source "$here/../tests/e2e/lib_xserver.sh"

source "$here/lib_bench.sh"
shared=$(shared_folder qt-tray-idle.cpp)
scratch=$(mktemp -d)
trap '_e2e_cleanup; rm -rf "$scratch"' EXIT
reference="$scratch/qt-tray-idle"
g++ -O2 -std=c++17 -fPIC -o "$reference" "$shared/bench/qt-tray-idle.cpp" $(pkg-config --cflags --libs Qt6Widgets)
# A portable copy in a folder of its own: its settings file lives beside it.
ours="$scratch/tapestro"
cp "$build/tapestro" "$ours"
settings="$scratch/Tapestro.ini"

start_xserver
start_window_manager
start_tray_host
probe="$build/tests/e2e/x11-root-probe"
panel=$(xdotool search --name '^panel$' | head -n 1)
icon_window() { xwininfo -tree -id "$panel" | grep -o "0x[0-9a-f]* \"$1\": " | head -n 1 | cut -d' ' -f1; }
docked() { [ -n "$(icon_window "$1")" ]; }
# Windows come and go while they are looked at: their errors are no news.
restored() {
  local w
  for w in $(xdotool search --name '^Tapestro$' 2>/dev/null); do
    xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' &&
      [ "$(xwininfo -id "$w" 2>/dev/null | sed -n 's/.*Width: //p')" -gt 200 ] && return 0
  done
  return 1
}
now_ns() { date +%s%N; }
stop() {
  kill "$1"
  wait "$1" 2>/dev/null || true
}

# "DOCKED_MS PAINTED_MS RESTORED_MS" of one start; the icon's window carries the
# program's name.
start_times() {
  local program=$1 icon=$2 pid t0 t1 t2 t3="" window
  t0=$(now_ns)
  "$program" >/dev/null 2>&1 &
  pid=$!
  until docked "$icon"; do sleep 0.002; done
  t1=$(now_ns)
  window=$(icon_window "$icon")
  until "$probe" painted "$window"; do sleep 0.002; done
  t2=$(now_ns)
  if [ "$program" = "$ours" ]; then
    until restored; do sleep 0.002; done
    t3=$(now_ns)
  fi
  stop "$pid"
  while docked "$icon"; do sleep 0.01; done
  echo "$(((t1 - t0) / 1000000)) $(((t2 - t0) / 1000000)) ${t3:+$(((t3 - t0) / 1000000))}"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
ctxt() { awk '/ctxt_switches/ {n += $2} END {print n}' "/proc/$1/status"; }

# "RSS_KiB SWITCHES": resident memory after ten idle seconds past the start-up step.
idle_figures() {
  local program=$1 icon=$2 pid before rss after
  "$program" >/dev/null 2>&1 &
  pid=$!
  until docked "$icon"; do sleep 0.01; done
  sleep 1.5
  before=$(ctxt "$pid")
  sleep 10
  after=$(ctxt "$pid")
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  stop "$pid"
  echo "$rss $((after - before))"
}

: >"$settings"
ours_docked=() ours_painted=() ours_restored=() ref_docked=() ref_painted=()
for _ in $(seq 1 "$runs"); do
  read -r docked_ms painted_ms restored_ms < <(start_times "$ours" Tapestro)
  ours_docked+=("$docked_ms")
  ours_painted+=("$painted_ms")
  ours_restored+=("$restored_ms")
  read -r docked_ms painted_ms < <(start_times "$reference" qt-tray-idle)
  ref_docked+=("$docked_ms")
  ref_painted+=("$painted_ms")
done
ours_start=$(printf '%s\n' "${ours_docked[@]}" | median)
ours_paint=$(printf '%s\n' "${ours_painted[@]}" | median)
ours_window=$(printf '%s\n' "${ours_restored[@]}" | median)
ref_start=$(printf '%s\n' "${ref_docked[@]}" | median)
ref_paint=$(printf '%s\n' "${ref_painted[@]}" | median)
read -r ours_rss ours_wake < <(idle_figures "$ours" Tapestro)
printf '[Settings]\nminstartup=y\n' >"$settings"
read -r icon_rss icon_wake < <(idle_figures "$ours" Tapestro)
read -r ref_rss ref_wake < <(idle_figures "$reference" qt-tray-idle)

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf (b > 0 ? "%.2f" : "n/a"), (b > 0 ? a / b : 0)}'; }
row() { printf '%-44s %10s %12s %8s\n' "$@"; }
row "figure" "tapestro" "qt-tray-idle" "ratio"
row "start to docked icon, median ms" "$ours_start" "$ref_start" "$(ratio "$ours_start" "$ref_start")"
row "start to drawn icon, median ms" "$ours_paint" "$ref_paint" "$(ratio "$ours_paint" "$ref_paint")"
row "start to restored window (1 s scheduled), ms" "$ours_window" "-" "-"
row "resident after 10 s idle, window shown, KiB" "$ours_rss" "$ref_rss" "$(ratio "$ours_rss" "$ref_rss")"
row "resident after 10 s idle, icon only, KiB" "$icon_rss" "$ref_rss" "$(ratio "$icon_rss" "$ref_rss")"
row "context switches in 10 s idle, window shown" "$ours_wake" "$ref_wake" "-"
row "context switches in 10 s idle, icon only" "$icon_wake" "$ref_wake" "-"
echo "($runs starts each, goal: ratios within 1.3)"
