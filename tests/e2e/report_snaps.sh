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

# The options button's click comes to the program after that key: once its menu shows, the key
# has been handled.
report=$(e2e_open_report "$panel")
still() { shows readings 4 || fail "a second snap of the stopped clock took a reading: $(status)"; }
still
shot="$E2E_TMP/report.png"
# yellow_pixels PICTURE: how many pixels of the report's picture are yellow.
yellow_pixels() {
    import -window "$report" "$1"
    convert "$1" -fill black +opaque "rgb(255,255,0)" -fill white -opaque "rgb(255,255,0)" \
        -format "%[fx:round(mean*w*h)]" info:
}
# Yellow cells: only the stopped reading has them (the window may not be painted at once).
yellow_shown() { [ "$(yellow_pixels "$shot")" -gt 300 ]; }
e2e_wait_until yellow_shown ||
    fail "no yellow reading in the report (yellow pixels: $(yellow_pixels "$shot"))"
[ -n "${E2E_SHOTS:-}" ] && cp "$shot" "$E2E_SHOTS/report.png"

# Writing the report: both files, four records, the last marked S; the report is emptied.
e2e_write_text_report
raw="$DATA_DIR/CFXRawCSV.txt"
[ "$(wc -l <"$raw")" -eq 5 ] || fail "expected a header and four records: $(cat "$raw")"
head -1 "$raw" | grep -q $'^#,Time,%,Comment,\r$' || fail "bad header line"
sed -n 5p "$raw" | grep -qE '^4,S[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{2},100\.00,"",' ||
    fail "the fourth record is not the stopped reading: $(sed -n 5p "$raw")"
sed -n 2,4p "$raw" | grep -qE '^[0-9],S' && fail "a running reading is marked S"
grep -q $'^Average Time Gap: ' "$DATA_DIR/CFXReport.txt" || fail "no statistics in the report"
# Emptied (the readings are cleared): the table is awaited repainted without them.
cleared() { [ "$(yellow_pixels "$E2E_TMP/cleared.png")" -eq 0 ]; }
e2e_wait_until cleared || fail "the report still shows readings after writing"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "report snaps e2e: ok"
