#!/usr/bin/env bash
# Builds the Debian package, unpacks it, checks its files and dependencies, and starts the
# packaged program on an X server of its own and ends it from its own "E S C I" button.
set -euo pipefail
build=$1
. "$(dirname "$0")/../support/xvfb.sh"
work=$(mktemp -d)
pid=
XVFB_PID=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack --config CPackConfig.cmake -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/capacita_*.deb)
dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/capacita usr/share/applications/org.example.capacita.desktop \
         usr/share/metainfo/org.example.capacita.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/org.example.capacita.png; do
  [ -f "$work/root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-liberation2 libqt6widgets6; do
  echo "$depends" | grep -q "$d" || { echo "the package does not depend on $d: $depends"; exit 1; }
done

# Start the packaged program and end it as a pupil would: Tab twice from "IL LITRO E I SUOI
# MULTIPLI" reaches "E S C I", and the space bar presses it.
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_xvfb "$work"
"$work/root/usr/bin/capacita" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Gli obiettivi dell'addizione" | head -n 1)
xdotool windowfocus --sync "$window"
xdotool key --window "$window" Tab Tab space
rc=0
timeout 20 tail --pid="$pid" -f /dev/null || { echo "the packaged program did not end"; exit 1; }
wait "$pid" || rc=$?
pid=
[ "$rc" -eq 0 ] || { echo "the packaged program ended with $rc"; exit 1; }
echo "package: files, dependencies, start and end all right"
