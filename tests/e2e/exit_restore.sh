#!/usr/bin/env bash
# Nothing lost on Exit: readings neither written nor saved when the program is ended with Ctrl+Q
# are offered at the next start; restored and written, the report files are those a crash at the
# same moment gives back (which journal_restore.sh holds to the uninterrupted run), byte for byte
# after the creation date. The report's title carries a star while such readings are there.
# Declined, File > Recover Last Readings still brings them back; so it does after an Exit with
# the clock running.
source "$(dirname "$0")/lib.sh"
exe=$1
main=$DATA_DIR

# Writes the report of the window titled $1 and waits for the files.
write_report() {
    e2e_window "$1" >/dev/null
    e2e_write_text_report
}

exit_with_ctrl_q() {
    local panel
    panel=$(e2e_window '^Chronofex$')
    xdotool windowfocus --sync "$panel"
    xdotool key ctrl+q
    e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "Ctrl+Q did not end the program"
    wait "$APP_PID" || fail "the program ended with status $?"
    e2e_no_output
}

# Answers the question that comes before the panel with a key (Return: Yes, Escape: No).
answer_restore() {
    local question
    question=$(e2e_window '^Chronofex$')
    xprop -id "$question" _NET_WM_WINDOW_TYPE | grep -q DIALOG ||
        fail "the start offers no restore"
    xdotool windowfocus --sync "$question" 2>/dev/null || true
    xdotool key "$1"
}

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
e2e_four_readings
expect readings 4
e2e_open_report "$panel" >/dev/null
e2e_window '^Chronofex - Report[*]$' >/dev/null

# What a crash now would leave, for the reference run.
crash="$E2E_TMP/crash"
mkdir "$crash"
cp "$DATA_DIR/.CFXJournal" "$DATA_DIR/hotkeysetup.txt" "$crash/"
exit_with_ctrl_q

DATA_DIR=$crash
e2e_start_app "$exe"
answer_restore Return
write_report '^Chronofex - Report[*]$'
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# The start after Exit offers them; restored, the report's title has its star, and the written
# report is the reference's.
DATA_DIR=$main
e2e_start_app "$exe"
answer_restore Return
expect readings 4
write_report '^Chronofex - Report[*]$'
e2e_window '^Chronofex - Report$' >/dev/null # written: the star is gone
cmp -s "$DATA_DIR/CFXRawCSV.txt" "$crash/CFXRawCSV.txt" ||
    fail "the raw file after Exit differs: $(diff "$crash/CFXRawCSV.txt" "$DATA_DIR/CFXRawCSV.txt")"
[ "$(wc -l <"$DATA_DIR/CFXRawCSV.txt")" -eq 5 ] || fail "not four readings: $(cat "$DATA_DIR/CFXRawCSV.txt")"
created='^StopWatch Report created at: '
diff <(grep -av "$created" "$crash/CFXReport.txt") <(grep -av "$created" "$DATA_DIR/CFXReport.txt") \
    >/dev/null || fail "the report after Exit differs: $(diff "$crash/CFXReport.txt" "$DATA_DIR/CFXReport.txt")"

# Two readings of a running clock, and Exit while it runs; the offer declined, Recover Last
# Readings brings them back.
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
xdotool key space
expect caption Stop
xdotool key Return
expect readings 1
xdotool key Return
expect readings 2
exit_with_ctrl_q
e2e_start_app "$exe"
answer_restore Escape
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
expect readings 0
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the options menu"
e2e_menu_keys "$panel" f r
expect readings 2
expect caption Start
# Written now: nothing is offered at the start after the next Exit.
write_report '^Chronofex - Report[*]?$'
exit_with_ctrl_q
e2e_start_app "$exe"
e2e_no_question "a start after writing offers a restore"
echo "exit: unsaved readings offered after Exit, restored byte for byte, recovered when declined"
