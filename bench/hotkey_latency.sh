#!/usr/bin/env bash
# Prints the time from a global hotkey press to the program having carried it out, under its
# own Xvfb. Usage: bench/hotkey_latency.sh path/to/bench_hotkey_latency [PRESSES]
set -euo pipefail
tool=$1
presses=${2:-100}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
"$tool" "$presses"
