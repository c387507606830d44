#!/usr/bin/env bash
# The installer end to end, inside the Wine prefix (WINEPREFIX) and on the X server (DISPLAY) that
# scripts/test-windows set up. Usage: e2e-installer.sh INSTALLER PICTURES
set -euo pipefail
exec /usr/bin/python3 "$(dirname "$0")/e2e_installer.py" "$@"
