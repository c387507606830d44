# Sourced after tests/support/xvfb.sh's own_display: a Wine prefix of this run's own under WORK,
# with one Wine server kept running and ended, for this prefix only, on exit or when the run moves
# on to another prefix.

# Ends the Wine server of this run's current prefix, never one of a prefix from outside the run.
finish_wine_prefix() {
  if [[ "${WINEPREFIX:-}" == "$WORK"/* ]] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
}

finish_wine() {
  finish_wine_prefix
  finish_own_display
}

# Usage: own_wine_prefix [NAME]: the prefix $WORK/NAME, wine by default.
own_wine_prefix() {
  finish_wine_prefix
  export WINEPREFIX=$WORK/${1:-wine} WINEARCH=win64 WINEDEBUG=-all
  # No desktop entries or icons in the home folder, no downloads of Mono or Gecko, and no D-Bus
  # daemon left behind.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" DBUS_SESSION_BUS_ADDRESS=disabled:
  trap finish_wine EXIT
  wineboot --init >/dev/null 2>&1
  wineserver -w
  # One server for the whole run: otherwise Wine's background services, started by the first
  # program, keep that program's output open and its test waits for them.
  wineserver -p
  # Debian's Wine does not find its own fonts (fonts-wine), Tahoma among them, Windows' dialog
  # face. Installed and registered as Windows has them, so that programs that read the registry
  # for font files (Qt's FreeType engine) find them too.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
  wine reg add "$fonts" /v 'Tahoma (TrueType)' /d tahoma.ttf /f >/dev/null 2>&1
  wine reg add "$fonts" /v 'Tahoma Bold (TrueType)' /d tahomabd.ttf /f >/dev/null 2>&1
}
