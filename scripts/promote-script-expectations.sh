#!/bin/sh
# Reruns the session scripts of tests/scripts and overwrites their expected
# transcripts, dumps and error output with what the program does now.
# Only for changes you have reviewed: check `git diff tests/scripts` afterwards.
#
# Usage: scripts/promote-script-expectations.sh [BUILD_DIR] [SCRIPT_NAME...]
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
[ $# -gt 0 ] && shift

if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja
fi
ninja -C "$build" brondel-cli scripts_tests

filter='Scripts/Script.*'
if [ $# -gt 0 ]; then
    filter=''
    for name in "$@"; do
        filter="${filter:+$filter:}Scripts/Script.MatchesItsExpectedRun/$name"
    done
fi

BRONDEL_PROMOTE=1 "$build/tests/scripts_tests" --gtest_filter="$filter" --gtest_brief=1
echo "Expected files rewritten; review them with: git diff -- tests/scripts"
