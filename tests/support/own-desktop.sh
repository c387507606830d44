#!/usr/bin/env bash
# Runs a command on an X server, a D-Bus session and a home of its own, which end with it; with a
# desktop named (not empty), under that desktop's window manager or on its Wayland compositor (see
# start_desktop in xvfb.sh), named to the command in CAPACITA_DESKTOP.
# Usage: own-desktop.sh DESKTOP COMMAND [ARGUMENT...]
set -euo pipefail
# The desktop and the command share one session bus, which ends with the script.
if [ -z "${CAPACITA_E2E_BUS:-}" ]; then
  CAPACITA_E2E_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
. "$(dirname "$0")/xvfb.sh"
own_display
own_home
export CAPACITA_DESKTOP=$1
shift
if [ -n "$CAPACITA_DESKTOP" ]; then
  start_desktop "$CAPACITA_DESKTOP"
fi
"$@"
