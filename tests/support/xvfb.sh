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

# A stacking window manager that follows the freedesktop hints, on the display of own_display;
# returns once it manages the screen.
start_window_manager() {
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  local i
  for i in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "openbox did not start"; cat "$WORK/openbox.log"; return 1
}

# A headless Wayland compositor with its desktop shell, in place of the X server: the program then
# runs as a Wayland client. The compositor takes no pointer input, so scenarios act through the
# accessibility bus.
start_wayland() {
  stop_xvfb
  unset DISPLAY
  weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
    --socket=wayland-capacita >"$WORK/weston.log" 2>&1 &
  WM_PID=$!
  local i
  for i in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/wayland-capacita" ] && break
    sleep 0.1
  done
  [ -S "$XDG_RUNTIME_DIR/wayland-capacita" ] || { echo "weston did not start"; cat "$WORK/weston.log"; return 1; }
  export WAYLAND_DISPLAY=wayland-capacita QT_QPA_PLATFORM=wayland
}

finish_own_display() {
  if [ -n "${PROGRAM_PID:-}" ]; then
    kill "$PROGRAM_PID" 2>/dev/null || true
  fi
  if [ -n "${WM_PID:-}" ]; then
    kill "$WM_PID" 2>/dev/null || true
    wait "$WM_PID" 2>/dev/null || true
  fi
  stop_xvfb
  chmod -R u+w "$WORK" 2>/dev/null || true
  rm -rf "$WORK"
}

own_display() {
  WORK=$(mktemp -d)
  PROGRAM_PID=
  XVFB_PID=
  WM_PID=
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
