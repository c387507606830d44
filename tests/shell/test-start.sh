#!/usr/bin/env bash
# The program takes no command line and writes no files: started with stray arguments (Qt's own
# options among them) and a home it may not write to, or an empty one it could write to, it opens
# its main menu as always, leaves the home as it was, and ends with 0 from its "E S C I" button.
set -euo pipefail
program=$1
. "$(dirname "$0")/../support/xvfb.sh"
work=$(mktemp -d)
pid=
XVFB_PID=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  stop_xvfb
  chmod -R u+w "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work"

run() {
  local home=$1
  shift
  env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
      XDG_DATA_HOME="$home/.local/share" XDG_RUNTIME_DIR="$work/run" "$program" "$@" &
  pid=$!
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Gli obiettivi dell'addizione" | head -n 1)
  xdotool windowfocus --sync "$window"
  xdotool key --window "$window" Tab Tab space
  timeout 20 tail --pid="$pid" -f /dev/null || { echo "the program did not end ($*)"; exit 1; }
  local rc=0
  wait "$pid" || rc=$?
  pid=
  [ "$rc" -eq 0 ] || { echo "the program ended with $rc ($*)"; exit 1; }
}

mkdir -m 700 "$work/run"
mkdir "$work/readonly" "$work/empty"
chmod 555 "$work/readonly"
run "$work/readonly" --help -platform offscreen -style fusion stray "argument with blanks" ''
run "$work/empty" -reverse --geometry=10x10 -- x
[ -z "$(ls -A "$work/empty")" ] || { echo "the program wrote into its home:"; find "$work/empty"; exit 1; }
echo "stray arguments and homes: started, ended with 0, nothing written"
