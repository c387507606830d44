#!/usr/bin/env bash
# Runs a page scenario with a screen reader: the browser shows the page on an X server and a D-Bus
# session of the scenario's own, under openbox, where Orca reads it (a headless browser gives Orca
# nothing to read). Usage: by-ear.sh SITE_FOLDER SCENARIO ENGINE
set -euo pipefail
if [ -z "${CAPACITA_E2E_BUS:-}" ]; then
  CAPACITA_E2E_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
here=$(dirname "$0")
. "$here/../support/xvfb.sh"
own_display
own_home
start_desktop openbox
/usr/bin/python3 "$here/e2e_web.py" "$@"
