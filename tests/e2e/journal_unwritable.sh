#!/usr/bin/env bash
# A data folder that cannot hold the journal: the program says so, keeps working, and loses no
# reading. First the disk fills up (the data folder is a small file system of its own, mounted in
# a private namespace that ends with the program): told once, journaled again in full once there
# is space, told again when it fills up anew. Then a journal cannot even be created (a folder
# stands in its place).
source "$(dirname "$0")/lib.sh"
exe=$1

e2e_start_x
messages() { xdotool search --onlyvisible --name '^Chronofex$' 2>/dev/null | wc -l; }
message_shown() { [ "$(messages)" -ge 2 ]; }
message_closed() { [ "$(messages)" -eq 1 ]; }
expect_message() {
    e2e_wait_until message_shown || fail "no message that readings cannot be journaled"
    local box
    box=$(xdotool search --onlyvisible --name '^Chronofex$' | tail -1)
    xdotool windowfocus --sync "$box" 2>/dev/null || true
    xdotool key Return
    e2e_wait_until message_closed || fail "the message did not close"
}
# remote_snaps N: N snaps over the program's socket, as fast as it takes them.
remote_snaps() {
    python3 - "$XDG_RUNTIME_DIR/chronofex" "$1" <<'PY'
import glob, socket, sys
path = glob.glob(sys.argv[1] + "/chronofex-*")[0]
for _ in range(int(sys.argv[2])):
    s = socket.socket(socket.AF_UNIX)
    s.connect(path)
    s.sendall(b"snap\n")
    s.makefile().readline()
    s.close()
PY
}
# Snaps until the full disk makes the journal fail (a journal's last page takes a few dozen
# lines before a write needs new space).
snap_until_message() {
    for _ in $(seq 40); do
        remote_snaps 10
        message_shown && return 0
    done
    fail "no message that readings cannot be journaled on a full disk"
}
journal_lines() { grep -ac $'^[AS]\t' "$disk/.CFXJournal" || true; }
journal_whole() { [ "$(journal_lines)" -eq "$(field readings)" ]; }

if ! unshare -rm true 2>/dev/null; then
    echo "journal: no private mount namespace here; the full-disk part is left out"
else
    unshare -rm bash -c 'mount -t tmpfs -o size=512k cfx "$1" && shift && exec "$@"' _ \
        "$DATA_DIR" "$exe" --data-dir "$DATA_DIR" --no-splash >"$APP_LOG" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    panel=$(e2e_window '^Chronofex$')
    disk="/proc/$APP_PID/root$DATA_DIR"
    xdotool windowfocus --sync "$panel"
    xdotool key space
    expect caption Stop
    remote_snaps 1
    head -c 1M /dev/zero >"$disk/filler" 2>/dev/null || true
    snap_until_message
    expect_message
    # Said once: more readings, and no second message. A message comes right after the snap that
    # finds out, before a later status query is answered.
    before=$(field readings)
    remote_snaps 5
    expect readings $((before + 5))
    [ "$(messages)" -eq 1 ] || fail "the message came again while the disk stayed full"
    # Space again: the journal is written anew with every reading, those taken meanwhile too.
    rm "$disk/filler"
    e2e_wait_until journal_whole ||
        fail "the journal did not become whole: $(journal_lines) of $(field readings) readings"
    remote_snaps 2
    e2e_wait_until journal_whole || fail "the journal did not go on after it became whole"
    taken=$(field readings)
    crash="$E2E_TMP/crash"
    mkdir "$crash"
    cp "$disk/.CFXJournal" "$crash/"
    # Full again later: told again.
    head -c 1M /dev/zero >"$disk/filler" 2>/dev/null || true
    snap_until_message
    expect_message
    kill -9 "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    # What a crash at the copy left restores every reading.
    saved_dir=$DATA_DIR
    DATA_DIR=$crash
    e2e_start_app "$exe"
    question=$(e2e_window '^Chronofex$')
    xdotool windowfocus --sync "$question" 2>/dev/null || true
    xdotool key Return
    expect readings "$taken"
    kill "$APP_PID"
    wait "$APP_PID" 2>/dev/null || true
    DATA_DIR=$saved_dir
    rm -f "$DATA_DIR/.CFXJournal"
fi

# No journal can be created: said at the start, and the stopwatch works.
mkdir "$DATA_DIR/.CFXJournal"
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
expect_message
xdotool windowfocus --sync "$panel"
xdotool key space
expect caption Stop
xdotool key Return
expect readings 1
echo "journal: a full disk said once and again after it was whole; journaled anew in full;" \
    "no journal possible said at the start; no reading lost"
