#!/usr/bin/env bash
# Sessions from the command line: --report writes both report files without any window, an
# unreadable session fails with a message and status 1, and a session named at start that
# cannot be read is reported in a message box while the program keeps running.
set -euo pipefail
exe=$1
work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A session written by an older system in Windows-1252 ("é"), CR LF.
printf '10\r\n471\r\nstamp\r\n0\r\n0\r\n0\r\n0\r\n0\r\n4\r\n0\r\n7\r\n1\r\n' > "$work/s.CFX"
printf '1\r\n00:00:01.05\r\n33.33\r\nD\xe9part\r\n57\r\n157\r\n' >> "$work/s.CFX"
printf '2\r\nS00:00:04.07\r\n100.00\r\n\r\n71\r\n471\r\n' >> "$work/s.CFX"

# No display at all: any attempt to show a window would fail.
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb \
    "$exe" --data-dir "$work/out" --report "$work/s.CFX" > "$work/stdout" 2> "$work/stderr" ||
    fail "--report exited with $? ($(cat "$work/stderr"))"
[ ! -s "$work/stderr" ] || fail "--report printed: $(cat "$work/stderr")"
expected=$(printf '#,Time,%%,Comment,\r\n1,00:00:01.05,33.33,"D\xc3\xa9part",\r\n2,S00:00:04.07,100.00,"",\r\n')
[ "$(cat "$work/out/CFXRawCSV.txt")" = "$expected" ] || fail "raw file: $(cat -A "$work/out/CFXRawCSV.txt")"
grep -q $'^Time Gap: 00:00:03.01\r$' "$work/out/CFXReport.txt" || fail "report: $(cat -A "$work/out/CFXReport.txt")"
grep -q $'^This timing session was started at: stamp\r$' "$work/out/CFXReport.txt" || fail "stamp line"

# Unreadable session: status 1, the reason on stderr, nothing written.
set +e
env -u DISPLAY "$exe" --data-dir "$work/out2" --report "$work/missing.CFX" 2> "$work/stderr"
status=$?
set -e
[ "$status" -eq 1 ] || fail "missing session gave status $status"
grep -q "missing.CFX" "$work/stderr" || fail "no message on stderr"
[ ! -e "$work/out2/CFXReport.txt" ] || fail "a report was written for a missing session"

# At start: a session that cannot be read is reported in a message box.
command -v xvfb-run > /dev/null && command -v xdotool > /dev/null || { echo "SKIP: no xvfb-run/xdotool"; exit 0; }
# Put before each script run under xvfb-run (which is a plain shell script, so exported bash
# functions do not reach it). window_appears TITLE-REGEX [TENTHS]: true once a window with that
# title shows, false after TENTHS tenths of a second (default 100).
helpers='
window_appears() {
    for _ in $(seq 1 "${2:-100}"); do
        xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}'
xvfb-run -a bash -c "$helpers"'
    "$1" --no-splash --data-dir "$2/gui" "$2/missing.CFX" &
    app=$!
    found=0; window_appears "^Open CFX File$" || found=1
    alive=0; kill -0 "$app" 2> /dev/null || alive=1
    kill "$app" 2> /dev/null; wait "$app" 2> /dev/null
    [ "$found" -eq 0 ] || { echo "FAIL: no Open CFX File message box" >&2; exit 1; }
    [ "$alive" -eq 0 ] || { echo "FAIL: the program ended" >&2; exit 1; }
' _ "$exe" "$work"

# A session named at a later start (a file manager opening a .CFX file) opens in the program
# already running for that data folder, and the later start ends at once.
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR="$work/runtime" xvfb-run -a bash -c "$helpers"'
    "$1" --no-splash --data-dir "$2/gui2" > "$2/gui2.log" 2>&1 &
    app=$!
    window_appears "^Chronofex$" 300
    cd "$2" && timeout 20 "$1" --data-dir "$2/gui2" s.CFX
    second=$?
    found=0; window_appears "^Chronofex - Report[*]?$" || found=1
    alive=0; kill -0 "$app" 2> /dev/null || alive=1
    kill "$app" 2> /dev/null; wait "$app" 2> /dev/null
    [ "$second" -eq 0 ] || {
        echo "FAIL: the later start ended with $second; the first printed: $(cat "$2/gui2.log")" >&2
        exit 1
    }
    [ "$found" -eq 0 ] || { echo "FAIL: the running program did not open the session" >&2; exit 1; }
    [ "$alive" -eq 0 ] || { echo "FAIL: the running program ended" >&2; exit 1; }
    [ ! -s "$2/gui2.log" ] || { echo "FAIL: the program printed: $(cat "$2/gui2.log")" >&2; exit 1; }
' _ "$exe" "$work"
echo "PASS"
