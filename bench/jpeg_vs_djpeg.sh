#!/usr/bin/env bash
# jpeg_vs_djpeg.sh [RUNS]: the wallpaper conversion of a 6000x4000 baseline JPEG to a
# 24-bit BMP file, `tapestro-tool convert` against `djpeg -dct float -bmp` (the library's
# own decoder and BMP writer) on the same file, alternating, in the same run. Prints the
# medians of RUNS runs (default 7) and the ratio ours / djpeg (goal: at most 0.9), then
# peak memory (GNU time's maximum resident set) against file size + one decoded bitmap
# + 10% (the decoded picture is saved from where it was decoded, never copied), both as
# measured and above the tool's own floor (its resident set converting a 64x48 file:
# the shared libraries it maps, about 15 MB), and the decode-only anchor
# jpeg-decode-mem (libjpeg into memory, nothing written).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
source "$root/bench/lib_bench.sh"
shared=$(shared_folder jpeg-decode-mem.c)
corpus=$bench_corpus
photo=$corpus/photo-6000x4000.jpg

corpus_ready "$photo"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target tapestro-tool >/dev/null
tool=$root/build/tapestro-tool
anchor=$root/build/bench/jpeg-decode-mem
gcc -O2 -o "$anchor" "$shared/bench/jpeg-decode-mem.c" -ljpeg

work=$(mktemp -d "$corpus/.jpeg-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
ours_out=$work/ours.bmp
theirs_out=$work/djpeg.bmp

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Runs a command under GNU time; prints "wall_ms max_rss_kib".
measure() {
  local start end
  start=$EPOCHREALTIME
  /usr/bin/time -f '%M' -o "$work/rss" "$@" >/dev/null 2>&1
  end=$EPOCHREALTIME
  awk -v s="$start" -v e="$end" -v r="$(cat "$work/rss")" 'BEGIN { printf "%.1f %s\n", (e - s) * 1000, r }'
}

ours_ms=() theirs_ms=() ours_kib=() theirs_kib=() anchor_ms=() floor_kib=()
for ((i = 0; i < runs; i++)); do
  rm -f "$ours_out" "$theirs_out"
  read -r ms kib < <(measure "$tool" convert "$photo" "$ours_out")
  ours_ms+=("$ms") ours_kib+=("$kib")
  read -r ms kib < <(measure djpeg -dct float -bmp -outfile "$theirs_out" "$photo")
  theirs_ms+=("$ms") theirs_kib+=("$kib")
  anchor_ms+=("$("$anchor" -dct float "$photo" | awk '{ print $5 }')")
  read -r ms kib < <(measure "$tool" convert "$root/tests/data/jpeg/photo-64x48.jpg" "$work/small.bmp")
  floor_kib+=("$kib")
done
cmp -s <(tail -c +55 "$ours_out") <(tail -c +55 "$theirs_out") || { echo "pixels differ from djpeg's" >&2; exit 1; }

ours=$(printf '%s\n' "${ours_ms[@]}" | median)
theirs=$(printf '%s\n' "${theirs_ms[@]}" | median)
decode=$(printf '%s\n' "${anchor_ms[@]}" | median)
printf '%-52s %10s %10s %7s\n' "6000x4000 JPEG to BMP ($runs runs, median ms)" "tapestro" "djpeg" "ratio"
printf '%-52s %10s %10s %7s\n' "whole process, file to file" "$ours" "$theirs" "$(ratio "$ours" "$theirs")"
printf '%-52s %10s\n' "anchor: libjpeg decode into memory only (in process)" "$decode"

file_kib=$(( $(stat -c %s "$photo") / 1024 ))
bitmap_kib=$(( $(stat -c %s "$ours_out") / 1024 ))
budget_kib=$(( (file_kib + bitmap_kib) * 11 / 10 ))
ours_rss=$(printf '%s\n' "${ours_kib[@]}" | median)
theirs_rss=$(printf '%s\n' "${theirs_kib[@]}" | median)
printf '%-52s %10s %10s %7s\n' "peak memory (median KiB)" "tapestro" "budget" "ratio"
floor=$(printf '%s\n' "${floor_kib[@]}" | median)
above=$(awk -v a="$ours_rss" -v f="$floor" 'BEGIN { print a - f }')
printf '%-52s %10s %10s %7s\n' "file $file_kib + bitmap $bitmap_kib + 10%" "$ours_rss" "$budget_kib" "$(ratio "$ours_rss" "$budget_kib")"
printf '%-52s %10s %10s %7s\n' "the same above the tool's floor of $floor" "$above" "$budget_kib" "$(ratio "$above" "$budget_kib")"
printf '%-52s %10s\n' "djpeg (its BMP writer holds the picture once)" "$theirs_rss"
