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
# Waits for the Nth document (0, 1, ...) to be opened and prints its text file. LibreOffice
# takes long to start on a loaded machine: up to a minute and a half.
opened_document() {
    for _ in $(seq 900); do
        [ -f "$office/out/$1.txt" ] && { echo "$office/out/$1.txt"; return 0; }
        sleep 0.1
    done
    fail "document $1 was not opened by LibreOffice: $(cat "$office"/log* 2>/dev/null)"
}

# menu KEY...: the options menu from its button, then its items by their keys.
menu() {
    e2e_options_menu "$panel"
    e2e_menu_keys "$panel" "$@"
}
focus() { xdotool windowfocus --sync "$1"; }
# The panel's time, as drawn.
panel_picture() { import -window "$panel" -crop 200x40+0+0 "$E2E_TMP/$1.png"; }
# The panel's time is drawn otherwise than in the picture t1.
moved_on() {
    panel_picture t2
    [ "$(compare -metric AE "$E2E_TMP/t1.png" "$E2E_TMP/t2.png" null: 2>&1 || true)" != 0 ]
}
wait_for() { e2e_wait_until test -e "$1" || fail "$1 was not written"; }
# hh:mm:ss.ff to centiseconds and back.
cs_of() {
    local t=${1#S}
    echo $(((10#${t:0:2} * 3600 + 10#${t:3:2} * 60 + 10#${t:6:2}) * 100 + 10#${t:9:2}))
}
time_of() { printf '%02d:%02d:%02d.%02d' $(($1 / 360000)) $(($1 / 6000 % 60)) $(($1 / 100 % 60)) $(($1 % 100)); }

# One measurement on the rate or the speed window (titled Rate or Speed): its Start button
# pressed, about 1.2 s, Start again, Store with a comment typed into the dialog, then TextFile,
# whose two files are awaited.
measure_and_store() {
    local kind=$1 comment=$2 dialog box
    e2e_click Start "$kind"
    # The length of the cycle measured, not a wait for the program.
    sleep 1.2
    # The same button again, the pointer still on it (timing, it is named by its tooltip).
    xdotool click 1
    e2e_click Store "$kind"
    dialog=$(e2e_window "Add $kind Comment")
    xdotool type "$comment"
    xdotool key Return
    e2e_wait_until e2e_not e2e_viewable "$dialog" || fail "the comment dialog stayed"
    e2e_click TextFile "$kind"
    wait_for "$DATA_DIR/CFX${kind}Results.txt"
    wait_for "$DATA_DIR/CFX${kind}RawCSV.txt"
    # A message says where the files went (once both are written); Return closes it.
    box=$(e2e_window "^Chronofex ${kind} Report\$")
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    e2e_wait_until e2e_not e2e_viewable "$box" || fail "the $kind report message stayed"
}

raw="$DATA_DIR/CFXRawCSV.txt"
report_file="$DATA_DIR/CFXReport.txt"
session="$HOME/laps.CFX"

e2e_start_x
e2e_start_accessibility
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
expect resolution 10
e2e_click "Events in 1 sec" Chronofex "combo box"
xdotool key ctrl+a
xdotool type 100
e2e_click "Resolution: apply" Chronofex
expect resolution 100
focus "$panel"

e2e_four_readings

# The report from the options menu; a comment on the newest reading, which is then excluded.
menu p
report=$(e2e_window '^Chronofex - Report[*]?$')
e2e_comment_and_exclude_newest "Last lap"

# The Word report, opened by the desktop's word processor.
e2e_click "Make Word Report" "Chronofex - Report"
word=$(opened_document 0)
head -1 "$word" | grep -q 'Chronofex Report$' || fail "the Word report has no title: $(cat "$word")"
grep -qx 'Last lap' "$word" || fail "the comment is not in the Word report: $(cat "$word")"

# The session saved under a typed name: ".CFX" is added.
menu f s
dialog=$(e2e_window '^Save CFX File')
xdotool type laps
xdotool key Return
e2e_wait_until e2e_not e2e_viewable "$dialog" || fail "the save dialog stayed"
wait_for "$session"
[ "$(wc -l <"$session")" -eq 36 ] || fail "the session does not hold four readings: $(cat "$session")"

# The text report: four readings, the comment on the fourth, and the statistics over the first
# three only.
e2e_write_text_report
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
expect caption Stop
"$exe" --data-dir "$DATA_DIR" --snap >>"$APP_LOG" 2>&1 || fail "--snap was not delivered"
expect readings 1
xdotool key ctrl+F5
expect caption Start
e2e_write_text_report
[ "$(wc -l <"$raw")" -eq 2 ] || fail "expected the one reading of --snap: $(cat "$raw")"
# Taken while the clock ran, so the hotkey had started it.
sed -n 2p "$raw" | grep -qE '^1,[0-9]{2}:' || fail "the --snap reading was not taken running: $(cat "$raw")"

# The tray and back. The icon is double-clicked where the tray host put it.
e2e_start_tray
menu y m
e2e_wait_until e2e_not e2e_viewable "$panel" || fail "Minimize to Tray did not hide the panel"
panel_shown() { e2e_viewable "$panel"; }
e2e_click_tray_icon panel_shown --repeat 2 --delay 80 1 ||
    fail "a double-click on the icon did not bring the panel back"

# Exit from the options menu ends the program.
exit_program() {
    menu x
    e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "Exit did not end the program"
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
expect readings 4
e2e_write_text_report
cmp -s "$raw" "$E2E_TMP/first_raw.txt" ||
    fail "the reopened session reports differently: $(cat "$raw") vs $(cat "$E2E_TMP/first_raw.txt")"
# The exclusion came back with it: the same statistics, over the first three readings.
diff <(grep -av '^StopWatch Report created at: ' "$E2E_TMP/first_report.txt") \
    <(grep -av '^StopWatch Report created at: ' "$report_file") >/dev/null ||
    fail "the reopened session's report differs: $(diff "$E2E_TMP/first_report.txt" "$report_file")"

# A rate: the clock runs, one cycle marked on the rate window's Start button, stored with a
# comment, written as text and as a Word document.
focus "$panel"
panel_picture t1
xdotool key space
e2e_wait_until moved_on || fail "the clock did not start again"
# And it goes on changing.
cp "$E2E_TMP/t2.png" "$E2E_TMP/t1.png"
e2e_wait_until moved_on || fail "the panel's time stood still after the start"
menu c
e2e_window '^Rate$' >/dev/null
measure_and_store Rate "Cycle one"
rate_file="$DATA_DIR/CFXRateResults.txt"
grep -qx $'No. cycles measured: 1\r' "$rate_file" || fail "rate report: $(cat "$rate_file")"
grep -qx $'Comment: Cycle one\r' "$rate_file" || fail "no comment in the rate report"
per_cycle=$(grep '^Average Rate sec/cycle: ' "$rate_file" | cut -d' ' -f4 | tr -d '\r')
awk -v s="$per_cycle" 'BEGIN { exit !(s >= 1.2 && s < 5) }' ||
    fail "one cycle of about 1.2 s measured as $per_cycle s"
e2e_click "Word Report" Rate
word=$(opened_document 1)
grep -qx 'Cycle one' "$word" || fail "the comment is not in the rate Word report: $(cat "$word")"
grep -qx "$per_cycle" "$word" || fail "the rate is not in the Word report: $(cat "$word")"

# A speed over 100 m, likewise.
menu e
e2e_window '^Speed$' >/dev/null
e2e_click Length Speed
xdotool type 100
measure_and_store Speed Sprint
speed_file="$DATA_DIR/CFXSpeedResults.txt"
grep -qx $'Comment: Sprint\r' "$speed_file" || fail "speed report: $(cat "$speed_file")"
kph=$(grep '^Average Speed: ' "$speed_file" | cut -d' ' -f3)
# 100 m in 1.2 s or a little more is at most 300 kph.
awk -v v="$kph" 'BEGIN { exit !(v > 50 && v <= 300) }' || fail "100 m in about 1.2 s gave $kph kph"
e2e_click "Word Report" Speed
word=$(opened_document 2)
grep -qx 'Sprint' "$word" || fail "the comment is not in the speed Word report: $(cat "$word")"

exit_program
e2e_no_output
echo "walk-through e2e: ok"
