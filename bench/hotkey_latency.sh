#!/usr/bin/env bash
# Prints the time from a global hotkey press to the program having carried it out, under its
# own Xvfb; with --portal through the stand-in global-shortcuts portal on a private session bus.
# Usage: bench/hotkey_latency.sh path/to/bench_hotkey_latency [--portal] [PRESSES]
set -euo pipefail
tool=$1
shift
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
mode=()
if [ "${1:-}" = --portal ]; then
    mode=(--portal)
    shift
    e2e_start_bus
    e2e_start_portal
fi
"$tool" "${mode[@]}" "${1:-100}"
