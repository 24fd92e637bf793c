#!/usr/bin/env bash
# Prints the CPU share of one core and the resident memory of the real program under Xvfb,
# over SECONDS (default 20) while the clock runs, and over the same time while it is idle.
# Usage: [CFX_BENCH_ACCESSIBILITY=1] bench/cpu_memory.sh path/to/chronofex [SECONDS]
set -euo pipefail
exe=$1
secs=${2:-20}
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
# CFX_BENCH_ACCESSIBILITY=1: as under a screen reader, the program on the accessibility bus.
[ "${CFX_BENCH_ACCESSIBILITY:-0}" = 1 ] && e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
sleep 1

ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }
# Times any thread of the program went to sleep and was woken again.
wakeups() { cat /proc/"$APP_PID"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
measure() {
    local hz t0 t1 w0 w1
    hz=$(getconf CLK_TCK)
    t0=$(ticks)
    w0=$(wakeups)
    sleep "$secs"
    t1=$(ticks)
    w1=$(wakeups)
    awk -v a="$t0" -v b="$t1" -v hz="$hz" -v s="$secs" -v w="$((w1 - w0))" \
        'BEGIN { printf "%.2f %% of one core over %d s, %.0f wake-ups/s", 100 * (b - a) / hz / s, s, w / s }'
}
rss() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$APP_PID/status"; }

idle=$(measure)
idle_rss=$(rss)
xdotool key space
sleep 0.5
running=$(measure)
running_rss=$(rss)
echo "idle:    CPU ${idle}, resident ${idle_rss} MB"
echo "running: CPU ${running}, resident ${running_rss} MB"
