#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every file lands where desktops look
# for it, and that the desktop entry and the AppStream metadata validate.
set -euo pipefail
build=$1
id=org.example.capacita
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/capacita \
         share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png; do
  [ -f "$prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
[ -x "$prefix/bin/capacita" ] || { echo "bin/capacita is not executable"; exit 1; }
file "$prefix/share/icons/hicolor/32x32/apps/$id.png" | grep -q '32 x 32' || { echo "icon is not 32 x 32"; exit 1; }

desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop"
grep -qx 'Categories=Education;Math;' "$prefix/share/applications/$id.desktop"
# The launchers with read-aloud on and with switch scanning on.
grep -qx 'Exec=capacita --voce' "$prefix/share/applications/$id.desktop"
grep -qx 'Exec=capacita --scansione' "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
echo "install: every file in place and valid"
