#!/usr/bin/env bash
# The rate and speed windows in the real program under Xvfb: opened from the options menu, a
# rate measured with two mouse presses while the stopwatch runs, the close box hides the window
# and unchecks its menu item, and reopening shows the kept result. Set CFX_E2E_SHOTS=DIR to keep
# the screenshots.
source "$(dirname "$0")/../e2e/lib.sh"
exe=$1
wmclose=$2

e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')

shot() { import -window "$1" "$E2E_TMP/$2.png"; }
# The display panel at the top of a window.
display() { import -window "$1" -crop "${3:-170}x30+0+0" "$E2E_TMP/$2.png"; }
differ() { [ "$(compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true)" != "0" ]; }
visible() { [ -n "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }

# Options button at the bottom right of the panel, then the item's mnemonic.
menu_item() {
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 22)) click 1
    sleep 0.4
    xdotool key "$1"
    sleep 0.4
}
# A mouse press and release on a point of a window, relative to its bottom left corner.
press_at() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + $2)) $((Y + HEIGHT - $3)) mousedown 1
    sleep 0.1
    xdotool mouseup 1
    sleep 0.3
}

menu_item c
rate=$(e2e_window '^Rate$')
menu_item e
speed=$(e2e_window '^Speed$')
for w in "$rate" "$speed"; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -ge 140 ] && [ "$HEIGHT" -ge 140 ] || fail "window $w is only ${WIDTH}x$HEIGHT"
done
shot "$rate" rate_idle
shot "$speed" speed_idle

# Start the stopwatch from the panel, then one cycle on the rate window's Start button.
xdotool windowfocus --sync "$panel"
xdotool key space
sleep 0.5
display "$rate" before
press_at "$rate" 36 60
display "$rate" timing
differ before timing || fail "the first press on Start showed nothing"
shot "$rate" rate_timing
sleep 1.2
press_at "$rate" 36 60
display "$rate" result
differ timing result || fail "the second press on Start showed no result"
shot "$rate" rate_result

# The close box hides the window; the program goes on; the menu shows it again with its result.
"$wmclose" "$rate"
sleep 0.5
visible '^Rate$' && fail "the close box did not hide the rate window"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended when the rate window was closed"
menu_item c
rate=$(e2e_window '^Rate$')
display "$rate" reopened
differ result reopened && fail "the result was not kept over closing and reopening"

# Same for the speed window, left idle.
"$wmclose" "$speed"
sleep 0.5
visible '^Speed$' && fail "the close box did not hide the speed window"
menu_item e
e2e_window '^Speed$' >/dev/null

if [ -n "${CFX_E2E_SHOTS:-}" ]; then
    mkdir -p "$CFX_E2E_SHOTS"
    cp "$E2E_TMP"/*.png "$CFX_E2E_SHOTS"/
fi
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "measure windows e2e: ok"
