#!/usr/bin/env bash
# The close boxes, as a window manager delivers them: the report, rate and speed windows hide and
# their menu items are cleared (so the menu shows them again), the large display refuses to
# close, and the panel's close box ends the program cleanly, printing nothing.
# Usage: close_boxes.sh CHRONOFEX CFX_WM_CLOSE
source "$(dirname "$0")/lib.sh"
exe=$1
wm_close=$2

hidden() { ! e2e_viewable "$1"; }
# The options menu's item by its mnemonic; a key sent before the menu is open is lost, so the
# menu is opened again until the window is visible.
show_from_menu() {
    local key=$1 title=$2 id _
    for _ in 1 2 3; do
        eval "$(xdotool getwindowgeometry --shell "$panel")"
        xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 22)) click 1
        sleep 0.5
        xdotool key "$key"
        for _ in $(seq 30); do
            id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1) || true
            [ -n "$id" ] && { echo "$id"; return 0; }
            sleep 0.1
        done
        xdotool key Escape
    done
    fail "the options menu did not show '$title'"
}

e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
display=$(e2e_window '^Chronofex Display$')

for pair in "p:^Chronofex - Report[*]?$" "c:^Rate$" "e:^Speed$"; do
    key=${pair%%:*}
    title=${pair#*:}
    window=$(show_from_menu "$key" "$title")
    "$wm_close" "$window" || fail "could not send the close message to '$title'"
    e2e_wait_until hidden "$window" || fail "the close box did not hide '$title'"
    kill -0 "$APP_PID" 2>/dev/null || fail "closing '$title' ended the program"
    # Its menu item was cleared: the same item shows the window again.
    window=$(show_from_menu "$key" "$title")
    "$wm_close" "$window"
    e2e_wait_until hidden "$window" || fail "the second close did not hide '$title'"
done

"$wm_close" "$display"
sleep 0.5
e2e_viewable "$display" || fail "the large display closed"

"$wm_close" "$panel"
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "the panel's close box did not end the program"
wait "$APP_PID" || fail "the program ended with status $?"
e2e_no_output
echo "close boxes e2e: ok"
