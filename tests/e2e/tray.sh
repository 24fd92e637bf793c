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
e2e_start_accessibility
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')

# Minimize to Tray from the options button's menu.
minimize_keys() {
    e2e_options_menu "$panel"
    e2e_menu_keys "$panel" y m
}
hidden() { ! e2e_viewable "$panel"; }
menu_closed() { ! e2e_menu_shown "$panel"; }
# The icon is clicked where the tray host put it.
find_icon() { e2e_wait_until e2e_tray_icon >/dev/null || fail "$1"; }
shown() { e2e_viewable "$panel"; }
icon_gone() { ! e2e_tray_icon >/dev/null; }
# The height of the one pop-up menu shown.
menu_height() {
    local menu X Y WIDTH HEIGHT SCREEN WINDOW
    menu=$(e2e_popups "$panel" | head -1)
    [ -n "$menu" ] || fail "the menu closed at once"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    [ "$WIDTH" -gt 60 ] || fail "the pop-up is only $WIDTH pixels wide, no menu"
    echo "$HEIGHT"
}

# No notification area yet: the item is disabled and the panel stays. The Escapes close the
# menus only after the key that did nothing has been handled.
minimize_keys
xdotool key Escape Escape Escape
e2e_wait_until menu_closed || fail "Escape did not close the options menu"
e2e_viewable "$panel" || fail "the panel was hidden although there is no notification area"

e2e_start_tray
minimize_keys
e2e_wait_until hidden || fail "Minimize to Tray did not hide the panel"
find_icon "no icon in the notification area"

# Start and a reading from the hotkeys while the panel is hidden.
expect caption Start
expect readings 0
xdotool key ctrl+F5
expect caption Stop
xdotool key ctrl+F6
expect stamp 1
expect readings 1
e2e_viewable "$panel" && fail "a hotkey brought the panel back"

e2e_click_tray_icon shown --repeat 2 --delay 80 1 ||
    fail "a double-click on the icon did not restore the panel"
e2e_wait_until icon_gone || fail "the icon stayed after the panel was restored"
expect caption Stop
[ "$(field time)" != "00:00:00:00" ] || fail "the clock did not run while the panel was in the tray"

# The Menu hotkey in the tray: the whole menu, where Minimize does nothing and Restore restores.
minimize_keys
e2e_wait_until hidden || fail "Minimize to Tray did not hide the panel again"
# The pointer away from the panel's place: the menu opens at the pointer.
xdotool mousemove 600 500 key ctrl+F8
e2e_wait_until e2e_menu_shown "$panel" || fail "the Menu hotkey showed no menu"
menu_h=$(menu_height)
[ "$menu_h" -gt 200 ] || fail "the Menu hotkey did not show the whole menu ($menu_h pixels high)"
e2e_menu_keys "$panel" y m
# A usable item would close the menus: after the first Escape, which closes the submenu, the
# whole menu is still there.
xdotool key Escape
e2e_wait_until e2e_not e2e_menu_shown "$panel" 2 || fail "Escape did not close the tray submenu"
e2e_menu_shown "$panel" || fail "Minimize to Tray was usable from the tray (it closed the menu)"
e2e_viewable "$panel" && fail "Minimize to Tray was usable from the tray"
xdotool key Escape
e2e_wait_until menu_closed || fail "Escape did not close the menu"
xdotool key ctrl+F8
e2e_wait_until e2e_menu_shown "$panel" || fail "the Menu hotkey showed no menu the second time"
e2e_menu_keys "$panel" y e
e2e_wait_until e2e_viewable "$panel" ||
    fail "Restore from Tray in the Menu hotkey's menu did not restore the panel"
e2e_wait_until icon_gone || fail "the icon stayed after Restore from Tray"

# The notification area goes away while the panel is in it: the panel comes back.
minimize_keys
e2e_wait_until hidden || fail "the second Minimize to Tray did not hide the panel"
kill "$TRAY_PID"
# The program looks for the notification area every two seconds.
e2e_wait_until e2e_viewable "$panel" ||
    fail "the panel stayed hidden after the notification area went away"

e2e_start_tray
minimize_keys
e2e_wait_until hidden || fail "Minimize to Tray did not hide the panel in the new notification area"
find_icon "no icon after the notification area came back"

# Right-click: the short menu, a small pop-up of two items and a separator.
right_menu() { e2e_menu_shown "$panel"; }
e2e_click_tray_icon right_menu 3 || fail "the right-click menu did not open"
menu_h=$(menu_height)
[ "$menu_h" -lt 80 ] || fail "the right-click menu is $menu_h pixels high, not the short menu"

xdotool key x
e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "Exit from the tray menu did not end the program"
wait "$APP_PID" || fail "the program ended with an error"
e2e_wait_until icon_gone || fail "the icon stayed after Exit"
e2e_no_output
echo "tray e2e: ok"
