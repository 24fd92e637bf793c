#!/usr/bin/env bash
# A new user's first run of the real program under Xvfb, from the splash to Exit: the panel and
# the large display after the splash, the clock started, three snaps and a stop from the
# keyboard, one snap of the stopped clock, the report written and its files checked, a global
# hotkey, a command from a second start, the tray and back, and Exit from the options menu. The
# program must print nothing on the way.
source "$(dirname "$0")/lib.sh"
exe=$1
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR
export TMPDIR="$E2E_TMP/tmp"
mkdir -p "$TMPDIR"

# Start/Stop on Ctrl+F5 and Snap on Ctrl+F6, enabled; Reset and Menu unassigned.
printf '2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$DATA_DIR/hotkeysetup.txt"

visible() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
options_menu() {
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 22)) click 1
    sleep 0.4
}
raw="$DATA_DIR/CFXRawCSV.txt"
report_file="$DATA_DIR/CFXReport.txt"

e2e_start_x
"$exe" --data-dir "$DATA_DIR" >"$APP_LOG" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)

# The splash first (the picture's size), then the panel and the display.
for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" = 429 ] && splash=$w && break 2
    done
    sleep 0.1
done
[ -n "${splash:-}" ] || fail "no splash"
for _ in $(seq 100); do
    visible "$splash" || break
    sleep 0.1
done
visible "$splash" && fail "the splash stayed"
panel=$(e2e_window '^Chronofex$')
e2e_window '^Chronofex Display$' >/dev/null
xdotool windowactivate --sync "$panel" 2>/dev/null || xdotool windowfocus --sync "$panel"

# Start, three snaps, stop, a snap of the stopped clock: from the keyboard.
xdotool key space
sleep 0.4
for _ in 1 2 3; do
    xdotool key Return
    sleep 0.3
done
xdotool key space
sleep 0.3
xdotool key Return
sleep 0.3

# The report from the options menu, then written to its files.
options_menu
xdotool key p
report=$(e2e_window '^Chronofex - Report$')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$report")"
xdotool mousemove $((X + WIDTH / 4)) $((Y + HEIGHT - 18)) click 1
for _ in $(seq 30); do [ -f "$raw" ] && break; sleep 0.1; done
[ -f "$raw" ] || fail "CFXRawCSV.txt was not written"
[ -f "$report_file" ] || fail "CFXReport.txt was not written"
[ "$(wc -l <"$raw")" -eq 5 ] || fail "expected a header and four readings: $(cat "$raw")"
sed -n 5p "$raw" | grep -qE '^4,S[0-9]{2}:[0-9]{2}:[0-9]{2}\.' || fail "the fourth reading is not the stopped one"
sed -n 2,4p "$raw" | grep -qE '^[0-9],S' && fail "a running reading is marked S"
grep -q $'\r$' "$report_file" || fail "the report's lines do not end in CR LF"
grep -q '^Average Time Gap: ' "$report_file" || fail "no gap statistics in the report"

# A global hotkey starts the clock while the report window has the focus; a second start of
# the program snaps; the hotkey stops it again.
xdotool windowactivate --sync "$report" 2>/dev/null || true
rm -f "$raw"
xdotool key ctrl+F5
sleep 0.5
"$exe" --data-dir "$DATA_DIR" --snap >>"$APP_LOG" 2>&1 || fail "--snap was not delivered"
sleep 0.3
xdotool key ctrl+F5
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$report")"
xdotool mousemove $((X + WIDTH / 4)) $((Y + HEIGHT - 18)) click 1
for _ in $(seq 30); do [ -f "$raw" ] && break; sleep 0.1; done
[ -f "$raw" ] || fail "the second report was not written"
[ "$(wc -l <"$raw")" -eq 2 ] || fail "expected the one reading of --snap: $(cat "$raw")"
# Taken while the clock ran, so the hotkey had started it.
sed -n 2p "$raw" | grep -qE '^1,[0-9]{2}:' || fail "the --snap reading was not taken running: $(cat "$raw")"

# The tray and back.
trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
    >/dev/null 2>&1 &
E2E_PIDS+=($!)
sleep 3
options_menu
xdotool key y
sleep 0.3
xdotool key m
sleep 0.8
visible "$panel" && fail "Minimize to Tray did not hide the panel"
line=$(xwininfo -root -tree | grep '("chronofex" "Chronofex")' | grep -E ' 2[0-9]x[0-9]+\+0\+0 ' | head -1)
[ -n "$line" ] || fail "no icon in the notification area"
abs=$(echo "$line" | grep -oE '\+[0-9]+\+[0-9]+$')
ix=$(($(echo "$abs" | cut -d+ -f2) + 10))
iy=$(($(echo "$abs" | cut -d+ -f3) + 10))
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
sleep 0.8
visible "$panel" || fail "a double-click on the icon did not bring the panel back"

# Exit from the options menu ends the program.
options_menu
xdotool key x
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "Exit did not end the program"
wait "$APP_PID" || fail "the program ended with status $?"
e2e_no_output
echo "walk-through e2e: ok"
