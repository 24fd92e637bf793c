#!/usr/bin/env bash
# Nothing lost in a crash: snaps, a comment and an exclusion, then a crash. The next start offers
# the readings back; restored and written, the report files are the ones the uninterrupted run
# writes, byte for byte after the creation date, with the comment and with the excluded reading
# left out of the statistics. Written once, the next start offers nothing.
source "$(dirname "$0")/lib.sh"
exe=$1

expect_start_without_question() {
    e2e_start_app "$exe"
    e2e_no_question "a start after the readings were written offers a restore"
}

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"

# Resolution 100, so that the times read as centiseconds.
e2e_click "Events in 1 sec" Chronofex "combo box"
xdotool key ctrl+a
xdotool type 100
xdotool key Return
expect resolution 100
xdotool windowfocus --sync "$panel"

e2e_four_readings

# The report from the options menu; a comment on the newest reading, which is then excluded.
e2e_open_report "$panel" >/dev/null
e2e_comment_and_exclude_newest "after the crash"

# The journal goes to the kernel as each change happens: a copy of the data folder now is what a
# crash at this moment leaves. The running program then writes its report as usual (the
# uninterrupted run), and dies without a word.
crash="$E2E_TMP/crash"
mkdir "$crash"
cp "$DATA_DIR/.CFXJournal" "$DATA_DIR/hotkeysetup.txt" "$crash/"
e2e_write_text_report
cp "$DATA_DIR/CFXReport.txt" "$E2E_TMP/uninterrupted-report.txt"
cp "$DATA_DIR/CFXRawCSV.txt" "$E2E_TMP/uninterrupted-raw.txt"
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
# Written before the crash: a start in that folder offers nothing.
expect_start_without_question
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# A start on what the crash left asks; Return answers Yes.
DATA_DIR=$crash
e2e_start_app "$exe"
# The question comes before the panel shows.
question=$(e2e_window '^Chronofex$')
xprop -id "$question" _NET_WM_WINDOW_TYPE | grep -q DIALOG || fail "the start offers no restore"
xdotool windowfocus --sync "$question" 2>/dev/null || true
xdotool key Return
e2e_window '^Chronofex - Report[*]?$' >/dev/null
expect readings 4
e2e_write_text_report
raw="$DATA_DIR/CFXRawCSV.txt"
cmp -s "$raw" "$E2E_TMP/uninterrupted-raw.txt" ||
    fail "the restored raw file differs: $(diff "$E2E_TMP/uninterrupted-raw.txt" "$raw")"
created='^StopWatch Report created at: '
diff <(grep -av "$created" "$E2E_TMP/uninterrupted-report.txt") \
    <(grep -av "$created" "$DATA_DIR/CFXReport.txt") >/dev/null ||
    fail "the restored report differs: $(diff "$E2E_TMP/uninterrupted-report.txt" \
        "$DATA_DIR/CFXReport.txt")"
[ "$(wc -l <"$raw")" -eq 6 ] ||
    fail "expected a header, four readings and the excluded one: $(cat "$raw")"
[ "$(sed -n 6p "$raw")" = $'Excluded,4,\r' ] || fail "the raw file does not name the excluded reading"
[ "$(tail -n 1 "$DATA_DIR/CFXReport.txt")" = $'Excluded from the statistics: #4\r' ] ||
    fail "the report does not name the excluded reading"
sed -n 5p "$raw" | grep -qE '^4,S[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{2},100\.00,"after the crash",' ||
    fail "the fourth reading lost its comment or its mark: $(sed -n 5p "$raw")"
# The statistics leave the excluded fourth reading out: its gap is not the longest or shortest
# unless another equals it, and the average is over three readings.
report_file="$DATA_DIR/CFXReport.txt"
t=()
for n in 2 3 4; do
    v=$(sed -n ${n}p "$raw" | cut -d, -f2)
    t+=($((10#${v:0:2} * 360000 + 10#${v:3:2} * 6000 + 10#${v:6:2} * 100 + 10#${v:9:2})))
done
sum=$((t[2])) # the first three gaps add up to the third reading's time
avg=$(python3 -c "print(round($sum / 3))")
grep -q $'^Average Time Gap: ' "$report_file" || fail "no statistics"
avg_text=$(grep '^Average Time Gap: ' "$report_file" | tr -d '\r' | cut -d' ' -f4)
avg_cs=$((10#${avg_text:0:2} * 360000 + 10#${avg_text:3:2} * 6000 + 10#${avg_text:6:2} * 100 + 10#${avg_text:9:2}))
[ $((avg_cs - avg)) -ge -1 ] && [ $((avg_cs - avg)) -le 1 ] ||
    fail "the average is not over the three included readings: $avg_text, expected about $avg cs"

# Written: the readings are safe, and the next start asks nothing.
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
expect_start_without_question

# Reset takes two readings at once, without a question; Recover Last Readings brings them back.
xdotool windowfocus --sync "$panel"
xdotool key space
expect caption Stop
xdotool key Return
expect readings 1
xdotool key Return
expect readings 2
xdotool key space
expect caption Start
xdotool key F5
expect readings 0
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the options menu"
e2e_menu_keys "$panel" f r
expect readings 2
echo "journal: readings restored after a crash, written as the uninterrupted run wrote them;" \
    "a reset's readings recovered"
