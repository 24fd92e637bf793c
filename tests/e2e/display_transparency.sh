#!/usr/bin/env bash
# The real program under Xvfb: without a compositor the display's menu does not offer
# "Display Transparency..."; once a compositor announces itself (after the program started, as
# on a desktop whose compositor comes up late) it does, the dialog opens, and its slider sets the
# display's window opacity (60 of 255 at the far left, fully opaque at the right).
# Usage: display_transparency.sh CHRONOFEX CM_OWNER
source "$(dirname "$0")/lib.sh"
exe=$1
cm_owner=$2

e2e_start_x
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
display=$(e2e_window '^Chronofex Display$')

# right_click_display: the display's menu, opened with a right-click on the display (anywhere on
# it: the menu belongs to the whole window).
right_click_display() {
    eval "$(xdotool getwindowgeometry --shell "$display")"
    xdotool mousemove $((X + 30)) $((Y + 30)) click 3
    e2e_wait_until e2e_menu_shown "$panel" || fail "a right-click on the display showed no menu"
}
# The display's right-click menu; prints how high it is and closes it again.
menu_items() {
    local X Y WIDTH HEIGHT SCREEN WINDOW
    right_click_display
    eval "$(xdotool getwindowgeometry --shell "$(e2e_popups "$panel" | head -1)")"
    echo "$HEIGHT"
    xdotool key Escape
    e2e_wait_until e2e_not e2e_menu_shown "$panel" || fail "Escape did not close the display's menu"
}
without=$(menu_items)

"$cm_owner" >"$E2E_TMP/cm.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_until grep -q ready "$E2E_TMP/cm.log" || fail "the stand-in compositor did not start"
with=$(menu_items)
[ "$with" -gt "$without" ] ||
    fail "the menu did not grow by the transparency item once a compositor ran ($without, $with px)"

opacity() { # the display's _NET_WM_WINDOW_OPACITY, or "none"
    xprop -id "$display" _NET_WM_WINDOW_OPACITY | sed -n 's/.* = \([0-9]*\)$/\1/p' | grep . || echo none
}
opaque() { case "$(opacity)" in none | 4294967295) return 0 ;; *) return 1 ;; esac; }
opaque || fail "the display is not opaque at start: $(opacity)"

# Right-click the display; the last item of its menu is the transparency dialog.
right_click_display
xdotool key Up Return
dialog=$(e2e_window '^Chronofex - Display Transparency$')
xdotool windowfocus --sync "$dialog"

xdotool key Home
e2e_wait_until e2e_not opaque || true
want=$((4294967295 * 60 / 255))
got=$(opacity)
opaque && fail "the slider's far left end did not make the display see-through"
diff=$((got - want))
[ "${diff#-}" -lt $((4294967295 / 200)) ] || fail "opacity $got, expected about $want (60 of 255)"

xdotool key End
e2e_wait_until opaque || fail "the slider's right end did not make the display opaque: $(opacity)"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "display transparency e2e: ok"
