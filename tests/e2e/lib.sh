# Shared pieces of the end-to-end tests: an own X server, a temporary data folder, the real
# program, and clean-up on exit. Source it, then call e2e_start_x and e2e_start_app.
set -euo pipefail

# This folder, whatever folder a test moves to.
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

E2E_TMP=$(mktemp -d /tmp/cfx-e2e.XXXXXX)
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export HOME="$E2E_TMP/home"
# Settings are remembered in the user's configuration folder: each test starts with none.
export XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$HOME"
DATA_DIR="$E2E_TMP/data"
mkdir -p "$DATA_DIR"
E2E_PIDS=()
APP_LOG="$E2E_TMP/app.log"
PORTAL_LOG="$E2E_TMP/portal.log"
# The tests run an X11 session of their own, whatever session starts them.
unset WAYLAND_DISPLAY XDG_SESSION_TYPE CHRONOFEX_HOTKEYS XDG_CURRENT_DESKTOP

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    # What has not ended within the wait is killed.
    for pid in "${E2E_PIDS[@]}"; do
        e2e_wait_until e2e_not e2e_alive "$pid" || kill -9 "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    # A picture of the screen at the failure, when asked for one.
    [ -n "${E2E_SHOT:-}" ] && import -window root "$E2E_SHOT" 2>/dev/null
    [ -f "$APP_LOG" ] && { echo "--- program output:" >&2; cat "$APP_LOG" >&2; }
    exit 1
}

# e2e_start_x [WIDTHxHEIGHT]: starts Xvfb (1280x1024 unless told) on a free display number and
# exports DISPLAY. The server picks the number itself (-displayfd) under its own lock, so tests
# running side by side never share a server.
e2e_start_x() {
    local numfile="$E2E_TMP/display.num"
    # -noreset: without it the server restarts when xdpyinfo (its only client) leaves, and a
    # program connecting during that restart fails.
    Xvfb -displayfd 7 -screen 0 "${1:-1280x1024}x24" -nolisten tcp -noreset 7>"$numfile" \
        >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do
        if [ -s "$numfile" ]; then
            export DISPLAY=":$(tr -d '[:space:]' <"$numfile")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.1
    done
    fail "no X server could be started"
}

# e2e_start_app EXE [ARGS...]: starts the program with the temporary data folder.
e2e_start_app() {
    local exe=$1
    shift
    "$exe" --data-dir "$DATA_DIR" --no-splash "$@" >"$APP_LOG" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
}

# e2e_window TITLE-REGEX: waits for a visible window with that title and prints its id. The wait
# is generous because a loaded machine can take many seconds to start the program.
e2e_window() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "window '$1' did not appear"
}

# e2e_options_menu PANEL: clicks the panel's options button and waits for its menu.
e2e_options_menu() {
    e2e_click "Options menu" Chronofex
    e2e_wait_until e2e_menu_shown "$1" || fail "the options button did not open the menu"
}

# e2e_open_report PANEL: opens the report from the panel's options button (the Report item) and
# prints the report window's id.
e2e_open_report() {
    e2e_options_menu "$1"
    xdotool key p
    e2e_window '^Chronofex - Report[*]?$'
}

# e2e_comment_and_exclude_newest TEXT: in the report, typed into the comment box and added with
# Return to the newest reading (the one the report shows), which is then excluded.
e2e_comment_and_exclude_newest() {
    local report="Chronofex - Report"
    e2e_click Comment "$report"
    xdotool key ctrl+a
    xdotool type "$1"
    xdotool key Return
    _e2e_newest_comment() { [ "$(a11y column "$report" Comment | tail -n 1)" = "$1" ]; }
    e2e_wait_until _e2e_newest_comment "$1" ||
        fail "the comment is not on the newest reading: $(a11y column "$report" Comment)"
    e2e_click Exclude "$report"
    # Excluded, the button offers to include it again.
    e2e_wait_until a11y extents Include "$report" >/dev/null || fail "Exclude did not exclude it"
}

# e2e_write_text_report [BUTTON WINDOW]: the report's Write to Text File & Clear (named so in
# another language); both files are written anew, in full once the readings are cleared.
e2e_write_text_report() {
    rm -f "$DATA_DIR/CFXRawCSV.txt" "$DATA_DIR/CFXReport.txt"
    e2e_click "${1:-Write to Text File & Clear}" "${2:-Chronofex - Report}"
    e2e_wait_until test -e "$DATA_DIR/CFXRawCSV.txt" || fail "CFXRawCSV.txt was not written"
    e2e_wait_until test -e "$DATA_DIR/CFXReport.txt" || fail "CFXReport.txt was not written"
    expect readings 0
}

# e2e_panel: waits for the panel, a shown window called Chronofex that is no dialog (a restore
# question, asked before the panel shows, is one), and prints its id.
e2e_panel() {
    local id
    e2e_window '^Chronofex$' >/dev/null
    _e2e_panel_id() {
        for id in $(xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null); do
            xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q DIALOG || { echo "$id"; return 0; }
        done
        return 1
    }
    e2e_wait_until _e2e_panel_id >/dev/null || fail "no panel shown"
    _e2e_panel_id
}

# e2e_no_question MESSAGE: a start that offers nothing back. The question, a dialog, comes before
# the panel shows; once the panel shows, the one window called "Chronofex" is the panel. Sets
# panel to its id.
e2e_no_question() {
    panel=$(e2e_panel) || fail "$1"
    [ "$(xdotool search --onlyvisible --name '^Chronofex$' | wc -l)" -eq 1 ] || fail "$1"
}

# e2e_copy_message TITLE PATTERN: in the message box with that title, the text (found on the
# accessibility bus) clicked, selected and copied until the clipboard holds the pattern (the
# first keys may come before the click has put the focus in the text); the copy is left in
# $E2E_TMP/message.txt. False when it never does.
e2e_copy_message() {
    e2e_click '*' "$1" label
    _e2e_copied() {
        xdotool key ctrl+a ctrl+c
        xclip -o -selection clipboard >"$E2E_TMP/message.txt" 2>/dev/null &&
            grep -q "$1" "$E2E_TMP/message.txt"
    }
    e2e_wait_until _e2e_copied "$2"
}

# e2e_no_output: the program printed nothing (no warnings, no noise).
e2e_no_output() {
    [ ! -s "$APP_LOG" ] || fail "the program printed output"
}

# The program's local socket is in its private folder of the test's own runtime folder: status,
# field and expect ask the running program what its panel shows.
# "caption=Stop time=... snap=1 reset=1 ..." or "none".
status() {
    # Debian's own interpreter: it starts at once, where a shim in PATH may take a second.
    /usr/bin/python3 - "$XDG_RUNTIME_DIR/chronofex" <<'PY'
import glob, socket, sys
# The one that answers: a killed program leaves its socket behind.
for path in glob.glob(sys.argv[1] + "/chronofex-*"):
    s = socket.socket(socket.AF_UNIX)
    s.settimeout(5)
    try:
        s.connect(path)
    except OSError:
        continue
    s.sendall(b"status\n")
    print(s.makefile().readline().strip())
    sys.exit(0)
print("none")
PY
}
field() { status | tr ' ' '\n' | sed -n "s/^$1=//p"; }
# shows FIELD VALUE: the panel shows it now.
shows() { [ "$(field "$1")" = "$2" ]; }
# expect FIELD VALUE: waits for the panel to show it.
expect() { e2e_wait_until shows "$1" "$2" || fail "expected $1=$2, the panel shows: $(status)"; }

# A hotkey file with Start/Stop Ctrl+F5, Snap Ctrl+F6, Reset Ctrl+F7, Menu Ctrl+F8, all enabled.
e2e_all_hotkeys() {
    printf '2\r\n116\r\n1\r\n2\r\n117\r\n1\r\n2\r\n118\r\n1\r\n2\r\n119\r\n1\r\n' \
        >"$DATA_DIR/hotkeysetup.txt"
}

# e2e_four_readings: with the panel focused, from the keyboard: start, three snaps, stop, and the
# one snap the stopped clock allows (an "S" reading). Each key is seen to act before the next.
e2e_four_readings() {
    local n
    xdotool key space
    expect caption Stop
    for n in 1 2 3; do
        xdotool key Return
        expect readings $n
    done
    xdotool key space
    expect caption Start
    xdotool key Return
    expect readings 4
}

# e2e_viewable WINDOW-ID: the window is mapped and can be seen.
e2e_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

# e2e_wait_until COMMAND [ARGS...]: runs the command every tenth of a second until it succeeds;
# false after five seconds.
e2e_wait_until() {
    local _
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# e2e_not COMMAND [ARGS...]: succeeds when the command fails, for e2e_wait_until (a window gone,
# a program ended).
e2e_not() { ! "$@"; }

# e2e_alive PID: the process runs (an ended child of the script that is not yet waited for, a
# zombie, does not).
e2e_alive() { ps -o stat= -p "$1" 2>/dev/null | grep -q '^[^Z]'; }

# e2e_start_accessibility [--desktop]: starts a session bus (as e2e_start_bus) and the
# accessibility bus, and has Qt programs started afterwards put their widgets on it whether or not
# a screen reader runs. Call after e2e_start_x.
e2e_start_accessibility() {
    e2e_start_bus "$@"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    # Debian's own interpreter, which has the pyatspi bindings.
    A11Y_PYTHON=/usr/bin/python3
    e2e_wait_until "$A11Y_PYTHON" -c 'import pyatspi; pyatspi.Registry.getDesktop(0)' \
        2>/dev/null || fail "the accessibility bus did not start"
}

# a11y COMMAND [ARGS...]: reads the running program through the accessibility bus (see a11y.py).
a11y() { "$A11Y_PYTHON" "$E2E_DIR/a11y.py" "$@"; }

# e2e_popups PANEL-ID: the ids of the program's shown pop-up menus, the top one first. Screen
# readers hear of pop-ups through focus events, not in the tree of windows. Only the screen's own
# windows count (the tray icon, also called Chronofex, lives inside the tray host's window), and
# tooltips, also called so, are no menus.
e2e_popups() {
    local id
    for id in $(xwininfo -root -children | awk '$2 == "\"Chronofex\":" {print $1}'); do
        [ $((id)) -ne "$1" ] && e2e_viewable "$id" &&
            ! xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && echo "$id"
    done
    return 0
}
# e2e_menu_shown PANEL-ID [COUNT]: the options menu, a pop-up window beside the panel, is shown;
# with COUNT, that many pop-ups at least (a submenu open beside it).
e2e_menu_shown() { [ "$(e2e_popups "$1" | wc -l)" -ge "${2:-1}" ]; }

# e2e_menu_keys PANEL-ID KEY...: with the options menu open, its items by their keys; a key that
# opens a submenu is followed by the next once the submenu shows.
e2e_menu_keys() {
    local panel=$1 shown=1 key
    xdotool key "$2"
    shift 2
    for key in "$@"; do
        shown=$((shown + 1))
        e2e_wait_until e2e_menu_shown "$panel" "$shown" || fail "no submenu opened in the menu"
        xdotool key "$key"
    done
}

# e2e_point_at NAME [WINDOW-TITLE [ROLE]]: moves the pointer to the middle of the showing control
# with that accessible name (in the window with that title, of that role), waiting for it to be
# on the accessibility bus. For the controls a test works, wherever the layout puts them.
e2e_point_at() {
    local x y w h
    [ -n "${A11Y_PYTHON:-}" ] || fail "e2e_point_at needs e2e_start_accessibility"
    e2e_wait_until _e2e_extents "$@" ||
        fail "no control '$1'${2:+ in '$2'} on the accessibility bus; the window shows:" \
            "$(a11y names "${2:-Chronofex}" 2>&1 | tr '\t\n' ': ')"
    read -r x y w h <<<"$E2E_EXTENTS"
    xdotool mousemove $((x + w / 2)) $((y + h / 2))
}
_e2e_extents() { E2E_EXTENTS=$(a11y extents "$@" 2>/dev/null); }
# e2e_click NAME [WINDOW-TITLE [ROLE]]: a left click on that control.
e2e_click() {
    e2e_point_at "$@"
    xdotool click 1
}

# e2e_start_bus [--desktop]: a private session bus, exported as DBUS_SESSION_BUS_ADDRESS. It
# starts no services on demand: its only service folder is an empty one of the test's own, so no
# desktop portal installed on the machine answers there. With --desktop it starts the system's
# services on demand as a desktop's session bus does (the real global-shortcuts portal).
e2e_start_bus() {
    local address="$E2E_TMP/bus.address" services="<servicedir>$E2E_TMP/no-services</servicedir>"
    mkdir -p "$E2E_TMP/no-services"
    [ "${1:-}" = --desktop ] && services="<standard_session_servicedirs/>"
    cat >"$E2E_TMP/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$E2E_TMP</listen>
  <auth>EXTERNAL</auth>
  $services
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --print-address=8 8>"$address" \
        2>"$E2E_TMP/bus.log" &
    E2E_PIDS+=($!)
    e2e_wait_until test -s "$address" || fail "no session bus could be started"
    DBUS_SESSION_BUS_ADDRESS=$(head -1 "$address")
    export DBUS_SESSION_BUS_ADDRESS
}

# e2e_start_portal [--refuse TRIGGER]...: the stand-in global-shortcuts portal on the session
# bus, logging what the program binds to $PORTAL_LOG (see portal_standin.py).
e2e_start_portal() {
    : >"$PORTAL_LOG"
    /usr/bin/python3 "$E2E_DIR/portal_standin.py" "$PORTAL_LOG" "$@" &
    PORTAL_PID=$!
    E2E_PIDS+=($PORTAL_PID)
    e2e_wait_until grep -q '^ready$' "$PORTAL_LOG" || fail "the stand-in portal did not start"
}

# portal METHOD [STRING...]: works the stand-in portal (Activate, Deactivate, Press,
# ChangeTrigger with the shortcut ids start-stop, snap, reset, menu).
portal() {
    local method=$1 a args=()
    shift
    for a in "$@"; do args+=("string:$a"); done
    dbus-send --session --print-reply=literal --dest=org.freedesktop.portal.Desktop \
        /org/freedesktop/portal/desktop "org.chronofex.PortalStandIn.$method" "${args[@]}" \
        >/dev/null
}

# e2e_selection_owned SELECTION: an X client owns the selection (as a notification area owns
# _NET_SYSTEM_TRAY_S0).
e2e_selection_owned() {
    /usr/bin/python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XGetSelectionOwner.restype = ctypes.c_ulong
display = x.XOpenDisplay(None)
sys.exit(0 if display and x.XGetSelectionOwner(display, x.XInternAtom(display, sys.argv[1].encode(), 0)) else 1)
PY
}

# e2e_start_tray: trayer as the notification area at the top right, its id in TRAY_PID; waits
# until it holds the tray selection, which is what the program asks for before Minimize to Tray.
e2e_start_tray() {
    trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 32 \
        >/dev/null 2>&1 &
    TRAY_PID=$!
    E2E_PIDS+=($TRAY_PID)
    e2e_wait_until e2e_selection_owned _NET_SYSTEM_TRAY_S0 || fail "trayer did not take the tray"
}

# e2e_tray_icon: the program's icon, its window inside the tray host, shown there (the host maps
# it once it has taken it in); prints its centre and its window id.
e2e_tray_icon() {
    local line id abs w h
    line=$(xwininfo -root -tree | grep '("chronofex" "Chronofex")' | grep -E ' 2[0-9]x[0-9]+\+0\+0 ' |
        head -1) || true
    id=$(echo "$line" | awk '{print $1}')
    [ -n "$id" ] && e2e_viewable "$id" || return 1
    abs=$(echo "$line" | grep -oE '\+[0-9]+\+[0-9]+$')
    w=$(echo "$line" | grep -oE ' [0-9]+x[0-9]+\+0\+0' | cut -dx -f1 | tr -d ' ')
    h=$(echo "$line" | grep -oE 'x[0-9]+\+0\+0' | cut -dx -f2 | cut -d+ -f1)
    echo "$(($(echo "$abs" | cut -d+ -f2) + w / 2)) $(($(echo "$abs" | cut -d+ -f3) + h / 2)) $id"
}

# e2e_click_tray_icon CONDITION CLICK...: clicks the tray icon where the host put it (xdotool
# click arguments) and waits for the condition (a command). The program docks its icon anew when
# it notices a notification area that came (it looks every two seconds), which can take a click
# made just then with the old icon: only then is the new icon clicked again.
e2e_click_tray_icon() {
    local condition=$1 id _
    shift
    for _ in 1 2; do
        e2e_wait_until _e2e_icon_at || fail "no icon in the notification area"
        id=$E2E_ICON_ID
        xdotool mousemove "$E2E_ICON_X" "$E2E_ICON_Y" click "$@"
        e2e_wait_until "$condition" && return 0
        e2e_wait_until _e2e_icon_at || fail "the icon went from the notification area"
        [ "$E2E_ICON_ID" != "$id" ] || return 1
        echo "the icon was docked anew ($id, then $E2E_ICON_ID): clicked again" >&2
    done
    return 1
}
_e2e_icon_at() { read -r E2E_ICON_X E2E_ICON_Y E2E_ICON_ID < <(e2e_tray_icon); }
