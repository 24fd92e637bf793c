#!/usr/bin/env bash
# A desktop with no application for .docx files: "Make Word Report" still writes the document
# into the data folder, and a message says where it is (not that Word is missing).
source "$(dirname "$0")/lib.sh"
exe=$1
e2e_start_x
e2e_start_accessibility
# For the program, a private desktop database with no handlers at all (the accessibility bus,
# started above, needs the system's).
export XDG_DATA_HOME="$E2E_TMP/xdg-data" XDG_DATA_DIRS="$E2E_TMP/xdg-data"
export XDG_CONFIG_DIRS="$E2E_TMP/xdg-config"
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_DIRS"
unset XDG_CURRENT_DESKTOP BROWSER
e2e_start_app "$exe"
panel=$(e2e_window '^Chronofex$')
xdotool windowfocus --sync "$panel"
e2e_four_readings
expect readings 4
e2e_open_report "$panel" >/dev/null
e2e_click "Make Word Report" "Chronofex - Report"

e2e_window '^Chronofex Report$' >/dev/null
docs=("$DATA_DIR"/Chronofex\ Report\ *.docx)
[ -f "${docs[0]}" ] || fail "no document in the data folder: $(ls "$DATA_DIR")"
unzip -p "${docs[0]}" word/document.xml | grep -q 'Chronofex Report' || fail "the document is not the report"
said=""
message_read() { said=$(a11y labels 'Chronofex Report' 2>/dev/null | tr '\n' ' ') && [ -n "$said" ]; }
e2e_wait_until message_read || true
case "$said" in
*"${docs[0]}"*) ;;
*) fail "the message does not say where the document is: $said" ;;
esac
case "$said" in *"Please ensure Word"*) fail "the message blames a missing Word: $said" ;; esac
echo "word report without a .docx application: written to ${docs[0]##*/}, and the user told where"
