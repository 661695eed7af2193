#!/usr/bin/env bash
# hostile_peaks.sh [BUILD...]: peak resident memory, time and outcome of tapestro-tool on
# hostile inputs and outputs, once per build (default: build), so that two builds (before
# and after a change) are compared in one run. Each case runs under /usr/bin/time with a
# time limit; "timeout" in the exit column means it had to be stopped.
#
#   gif-comment-10M   10 MB of one-byte comment sub-blocks
#   gif-appdata-10M   10 MB of one-byte application data sub-blocks
#   gif-comment-50M   50 MB of one-byte comment sub-blocks
#   gif-16384-frame   a 35-byte file declaring a 16384 x 16384 frame, converted to BMP
#   jpeg-499xSIZE     499 scans over a SIZE x SIZE grey picture, converted
#   jpeg-prog-16384   a tiny progressive 4:2:0 file declaring 16384 x 16384, converted
#   fifo-input        info on a FIFO named x.bmp that nobody writes to
#   dev-zero-input    info on z.bmp, a link to /dev/zero
#   folder-output     convert to a folder
#   killed-write      convert of the 16384 x 16384 GIF killed while it has a file open in
#                     the output's folder: the names left there
set -euo pipefail
builds=()
for build in "${@:-build}"; do builds+=("$(cd "$build" && pwd)"); done
limit=${HOSTILE_TIME_LIMIT:-120}
work=$(mktemp -d "${TMPDIR:-/tmp}/tapestro-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

# GIF: a 1 x 1 screen with a two-colour table, an extension of count one-byte
# sub-blocks, a 1 x 1 image and the trailer.
one_byte_blocks() {  # one_byte_blocks FILE INTRODUCER_HEX COUNT
  perl -e '
    my ($intro, $count) = (pack("H*", $ARGV[0]), $ARGV[1]);
    binmode STDOUT;
    print "GIF89a", pack("v v C C C", 1, 1, 0x80, 0, 0), "\0\0\0\xff\xff\xff", $intro;
    my $chunk = "\x01x" x 65536;
    for (my $left = $count; $left > 0; $left -= 65536) { print $left >= 65536 ? $chunk : "\x01x" x $left }
    print "\0", ",", pack("v v v v C", 0, 0, 1, 1, 0), "\x02\x02\x4c\x01\0", ";";
  ' "$2" "$3" >"$1"
}
one_byte_blocks comment10.gif 21fe 5000000
one_byte_blocks appdata10.gif 21ff0b584d50204461746158 5000000
one_byte_blocks comment50.gif 21fe 25000000
# 35 bytes: screen and image 16384 x 16384, a clear code and one pixel, then the end.
perl -e 'binmode STDOUT; print "GIF89a", pack("v v C C C", 16384, 16384, 0x80, 0, 0), "\0\0\0\xff\xff\xff",
  ",", pack("v v v v C", 0, 0, 16384, 16384, 0), "\x02\x02\x4c\x01\0", ";"' >frame16384.gif

# JPEG: flat grey pictures whose last scan is repeated up to 499 scans (the library warns
# of the odd progression and decodes every one).
repeat_last_scan() {  # repeat_last_scan SCANS < JPEG > JPEG
  perl -e 'binmode STDIN; binmode STDOUT; local $/; my $j = <STDIN>;
    my @sos; while ($j =~ /\xff\xda/g) { push @sos, pos($j) - 2 }
    my $eoi = rindex($j, "\xff\xd9"); my $start = $sos[-1];
    my $table = rindex($j, "\xff\xc4", $start); $start = $table if $table > $sos[-2];
    print substr($j, 0, $eoi), substr($j, $start, $eoi - $start) x ($ARGV[0] - @sos), "\xff\xd9"' "$1"
}
for size in 4096 16384; do
  perl -e 'binmode STDOUT; print "P5\n$ARGV[0] $ARGV[0]\n255\n"; print "\x80" x $ARGV[0] for 1 .. $ARGV[0]' $size |
    cjpeg -grayscale -progressive | repeat_last_scan 499 >scans499-$size.jpg
done
# A progressive 16 x 16 colour file (4:2:0) whose frame header then claims 16384 x 16384.
perl -e 'binmode STDOUT; print "P6\n16 16\n255\n", "\x40\x80\xc0" x 256' >tiny.ppm
cjpeg -progressive tiny.ppm | perl -e 'binmode STDIN; binmode STDOUT; local $/; my $j = <STDIN>;
  $j =~ s/(\xff\xc2..\x08)....(.)/$1 . pack("n n", 16384, 16384) . $2/se; print $j' >prog16384.jpg

mkfifo x.bmp
ln -s /dev/zero z.bmp
mkdir folder.bmp

run_case() {  # run_case NAME TOOL ARGS...: one line of the table
  local name=$1 tool=$2
  shift 2
  local rc=0
  /usr/bin/time -f '%e %M' -o time.txt timeout "$limit" "$tool" "$@" >/dev/null 2>err.txt || rc=$?
  [ "$rc" = 124 ] && rc=timeout
  local seconds=? kib=0
  read -r seconds kib < <(tail -n 1 time.txt) || true
  printf '  %-16s %7s %9s %5s  %s\n' "$name" "$seconds" "$(awk -v k="$kib" 'BEGIN { printf "%.1f", k / 1024 }')" \
    "$rc" "$(head -n 1 err.txt | cut -c 1-100)"
  rm -f out.bmp
}

killed_write() {  # killed_write TOOL: names in the output's folder after kill -9
  rm -rf killed && mkdir killed
  "$1" convert frame16384.gif killed/out.bmp >/dev/null 2>&1 &
  local pid=$! waited=0
  # Killed once it has a file open in the output's folder, named or not.
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 3000 ]; do
    if ls -l "/proc/$pid/fd" 2>/dev/null | grep -q "$work/killed/"; then
      sleep 0.05
      break
    fi
    sleep 0.01
    waited=$((waited + 1))
  done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  ls -A killed | tr '\n' ' '
}

for build in "${builds[@]}"; do
  tool=$build/tapestro-tool
  echo "$tool"
  echo "  case             seconds  peak MiB  exit  message"
  run_case gif-comment-10M "$tool" info comment10.gif
  run_case gif-appdata-10M "$tool" info appdata10.gif
  run_case gif-comment-50M "$tool" info comment50.gif
  run_case gif-16384-frame "$tool" convert frame16384.gif out.bmp
  run_case jpeg-499x4096 "$tool" convert scans499-4096.jpg out.bmp
  run_case jpeg-499x16384 "$tool" convert scans499-16384.jpg out.bmp
  run_case jpeg-prog-16384 "$tool" convert prog16384.jpg out.bmp
  limit=5 run_case fifo-input "$tool" info x.bmp
  run_case dev-zero-input "$tool" info z.bmp
  run_case folder-output "$tool" convert frame16384.gif folder.bmp
  echo "  killed-write     names left: $(killed_write "$tool")"
done
