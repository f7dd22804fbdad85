#!/usr/bin/env bash
# Replays every seed and regression input of each fuzz target once, then fuzzes each
# target for a fixed number of seconds in a scratch corpus grown from the seeds.
#   tests/fuzz/run-fuzzers.sh <fuzz build directory> <seconds per target>
# A crash, hang, leak or sanitizer report fails the run; the input that caused it is
# kept in <build>/fuzz-findings and belongs, once fixed, in tests/fuzz/corpus/<target>.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=$1
seconds=$2
findings="$build/fuzz-findings"
mkdir -p "$findings"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for target in dialect bootstrap filter windows1251 jpeg; do
  binary="$build/fuzz/fuzz_$target"
  corpus="tests/fuzz/corpus/$target"
  "$binary" -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$findings/$target-" "$corpus"/* \
    > "$findings/$target-replay.log" 2>&1 || { cat "$findings/$target-replay.log"; exit 1; }

  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$findings/$target-" "$scratch" "$corpus" > "$findings/$target.log" 2>&1; then
    tail -n 60 "$findings/$target.log"
    grep -m1 'INFO: Seed:' "$findings/$target.log" || true  # -seed=N repeats the run
    echo "fuzz_$target: finding kept in $findings" >&2
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$findings/$target.log" | grep -o '[0-9]*$')
  echo "fuzz_$target: $(ls "$corpus" | wc -l) corpus inputs replayed, $runs executions in ${seconds} s, no finding"
  rm -rf "$scratch"
  trap - EXIT
done
