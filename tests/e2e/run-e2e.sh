#!/usr/bin/env bash
# Runs one end-to-end scenario on an X server and a D-Bus session of its own.
# Usage: run-e2e.sh PROGRAM SCENARIO [openbox]: with openbox, under that window manager.
set -euo pipefail
here=$(dirname "$0")
. "$here/../support/xvfb.sh"
own_display
if [ "${3:-}" = openbox ]; then
  start_window_manager
fi
dbus-run-session -- /usr/bin/python3 "$here/e2e.py" "$1" "$2"
