#!/usr/bin/env bash
# Takes the pictures of the desktop program in docs/screenshots without a
# display: the program walks the main road on bundled drawings (a corpus
# drawing with its coordinate list, the wing rib from the start marker to
# the DAT view), draws a rib with the Draw menu and a polygon's preview, and
# shows the Format Layers and Format Dimension Style dialogs, the About box
# and the hot-keys window.
#
# Usage: scripts/make-screenshots.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
program="$build/app/desktop/brondel"
out="$root/docs/screenshots"

if [ ! -x "$program" ]; then
  echo "No program at $program: build the target brondel first" >&2
  exit 1
fi
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
"$program" --tour "$out" --sources "$root"
echo "Screenshots in $out"
