#!/usr/bin/env bash
# At a scale factor of 2 on a 1600 x 1000 screen every window opened from the keyboard lies on
# the screen and clear of the panel's options button. CFX_SCREENSHOT_DIR, when set, gets a picture
# of the screen with them all open.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x 1600x1000
e2e_start_accessibility
export QT_SCALE_FACTOR=2
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"

# x y width height of a window on the screen, in pixels.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                             /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}'
}
read -r px py _ _ <<<"$(geometry "$panel")"
e2e_wait_until a11y extents "Options menu" >/dev/null || fail "no options button on the bus"
read -r bx by bw bh <<<"$(a11y extents 'Options menu')"
# The bus may give the button in device-independent pixels; the window system in real ones.
if [ "$bx" -lt "$px" ] || [ "$by" -lt "$py" ]; then
    bx=$((bx * 2)) by=$((by * 2)) bw=$((bw * 2)) bh=$((bh * 2))
fi

# open KEY TITLE: the window that the menu item with that key opens.
open() {
    xdotool windowfocus --sync "$panel"
    xdotool key F10
    e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the menu"
    xdotool key "$1"
    e2e_window "$2"
}
check() {
    local id=$1 title=$2 x y w h
    read -r x y w h <<<"$(geometry "$id")"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1600 ] && [ $((y + h)) -le 1000 ] ||
        fail "$title at ${w}x${h}+${x}+${y} is not all on the 1600x1000 screen"
    if [ "$x" -lt $((bx + bw)) ] && [ $((x + w)) -gt "$bx" ] && [ "$y" -lt $((by + bh)) ] &&
        [ $((y + h)) -gt "$by" ]; then
        fail "$title at ${w}x${h}+${x}+${y} covers the options button at ${bw}x${bh}+${bx}+${by}"
    fi
}

check "$(open p '^Chronofex - Report[*]?$')" report
check "$(open c '^Rate$')" rate
check "$(open e '^Speed$')" speed
check "$(open h '^Chronofex - Hotkeys$')" hotkeys
check "$(open t '^Chronofex - Set Time$')" "set time"
if [ -n "${CFX_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$CFX_SCREENSHOT_DIR"
    import -window root "$CFX_SCREENSHOT_DIR/scale2-desktop.png"
fi
echo "scale 2 windows e2e: ok"
