#!/usr/bin/env bash
# Runs one end-to-end scenario on an X server and a D-Bus session of its own.
# Usage: run-e2e.sh PROGRAM SCENARIO [openbox|wayland]: with openbox, under that window manager;
# with wayland, on a Wayland compositor instead of the X server.
set -euo pipefail
here=$(dirname "$0")
. "$here/../support/xvfb.sh"
own_display
case "${3:-}" in
  openbox) start_window_manager ;;
  wayland) start_wayland ;;
esac
dbus-run-session -- /usr/bin/python3 "$here/e2e.py" "$1" "$2"
