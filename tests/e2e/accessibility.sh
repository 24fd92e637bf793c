#!/usr/bin/env bash
# The real program on the accessibility bus, read as a screen reader reads it, and worked from the
# keyboard alone: the running and the stopped time, window roles, a snap, the options menu, one
# cycle measured in the rate window, a custom time set, and Ctrl+Q.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"

# The accessible name of the panel's time and of the large display's face.
panel_time() { a11y labels Chronofex "Time "; }
display_time() { a11y labels "Large stopwatch display" "Time "; }
e2e_wait_until panel_time >/dev/null || fail "the panel's time is not on the bus"

# Windows are frames named by their titles.
windows=$(a11y windows)
grep -qx $'frame\tChronofex' <<<"$windows" || fail "the panel is not a frame: $windows"
grep -qx $'frame\tLarge stopwatch display' <<<"$windows" || fail "the display is not a frame: $windows"

[ "$(panel_time)" = "Time 00:00:00:00" ] || fail "idle panel time reads '$(panel_time)'"
[ "$(display_time)" = "Time --:--:--.--" ] || fail "idle display time reads '$(display_time)'"

# Running: the time read has moved on, on the panel and on the display (the names change once a
# second while the clock runs).
xdotool key space
expect caption Stop
running_time() { [[ "$($1)" =~ ^Time\ 00:00:0[0-9]\.[0-9]{2}$ ]]; }
e2e_wait_until running_time panel_time || fail "running panel time reads '$(panel_time)'"
e2e_wait_until running_time display_time || fail "running display time reads '$(display_time)'"
p1=$(panel_time)
d1=$(display_time)
reads_other() { [ "$($1)" != "$2" ]; }
e2e_wait_until reads_other panel_time "$p1" ||
    fail "the panel's time read the same seconds later: '$p1'"
e2e_wait_until reads_other display_time "$d1" ||
    fail "the display's time read the same seconds later: '$d1'"

# Return snaps, Space stops; the stopped time is read at once, exactly as shown.
xdotool key Return
expect readings 1
xdotool key space
expect caption Start
# Read as soon as the panel shows the stop.
[ "$(panel_time)" = "Time $(field time)" ] || \
    fail "stopped: the panel shows $(field time), a screen reader reads '$(panel_time)'"
stopped=$(display_time)

# F10 opens the options menu with its items; Escape closes it.
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the options menu"
xdotool key Escape
e2e_wait_until e2e_not e2e_menu_shown "$panel" || fail "Escape did not close the options menu"
# Meanwhile the display's time has stood still.
[ "$(display_time)" = "$stopped" ] || fail "the stopped display time kept changing"

# The rate window from the menu; Tab to its Start button, Space twice measures one cycle.
xdotool key space
expect caption Stop
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the menu again"
xdotool key c
rate=$(e2e_window '^Rate$')
for _ in $(seq 12); do
    [ "$(a11y focused)" = $'push button\tStart' ] && break
    xdotool key Tab
    sleep 0.1
done
[ "$(a11y focused)" = $'push button\tStart' ] || fail "Tab never reached the rate window's Start"
xdotool key space
# The length of the cycle measured, not a wait for the program.
sleep 0.6
xdotool key space
measured() {
    result=$(a11y labels Rate | tr '\n' ' ')
    [[ "$result" =~ (^|\ )[01][.,][0-9]{2}\  && ! "$result" =~ (^|\ )0[.,]00\  ]]
}
e2e_wait_until measured || fail "one cycle of about 0.6 s reads '$result'"

# Back on the panel: stop, then Set Custom Time from the menu (it opens at one minute); 2 hours
# typed, Return applies.
xdotool windowfocus --sync "$panel"
xdotool key space
expect caption Start
xdotool key F10
e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the menu a third time"
xdotool key t
e2e_window '^Chronofex - Set Time$' >/dev/null
set_time_listed() { grep -qx $'dialog\tChronofex - Set Time' <<<"$(a11y windows)"; }
e2e_wait_until set_time_listed || fail "the set-time dialog is no dialog: $(a11y windows)"
[ "$(a11y focused | cut -f2)" = "Hours" ] || fail "the set-time dialog opens on $(a11y focused)"
xdotool key ctrl+a type 02
hours_read() { [ "$(a11y value 'Hours (up increases)')" = "$1" ]; }
e2e_wait_until hours_read 2 || \
    fail "the hours bar reads $(a11y value 'Hours (up increases)'), not 2"
xdotool key Return
display_reads() { [ "$(display_time)" = "$1" ]; }
e2e_wait_until display_reads "Time 02:01:00.00" || \
    fail "after Apply the display reads '$(display_time)'"

# Escape closes the dialog; Ctrl+Q on the panel ends the program.
xdotool key Escape
e2e_wait_until bash -c "! xdotool search --onlyvisible --name '^Chronofex - Set Time\$'" ||
    fail "Escape did not close the set-time dialog"
xdotool windowfocus --sync "$panel"
xdotool key ctrl+q
e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "Ctrl+Q did not end the program"
echo "accessibility e2e: ok"
