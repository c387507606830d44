#!/usr/bin/env bash
# Runs one end-to-end scenario on an X server and a D-Bus session of its own.
# Usage: run-e2e.sh PROGRAM SCENARIO
set -euo pipefail
here=$(dirname "$0")
. "$here/../support/xvfb.sh"
work=$(mktemp -d)
XVFB_PID=
trap 'stop_xvfb; rm -rf "$work"' EXIT
start_xvfb "$work"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- /usr/bin/python3 "$here/e2e.py" "$1" "$2"
