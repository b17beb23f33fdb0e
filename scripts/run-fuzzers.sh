#!/usr/bin/env bash
# Runs every fuzz target for a bounded time, seeded from the test corpus.
# Usage: run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in "$build"/fuzz/fuzz-*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  seeds="$root/fuzz/seeds/${name#fuzz-}"
  work=$(mktemp -d)
  [ -d "$seeds" ] && cp -r "$seeds"/. "$work"/
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$build/fuzz/$name-" "$work" 2>"$build/fuzz/$name.log"; then
    tail -40 "$build/fuzz/$name.log"
    status=1
  fi
  grep -E '^Done [0-9]+ runs' "$build/fuzz/$name.log" || true
  rm -rf "$work"
done
exit $status
