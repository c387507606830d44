#!/usr/bin/env bash
# Builds the Debian package, unpacks it, checks its files and dependencies, and starts the
# packaged program on an X server of its own and ends it from its own "E S C I" button.
set -euo pipefail
build=$1
. "$(dirname "$0")/../support/xvfb.sh"
own_display

(cd "$build" && cpack --config CPackConfig.cmake -B "$WORK/out" >/dev/null)
deb=$(ls "$WORK"/out/capacita_*.deb)
dpkg-deb -x "$deb" "$WORK/root"
for f in usr/bin/capacita usr/share/applications/org.example.capacita.desktop \
         usr/share/metainfo/org.example.capacita.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/org.example.capacita.png; do
  [ -f "$WORK/root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in fonts-liberation2 fonts-dejavu-core libqt6widgets6; do
  echo "$depends" | grep -q "$d" || { echo "the package does not depend on $d: $depends"; exit 1; }
done

recommends=$(dpkg-deb -f "$deb" Recommends)
for r in qt6-speech-speechd-plugin speech-dispatcher-espeak-ng; do
  echo "$recommends" | grep -q "$r" || { echo "the package does not recommend $r: $recommends"; exit 1; }
done

start_and_end_from_esci env -u QT_QPA_PLATFORM "$WORK/root/usr/bin/capacita"
echo "package: files, dependencies, start and end all right"
