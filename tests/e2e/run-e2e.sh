#!/usr/bin/env bash
# Runs one end-to-end scenario on an X server and a D-Bus session of its own.
# Usage: run-e2e.sh PROGRAM SCENARIO [DESKTOP]: with DESKTOP, under that desktop's window manager
# or on its Wayland compositor (see start_desktop in tests/support/xvfb.sh).
set -euo pipefail
# The desktop and the scenario share one session bus, which ends with the script.
if [ -z "${CAPACITA_E2E_BUS:-}" ]; then
  CAPACITA_E2E_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
here=$(dirname "$0")
. "$here/../support/xvfb.sh"
own_display
own_home
export CAPACITA_DESKTOP=${3:-}
if [ -n "$CAPACITA_DESKTOP" ]; then
  start_desktop "$CAPACITA_DESKTOP"
fi
/usr/bin/python3 "$here/e2e.py" "$1" "$2"
