#!/usr/bin/env bash
# Saves a picture of every window of the program, as it looks normally, at a scale factor of 2
# and under the dark palette, into DIR (default screenshots/), for looking them over.
# Usage: scripts/screenshots.sh [DIR]   (after scripts/build.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-screenshots}")
test=build/tests/app/app_window_access_test
[ -x "$test" ] || { echo "build first: scripts/build.sh" >&2; exit 1; }
run() {
    local name=$1
    shift
    mkdir -p "$out/$name"
    env QT_QPA_PLATFORM=offscreen CFX_SCREENSHOT_DIR="$out/$name" "$@" "$test" >"$out/$name.log" 2>&1 \
        || echo "screenshots: the checks found problems in the $name look, see $out/$name.log"
}
run normal
run scale2 QT_SCALE_FACTOR=2
run dark CHRONOFEX_PALETTE=dark
ls "$out"/*/
