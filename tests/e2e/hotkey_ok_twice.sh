#!/usr/bin/env bash
# The hotkey dialog's OK pressed a second time through the accessibility bus, as a screen reader
# presses it, while the "Hotkey Assign" message about two hotkeys on the same keys is open: the
# program goes on running, the message comes once and only after the dialog has gone, the keys are
# saved, and the clock and the hotkeys still work.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_all_hotkeys
e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect caption Start

# The dialog from the options menu.
xdotool windowfocus --sync "$panel"
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the options menu"
xdotool key h
dialog=$(e2e_window '^Chronofex - Hotkeys$')
xdotool windowfocus --sync "$dialog"

# Snap on Ctrl+F5, the keys of Start/Stop: Tab to its box and press them there (the hotkeys are
# released while the dialog is open).
focused_box() { [ "$(a11y focused | cut -f2)" = "Snap hotkey" ]; }
focus_left() { [ "$(a11y focused)" != "$1" ]; }
for _ in $(seq 12); do
    focused_box && break
    before=$(a11y focused) || true
    xdotool key Tab
    e2e_wait_until focus_left "$before" || fail "Tab did not move the focus from '$before'"
done
focused_box || fail "Tab never reached the Snap hotkey box: $(a11y focused)"
xdotool key ctrl+F5
box_reads() { [ "$(a11y text "$1")" = "$2" ]; }
e2e_wait_until box_reads "Snap hotkey" Ctrl+F5 ||
    fail "the Snap box reads '$(a11y text 'Snap hotkey')' after Ctrl+F5"
box_reads "Start/Stop hotkey" Ctrl+F5 ||
    fail "the Start/Stop box reads '$(a11y text 'Start/Stop hotkey')'"

# OK through the bus; its press ends only when the message it opens is closed.
target=$(a11y press "Chronofex - Hotkeys" OK) || fail "no OK button on the bus"
read -r bus path action <<<"$target"
message=$(e2e_window '^Hotkey Assign$')
xdotool search --onlyvisible --name '^Chronofex - Hotkeys$' >/dev/null 2>&1 &&
    fail "the message came while the hotkey dialog was still open"

# The second press reaches the same button while the message is open; it is taken (the button goes
# down) and its click comes (the button comes up again) with the message still there.
a11y press-again "$bus" "$path" "$action" || fail "the second press was refused"
e2e_wait_until e2e_not a11y pressed "$bus" "$path" || fail "the second press never clicked"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended at the second OK"
[ "$(xdotool search --onlyvisible --name '^Hotkey Assign$' | wc -l)" = 1 ] ||
    fail "the second OK opened another message"

# The message closed: no other one follows, the program runs and answers.
xdotool windowfocus --sync "$message"
xdotool key Return
e2e_wait_until e2e_not xdotool search --onlyvisible --name '^Hotkey Assign$' >/dev/null 2>&1 ||
    fail "the message did not close"
expect caption Start
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended when the message closed"
xdotool search --onlyvisible --name '^Hotkey Assign$' >/dev/null 2>&1 &&
    fail "another message came after the first"
xdotool search --onlyvisible --name '^Chronofex - Hotkeys$' >/dev/null 2>&1 &&
    fail "the hotkey dialog is shown again"

# Saved once, both on Ctrl+F5 (Ctrl is 2 in the file).
[ "$(od -An -c "$DATA_DIR/hotkeysetup.txt" | tr -d ' \n')" = \
    "$(printf '2\r\n116\r\n1\r\n2\r\n116\r\n1\r\n2\r\n118\r\n1\r\n2\r\n119\r\n1\r\n' | od -An -c | tr -d ' \n')" ] ||
    fail "the hotkey file holds: $(od -An -c "$DATA_DIR/hotkeysetup.txt")"

# Ctrl+F5 starts and stops the clock, Space on the panel too; Ctrl+F7 resets.
xdotool key ctrl+F5
expect caption Stop
xdotool key ctrl+F5
expect caption Start
[ "$(field time)" != "00:00:00:00" ] || fail "the clock did not run"
xdotool key ctrl+F7
expect time 00:00:00:00
xdotool windowfocus --sync "$panel"
xdotool key space
expect caption Stop
# Ctrl+Q ends it cleanly, without a word (a sanitizer build reports a use after free here).
xdotool key ctrl+q
e2e_wait_until e2e_not kill -0 "$APP_PID" 2>/dev/null || fail "Ctrl+Q did not end the program"
e2e_no_output
echo "hotkey OK twice e2e: ok"
