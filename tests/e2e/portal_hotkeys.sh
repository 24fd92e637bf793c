#!/usr/bin/env bash
# Global hotkeys through the desktop's global-shortcuts portal: the real program under Xvfb with
# the variables of a Wayland session and a stand-in portal on a private session bus
# (portal_standin.py). The four shortcuts are bound with the hotkey file's triggers; Activated
# works the stopwatch, once per press and not while the hotkey dialog is open; saving the dialog
# binds again; a shortcut the desktop leaves unbound is counted. Without the portal: X11 grabs
# and, once ever, the message that hotkeys in other programs need it.
# Usage: portal_hotkeys.sh path/to/chronofex
source "$(dirname "$0")/lib.sh"
exe=$1
trap 'fail "line $LINENO: $BASH_COMMAND failed"' ERR

# still FIELD VALUE: the panel shows it now (after a marker that what should not act was handled).
still() { shows "$1" "$2" || fail "expected $1 to stay $2, the panel shows: $(status)"; }
# binds N: the stand-in has been asked to bind N times.
binds() { [ "$(grep -c '^BindShortcuts ' "$PORTAL_LOG")" = "$1" ]; }
close_window() {
    xdotool windowfocus --sync "$1"
    xdotool key Escape
    e2e_wait_until bash -c "! xdotool search --onlyvisible --name '$2' >/dev/null 2>&1"
}
# exit_program: Exit from the options menu, as the user would.
exit_program() {
    local panel
    panel=$(e2e_window '^Chronofex$')
    xdotool windowfocus --sync "$panel"
    "$exe" --data-dir "$DATA_DIR" --menu
    e2e_wait_until e2e_menu_shown "$panel" || fail "--menu did not show the options menu"
    xdotool key x
    e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "Exit did not end the program"
}
# other_program_key KEYS: pressed in the other program's window.
other_program_key() {
    xdotool windowfocus --sync "$other"
    xdotool key "$1"
}

e2e_all_hotkeys # Ctrl+F5 .. Ctrl+F8
e2e_start_x
# The session bus of the test, with the accessibility bus: the portal runs on it.
e2e_start_accessibility
export WAYLAND_DISPLAY=wayland-cfx-test XDG_SESSION_TYPE=wayland
e2e_start_portal
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect caption Start

# The four shortcuts, bound in one session with the file's combinations as preferred triggers.
e2e_wait_until grep -q '^bind menu ' "$PORTAL_LOG" || fail "nothing was bound: $(cat "$PORTAL_LOG")"
[ "$(grep -c '^CreateSession ' "$PORTAL_LOG")" = 1 ] && binds 1 || fail "not one session, one bind"
# Plasma registers only the shortcuts that come with CreateSession: all four go there too.
grep -q '^CreateSession .* 4$' "$PORTAL_LOG" || fail "CreateSession without the shortcuts"
grep -q '^bind start-stop CTRL+F5 Start or stop the stopwatch$' "$PORTAL_LOG" || fail "start-stop"
grep -q '^bind snap CTRL+F6 Take a reading (snap)$' "$PORTAL_LOG" || fail "snap"
grep -q '^bind reset CTRL+F7 Reset the stopwatch$' "$PORTAL_LOG" || fail "reset"
grep -q '^bind menu CTRL+F8 Show the options menu$' "$PORTAL_LOG" || fail "menu"

# Activated works the stopwatch as a hotkey press does; X11 grabs are not made.
xmessage -name other -title "Other program" -geometry +700+500 "another program" &
E2E_PIDS+=($!)
other=$(e2e_window '^Other program$')
other_program_key ctrl+F5
# A click on the panel's Report switch comes to the program after Ctrl+F5 would have (one X
# connection): once the report shows, Ctrl+F5 has been handled.
report_shown() { xdotool search --onlyvisible --name '^Chronofex - Report[*]?$' >/dev/null 2>&1; }
e2e_click Report Chronofex "check box"
e2e_wait_until report_shown || fail "the Report switch did not show the report"
still caption Start
e2e_click Report Chronofex "check box"
e2e_wait_until e2e_not report_shown || fail "the Report switch did not hide the report"
portal Press start-stop
expect caption Stop
# The desktop changes a trigger on its own (shown in the dialog; here: the shortcut still works).
portal ChangeTrigger snap Ctrl+Alt+S
portal Press snap
expect readings 1
# A held shortcut that the desktop repeats acts once; after its release the next press acts.
portal Activate snap
portal Activate snap
portal Activate snap
portal Deactivate snap
# The portal's signals come in order: once the stop that follows has acted, the repeats have
# been handled.
portal Press start-stop
expect caption Start
still readings 2
portal Press snap
expect readings 3
portal Press reset
expect readings 0
# Remote commands work beside the portal.
"$exe" --data-dir "$DATA_DIR" --start-stop || fail "--start-stop did not reach the program"
expect caption Stop
"$exe" --data-dir "$DATA_DIR" --start-stop
expect caption Start

# The Menu shortcut pops up the options menu; its "Set &Hotkeys..." opens the dialog, and while
# it is open the shortcuts do nothing.
portal Press menu
e2e_wait_until e2e_menu_shown "$panel" || fail "the Menu shortcut did not show the options menu"
xdotool key h
dialog=$(e2e_window '^Chronofex - Hotkeys$')
# The desktop's change of a trigger, shown in the dialog, comes after the press: once the dialog
# shows it, the press has been handled.
reset_trigger() { a11y description "Reset trigger of the desktop"; }
e2e_wait_until reset_trigger >/dev/null || fail "the dialog shows no trigger of the desktop"
portal Press start-stop
portal ChangeTrigger reset Ctrl+Alt+R
trigger_changed() { reset_trigger | grep -qi 'Alt+R$'; }
e2e_wait_until trigger_changed ||
    fail "the dialog did not show the desktop's new trigger: $(reset_trigger)"
still caption Start
# Start/Stop becomes Ctrl+F9 and OK binds again in a new session, the old one closed.
xdotool windowfocus --sync "$dialog"
xdotool key Tab
xdotool key ctrl+F9
e2e_click OK "Chronofex - Hotkeys" "push button"
e2e_wait_until e2e_not e2e_viewable "$dialog" || fail "OK did not close the hotkey dialog"
e2e_wait_until grep -q '^Close ' "$PORTAL_LOG" || fail "the first session was not closed"
e2e_wait_until binds 2 || fail "no second bind"
grep '^bind start-stop ' "$PORTAL_LOG" | tail -1 | grep -q ' CTRL+F9 ' ||
    fail "the second bind did not ask for Ctrl+F9: $(cat "$PORTAL_LOG")"
# The same session handle again: a desktop that keeps a component per handle keeps one.
[ "$(awk '/^CreateSession / {print $2}' "$PORTAL_LOG" | sort -u | wc -l)" = 1 ] ||
    fail "the second session has another handle: $(cat "$PORTAL_LOG")"
portal Press start-stop
expect caption Stop
portal Press start-stop
expect caption Start
exit_program
e2e_no_output

# A desktop that leaves a shortcut unbound: one hotkey less, said as for X11 grabs.
kill "$PORTAL_PID"
e2e_start_portal --refuse CTRL+F7
e2e_start_app "$exe"
box=$(e2e_window '^Hotkey Assign$')
e2e_copy_message "Hotkey Assign" "Can not register 1 Hotkeys." ||
    fail "the message did not give the count 1: $(cat "$E2E_TMP/message.txt")"
close_window "$box" '^Hotkey Assign$'
portal Press start-stop
expect caption Stop
exit_program

# No portal on the bus: X11 grabs, which work here as the test's X server is no Wayland
# desktop, and the message about the portal at the first start only.
kill "$PORTAL_PID"
e2e_start_app "$exe"
box=$(e2e_window '^Hotkey Assign$')
e2e_copy_message "Hotkey Assign" "global-shortcuts portal" ||
    fail "no word of the portal: $(cat "$E2E_TMP/message.txt")"
close_window "$box" '^Hotkey Assign$'
other_program_key ctrl+F9
expect caption Stop
other_program_key ctrl+F9
expect caption Start
exit_program
e2e_start_app "$exe"
e2e_window '^Chronofex$' >/dev/null
# The message would come as the X11 grabs are made, before a grabbed key acts.
other_program_key ctrl+F9
expect caption Stop
other_program_key ctrl+F9
expect caption Start
! xdotool search --onlyvisible --name '^Hotkey Assign$' >/dev/null 2>&1 ||
    fail "the message about the portal came again"
exit_program
e2e_no_output

# A portal that refuses the session (CreateSession answers 2: failed, 1: cancelled) is no portal
# for the program: X11 grabs, and the message about the portal once, not the duplicate-keys one.
for answer in 2 1; do
    rm -f "$DATA_DIR/.portal-notice-shown"
    e2e_start_portal --create-answer "$answer"
    e2e_start_app "$exe"
    box=$(e2e_window '^Hotkey Assign$')
    e2e_copy_message "Hotkey Assign" "global-shortcuts portal" ||
        fail "answer $answer: no word of the portal: $(cat "$E2E_TMP/message.txt")"
    close_window "$box" '^Hotkey Assign$'
    other_program_key ctrl+F9
    expect caption Stop
    other_program_key ctrl+F9
    expect caption Start
    # A second message would have come with the grabs, before the keys acted.
    ! xdotool search --onlyvisible --name '^Hotkey Assign$' >/dev/null 2>&1 ||
        fail "answer $answer: a second message"
    exit_program
    kill "$PORTAL_PID"
done
e2e_no_output

# A portal slower than the start-up's probe: tried all the same, nothing said, nothing noted.
rm -f "$DATA_DIR/.portal-notice-shown"
e2e_start_portal --slow-probe 4
e2e_start_app "$exe"
e2e_window '^Chronofex$' >/dev/null
e2e_wait_until grep -q '^bind menu ' "$PORTAL_LOG" || e2e_wait_until grep -q '^bind menu ' \
    "$PORTAL_LOG" || fail "a slow portal was not bound: $(cat "$PORTAL_LOG")"
portal Press start-stop
expect caption Stop
portal Press start-stop
expect caption Start
! xdotool search --onlyvisible --name '^Hotkey Assign$' >/dev/null 2>&1 ||
    fail "a slow portal was reported"
[ ! -e "$DATA_DIR/.portal-notice-shown" ] || fail "a slow portal was noted as missing"

# The portal restarts: the shortcuts are bound again and work.
kill "$PORTAL_PID"
e2e_start_portal
e2e_wait_until grep -q '^bind menu ' "$PORTAL_LOG" || fail "not bound again after a restart"
portal Press start-stop
expect caption Stop
portal Press snap
expect readings 1
portal Press start-stop
expect caption Start
portal Press reset
expect readings 0
exit_program
e2e_no_output
echo "portal_hotkeys: all checks passed"
