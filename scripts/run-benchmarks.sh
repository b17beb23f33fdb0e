#!/usr/bin/env bash
# Builds the large inputs the benchmarks read, then runs every benchmark.
# Usage: run-benchmarks.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
export BRONDEL_BENCH_DATA="$build/bench-data"
mkdir -p "$BRONDEL_BENCH_DATA"
# The contour is shared through the folder; the DXF open benchmark makes its own files.
/usr/bin/python3 "$root/bench/make_contour_dxf.py" "$BRONDEL_BENCH_DATA"
for program in "$build"/bench/bench-*; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" --benchmark_counters_tabular=true
done
