#!/usr/bin/env bash
# The real program under Xvfb: the large display sits flush against the panel's right edge, tops
# aligned; it follows the panel when the panel is moved, and its corners are cut round so that
# the desktop shows through them.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
# The bare desktop, to know its colour at any point.
import -window root "$E2E_TMP/desktop.png"
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
display=$(e2e_window '^Chronofex Display$')

geometry() { # prints "X Y WIDTH HEIGHT" of a window
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}
flush() { # succeeds when the display is docked against the panel
    local px py pw ph dx dy dw dh
    read -r px py pw ph <<<"$(geometry "$panel")"
    read -r dx dy dw dh <<<"$(geometry "$display")"
    [ "$dx" -eq $((px + pw)) ] && [ "$dy" -eq "$py" ]
}
wait_flush() {
    for _ in $(seq 30); do flush && return 0; sleep 0.1; done
    return 1
}
pixel() { # pixel IMAGE X Y: the colour at that point as "r,g,b"
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

read -r _ _ dw dh <<<"$(geometry "$display")"
[ "$dw" -eq 253 ] && [ "$dh" -eq 65 ] || fail "display is ${dw}x${dh}, expected 253x65"
wait_flush || fail "display not flush against the panel at start: $(geometry "$panel") / $(geometry "$display")"

xdotool windowmove "$panel" 420 310
wait_flush || fail "display did not follow the moved panel: $(geometry "$panel") / $(geometry "$display")"
read -r px py _ _ <<<"$(geometry "$panel")"
[ "$px" -eq 420 ] && [ "$py" -eq 310 ] || fail "the panel did not move ($px,$py)"
xdotool windowmove "$panel" 30 500
wait_flush || fail "display did not follow the second move"

# Rounded outline: the outermost corner pixels show the desktop, the face is just inside (awaited:
# the display is drawn at its new place).
read -r dx dy dw dh <<<"$(geometry "$display")"
edge_drawn() {
    import -window root "$E2E_TMP/screen.png"
    [ "$(pixel "$E2E_TMP/screen.png" $((dx + 7)) "$dy")" != "$(pixel "$E2E_TMP/desktop.png" $((dx + 7)) "$dy")" ]
}
e2e_wait_until edge_drawn || fail "the display's top edge is missing at ($((dx + 7)),$dy)"
for corner in "$dx $dy" "$((dx + dw - 1)) $dy" "$dx $((dy + dh - 1))" "$((dx + dw - 1)) $((dy + dh - 1))"; do
    read -r x y <<<"$corner"
    want=$(pixel "$E2E_TMP/desktop.png" "$x" "$y")
    got=$(pixel "$E2E_TMP/screen.png" "$x" "$y")
    [ "$got" = "$want" ] || fail "corner ($x,$y) shows $got, not the desktop's $want"
done

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output
echo "display dock e2e: ok"
