#!/usr/bin/env bash
# Lists and orders a folder of 20,000 files (mixed names, cases and extensions) with
# whole `tapestro-tool list` runs and with the Qt reference program, alternately in the
# same run, and prints the medians and their ratio; then times 100,000 files.
#   bench/list_vs_qt.sh [BUILD_DIR] [RUNS]
# Reference programs: $TAPESTRO_SHARED/bench (default: ../shared/bench beside the checkout,
# then /work/shared/bench). The corpus is made once in bench/corpus/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
runs=${2:-21}
tool="$build/tapestro-tool"
source "$here/lib_bench.sh"
shared=$(shared_folder qt-list-sort.cpp)

corpus=$bench_corpus
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The reference, built as its first line says.
reference="$scratch/qt-list-sort"
g++ -O2 -std=c++17 -fPIC -o "$reference" "$shared/bench/qt-list-sort.cpp" $(pkg-config --cflags --libs Qt6Core)

# Only the listing part of the shared corpus script: the pictures are not needed here.
if [ "$(find "$corpus/listing" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne 20000 ]; then
  mkdir -p "$corpus"
  sed -n '/^L="\$OUT\/listing"/,/^)$/p' "$shared/bench/make-bench-corpus.sh" >"$scratch/listing.sh"
  OUT="$corpus" bash -c 'set -e; source "$1"' _ "$scratch/listing.sh"
fi
# 100,000 files of the same kinds of names.
big="$corpus/listing-100k"
if [ "$(find "$big" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne 100000 ]; then
  rm -rf "$big" && mkdir -p "$big"
  (
    cd "$big"
    stems=("IMG_" "img_" "DSC" "Photo " "wallpaper-" "Scan_" "Ünïcödé_" "фото_" "写真" "Café ")
    exts=(jpg JPG bmp gif png txt Jpg PNG jpeg GIF)
    for ((i = 1; i <= 100000; i++)); do
      : >"${stems[i % 10]}$((i * 7919 % 1000003)).${exts[(i / 3) % 10]}"
    done
  )
fi

# Both list the same extensions, so both print the same names.
mask='*.jpg;*.jpeg;*.bmp;*.gif;*.png'
now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
time_runs() {  # prints one duration in microseconds per run
  local folder=$1 which=$2 start i
  for ((i = 0; i < runs; i++)); do
    start=$(now)
    if [ "$which" = tool ]; then "$tool" list "$folder" "$mask" >/dev/null; else "$reference" "$folder" 2>/dev/null; fi
    echo $((($(now) - start) / 1000))
  done
}

ours="$scratch/ours.txt"
theirs="$scratch/theirs.txt"
"$tool" list "$corpus/listing" "$mask" >"$ours"
"$reference" --print "$corpus/listing" >"$theirs" 2>/dev/null
same=$(cmp -s "$ours" "$theirs" && echo "same order" || echo "orders differ (the reference compares code points under the C locale)")
echo "locale: ${LC_ALL:-${LANG:-C}}; files listed: $(wc -l <"$ours"); $same"

# Alternate the two programs so that both see the same machine load.
for ((round = 0; round < runs; round++)); do
  runs=1 time_runs "$corpus/listing" tool >>"$scratch/tool.us"
  runs=1 time_runs "$corpus/listing" reference >>"$scratch/reference.us"
done
tool_us=$(median <"$scratch/tool.us")
reference_us=$(median <"$scratch/reference.us")
awk -v t="$tool_us" -v r="$reference_us" 'BEGIN {
  printf "20,000 files: tapestro-tool list %.1f ms, qt-list-sort %.1f ms (medians), ratio %.2fx (goal <= 1.5x)\n", t / 1000, r / 1000, t / r }'

big_us=$(runs=5 time_runs "$big" tool | median)
awk -v t="$big_us" -v n="$("$tool" list "$big" "$mask" | wc -l)" 'BEGIN {
  printf "100,000 files (%d listed): tapestro-tool list %.1f ms (median of 5; goal < 1000 ms)\n", n, t / 1000 }'
