#!/usr/bin/env bash
# The layering the program is built on, checked on the tracked sources:
# the engine includes nothing of the program above it, and only the
# desktop front end includes Qt. Prints each file that breaks a rule.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
# engine/ sees only engine/.
if broken=$(git ls-files 'engine/*.cpp' 'engine/*.h' |
              xargs grep -lE '#include "(app|coordfiles|documents|pathtools|ports|shell|windows)/' ); then
  echo "The engine includes the program above it:"
  echo "$broken"
  status=1
fi
# Qt only in app/desktop/ (and in the tests and tools that drive it).
if broken=$(git ls-files '*.cpp' '*.h' |
              grep -vE '^(app/desktop|tests/gui|bench/paint_qt)' |
              xargs grep -lE '#include <Q[A-Za-z]+>' ); then
  echo "Qt outside the desktop front end:"
  echo "$broken"
  status=1
fi
exit $status
