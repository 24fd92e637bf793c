#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
#   check_format.sh SOURCE_DIR
set -euo pipefail
cd "$1"
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
echo "format: $(wc -w <<<"$files") files formatted"
