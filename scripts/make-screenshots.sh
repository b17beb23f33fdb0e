#!/usr/bin/env bash
# Takes the pictures of the desktop program in docs/screenshots without a
# display: the start window, an open drawing, the About box and the hot-keys
# window.
#
# Usage: scripts/make-screenshots.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
program="$build/app/desktop/brondel"
out="$root/docs/screenshots"
drawing="$root/tests/corpus/dxf/bjnortier-dxf_floorplan.dxf"

if [ ! -x "$program" ]; then
  echo "No program at $program: build the target brondel first" >&2
  exit 1
fi
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen

"$program" --screenshot "$out/start.png"
"$program" --open "$drawing" --screenshot "$out/drawing.png"
"$program" --about --screenshot "$out/about.png"
"$program" --hotkeys --screenshot "$out/hotkeys.png"
echo "Screenshots in $out"
