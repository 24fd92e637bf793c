#!/usr/bin/env bash
# A data folder that cannot hold the journal: the program says so once, keeps working, and loses
# no reading. The folder is "full" for the journal (it is /dev/full, every write fails for want of
# space), and then a journal cannot even be created (a folder stands in its place).
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
messages() { xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null | wc -l; }
message_shown() { [ "$(messages)" -ge 2 ]; }
message_closed() { [ "$(messages)" -eq 1 ]; }
expect_message() {
    e2e_wait_until message_shown || fail "no message that readings cannot be journaled"
    local box
    box=$(xdotool search --onlyvisible --name '^Chronofex$' | tail -1)
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    e2e_wait_until message_closed || fail "the message did not close"
}

ln -s /dev/full "$DATA_DIR/.CFXJournal"
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
xdotool key space
sleep 0.3
xdotool key Return
expect_message
# Said once: more readings, and no second message.
xdotool windowfocus --sync "$panel"
for _ in 1 2 3; do
    xdotool key Return
    sleep 0.3
done
expect readings 4
sleep 0.5
[ "$(messages)" -eq 1 ] || fail "the message came again"
xdotool key space
expect caption Start

# Every reading reaches the report files, and the new journal the write starts says nothing new.
eval "$(xdotool getwindowgeometry --shell "$panel")"
xdotool mousemove $((X + 138)) $((Y + 252)) click 1
report=$(e2e_window '^Chronofex - Report[*]?$')
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$report")"
xdotool mousemove $((X + WIDTH / 4)) $((Y + HEIGHT - 18)) click 1
e2e_wait_until test -f "$DATA_DIR/CFXRawCSV.txt" || fail "the report was not written"
sleep 0.5
[ "$(wc -l <"$DATA_DIR/CFXRawCSV.txt")" -eq 5 ] ||
    fail "expected a header and four readings: $(cat "$DATA_DIR/CFXRawCSV.txt")"
[ "$(messages)" -eq 1 ] || fail "the message came again after writing the report"
xdotool windowfocus --sync "$panel"
xdotool key ctrl+q
wait "$APP_PID" 2>/dev/null || true

# No journal can be created: said at the start, and the stopwatch works.
rm "$DATA_DIR/.CFXJournal"
mkdir "$DATA_DIR/.CFXJournal"
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect_message
xdotool windowfocus --sync "$panel"
xdotool key space
sleep 0.3
xdotool key Return
expect readings 1
echo "journal: an unwritable journal said once, no reading lost"
