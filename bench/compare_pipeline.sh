#!/usr/bin/env bash
# Times `brondel-cli convert` against the bare pipeline of
# bench/minimal_pipeline.cpp on generated closed contours, the two runs
# interleaved so both see the same machine, and prints medians with min-max
# of wall time and peak memory. It also prints the SHA-256 of the DAT file
# `convert` wrote, so two builds can be checked for identical results.
#
# Usage: compare_pipeline.sh BUILD_DIR [RUNS] [SIZES...]
#   defaults: 5 runs, sizes 10000 100000 1000000
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
shift $(($# > 1 ? 2 : 1))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10000 100000 1000000)
root=$(cd "$(dirname "$0")/.." && pwd)
data="$build/bench-data"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$data"

cli="$build/app/cli/brondel-cli"
pipeline="$build/bench/minimal-pipeline"
for program in "$cli" "$pipeline"; do
  [ -x "$program" ] || { echo "missing $program: build brondel-cli and minimal-pipeline" >&2; exit 1; }
done

# Appends "seconds kilobytes" of one run to the file $1. The clock is read
# here: time's own seconds come in hundredths, a tenth of a small run.
timed() {
  local record=$1
  shift
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f "%M" -o "$out/time" "$@" >/dev/null
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" -v kb="$(cat "$out/time")" 'BEGIN { printf "%.4f %s\n", e - s, kb }' >>"$record"
}

# Median and min-max of column $2 of file $1, scaled by $3, with format $4.
summary() {
  sort -n -k"$2" "$1" | awk -v c="$2" -v s="$3" -v f="$4" '
    { v[NR] = $c / s }
    END {
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf f " (" f "-" f ")", m, v[1], v[NR]
    }'
}

median() {
  sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "| Segments | minimal pipeline (s) | brondel-cli convert (s) | ratio | peak MB (ours / pipeline) | convert DAT sha256 |"
echo "|---|---|---|---|---|---|"
for n in "${sizes[@]}"; do
  /usr/bin/python3 "$root/bench/make_contour_dxf.py" "$data" "$n"
  dxf="$data/contour-$n.dxf"
  : >"$out/pipe-$n"
  : >"$out/cli-$n"
  for _ in $(seq "$runs"); do
    timed "$out/pipe-$n" "$pipeline" "$dxf" "$out/pipe-$n.dat"
    timed "$out/cli-$n" "$cli" convert "$dxf" -o "$out/cli-$n.dat"
  done
  ratio=$(awk -v a="$(median "$out/cli-$n" 1)" -v b="$(median "$out/pipe-$n" 1)" 'BEGIN { printf "%.2f", a / b }')
  hash=$(sha256sum "$out/cli-$n.dat" | cut -c1-16)
  printf "| %s | %s | %s | %s× | %s / %s |  %s |\n" "$n" \
    "$(summary "$out/pipe-$n" 1 1 %.3f)" "$(summary "$out/cli-$n" 1 1 %.3f)" "$ratio" \
    "$(summary "$out/cli-$n" 2 1024 %.0f)" "$(summary "$out/pipe-$n" 2 1024 %.0f)" "$hash"
done
