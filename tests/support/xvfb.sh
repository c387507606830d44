# Sourced by test scripts that need a real display. own_display gives the script a work directory
# (WORK), an X server on a free display (DISPLAY) and a runtime directory of its own; when the
# script exits it ends only what it started: the program in PROGRAM_PID, then the X server.

start_xvfb() {
  local dir=$1 i
  # -noreset: a short-lived client (xprop, xdotool) leaving must not reset the server under the
  # next one connecting.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
  XVFB_PID=$!
  for i in $(seq 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "Xvfb did not start"; cat "$dir/xvfb.log"; return 1; }
  export DISPLAY=:$(head -n 1 "$dir/display")
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# The window manager or compositor of a desktop, on the display of own_display, in the D-Bus
# session the script runs in; returns once it manages the screen. On X11: openbox, kwin (KDE
# Plasma's KWin) or mutter (GNOME's). On Wayland, in place of the X server: weston, kwin-wayland or
# mutter-wayland, headless; the program then runs as a Wayland client, and scenarios act through
# the accessibility bus, since a headless compositor takes no pointer.
start_desktop() {
  # KWin and its shortcut service are Qt programs too: they must not inherit the tests' offscreen
  # platform.
  unset QT_QPA_PLATFORM
  case $1 in
    openbox) start_x11_wm openbox --sm-disable ;;
    kwin)
      # KWin's shortcuts (Alt+Tab among them) live in a service of their own. Started by the bus it
      # would outlive the bus and hold the test's output open; started here, it ends with the test.
      kglobalaccel5 >"$WORK/kglobalaccel.log" 2>&1 &
      DESKTOP_PIDS+=($!)
      gdbus wait --session --timeout 20 org.kde.kglobalaccel
      start_x11_wm kwin_x11 --replace
      # Managing the screen comes before KWin's shortcuts are registered.
      local i
      for i in $(seq 100); do
        gdbus call --session --dest org.kde.kglobalaccel --object-path /kglobalaccel \
          --method org.kde.KGlobalAccel.allMainComponents 2>/dev/null | grep -q "'kwin'" && break
        sleep 0.1
      done ;;
    mutter) start_x11_wm mutter --x11 --replace --sm-disable ;;
    weston)
      start_wayland weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
        --idle-time=0 --socket=wayland-capacita ;;
    kwin-wayland)
      # Debian gives kwin_wayland a file capability, which a sandbox may refuse to start; a plain
      # copy runs the same.
      cp /usr/bin/kwin_wayland "$WORK/kwin_wayland"
      start_wayland "$WORK/kwin_wayland" --virtual --width 1024 --height 768 --no-lockscreen \
        --no-global-shortcuts --socket wayland-capacita ;;
    mutter-wayland)
      start_wayland mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 \
        --wayland-display wayland-capacita ;;
    *) echo "start_desktop: no desktop $1"; return 1 ;;
  esac
}

# Services the desktop starts on the session bus see its display.
share_display_with_bus() {
  dbus-update-activation-environment "$@" >/dev/null 2>&1 || true
}

# A home of the script's own, also for the services of its session bus: desktops and the
# accessibility bus keep settings and caches there, not in the user's home.
own_home() {
  export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_CACHE_HOME=$WORK/home/.cache \
    XDG_DATA_HOME=$WORK/home/.local/share
  mkdir -p "$HOME"
  share_display_with_bus HOME XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_RUNTIME_DIR
}

start_x11_wm() {
  share_display_with_bus DISPLAY
  "$@" >"$WORK/desktop.log" 2>&1 &
  DESKTOP_PIDS+=($!)
  local i
  for i in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "$1 did not start"; cat "$WORK/desktop.log"; return 1
}

start_wayland() {
  stop_xvfb
  unset DISPLAY
  "$@" >"$WORK/desktop.log" 2>&1 &
  DESKTOP_PIDS+=($!)
  local i
  for i in $(seq 200); do
    [ -S "$XDG_RUNTIME_DIR/wayland-capacita" ] && break
    sleep 0.1
  done
  [ -S "$XDG_RUNTIME_DIR/wayland-capacita" ] || { echo "$1 did not start"; cat "$WORK/desktop.log"; return 1; }
  export WAYLAND_DISPLAY=wayland-capacita QT_QPA_PLATFORM=wayland
}

finish_own_display() {
  if [ -n "${PROGRAM_PID:-}" ]; then
    kill "$PROGRAM_PID" 2>/dev/null || true
  fi
  local pid
  for pid in "${DESKTOP_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  stop_xvfb
  chmod -R u+w "$WORK" 2>/dev/null || true
  rm -rf "$WORK"
}

own_display() {
  WORK=$(mktemp -d)
  PROGRAM_PID=
  XVFB_PID=
  DESKTOP_PIDS=()
  trap finish_own_display EXIT
  # The desktop the tests are started from is not theirs.
  unset WAYLAND_DISPLAY
  start_xvfb "$WORK"
  export XDG_RUNTIME_DIR=$WORK/run
  mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Starts the program with the given command line, waits for its main menu, ends it as a pupil
# would (Tab twice from "IL LITRO E I SUOI MULTIPLI" reaches "E S C I", the space bar presses it)
# and fails unless it ends with 0.
start_and_end_from_esci() {
  "$@" &
  PROGRAM_PID=$!
  local window rc=0
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Gli obiettivi dell'addizione" | head -n 1)
  [ -n "$window" ] || { echo "no main menu appeared: $*"; return 1; }
  xdotool windowfocus --sync "$window"
  xdotool key --window "$window" Tab Tab space
  timeout 20 tail --pid="$PROGRAM_PID" -f /dev/null || { echo "the program did not end: $*"; return 1; }
  wait "$PROGRAM_PID" || rc=$?
  PROGRAM_PID=
  [ "$rc" -eq 0 ] || { echo "the program ended with $rc: $*"; return 1; }
}
