#!/usr/bin/env bash
# Builds the large inputs the benchmarks read, then runs every benchmark.
# Usage: run-benchmarks.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
export BRONDEL_BENCH_DATA="$build/bench-data"
mkdir -p "$BRONDEL_BENCH_DATA"
for generator in "$root"/bench/make_*.py; do
  [ -f "$generator" ] && /usr/bin/python3 "$generator" "$BRONDEL_BENCH_DATA"
done
for program in "$build"/bench/bench-*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
done
