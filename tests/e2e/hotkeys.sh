#!/usr/bin/env bash
# Global hotkeys of the real program under Xvfb, pressed through XTEST while another window has
# the focus; the hotkey dialog silencing them; a combination another client holds; the commands
# handed to the running program by a second start; the grabs given back at exit.
# Usage: hotkeys.sh path/to/chronofex path/to/cfx_grabkey
source "$(dirname "$0")/lib.sh"
exe=$1
grabkey=$2
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR

e2e_all_hotkeys

# still FIELD VALUE: the panel shows it now, once something that came after what should not act
# has acted (hotkeys come over the program's one X connection, in order).
still() { shows "$1" "$2" || fail "expected $1 to stay $2, the panel shows: $(status)"; }
focus_other() {
    xdotool windowfocus --sync "$other"
    [ "$(xdotool getwindowfocus)" = "$other" ] || fail "the other window did not get the focus"
}
# hotkey KEYS: pressed through XTEST while the other window has the focus.
hotkey() {
    focus_other
    xdotool key "$1"
    [ "$(xdotool getwindowfocus)" = "$other" ] || fail "the hotkey took the focus away"
}

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect caption Start
xmessage -name other -title "Other program" -geometry +700+500 "another program" &
E2E_PIDS+=($!)
other=$(e2e_window '^Other program$')

# Snap while the Snap button is disabled does nothing (seen once the next hotkey has acted: had
# it started the clock, Start/Stop would stop it).
still snap 0
hotkey ctrl+F6

# Start/Stop, Snap, Start/Stop, Reset while another program has the focus.
hotkey ctrl+F5
expect caption Stop
still readings 0
expect snap 1
hotkey ctrl+F6
expect readings 1
still caption Stop
hotkey ctrl+F6
expect readings 2
hotkey ctrl+F5
expect caption Start
stopped_at=$(field time)
[ "$stopped_at" != "00:00:00:00" ] || fail "the clock did not run"
# The one snap of the stopped clock, taken after the stop: the time has stood since.
hotkey ctrl+F6
expect readings 3
still time "$stopped_at"
hotkey ctrl+F7
expect time 00:00:00:00
expect reset 0
expect readings 0

# A held key repeats, but acts once.
focus_other
xdotool keydown ctrl+F5
# How long the key is held, for the server to repeat it; not a wait for the program.
sleep 1
xdotool keyup ctrl+F5
# A snap after the release: once it has acted, every repeat has been handled.
hotkey ctrl+F6
expect readings 1
still caption Stop
hotkey ctrl+F5
expect caption Start
hotkey ctrl+F7
expect time 00:00:00:00

# CapsLock and NumLock on do not switch the hotkeys off.
focus_other
xdotool key Caps_Lock Num_Lock
hotkey ctrl+F5
expect caption Stop
hotkey ctrl+F5
expect caption Start
xdotool key Caps_Lock Num_Lock
hotkey ctrl+F7
expect time 00:00:00:00

# The Menu hotkey pops up the options menu; its "Set &Hotkeys..." opens the dialog, and while
# the dialog is open the hotkeys do nothing.
hotkey ctrl+F8
e2e_wait_until e2e_menu_shown "$panel" || fail "the Menu hotkey did not show the options menu"
xdotool key h
dialog=$(e2e_window '^Chronofex - Hotkeys$')
hotkey ctrl+F5
# Closed without OK (Escape comes after Ctrl+F5 would have): the clock has not started, the old
# hotkeys work again and the file is unchanged.
xdotool windowfocus --sync "$dialog"
xdotool key Escape
e2e_wait_until e2e_not e2e_viewable "$dialog" || fail "Escape did not close the hotkey dialog"
still caption Start
hotkey ctrl+F5
expect caption Stop
hotkey ctrl+F5
expect caption Start
[ "$(od -An -c "$DATA_DIR/hotkeysetup.txt" | tr -d ' \n')" = \
    "$(printf '2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n2\r\n118\r\n1\r\n2\r\n119\r\n1\r\n' | od -An -c | tr -d ' \n')" ] ||
    fail "closing the dialog changed the hotkey file"

# The same start, snap and reset from the command line.
"$exe" --data-dir "$DATA_DIR" --start-stop || fail "--start-stop did not reach the program"
expect caption Stop
"$exe" --data-dir "$DATA_DIR" --snap || fail "--snap did not reach the program"
expect readings 1
still caption Stop
"$exe" --data-dir "$DATA_DIR" --start-stop || fail "--start-stop did not reach the program"
expect caption Start
"$exe" --data-dir "$DATA_DIR" --reset || fail "--reset did not reach the program"
expect time 00:00:00:00
expect readings 0

# A second plain start brings the running panel forward and ends.
timeout 10 "$exe" --data-dir "$DATA_DIR" --no-splash || fail "a second start did not end by itself"
[ "$(xdotool search --onlyvisible --name '^Chronofex$' | wc -l)" = 1 ] || fail "two panels run"

# Exit (from the menu of the Menu hotkey) gives the hotkeys back: another client can then take
# Ctrl+F5 (keysym ffc2, Control = 4).
hotkey ctrl+F8
e2e_wait_until e2e_menu_shown "$panel" || fail "the Menu hotkey did not show the options menu"
xdotool key x
e2e_wait_until e2e_not kill -0 "$APP_PID" 2>/dev/null || fail "Exit did not end the program"
e2e_no_output
"$exe" --data-dir "$DATA_DIR" --snap 2>"$E2E_TMP/remote.err" && fail "--snap with no program ran"
grep -q "no Chronofex is running" "$E2E_TMP/remote.err" || fail "--snap did not say why"
"$grabkey" ffc2 4 >"$E2E_TMP/grab1.txt" 2>&1 &
grab1=$!
E2E_PIDS+=($grab1)
e2e_wait_until grep -qE '^grabbed$|^grabkey:' "$E2E_TMP/grab1.txt"
grep -q grabbed "$E2E_TMP/grab1.txt" || fail "the program kept Ctrl+F5 after it ended"
kill "$grab1"

# Another client holds Ctrl+F6 (Snap): the program says it could register one hotkey less,
# and the others still work.
"$grabkey" ffc3 4 >"$E2E_TMP/grab2.txt" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_until grep -qE '^grabbed$|^grabkey:' "$E2E_TMP/grab2.txt"
grep -q grabbed "$E2E_TMP/grab2.txt" || fail "the helper could not grab Ctrl+F6"
e2e_start_app "$exe"
box=$(e2e_window '^Hotkey Assign$')
# Select the message's text and copy it.
e2e_copy_message "Hotkey Assign" "Can not register" || true
grep -q "Can not register 1 Hotkeys." "$E2E_TMP/message.txt" ||
    fail "the message did not give the count 1: $(cat "$E2E_TMP/message.txt")"
grep -q "Duplicate keys may be assigned or keys" "$E2E_TMP/message.txt" || fail "second line"
xdotool windowfocus --sync "$box"
xdotool key Escape
e2e_window '^Chronofex$' >/dev/null
expect caption Start
hotkey ctrl+F5
expect caption Stop
hotkey ctrl+F6
e2e_wait_until grep -q "press 1" "$E2E_TMP/grab2.txt" || true
grep -q "press 1" "$E2E_TMP/grab2.txt" || fail "the other client did not get its key"
# The key went to the other client's grab, so the program cannot have had it.
still readings 0
hotkey ctrl+F7
expect time 00:00:00:00
e2e_no_output
echo "hotkeys: all checks passed"
