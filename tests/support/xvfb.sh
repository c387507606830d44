# Sourced by test scripts: starts an X server of the test's own on a free display, exports DISPLAY,
# and leaves its process id in XVFB_PID so that the test ends only what it started (stop_xvfb).
start_xvfb() {
  local dir=$1 i
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
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
