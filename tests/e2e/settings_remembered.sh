#!/usr/bin/env bash
# Settings remembered between runs: LED look, resolution 100, the report shown and the panel moved
# are there at the next start, after a quit and after kill -9 alike; --defaults starts with the
# first-run settings and forgets the remembered ones.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility

# The colour of the large display's face: light grey in the LCD look, black in the LED look.
display_face() {
    local panel=$1 X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    import -window root -crop "1x1+$((X + WIDTH + 16))+$((Y + 10))" txt:- 2>/dev/null |
        sed -n 2p | grep -o '#[0-9A-F]\{6\}'
}
expect_face() {
    local face
    for _ in $(seq 30); do
        face=$(display_face "$1")
        [ "$face" = "$2" ] && return 0
        sleep 0.1
    done
    fail "the display's face is $face, expected $2"
}
panel_at() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X,$Y"
}
report_shown() { xdotool search --onlyvisible --name '^Chronofex - Report[*]?$' >/dev/null 2>&1; }
quit_program() {
    xdotool windowfocus --sync "$1"
    xdotool key ctrl+q
    wait "$APP_PID" 2>/dev/null || true
}

# A first start: the first-run settings.
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect_face "$panel" '#E0E0E0'
expect resolution 10
[ "$(panel_at "$panel")" = "66,133" ] || fail "a first start puts the panel at $(panel_at "$panel")"
report_shown && fail "a first start shows the report"

# LED, resolution 100, the report shown, the panel moved; then Quit.
e2e_click LED Chronofex "radio button"
expect_face "$panel" '#000000'
e2e_click "Events in 1 sec" Chronofex "combo box"
xdotool key ctrl+a
xdotool type 100
xdotool key Return
expect resolution 100
e2e_click Report Chronofex "check box"
e2e_wait_until report_shown || fail "the report switch did not show the report"
xdotool windowmove "$panel" 300 200
# Once the server has it there, the move reaches the program before the key that quits.
panel_moved() { [ "$(panel_at "$panel")" = 300,200 ]; }
e2e_wait_until panel_moved || fail "the panel did not move"
quit_program "$panel"

e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect resolution 100
expect_face "$panel" '#000000'
e2e_wait_until report_shown || fail "the report shown at the quit is not shown at the next start"
[ "$(panel_at "$panel")" = "300,200" ] || fail "the panel is at $(panel_at "$panel"), not 300,200"

# Back to LCD, and the program killed: what it had changed is kept.
e2e_click LCD Chronofex "radio button"
expect_face "$panel" '#E0E0E0'
kill -9 "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect resolution 100
expect_face "$panel" '#E0E0E0'
e2e_wait_until report_shown || fail "the report is not shown after kill -9"
quit_program "$panel"

# --defaults: the first-run settings, and the remembered ones are forgotten.
e2e_start_app "$exe" --defaults
panel=$(e2e_window '^Chronofex$')
expect resolution 10
# A remembered report is shown while the settings are applied, before the panel shows.
report_shown && fail "--defaults shows the report"
[ "$(panel_at "$panel")" = "66,133" ] || fail "--defaults puts the panel at $(panel_at "$panel")"
quit_program "$panel"
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect resolution 10
report_shown && fail "a start after --defaults shows the report"
quit_program "$panel"
e2e_no_output
echo "settings: remembered over a quit and kill -9, forgotten with --defaults"
