#!/usr/bin/env bash
# smoke.sh FUZZER SEEDS SECONDS: a short fuzz run from the seed corpus into a scratch
# copy, so the checked-in corpus never changes during a test.
set -euo pipefail
fuzzer=$1 seeds=$2 seconds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$seeds"/. "$work"/
cd "$work"
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 . 2>&1 | tail -n 15
