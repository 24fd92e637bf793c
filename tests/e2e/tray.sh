#!/usr/bin/env bash
# The real program under Xvfb with trayer as the notification area, started after the program:
# without a tray "Minimize to Tray" does nothing; with it the panel hides behind the icon, the
# hotkeys start the clock and take a reading while it is there, a double-click on the icon restores
# it, the Menu hotkey shows the whole menu with only Restore usable, a tray that goes away gives
# the panel back, a right-click shows the short menu and its Exit ends the program and takes the
# icon away.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_all_hotkeys

e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')

options_menu() {
    eval "$(xdotool getwindowgeometry --shell "$panel")"
    xdotool mousemove $((X + WIDTH - 25)) $((Y + HEIGHT - 22)) click 1
    sleep 0.4
}
minimize_keys() {
    options_menu
    xdotool key y
    sleep 0.3
    xdotool key m
    sleep 0.6
}
# The icon: the program's window inside the tray host; prints its centre.
icon_centre() {
    local line
    line=$(xwininfo -root -tree | grep '("chronofex" "Chronofex")' | grep -E ' 2[0-9]x[0-9]+\+0\+0 ' |
        head -1) || true
    [ -n "$line" ] || return 1
    local abs w h
    abs=$(echo "$line" | grep -oE '\+[0-9]+\+[0-9]+$')
    w=$(echo "$line" | grep -oE ' [0-9]+x[0-9]+\+0\+0' | cut -dx -f1 | tr -d ' ')
    h=$(echo "$line" | grep -oE 'x[0-9]+\+0\+0' | cut -dx -f2 | cut -d+ -f1)
    echo "$(($(echo "$abs" | cut -d+ -f2) + w / 2)) $(($(echo "$abs" | cut -d+ -f3) + h / 2))"
}
start_tray() {
    trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
        >/dev/null 2>&1 &
    TRAY_PID=$!
    E2E_PIDS+=($TRAY_PID)
    sleep 3 # the program looks for a notification area every two seconds
}

# No notification area yet: the item is disabled and the panel stays.
minimize_keys
xdotool key Escape Escape Escape
sleep 0.3
e2e_viewable "$panel" || fail "the panel was hidden although there is no notification area"

start_tray
minimize_keys
e2e_viewable "$panel" && fail "Minimize to Tray did not hide the panel"
for _ in $(seq 30); do icon_centre >/dev/null && break; sleep 0.1; done
read -r ix iy < <(icon_centre) || fail "no icon in the notification area"

# Start and a reading from the hotkeys while the panel is hidden.
expect caption Start
expect readings 0
xdotool key ctrl+F5
expect caption Stop
xdotool key ctrl+F6
expect stamp 1
expect readings 1
e2e_viewable "$panel" && fail "a hotkey brought the panel back"

xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
sleep 0.6
e2e_viewable "$panel" || fail "a double-click on the icon did not restore the panel"
icon_centre >/dev/null && fail "the icon stayed after the panel was restored"
expect caption Stop
[ "$(field time)" != "00:00:00:00" ] || fail "the clock did not run while the panel was in the tray"

# The Menu hotkey in the tray: the whole menu, where Minimize does nothing and Restore restores.
minimize_keys
e2e_viewable "$panel" && fail "Minimize to Tray did not hide the panel again"
xdotool mousemove 600 500 key ctrl+F8
sleep 0.5
menu_h=""
for w in $(xdotool search --onlyvisible --class chronofex 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -gt 60 ] && menu_h=$HEIGHT
done
[ -n "$menu_h" ] && [ "$menu_h" -gt 200 ] || fail "the Menu hotkey did not show the whole menu"
xdotool key y
sleep 0.3
xdotool key m
sleep 0.5
e2e_viewable "$panel" && fail "Minimize to Tray was usable from the tray"
xdotool key Escape
sleep 0.3
xdotool key Escape
sleep 1
xdotool key ctrl+F8
sleep 0.5
xdotool key y
sleep 0.3
xdotool key e
sleep 0.6
e2e_viewable "$panel" || fail "Restore from Tray in the Menu hotkey's menu did not restore the panel"
icon_centre >/dev/null && fail "the icon stayed after Restore from Tray"

# The notification area goes away while the panel is in it: the panel comes back.
minimize_keys
e2e_viewable "$panel" && fail "the second Minimize to Tray did not hide the panel"
kill "$TRAY_PID"
for _ in $(seq 40); do e2e_viewable "$panel" && break; sleep 0.1; done
e2e_viewable "$panel" || fail "the panel stayed hidden after the notification area went away"

start_tray
minimize_keys
read -r ix iy < <(icon_centre) || fail "no icon after the notification area came back"

# Right-click: the short menu, a small pop-up of two items and a separator.
xdotool mousemove "$ix" "$iy" click 3
sleep 0.6
menu_h=""
for w in $(xdotool search --onlyvisible --class chronofex 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -gt 60 ] && [ "$HEIGHT" -lt 200 ] && menu_h=$HEIGHT
done
[ -n "$menu_h" ] || fail "the right-click menu did not open"
[ "$menu_h" -lt 80 ] || fail "the right-click menu is $menu_h pixels high, not the short menu"

xdotool key x
for _ in $(seq 50); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$APP_PID" 2>/dev/null && fail "Exit from the tray menu did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
icon_centre >/dev/null && fail "the icon stayed after Exit"
e2e_no_output
echo "tray e2e: ok"
