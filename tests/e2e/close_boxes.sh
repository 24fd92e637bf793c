#!/usr/bin/env bash
# The close boxes, as a window manager delivers them: the report, rate and speed windows hide and
# their menu items are cleared (so the menu shows them again), the large display refuses to
# close, and the panel's close box ends the program cleanly, printing nothing.
# Usage: close_boxes.sh CHRONOFEX CFX_WM_CLOSE
source "$(dirname "$0")/lib.sh"
exe=$1
wm_close=$2

hidden() { ! e2e_viewable "$1"; }
# The options menu's item by its mnemonic, once the menu shows (a key sent before it is lost).
show_from_menu() {
    e2e_options_menu "$panel"
    xdotool key "$1"
    e2e_window "$2"
}

e2e_start_x
e2e_start_accessibility
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

# The report's close box after the display's: the messages come in order, so once the report
# is hidden the display's has been handled.
report=$(show_from_menu p '^Chronofex - Report[*]?$')
"$wm_close" "$display"
"$wm_close" "$report"
e2e_wait_until hidden "$report" || fail "the close box did not hide the report"
e2e_viewable "$display" || fail "the large display closed"

"$wm_close" "$panel"
e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "the panel's close box did not end the program"
wait "$APP_PID" || fail "the program ended with status $?"
e2e_no_output
echo "close boxes e2e: ok"
