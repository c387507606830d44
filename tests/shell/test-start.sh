#!/usr/bin/env bash
# The program takes no command line and writes no files: started with stray arguments (Qt's own
# options among them) and a home it may not write to, or an empty one it could write to, it opens
# its main menu as always, leaves the home as it was, and ends with 0 from its "E S C I" button.
set -euo pipefail
program=$1
. "$(dirname "$0")/../support/xvfb.sh"
own_display

in_home() {
  local home=$1
  shift
  exec env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_CACHE_HOME="$home/.cache" \
      XDG_DATA_HOME="$home/.local/share" "$program" "$@"
}

mkdir "$WORK/readonly" "$WORK/empty"
chmod 555 "$WORK/readonly"
start_and_end_from_esci in_home "$WORK/readonly" --help -platform offscreen -style fusion stray "argument with blanks" ''
start_and_end_from_esci in_home "$WORK/empty" -reverse --geometry=10x10 -- x
[ -z "$(ls -A "$WORK/empty")" ] || { echo "the program wrote into its home:"; find "$WORK/empty"; exit 1; }
echo "stray arguments and homes: started, ended with 0, nothing written"
