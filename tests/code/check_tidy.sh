#!/usr/bin/env bash
# Fails when clang-tidy (the checks of .clang-tidy) finds anything in src/.
#   check_tidy.sh SOURCE_DIR BUILD_DIR   (the build's compile_commands.json is used)
set -euo pipefail
src=$(realpath "$1")
build=$(realpath "$2")
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! run-clang-tidy -p "$build" -j "$(nproc)" -quiet "^$src/src/" >"$log" 2>&1; then
    grep -E "(warning|error): " "$log" | sort -u
    echo "tidy: findings in src/ (full output above)"
    exit 1
fi
echo "tidy: $(grep -c '^clang-tidy' "$log") files of src/ clean"
