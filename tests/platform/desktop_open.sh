#!/usr/bin/env bash
# Runs the desktop-open test under its own X server, with a private set of desktop folders in
# which a stand-in application is the default for .docx files; it writes down the file it got.
# Usage: desktop_open.sh TEST_EXECUTABLE
set -euo pipefail
exe=$1
work=$(mktemp -d /tmp/cfx-open.XXXXXX)
trap 'rm -rf "$work"' EXIT
type=application/vnd.openxmlformats-officedocument.wordprocessingml.document

mkdir -p "$work/data/applications" "$work/config" "$work/cache" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/writer.sh" <<SCRIPT
#!/bin/sh
echo "\$1" > "$work/opened.tmp" && mv "$work/opened.tmp" "$work/opened"
SCRIPT
chmod +x "$work/writer.sh"
printf '[Desktop Entry]\nType=Application\nName=Test writer\nExec=%s %%f\nMimeType=%s;\n' \
    "$work/writer.sh" "$type" >"$work/data/applications/cfx-test-writer.desktop"
printf '[Default Applications]\n%s=cfx-test-writer.desktop\n' "$type" >"$work/config/mimeapps.list"

export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config"
export XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"
# The system's MIME database stays visible, so the document's type is recognised.
export XDG_DATA_DIRS="$work/data:/usr/share"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID || true
export CFX_OPENED_MARKER="$work/opened" QT_QPA_PLATFORM=xcb
xvfb-run -a "$exe"
