#!/usr/bin/env bash
# A new user's first run of the real program under Xvfb, from the splash to Exit, and a second
# run with the session saved in the first:
#   the splash, then the panel and the display; the resolution set to 100; the clock started,
#   three snaps and a stop from the keyboard, one snap of the stopped clock; a comment and an
#   exclusion in the report; the Word report opened by LibreOffice; the session saved; the text
#   report written and its figures checked; a global hotkey and a command from a second start;
#   the tray and back; Exit;
#   the program started again with the session, its report written again unchanged; a rate and
#   a speed measured, stored with comments and reported as text and as Word documents; Exit.
# The program must print nothing on the way.
source "$(dirname "$0")/lib.sh"
exe=$(realpath "$1")
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR

# Start/Stop on Ctrl+F5 and Snap on Ctrl+F6, enabled; Reset and Menu unassigned.
printf '2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$DATA_DIR/hotkeysetup.txt"

# The word processor of this desktop: LibreOffice, which reads each document it is given and
# writes its text next to it, so the test can read what the user would see.
office="$E2E_TMP/office"
mkdir -p "$office" "$HOME/.config" "$HOME/.local/share/applications"
docx=application/vnd.openxmlformats-officedocument.wordprocessingml.document
cat >"$office/open.sh" <<SCRIPT
#!/bin/sh
n=\$(ls "$office"/out 2>/dev/null | wc -l)
mkdir -p "$office/out\$n"
soffice -env:UserInstallation=file://$office/profile --headless --convert-to txt:Text \
    --outdir "$office/out\$n" "\$1" >"$office/log\$n" 2>&1
mkdir -p "$office/out" && cp "$office/out\$n"/*.txt "$office/\$n.part" &&
    mv "$office/\$n.part" "$office/out/\$n.txt"
SCRIPT
chmod +x "$office/open.sh"
printf '[Desktop Entry]\nType=Application\nName=LibreOffice text\nExec=%s %%f\nMimeType=%s;\n' \
    "$office/open.sh" "$docx" >"$HOME/.local/share/applications/cfx-office.desktop"
printf '[Default Applications]\n%s=cfx-office.desktop\n' "$docx" >"$HOME/.config/mimeapps.list"
# Waits for the Nth document (0, 1, ...) to be opened and prints its text file.
opened_document() {
    for _ in $(seq 900); do
        [ -f "$office/out/$1.txt" ] && { echo "$office/out/$1.txt"; return 0; }
        sleep 0.1
    done
    fail "document $1 was not opened by LibreOffice: $(cat "$office"/log* 2>/dev/null)"
}

options_menu() {
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 22)) click 1
    sleep 0.4
}
# A press and release at a point of a window, from its top left or from its bottom left corner.
# The pointer rests on the control first, as a hand would.
press() {
    xdotool mousemove "$1" "$2"
    sleep 0.15
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.2
}
press_top() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    press $((X + $2)) $((Y + $3))
}
press_bottom() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    press $((X + $2)) $((Y + HEIGHT - $3))
}
focus() {
    xdotool windowfocus --sync "$1"
    sleep 0.3
}
# The panel's time changes while the clock runs.
ticking() {
    import -window "$panel" -crop 200x40+0+0 "$E2E_TMP/t1.png"
    sleep 0.3
    import -window "$panel" -crop 200x40+0+0 "$E2E_TMP/t2.png"
    [ "$(compare -metric AE "$E2E_TMP/t1.png" "$E2E_TMP/t2.png" null: 2>&1 || true)" != 0 ]
}
wait_for() {
    for _ in $(seq 50); do [ -e "$1" ] && return 0; sleep 0.1; done
    fail "$1 was not written"
}
# hh:mm:ss.ff to centiseconds and back.
cs_of() {
    local t=${1#S}
    echo $(((10#${t:0:2} * 3600 + 10#${t:3:2} * 60 + 10#${t:6:2}) * 100 + 10#${t:9:2}))
}
time_of() { printf '%02d:%02d:%02d.%02d' $(($1 / 360000)) $(($1 / 6000 % 60)) $(($1 / 100 % 60)) $(($1 % 100)); }

# One measurement on the rate or the speed window: its Start button pressed, about 1.2 s, Start
# again, Store with a comment typed into the dialog, then TextFile, whose two files are awaited.
# Arguments: window, the three buttons' distances from the left edge, Rate or Speed, comment.
measure_and_store() {
    local window=$1 start=$2 store=$3 text=$4 kind=$5 comment=$6
    press_bottom "$window" "$start" 60
    sleep 1.2
    press_bottom "$window" "$start" 60
    press_bottom "$window" "$store" 60
    e2e_window "Add $kind Comment" >/dev/null
    xdotool type "$comment"
    xdotool key Return
    sleep 0.3
    press_bottom "$window" "$text" 12
    wait_for "$DATA_DIR/CFX${kind}Results.txt"
    wait_for "$DATA_DIR/CFX${kind}RawCSV.txt"
    # A message says where the files went; Return closes it.
    local box
    box=$(e2e_window "^Chronofex ${kind} Report\$")
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 50); do e2e_viewable "$box" || break; sleep 0.1; done
}

raw="$DATA_DIR/CFXRawCSV.txt"
report_file="$DATA_DIR/CFXReport.txt"
session="$HOME/laps.CFX"

e2e_start_x
# The session dialogs start in the folder the program was started from.
cd "$HOME"
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
    e2e_viewable "$splash" || break
    sleep 0.1
done
e2e_viewable "$splash" && fail "the splash stayed"
panel=$(e2e_window '^Chronofex$')
e2e_window '^Chronofex Display$' >/dev/null

# Hundredths: typed into the resolution box and applied with the button beside it.
press_top "$panel" 150 148
xdotool key ctrl+a
xdotool type 100
press_top "$panel" 275 148
focus "$panel"

e2e_four_readings

# The report from the options menu; a comment on the newest reading, which is then excluded.
options_menu
xdotool key p
report=$(e2e_window '^Chronofex - Report[*]?$')
sleep 0.5
press_top "$report" 120 16
xdotool key ctrl+a
xdotool type "Last lap"
xdotool key Return
press_top "$report" 40 46
sleep 0.3

# The Word report, opened by the desktop's word processor.
press_bottom "$report" $((3 * WIDTH / 4)) 18
word=$(opened_document 0)
head -1 "$word" | grep -q 'Chronofex Report$' || fail "the Word report has no title: $(cat "$word")"
grep -qx 'Last lap' "$word" || fail "the comment is not in the Word report: $(cat "$word")"

# The session saved under a typed name: ".CFX" is added.
options_menu
xdotool key f s
dialog=$(e2e_window '^Save CFX File')
xdotool type laps
xdotool key Return
for _ in $(seq 50); do e2e_viewable "$dialog" || break; sleep 0.1; done
wait_for "$session"
[ "$(wc -l <"$session")" -eq 36 ] || fail "the session does not hold four readings: $(cat "$session")"

# The text report: four readings, the comment on the fourth, and the statistics over the first
# three only.
press_bottom "$report" $((WIDTH / 4)) 18
wait_for "$raw"
wait_for "$report_file"
cp "$raw" "$E2E_TMP/first_raw.txt"
cp "$report_file" "$E2E_TMP/first_report.txt"
[ "$(wc -l <"$raw")" -eq 6 ] ||
    fail "expected a header, four readings and the excluded one: $(cat "$raw")"
[ "$(sed -n 6p "$raw")" = $'Excluded,4,\r' ] || fail "the raw file does not name the excluded reading"
[ -f "$session.excluded" ] || fail "the exclusion was not kept beside the session file"
sed -n 5p "$raw" | grep -qE '^4,S[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{2},100\.00,"Last lap",'$'\r''$' ||
    fail "the fourth reading is not the stopped one with its comment: $(sed -n 5p "$raw")"
sed -n 2,4p "$raw" | grep -qE '^[0-9],S' && fail "a running reading is marked S"
grep -q $'\r$' "$report_file" || fail "the report's lines do not end in CR LF"
grep -qx $'Timer resolution was set to 100 events per second\r' "$report_file" ||
    fail "the resolution was not applied: $(cat "$report_file")"
grep -qx $'Comment: Last lap\r' "$report_file" || fail "no comment line in the report"
t1=$(cs_of "$(sed -n 2p "$raw" | cut -d, -f2)")
t2=$(cs_of "$(sed -n 3p "$raw" | cut -d, -f2)")
t3=$(cs_of "$(sed -n 4p "$raw" | cut -d, -f2)")
gaps=($t1 $((t2 - t1)) $((t3 - t2)))
longest=$(printf '%s\n' "${gaps[@]}" | sort -n | tail -1)
shortest=$(printf '%s\n' "${gaps[@]}" | sort -n | head -1)
average=$(((t3 + 1) / 3)) # t3 / 3 to the nearest: a third is never a half
for line in "Longest Time Gap: $(time_of "$longest")" "Shortest Time Gap: $(time_of "$shortest")" \
    "Average Time Gap: $(time_of "$average")"; do
    grep -qx "$line"$'\r' "$report_file" || fail "expected '$line' in the report: $(cat "$report_file")"
done
grep -q "^Average Time Gap:.$(time_of "$average")\$" "$word" ||
    fail "the Word report's average differs: $(cat "$word")"

# A global hotkey starts the clock while the report window has the focus; a second start of
# the program snaps; the hotkey stops it again.
focus "$report"
rm -f "$raw"
xdotool key ctrl+F5
sleep 0.5
"$exe" --data-dir "$DATA_DIR" --snap >>"$APP_LOG" 2>&1 || fail "--snap was not delivered"
sleep 0.3
xdotool key ctrl+F5
sleep 0.3
press_bottom "$report" $((WIDTH / 4)) 18
wait_for "$raw"
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
e2e_viewable "$panel" && fail "Minimize to Tray did not hide the panel"
line=$(xwininfo -root -tree | grep '("chronofex" "Chronofex")' | grep -E ' 2[0-9]x[0-9]+\+0\+0 ' | head -1)
[ -n "$line" ] || fail "no icon in the notification area"
abs=$(echo "$line" | grep -oE '\+[0-9]+\+[0-9]+$')
ix=$(($(echo "$abs" | cut -d+ -f2) + 10))
iy=$(($(echo "$abs" | cut -d+ -f3) + 10))
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
sleep 0.8
e2e_viewable "$panel" || fail "a double-click on the icon did not bring the panel back"

# Exit from the options menu ends the program.
exit_program() {
    options_menu
    xdotool key x
    for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$APP_PID" 2>/dev/null && fail "Exit did not end the program"
    wait "$APP_PID" || fail "the program ended with status $?"
}
exit_program
e2e_no_output

# The second run opens the saved session: the report shows it, and writing it again gives the
# same readings and comment.
rm -f "$raw"
"$exe" --data-dir "$DATA_DIR" --no-splash "$session" >"$APP_LOG" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
panel=$(e2e_window '^Chronofex$')
report=$(e2e_window '^Chronofex - Report[*]?$')
sleep 0.5
press_bottom "$report" $((WIDTH / 4)) 18
wait_for "$raw"
cmp -s "$raw" "$E2E_TMP/first_raw.txt" ||
    fail "the reopened session reports differently: $(cat "$raw") vs $(cat "$E2E_TMP/first_raw.txt")"
# The exclusion came back with it: the same statistics, over the first three readings.
sleep 0.3
diff <(grep -av '^StopWatch Report created at: ' "$E2E_TMP/first_report.txt") \
    <(grep -av '^StopWatch Report created at: ' "$report_file") >/dev/null ||
    fail "the reopened session's report differs: $(diff "$E2E_TMP/first_report.txt" "$report_file")"

# A rate: the clock runs, one cycle marked on the rate window's Start button, stored with a
# comment, written as text and as a Word document.
focus "$panel"
xdotool key space
for _ in 1 2 3; do ticking && break; sleep 0.3; done
ticking || fail "the clock did not start again"
options_menu
xdotool key c
rate=$(e2e_window '^Rate$')
sleep 0.3
measure_and_store "$rate" 36 89 45 Rate "Cycle one"
rate_file="$DATA_DIR/CFXRateResults.txt"
grep -qx $'No. cycles measured: 1\r' "$rate_file" || fail "rate report: $(cat "$rate_file")"
grep -qx $'Comment: Cycle one\r' "$rate_file" || fail "no comment in the rate report"
per_cycle=$(grep '^Average Rate sec/cycle: ' "$rate_file" | cut -d' ' -f4 | tr -d '\r')
awk -v s="$per_cycle" 'BEGIN { exit !(s >= 1.2 && s < 5) }' ||
    fail "one cycle of about 1.2 s measured as $per_cycle s"
press_bottom "$rate" 130 12
word=$(opened_document 1)
grep -qx 'Cycle one' "$word" || fail "the comment is not in the rate Word report: $(cat "$word")"
grep -qx "$per_cycle" "$word" || fail "the rate is not in the Word report: $(cat "$word")"

# A speed over 100 m, likewise.
options_menu
xdotool key e
speed=$(e2e_window '^Speed$')
sleep 0.3
press_top "$speed" 83 50
xdotool type 100
measure_and_store "$speed" 30 92 50 Speed Sprint
speed_file="$DATA_DIR/CFXSpeedResults.txt"
grep -qx $'Comment: Sprint\r' "$speed_file" || fail "speed report: $(cat "$speed_file")"
kph=$(grep '^Average Speed: ' "$speed_file" | cut -d' ' -f3)
# 100 m in 1.2 s or a little more is at most 300 kph.
awk -v v="$kph" 'BEGIN { exit !(v > 50 && v <= 300) }' || fail "100 m in about 1.2 s gave $kph kph"
press_bottom "$speed" 140 12
word=$(opened_document 2)
grep -qx 'Sprint' "$word" || fail "the comment is not in the speed Word report: $(cat "$word")"

exit_program
e2e_no_output
echo "walk-through e2e: ok"
