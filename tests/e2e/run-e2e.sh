#!/usr/bin/env bash
# Runs one end-to-end scenario on an X server and a D-Bus session of its own.
# Usage: run-e2e.sh PROGRAM SCENARIO [DESKTOP]: with DESKTOP, under that desktop's window manager
# or on its Wayland compositor (see start_desktop in tests/support/xvfb.sh).
set -euo pipefail
here=$(dirname "$0")
exec "$here/../support/own-desktop.sh" "${3:-}" /usr/bin/python3 "$here/e2e.py" "$1" "$2"
