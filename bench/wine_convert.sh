#!/usr/bin/env bash
# wine_convert.sh [RUNS]: the wallpaper conversion of the 6000x4000 baseline JPEG to a
# 24-bit BMP file by tapestro-tool on Linux and tapestro-tool.exe under Wine, each next
# to the djpeg of its own build (Debian's, and the libjpeg-turbo the Windows build links),
# in the same run, whole process, file to file. Needs scripts/build main and windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-7}
source "$root/bench/lib_bench.sh"
source "$root/tests/windows/lib_wine.sh"
photo=$bench_corpus/photo-6000x4000.jpg
corpus_ready "$photo"
windows=$root/build-windows
wine_session "$windows"

work=$(mktemp -d "$bench_corpus/.wine-bench.XXXXXX")
trap 'rm -rf "$work"; wineserver -k 2>/dev/null || true' EXIT
windows_path() { echo "Z:${1//\//\\}"; }
wine_photo=$(windows_path "$photo")
hyperfine --runs "$runs" --warmup 1 --style basic --export-markdown "$work/table.md" \
  -n "linux tapestro-tool" "$root/build/tapestro-tool convert $photo $work/linux.bmp" \
  -n "linux djpeg" "djpeg -dct float -bmp -outfile $work/djpeg.bmp $photo" \
  -n "wine tapestro-tool.exe" "wine $windows/tapestro-tool.exe convert '$wine_photo' '$(windows_path "$work/wine.bmp")'" \
  -n "wine djpeg.exe" "wine $windows/deps/install/bin/djpeg.exe -dct float -bmp -outfile '$(windows_path "$work/wine-djpeg.bmp")' '$wine_photo'" \
  >/dev/null
cat "$work/table.md"
cmp "$work/linux.bmp" "$work/wine.bmp" && echo "the two tools' BMP files are identical"
cmp "$work/djpeg.bmp" "$work/wine-djpeg.bmp" && echo "the two djpegs' BMP files are identical"
