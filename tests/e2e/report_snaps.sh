#!/usr/bin/env bash
# The real program under Xvfb: start, three snaps and a stop from the keyboard, one more snap of
# the stopped clock; the report opened from the options menu shows four readings, the last one
# "S"-marked on yellow; writing it produces both files and empties it.
# Set E2E_SHOTS=DIR to keep the report's screenshot.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"

e2e_four_readings
xdotool key Return # a second snap of the stopped clock takes nothing
sleep 0.3

report=$(e2e_open_report "$panel")
shot="$E2E_TMP/report.png"
import -window "$report" "$shot"
[ -n "${E2E_SHOTS:-}" ] && cp "$shot" "$E2E_SHOTS/report.png"

# Yellow cells: only the stopped reading has them.
yellow=$(convert "$shot" -fill black +opaque "rgb(255,255,0)" -fill white -opaque "rgb(255,255,0)" \
    -format "%[fx:round(mean*w*h)]" info:)
[ "$yellow" -gt 300 ] || fail "no yellow reading in the report (yellow pixels: $yellow)"

# Writing the report: both files, four records, the last marked S; the report is emptied.
eval "$(xdotool getwindowgeometry --shell "$report")"
xdotool mousemove $((X + WIDTH / 4)) $((Y + HEIGHT - 18)) click 1
for _ in $(seq 30); do [ -f "$DATA_DIR/CFXRawCSV.txt" ] && break; sleep 0.1; done
raw="$DATA_DIR/CFXRawCSV.txt"
[ -f "$raw" ] || fail "CFXRawCSV.txt was not written"
[ -f "$DATA_DIR/CFXReport.txt" ] || fail "CFXReport.txt was not written"
[ "$(wc -l <"$raw")" -eq 5 ] || fail "expected a header and four records: $(cat "$raw")"
head -1 "$raw" | grep -q $'^#,Time,%,Comment,\r$' || fail "bad header line"
sed -n 5p "$raw" | grep -qE '^4,S[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{2},100\.00,"",' ||
    fail "the fourth record is not the stopped reading: $(sed -n 5p "$raw")"
sed -n 2,4p "$raw" | grep -qE '^[0-9],S' && fail "a running reading is marked S"
grep -q $'^Average Time Gap: ' "$DATA_DIR/CFXReport.txt" || fail "no statistics in the report"
sleep 0.3
import -window "$report" "$E2E_TMP/cleared.png"
yellow=$(convert "$E2E_TMP/cleared.png" -fill black +opaque "rgb(255,255,0)" -fill white \
    -opaque "rgb(255,255,0)" -format "%[fx:round(mean*w*h)]" info:)
[ "$yellow" -eq 0 ] || fail "the report still shows readings after writing"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "report snaps e2e: ok"
