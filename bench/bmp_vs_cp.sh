#!/usr/bin/env bash
# bmp_vs_cp.sh [BUILD] [RUNS]: times the bitmap on a 6000 x 4000 24-bit BMP file (72 MB)
# next to reference tools copying or reading the same file, in the same run and folder,
# and prints medians and ratios.
#   whole processes:
#     load       tapestro-tool info BIG.bmp          (reads and checks the headers; the pixels
#                                                     stay in the file until touched)
#     load+save  tapestro-tool convert BIG.bmp OUT   (copies the pixels file to file, writes
#                                                     OUT atomically)
#     cp         cp BIG.bmp COPY                     (reads and writes it inside the kernel)
#     dd         dd bs=72M of=/dev/null              (reads it into one buffer of its own,
#                                                     as any load must)
#   in process (bench/bitmap_bench): save to a new file, load, and stretch-drawing the
#   loaded bitmap into the 153 x 145 preview.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${2:-9}
tool="$build/tapestro-tool"
work=$(mktemp -d "${TMPDIR:-/tmp}/tapestro-bmp-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The file: a 54-byte header for 6000 x 4000 pixels of 24 bits (rows of 18000 bytes,
# 72,000,000 pixel bytes), then pixel bytes that do not compress.
big="$work/big.bmp"
{
  printf 'BM\x36\xa2\x4a\x04\x00\x00\x00\x00\x36\x00\x00\x00'
  printf '\x28\x00\x00\x00\x70\x17\x00\x00\xa0\x0f\x00\x00\x01\x00\x18\x00'
  printf '\x00\x00\x00\x00\x00\xa2\x4a\x04\x00\x00\x00\x00\x00\x00\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00'
  head -c 72000000 /dev/urandom
} >"$big"
[ "$("$tool" info "$big")" = "TBitmap 6000 4000 pf24bit" ] || { echo "bench file not read" >&2; exit 1; }

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
time_ms() {  # time_ms COMMAND...: one run's wall time in milliseconds
  local start
  start=$(now_ms)
  "$@" >/dev/null
  echo $(($(now_ms) - start))
}

load=() both=() copy=() slurp=()
for _ in $(seq "$runs"); do
  rm -f "$work/out.bmp" "$work/copy.bmp"
  load+=("$(time_ms "$tool" info "$big")")
  both+=("$(time_ms "$tool" convert "$big" "$work/out.bmp")")
  copy+=("$(time_ms cp "$big" "$work/copy.bmp")")
  slurp+=("$(time_ms dd if="$big" of=/dev/null bs=72M status=none)")
done
cmp -s "$big" "$work/out.bmp" || { echo "convert did not write the file back unchanged" >&2; exit 1; }

load_ms=$(printf '%s\n' "${load[@]}" | median)
both_ms=$(printf '%s\n' "${both[@]}" | median)
copy_ms=$(printf '%s\n' "${copy[@]}" | median)
dd_ms=$(printf '%s\n' "${slurp[@]}" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

echo "6000 x 4000 24-bit BMP, 72,000,054 bytes, medians of $runs runs"
echo "whole processes:"
printf '  %-10s %7s ms   %s x cp   %s x dd\n' load "$load_ms" "$(ratio "$load_ms" "$copy_ms")" "$(ratio "$load_ms" "$dd_ms")"
printf '  %-10s %7s ms   %s x cp\n' load+save "$both_ms" "$(ratio "$both_ms" "$copy_ms")"
printf '  %-10s %7s ms\n' cp "$copy_ms" dd "$dd_ms"

bench="$build/bench/bitmap_bench"
[ -x "$bench" ] || exit 0
# Medians in milliseconds by benchmark name.
figures=$("$bench" --benchmark_repetitions="$runs" --benchmark_report_aggregates_only=true 2>/dev/null |
  awk '/_median/ { sub(/\/.*/, "", $1); t = $2; if ($3 == "us") t /= 1000; if ($3 == "ns") t /= 1e6; print $1, t }')
figure() { echo "$figures" | awk -v n="$1" '$1 == n { print $2 }'; }
save=$(figure BM_SaveToFile) loadin=$(figure BM_LoadFromFile) stretch=$(figure BM_StretchDrawIntoPreview)
echo "in process:"
printf '  %-10s %7.1f ms   %s x cp\n' save "$save" "$(ratio "$save" "$copy_ms")"
printf '  %-10s %7.1f ms   %s x cp   %s x dd\n' load "$loadin" "$(ratio "$loadin" "$copy_ms")" "$(ratio "$loadin" "$dd_ms")"
printf '  %-10s %7.3f ms   %s x load\n' stretch "$stretch" "$(ratio "$stretch" "$loadin")"
