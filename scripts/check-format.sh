#!/usr/bin/env bash
# Fails, naming the files, when clang-format would change any tracked C++ file.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
