#!/usr/bin/env bash
# At a scale factor of 2 on a 1600 x 1000 screen the accessibility bus gives places in the
# screen's own pixels (windows where X has them, a click at a control's place works it), and every
# window opened from the keyboard lies on the screen, where the bus says, and clear of the panel's
# options button. CFX_SCREENSHOT_DIR, when set, gets a picture of the screen with them all open.
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
# near A B: within two pixels (rounding at the scale factor).
near() { [ $(($1 - $2)) -le 2 ] && [ $(($2 - $1)) -le 2 ]; }
# same_place TITLE X-GEOMETRY: the bus has the window with that title where X has it.
same_place() {
    local x y w h bx by bw bh
    read -r x y w h <<<"$2"
    e2e_wait_until a11y window-extents "$1" >/dev/null || fail "'$1' is not on the bus"
    read -r bx by bw bh <<<"$(a11y window-extents "$1")" || fail "'$1' is not on the bus"
    near "$bx" "$x" && near "$by" "$y" && near "$bw" "$w" && near "$bh" "$h" ||
        fail "the bus has '$1' at ${bw}x${bh}+${bx}+${by}, X at ${w}x${h}+${x}+${y}"
}
panel_geometry=$(geometry "$panel")
read -r px py pw ph <<<"$panel_geometry"
e2e_wait_until a11y extents "Options menu" >/dev/null || fail "no options button on the bus"
same_place Chronofex "$panel_geometry"

# control NAME: the control's place from the bus, inside the panel as X has it; sets cx cy to its
# middle.
control() {
    local x y w h
    read -r x y w h <<<"$(a11y extents "$1")" || fail "no '$1' on the bus"
    [ "$x" -ge "$px" ] && [ "$y" -ge "$py" ] && [ $((x + w)) -le $((px + pw)) ] &&
        [ $((y + h)) -le $((py + ph)) ] && [ "$w" -gt 0 ] && [ "$h" -gt 0 ] ||
        fail "the bus has '$1' at ${w}x${h}+${x}+${y}, outside the panel at ${pw}x${ph}+${px}+${py}"
    cx=$((x + w / 2)) cy=$((y + h / 2))
}
# click_control NAME: a click where the bus has the control; what is there is that control.
click_control() {
    control "$1"
    [ "$(a11y at "$cx" "$cy")" = $'push button\t'"$1" ] ||
        fail "at the middle of '$1' ($cx,$cy) the bus has '$(a11y at "$cx" "$cy")'"
    xdotool mousemove "$cx" "$cy" click 1
}
click_control Start
expect caption Stop
click_control Snap
expect readings 1
click_control Stop
expect caption Start

read -r bx by bw bh <<<"$(a11y extents 'Options menu')"

# open KEY TITLE: the window that the menu item with that key opens.
open() {
    xdotool windowfocus --sync "$panel"
    xdotool key F10
    e2e_wait_until e2e_menu_shown "$panel" || fail "F10 did not open the menu"
    xdotool key "$1"
    e2e_window "$2"
}
# check ID TITLE [BUS-TITLE]: the window lies on the screen, clear of the options button, and
# where the bus has the window with that title.
check() {
    local id=$1 title=$2 x y w h
    read -r x y w h <<<"$(geometry "$id")"
    [ -z "${3:-}" ] || same_place "$3" "$x $y $w $h"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1600 ] && [ $((y + h)) -le 1000 ] ||
        fail "$title at ${w}x${h}+${x}+${y} is not all on the 1600x1000 screen"
    if [ "$x" -lt $((bx + bw)) ] && [ $((x + w)) -gt "$bx" ] && [ "$y" -lt $((by + bh)) ] &&
        [ $((y + h)) -gt "$by" ]; then
        fail "$title at ${w}x${h}+${x}+${y} covers the options button at ${bw}x${bh}+${bx}+${by}"
    fi
}

report=$(open p '^Chronofex - Report[*]?$')
check "$report" report "Chronofex - Report"
# The cells of the readings table, which Qt makes without a widget of their own, in the table as
# the bus has it, and the table in the report window as X has it.
read -r rx ry rw rh <<<"$(geometry "$report")"
e2e_wait_until a11y cell-extents "Chronofex - Report" 0 0 >/dev/null || fail "no readings table"
{
    read -r cx cy cw ch
    read -r tx ty tw th
} < <(a11y cell-extents "Chronofex - Report" 0 0)
inside() { [ "$1" -ge "$5" ] && [ "$2" -ge "$6" ] && [ $(($1 + $3)) -le $(($5 + $7)) ] &&
    [ $(($2 + $4)) -le $(($6 + $8)) ] && [ "$3" -gt 0 ] && [ "$4" -gt 0 ]; }
inside "$tx" "$ty" "$tw" "$th" "$rx" "$ry" "$rw" "$rh" ||
    fail "the bus has the table at ${tw}x${th}+${tx}+${ty}, the report is at ${rw}x${rh}+${rx}+${ry}"
inside "$cx" "$cy" "$cw" "$ch" "$tx" "$ty" "$tw" "$th" ||
    fail "the bus has the first cell at ${cw}x${ch}+${cx}+${cy}, the table at ${tw}x${th}+${tx}+${ty}"
check "$(open c '^Rate$')" rate Rate
check "$(open e '^Speed$')" speed Speed
check "$(open h '^Chronofex - Hotkeys$')" hotkeys "Chronofex - Hotkeys"
set_time=$(open t '^Chronofex - Set Time$')
check "$set_time" "set time" "Chronofex - Set Time"
if [ -n "${CFX_SCREENSHOT_DIR:-}" ]; then
    mkdir -p "$CFX_SCREENSHOT_DIR"
    import -window root "$CFX_SCREENSHOT_DIR/scale2-desktop.png"
fi
# Ctrl+Q ends the program with every window's stand-in interface made and given back, and it says
# nothing: a sanitizer build reports a leak or a use after free here.
xdotool windowfocus --sync "$set_time"
xdotool key Escape
e2e_wait_until e2e_not e2e_viewable "$set_time" || fail "Escape did not close the set-time dialog"
xdotool windowfocus --sync "$panel"
xdotool key ctrl+q
e2e_wait_until e2e_not kill -0 "$APP_PID" 2>/dev/null || fail "Ctrl+Q did not end the program"
e2e_no_output
echo "scale 2 windows e2e: ok"
