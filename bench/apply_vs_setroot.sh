#!/usr/bin/env bash
# bench/apply_vs_setroot.sh [BUILD_DIR] [RUNS]
# Times `tapestro-tool apply --backend x11` against hsetroot and feh doing the same on
# a 1920x1080 Xvfb (-noreset), in the same run: a 1920x1080 BMP and a 6000x4000 PNG,
# each tiled, centred and stretched to the screen. Each round runs the three programs
# in turn, so that a busy machine slows all of them alike; one warm-up round, then RUNS
# rounds. Printed per case: the median wall time of the whole process, and the CPU
# time it costs (its own user and system time plus what the X server spent for it,
# averaged), each with Tapestro's ratio to the other two (below 1: Tapestro is faster).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-15}
for program in "$build/tapestro-tool" hsetroot feh Xvfb convert; do
  command -v "$program" >/dev/null || { echo "missing: $program" >&2; exit 1; }
done

source "$here/../tests/e2e/lib_xserver.sh"
# A portable copy of the tool: the pictures it applies stay in its scratch folder, never
# in the user's own data folder.
e2e_init "$build"
portable_copy tapestro-tool
tool=$work/tapestro-tool
start_xserver 1920x1080
xserver=${_e2e_pids[0]}
unset XDG_CURRENT_DESKTOP

# A photo-like picture (smooth colour areas, texture and grain), made once and kept.
data=$build/bench-data
mkdir -p "$data"
if [ ! -f "$data/photo-6000x4000.png" ]; then
  echo "making the pictures in $data ..." >&2
  convert -seed 42 -size 1500x1000 plasma:fractal -blur 0x1.5 -resize '6000x4000!' \
    \( -size 6000x4000 tile:granite: \) -compose softlight -composite \
    -seed 42 -attenuate 0.4 +noise gaussian -depth 8 "$data/photo-6000x4000.png"
  convert "$data/photo-6000x4000.png" -resize '1920x1080!' -type TrueColor BMP3:"$data/photo-1920x1080.bmp"
fi

ticks_per_second=$(getconf CLK_TCK)
server_ticks() { awk '{ print $14 + $15 }' "/proc/$xserver/stat"; }

# Runs one command; prints its wall and CPU microseconds and the server's ticks.
measure() {
  local before after timing
  before=$(server_ticks)
  timing=$( { TIMEFORMAT='%3R %3U %3S'; time "$@" >/dev/null 2>&1; } 2>&1 )
  after=$(server_ticks)
  awk -v t="$timing" -v s=$((after - before)) 'BEGIN { split(t, f, " "); printf "%d %d %d\n", f[1] * 1e6, (f[2] + f[3]) * 1e6, s }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

printf '%-28s | %-36s | %-36s | %s\n' "" "wall ms (median)" "CPU ms (client + X server, mean)" "Tapestro's ratio"
printf '%-28s | %10s %10s %10s   | %10s %10s %10s   | %s\n' "picture, placement" tapestro hsetroot feh tapestro hsetroot feh \
  "wall vs hsetroot, feh; CPU vs hsetroot, feh"
for picture in photo-1920x1080.bmp photo-6000x4000.png; do
  for placement in tile center fit; do
    case $placement in
      tile) hset=-tile feh_mode=--bg-tile ;;
      center) hset=-center feh_mode=--bg-center ;;
      fit) hset=-fill feh_mode=--bg-scale ;;
    esac
    file=$data/$picture
    commands=("$tool apply $file $placement --backend x11" "hsetroot $hset $file" "feh --no-fehbg $feh_mode $file")
    declare -A wall=() cpu=() ticks=()
    for round in $(seq 0 "$runs"); do
      for i in 0 1 2; do
        read -r w c s < <(measure ${commands[$i]})
        [ "$round" -eq 0 ] && continue  # warm-up: file cache, server state
        wall[$i]+="$w " cpu[$i]+="$c " ticks[$i]=$((${ticks[$i]:-0} + s))
      done
    done
    w=() c=()
    for i in 0 1 2; do
      w[$i]=$(printf '%s\n' ${wall[$i]} | median | awk '{ printf "%.1f", $1 / 1000 }')
      c[$i]=$(printf '%s\n' ${cpu[$i]} | awk -v s="${ticks[$i]}" -v n="$runs" -v hz="$ticks_per_second" \
        '{ t += $1 } END { printf "%.1f", (t / 1000 + s * 1000 / hz) / n }')
    done
    printf '%-28s | %10s %10s %10s   | %10s %10s %10s   | %s %s; %s %s\n' "$picture, $placement" \
      "${w[0]}" "${w[1]}" "${w[2]}" "${c[0]}" "${c[1]}" "${c[2]}" \
      "$(ratio "${w[0]}" "${w[1]}")" "$(ratio "${w[0]}" "${w[2]}")" "$(ratio "${c[0]}" "${c[1]}")" "$(ratio "${c[0]}" "${c[2]}")"
    unset wall cpu ticks
  done
done
