#!/usr/bin/env bash
# The layering the program is built on, checked on the tracked sources.
# Each folder may include itself and the folders listed for it, all of
# them below it: the shared helpers at the bottom, then the engine, the
# ports, the shell, the documents, the program folders, the front ends.
# Only the desktop front end includes Qt. Prints each include that breaks
# a rule with its file and line.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
  [base]=""
  [engine]="base"
  [ports]="engine base"
  [shell]="engine base ports"
  [documents]="engine base ports shell"
  [coordfiles]="engine base ports shell documents"
  [pathtools]="engine base ports shell documents coordfiles"
  [windows]="engine base ports shell documents"
  [app/cli]="engine base ports shell documents coordfiles pathtools windows"
  [app/desktop]="engine base ports shell documents coordfiles pathtools windows"
)
# The main window owns the drawing windows it opens: the one edge upward.
exception='shell/main_window.h:documents/drawing_window.h'

status=0
rules=$(for from in "${!allowed[@]}"; do echo "$from ${allowed[$from]}"; done)
if ! git ls-files '*.cpp' '*.h' | xargs grep -nE '^#include "[a-z_]+/' |
     awk -v rules="$rules" -v exception="$exception" '
  function folder(path,  parts) {
    split(path, parts, "/")
    return parts[1] == "app" ? "app/" parts[2] : parts[1]
  }
  BEGIN {
    n = split(rules, lines, "\n")
    for (i = 1; i <= n; i++) {
      m = split(lines[i], words, " ")
      known[words[1]] = 1
      for (j = 2; j <= m; j++) may[words[1], words[j]] = 1
    }
  }
  {
    split($0, f, ":")
    target = $0
    sub(/^[^"]*"/, "", target)
    sub(/".*/, "", target)
    from = folder(f[1]); to = folder(target)
    if (!(from in known) || !(to in known) || from == to || (from, to) in may) next
    if (f[1] ":" target == exception) next
    print f[1] ":" f[2] ": " from " may not include " target
    bad = 1
  }
  END { exit bad }'; then
  status=1
fi

if broken=$(git ls-files '*.cpp' '*.h' |
              grep -vE '^(app/desktop|tests/gui|bench/[a-z_]+_qt\.cpp)' |
              xargs grep -nE '#include <Q[A-Za-z]+>' ); then
  echo "Qt outside the desktop front end:"
  echo "$broken"
  status=1
fi
exit $status
