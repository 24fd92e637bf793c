#!/usr/bin/env bash
# Prints the time from a global hotkey press to the program having carried it out, under its
# own Xvfb; with --portal through the stand-in global-shortcuts portal on a private session bus;
# with --desktop through the real portal of a Plasma desktop (xdg-desktop-portal, its KDE backend
# and kglobalaccel, started on demand by a private session bus), keys pressed through XTEST.
# Usage: bench/hotkey_latency.sh path/to/bench_hotkey_latency [--portal|--desktop] [PRESSES]
set -euo pipefail
tool=$1
shift
source "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_start_x
mode=()
if [ "${1:-}" = --portal ]; then
    mode=(--portal)
    shift
    e2e_start_bus
    e2e_start_portal
elif [ "${1:-}" = --desktop ]; then
    mode=(--desktop)
    shift
    export XDG_CURRENT_DESKTOP=KDE
    e2e_start_bus --desktop
    # The services the bus started end with it; ended here so that none outlives the run.
    end_services() {
        local name pid
        for name in org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.kde \
            org.kde.kglobalaccel org.freedesktop.portal.Documents \
            org.freedesktop.impl.portal.PermissionStore; do
            pid=$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus \
                /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
                "string:$name" 2>/dev/null | awk '{print $2}') || true
            [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
        done
    }
    trap 'end_services; e2e_cleanup' EXIT
    # Started before the program, as on a running desktop: the KDE backend registers shortcuts
    # with kglobalaccel, and one that is still starting assigns them no keys.
    for name in org.kde.kglobalaccel org.freedesktop.portal.Desktop; do
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.StartServiceByName "string:$name" uint32:0 >/dev/null
    done
fi
"$tool" "${mode[@]}" "${1:-100}"
