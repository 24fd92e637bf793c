#!/usr/bin/env bash
# The program in German, read through the accessibility bus as a screen reader reads it: the
# panel, the report's gap column and statistics, a dialog reached through the menu's German access
# key. The report files it writes are byte for byte those of an English run of the same session
# (after the creation date): files are written the same in every language.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility

# Three readings at resolution 100: gaps of 1.57, 0.53 and 2.61 seconds.
session="$E2E_TMP/s.CFX"
printf '100\r\n471\r\n08/12/2026 10:00:00\r\n0\r\n0\r\n0\r\n0\r\n0\r\n4\r\n7\r\n1\r\n1\r\n' >"$session"
printf '1\r\n00:00:01.57\r\n33.33\r\nStart\r\n57\r\n157\r\n' >>"$session"
printf '2\r\n00:00:02.10\r\n44.59\r\n\r\n10\r\n210\r\n' >>"$session"
printf '3\r\nS00:00:04.71\r\n100.00\r\nZiel\r\n71\r\n471\r\n' >>"$session"

# write_report WINDOW BUTTON COPY: presses the report's write button, found by its name on the
# bus, and keeps the two files under COPY.
write_report() {
    e2e_write_text_report "$2" "$1"
    mv "$DATA_DIR/CFXReport.txt" "$3-report.txt"
    mv "$DATA_DIR/CFXRawCSV.txt" "$3-raw.txt"
}

LANGUAGE=de e2e_start_app "$exe" "$session"
panel=$(e2e_window '^Chronofex$')
e2e_window '^Chronofex - Bericht[*]?$' >/dev/null
e2e_wait_until a11y labels Chronofex "Zeit " >/dev/null || fail "the panel's time is not in German"
windows=$(a11y windows)
grep -qx $'frame\tGroße Stoppuhranzeige' <<<"$windows" || fail "the display's name: $windows"
names=$(a11y names Chronofex)
for expected in $'panel\tStoppuhr-Bedienung' $'push button\tZurücksetzen' $'radio button\tLED'; do
    grep -qx "$expected" <<<"$names" || fail "the panel has no '$expected': $names"
done

# The gap column and the statistics over the three readings, as read aloud.
[ "$(a11y column 'Chronofex - Bericht' Abstand | tr '\n' ' ')" = \
    "00:00:01.57 00:00:00.53 00:00:02.61 " ] ||
    fail "the gap column reads: $(a11y column 'Chronofex - Bericht' Abstand)"
statistics=$(a11y labels "Chronofex - Bericht" "Berücksichtigt:") || fail "no statistics on the bus"
for expected in "Berücksichtigt: 3" "Durchschnitt: 00:00:01.57" "Median: 00:00:01.57" \
    "Längster: 00:00:02.61" "Kürzester: 00:00:00.53" "Standardabweichung: 00:00:01.04"; do
    grep -qF "$expected" <<<"$statistics" || fail "the statistics lack '$expected': $statistics"
done

# The options menu from the keyboard; its German access key Z opens the set-time dialog.
xdotool windowfocus --sync "$panel"
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the options menu"
xdotool key z
set_time_shown() { a11y windows | grep -qx $'dialog\tChronofex - Zeit einstellen'; }
e2e_wait_until set_time_shown ||
    fail "Z in the menu did not open the set-time dialog: $(a11y windows)"
xdotool key Escape
e2e_wait_until sh -c "! xdotool search --onlyvisible --name 'Zeit einstellen' >/dev/null" ||
    fail "Escape did not close the set-time dialog"

write_report "Chronofex - Bericht" "In Textdatei schreiben & leeren" "$E2E_TMP/de"
xdotool windowfocus --sync "$panel"
xdotool key ctrl+q
wait "$APP_PID" 2>/dev/null || true

LANGUAGE=en e2e_start_app "$exe" "$session"
e2e_window '^Chronofex - Report[*]?$' >/dev/null
e2e_wait_until a11y labels Chronofex "Time " >/dev/null || fail "the English panel's time"
write_report "Chronofex - Report" "Write to Text File & Clear" "$E2E_TMP/en"
cmp "$E2E_TMP/de-raw.txt" "$E2E_TMP/en-raw.txt" >/dev/null ||
    fail "the raw file differs by language: $(diff "$E2E_TMP/en-raw.txt" "$E2E_TMP/de-raw.txt")"
created='^StopWatch Report created at: '
diff <(grep -av "$created" "$E2E_TMP/de-report.txt") <(grep -av "$created" "$E2E_TMP/en-report.txt") \
    >/dev/null || fail "the report differs by language"
grep -aq "Average Time Gap: 00:00:01.57" "$E2E_TMP/de-report.txt" ||
    fail "the German run's report is not the English report: $(cat "$E2E_TMP/de-report.txt")"
echo "german: panel, report figures and a dialog read in German; the files as in English"
