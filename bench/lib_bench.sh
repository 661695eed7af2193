# Sourced by the benchmark scripts.
#   shared_folder FILE    prints the shared folder whose bench/ holds FILE: $TAPESTRO_SHARED,
#                         then ../shared beside the checkout, then /work/shared
#   corpus_ready FILE...  makes the benchmark corpus in bench/corpus/ with the shared
#                         corpus script unless all the files are there
bench_corpus=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/corpus

shared_folder() {
  local candidate
  for candidate in "${TAPESTRO_SHARED:-}" "$bench_corpus/../../../shared" /work/shared; do
    [ -n "$candidate" ] && [ -f "$candidate/bench/$1" ] && { (cd "$candidate" && pwd); return 0; }
  done
  echo "$1 not found (set TAPESTRO_SHARED)" >&2
  return 2
}

corpus_ready() {
  local file shared
  for file in "$@"; do
    [ -f "$file" ] && continue
    shared=$(shared_folder make-bench-corpus.sh) || return 2
    echo "making the benchmark corpus in $bench_corpus ..." >&2
    "$shared/bench/make-bench-corpus.sh" "$bench_corpus" >/dev/null
    return 0
  done
}
