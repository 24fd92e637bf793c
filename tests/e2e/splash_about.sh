#!/usr/bin/env bash
# The real program under Xvfb with its splash: the splash is cut to its picture (the corners show
# the desktop behind it), the panel follows about four seconds later, and the about window opens
# from the options menu with the same outline. Set CFX_E2E_SHOTS=DIR to keep the screenshots.
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
e2e_start_accessibility
"$exe" --data-dir "$DATA_DIR" >"$APP_LOG" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
started=$(date +%s.%N)

keep() { [ -z "${CFX_E2E_SHOTS:-}" ] || cp "$E2E_TMP/$1" "$CFX_E2E_SHOTS/"; }
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# drawn FILE X Y: a picture of the screen in FILE shows the watch face of the picture whose top
# left corner is at X,Y (the window is found as soon as it is mapped; it may not be painted yet).
drawn() {
    import -window root "$E2E_TMP/$1"
    [ "$(pixel "$E2E_TMP/$1" $(($2 + 99)) $(($3 + 130)))" = "252,252,246" ]
}

# The splash: the one window of the picture's size.
splash=""
for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" = 429 ] && [ "$HEIGHT" = 178 ] && splash=$w && break 2
    done
    sleep 0.1
done
[ -n "$splash" ] || fail "no splash window of the picture's size"
sx=$X
sy=$Y
e2e_wait_until drawn splash.png "$sx" "$sy" || fail "the watch face is not drawn where the picture has it"
keep splash.png
# The root window of Xvfb is black; the picture's key colour is magenta.
[ "$(pixel "$E2E_TMP/splash.png" $((sx + 1)) $((sy + 1)))" = "0,0,0" ] ||
    fail "the splash's top-left corner is not see-through"
[ "$(pixel "$E2E_TMP/splash.png" $((sx + 425)) $((sy + 170)))" = "0,0,0" ] ||
    fail "the splash's bottom-right corner is not see-through"
magenta=$(convert "$E2E_TMP/splash.png" -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
    -format '%[fx:int(mean*w*h)]' info:)
[ "$magenta" = 0 ] || fail "$magenta pixels of the key colour are on the screen"
others=$(xdotool search --onlyvisible --name '^Chronofex$' | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"; [ "$WIDTH" = 429 ] || echo "$w"; done)
# On a loaded machine the checks above can outlast the splash's four seconds; the panel that
# follows it then is no fault.
if [ -n "$others" ] && awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { exit !(b - a < 3.5) }'; then
    fail "another window showed during the splash"
fi

# The panel about four seconds after the start, and the splash gone.
panel=$(e2e_window '^Chronofex$')
while eval "$(xdotool getwindowgeometry --shell "$panel")"; [ "$WIDTH" = 429 ]; do
    sleep 0.05
    panel=$(xdotool search --onlyvisible --name '^Chronofex$' | tail -1)
done
elapsed=$(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
echo "panel shown after ${elapsed}s"
awk -v e="$elapsed" 'BEGIN { exit !(e >= 3.9 && e < 7) }' || fail "panel shown after ${elapsed}s, not about 4s"
e2e_wait_until e2e_not e2e_viewable "$splash" || fail "the splash is still shown"

# The about window from the options menu (the panel's options button, then "&About...").
e2e_options_menu "$panel"
xdotool key a
about=""
for _ in $(seq 50); do
    for w in $(xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$w")"
        [ "$WIDTH" = 429 ] && [ "$HEIGHT" = 178 ] && about=$w && break 2
    done
    sleep 0.1
done
[ -n "$about" ] || fail "the about window did not open"
ax=$X
ay=$Y
xdotool mousemove 0 0
e2e_wait_until drawn about.png "$ax" "$ay" || fail "the about window does not show the watch face"
keep about.png
[ "$(pixel "$E2E_TMP/about.png" $((ax + 1)) $((ay + 1)))" = "0,0,0" ] ||
    fail "the about window's corner is not see-through"

# Dragging by the face moves it by the mouse's displacement (a place on the face, not a control).
xdotool mousemove $((ax + 300)) $((ay + 140)) mousedown 1
xdotool mousemove $((ax + 320)) $((ay + 150))
xdotool mousemove $((ax + 340)) $((ay + 160)) mouseup 1
about_at() {
    eval "$(xdotool getwindowgeometry --shell "$about")"
    [ "$X,$Y" = "$1" ]
}
e2e_wait_until about_at "$((ax + 40)),$((ay + 20))" || fail "dragging moved the about window to $X,$Y"

# A double-click closes it; the program goes on.
xdotool mousemove $((X + 300)) $((Y + 140)) click --repeat 2 --delay 80 1
e2e_wait_until e2e_not e2e_viewable "$about" || fail "a double-click did not close it"
kill -0 "$APP_PID" || fail "the program ended with the about window"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
e2e_no_output

# A second start, its splash closed by a double-click before the four seconds: the program ends
# without ever showing the panel.
"$exe" --data-dir "$DATA_DIR" >"$APP_LOG" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
splash=""
for _ in $(seq 50); do
    splash=$(xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null | head -1) || true
    [ -n "$splash" ] && break
    sleep 0.1
done
[ -n "$splash" ] || fail "the second start showed no splash"
eval "$(xdotool getwindowgeometry --shell "$splash")"
[ "$WIDTH" = 429 ] || fail "the second start did not begin with the splash"
xdotool mousemove $((X + 300)) $((Y + 140)) click --repeat 2 --delay 80 1
e2e_wait_until e2e_not e2e_alive "$APP_PID" || fail "closing the splash early did not end the program"
wait "$APP_PID" || fail "the program ended with an error after the splash was closed"
e2e_no_output
echo "splash and about e2e: ok"
