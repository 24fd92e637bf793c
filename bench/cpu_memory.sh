#!/usr/bin/env bash
# Prints the CPU share of one core and the resident memory of the real program under Xvfb,
# over SECONDS (default 20) while the clock runs, and over the same time while it is idle.
# Usage: bench/cpu_memory.sh path/to/chronofex [SECONDS]
set -euo pipefail
exe=$1
secs=${2:-20}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
measure() {
    local hz t0 t1
    hz=$(getconf CLK_TCK)
    t0=$(ticks)
    sleep "$secs"
    t1=$(ticks)
    awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$secs" 'BEGIN { printf "%.2f", 100 * (b - a) / hz / s }'
}
rss() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$APP_PID/status"; }

idle=$(measure)
idle_rss=$(rss)
xdotool key space
sleep 0.5
running=$(measure)
running_rss=$(rss)
echo "idle:    CPU ${idle} % of one core over ${secs} s, resident ${idle_rss} MB"
echo "running: CPU ${running} % of one core over ${secs} s, resident ${running_rss} MB"
