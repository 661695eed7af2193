#!/usr/bin/env bash
# gif_vs_giflib.sh [RUNS]: GIF decoding against giflib, in the same run, on the same
# files: the first image of a 4000x3000 256-colour photo and all 50 frames of an
# 800x600 animation. Builds what it needs (the corpus into bench/corpus, gif_bench, the
# reference program gif-first-frame) and prints medians of RUNS runs (default 7) and
# the ratio ours / giflib (below 1: we are faster).
#
#  1. per process, from the file: the decode time each program measures inside
#     itself (gif-first-frame also turns frame 0 into RGB, about 1 byte written per
#     3 read; we stop at the colour indices), and for the animation the same with
#     every frame's bitmap built (gif_bench frames);
#  2. whole processes, start to exit: `tapestro-tool convert` of the photo (read, the
#     first image's bitmap, a 12 MB BMP file written) against `gif-first-frame first`
#     (read and turned into RGB in memory, nothing written);
#  3. in one process, from memory: Google Benchmark of both decoders producing
#     colour indices, and ours also building every frame's bitmap.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
source "$root/bench/lib_bench.sh"
shared=$(shared_folder gif-first-frame.c)
corpus=$bench_corpus
photo=$corpus/photo-4000x3000.gif
anim=$corpus/anim-800x600.gif

corpus_ready "$photo" "$anim"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" --target gif_bench tapestro-tool >/dev/null
bench=$root/build/bench/gif_bench
tool=$root/build/tapestro-tool
converted=$(mktemp -d)
trap 'rm -rf "$converted"' EXIT
reference=$root/build/bench/gif-first-frame
gcc -O2 -o "$reference" "$shared/bench/gif-first-frame.c" -lgif

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# Alternate the two programs so that both see the same machine load.
time_files() {  # OUR_MODE THEIR_MODE FILE -> "ours_median giflib_median"
  local mine=$1 mode=$2 file=$3 ours=() theirs=() i
  for ((i = 0; i < runs; i++)); do
    ours+=("$("$bench" "$mine" "$file" | awk '{ print $4 }')")
    theirs+=("$("$reference" "$mode" "$file" | awk '{ print $6 }')")
  done
  echo "$(printf '%s\n' "${ours[@]}" | median) $(printf '%s\n' "${theirs[@]}" | median)"
}

wall_ms() {  # COMMAND... -> milliseconds from start to exit
  local start=$EPOCHREALTIME
  "$@" >/dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", (b - a) * 1000 }'
}

time_processes() {  # FILE -> "convert_median reference_median"
  local file=$1 ours=() theirs=() i
  for ((i = 0; i < runs; i++)); do
    ours+=("$(wall_ms "$tool" convert "$file" "$converted/out.bmp")")
    theirs+=("$(wall_ms "$reference" first "$file")")
  done
  echo "$(printf '%s\n' "${ours[@]}" | median) $(printf '%s\n' "${theirs[@]}" | median)"
}

row() { printf '%-52s %12s %12s %8s\n' "$1" "$2" "$3" "$(ratio "$2" "$3")"; }

printf '%-52s %12s %12s %8s\n' "work ($runs runs, median ms)" "tapestro" "giflib" "ratio"
read -r ours theirs < <(time_files decode first "$photo")
row "file, first image of photo-4000x3000.gif" "$ours" "$theirs"
read -r ours theirs < <(time_files decode slurp "$anim")
row "file, all frames of anim-800x600.gif" "$ours" "$theirs"
read -r ours theirs < <(time_files frames slurp "$anim")
row "file, all frames of anim-800x600.gif + bitmaps" "$ours" "$theirs"
read -r ours theirs < <(time_processes "$photo")
row "process, tapestro-tool convert photo (first-frame)" "$ours" "$theirs"

csv=$("$bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null)
real() { echo "$csv" | awk -F, -v n="\"$1_median\"" '$1 == n { printf "%.2f", $3 }'; }
for work in FirstImage AllFrames; do
  row "memory, $work (Google Benchmark)" "$(real "BM_${work}_Tapestro")" "$(real "BM_${work}_Giflib")"
done
row "memory, FirstImage + bitmap" "$(real BM_FirstImageBitmap_Tapestro)" "$(real BM_FirstImage_Giflib)"
row "memory, AllFrames + bitmaps" "$(real BM_AllFrameBitmaps_Tapestro)" "$(real BM_AllFrames_Giflib)"
