#!/usr/bin/env bash
# The rate and speed windows in the real program under Xvfb: opened from the options menu, a
# rate measured with two mouse presses while the stopwatch runs, and hiding and showing the window
# from the menu keeps the result. Set CFX_E2E_SHOTS=DIR to keep the screenshots.
source "$(dirname "$0")/../e2e/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')

shot() { import -window "$1" "$E2E_TMP/$2.png"; }
# The display panel at the top of a window.
display() { import -window "$1" -crop 170x30+0+0 "$E2E_TMP/$2.png"; }
differ() { [ "$(compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true)" != "0" ]; }
visible() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
hidden() { ! visible "$1"; }

# The options button, then the item's mnemonic once the menu shows, and the window in the wanted
# state.
menu_item() {
    local key=$1 state=$2 title=$3
    e2e_options_menu "$panel"
    xdotool key "$key"
    e2e_wait_until "$state" "$title" || fail "the options menu did not make '$title' $state"
}
# A mouse click where the pointer is, on window $1; waits until the window's display panel
# differs from the screenshot named by $2.
click_here() {
    xdotool click 1
    shown() { display "$1" now && differ "$2" now; }
    e2e_wait_until shown "$1" "$2" || fail "a press on $1 changed nothing on its display"
}

menu_item c visible '^Rate$'
rate=$(e2e_window '^Rate$')
menu_item e visible '^Speed$'
speed=$(e2e_window '^Speed$')
for w in "$rate" "$speed"; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -ge 140 ] && [ "$HEIGHT" -ge 140 ] || fail "window $w is only ${WIDTH}x$HEIGHT"
done
shot "$rate" rate_idle
shot "$speed" speed_idle

# Start the stopwatch from the panel, then one cycle on the rate window's Start button.
panel_time() { import -window "$panel" -crop 300x50+0+0 "$E2E_TMP/$1.png"; }
ticking() { panel_time clock && differ clock0 clock; }
panel_time clock0
xdotool windowfocus --sync "$panel"
xdotool key space
e2e_wait_until ticking || fail "the stopwatch did not start"
display "$rate" before
e2e_point_at Start Rate
click_here "$rate" before
display "$rate" timing
shot "$rate" rate_timing
# The length of the cycle measured, not a wait for the program.
sleep 1.2
# The same button, the pointer still on it (timing, it is named by its tooltip).
click_here "$rate" timing
display "$rate" result
shot "$rate" rate_result

# Hidden and shown again from the menu, the window keeps its result; the program goes on.
menu_item c hidden '^Rate$'
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended when the rate window was hidden"
menu_item c visible '^Rate$'
rate=$(e2e_window '^Rate$')
display "$rate" reopened
differ result reopened && fail "the result was not kept over hiding and showing"
menu_item e hidden '^Speed$'
menu_item e visible '^Speed$'

if [ -n "${CFX_E2E_SHOTS:-}" ]; then
    mkdir -p "$CFX_E2E_SHOTS"
    cp "$E2E_TMP"/*.png "$CFX_E2E_SHOTS"/
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "measure windows e2e: ok"
