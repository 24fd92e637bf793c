#!/usr/bin/env bash
# The real program under Xvfb: Space on the panel starts the clock, and the time display changes
# from one screenshot to the next.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"

shot() { import -window "$panel" -crop 300x50+0+0 "$E2E_TMP/$1.png"; }
differ() { [ "$(compare -metric AE "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" null: 2>&1 || true)" != "0" ]; }

# The window is found as soon as it is mapped; on a loaded machine its first paint may still be
# going on. Once it is drawn, it stays as it is until the clock starts.
# drawn PICTURE: the display, kept as that picture, is the same a moment later.
drawn() {
    shot "$1"
    sleep 0.3
    shot "$1.again"
    ! differ "$1" "$1.again"
}
e2e_wait_until drawn idle || fail "the panel never finished drawing"
# An observation window, not a wait: nothing happens that could be waited for, and what is checked
# is that nothing changes meanwhile.
sleep 0.5
shot idle2
differ idle idle2 && fail "the display changed before the clock was started"

# moved_on PICTURE: the time display differs from that picture now.
moved_on() { shot now && differ "$1" now; }
xdotool key space
expect caption Stop
e2e_wait_until moved_on idle || fail "starting from the keyboard did not change the display"
shot run1
e2e_wait_until moved_on run1 || fail "the time display did not advance while running"

xdotool key space
expect caption Start
e2e_wait_until drawn stop1 || fail "the display kept changing after a stop"
# Again an observation window: the stopped display must not change in it.
sleep 0.5
shot stop2
differ stop1 stop2 && fail "the display kept changing after a stop"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "panel keyboard e2e: ok"
