# start_display / stop_display: a private Xvfb screen for the Windows-side tests; sourced.
# The screen is large so the driven programs' windows need not lie under the tool's top-most
# main window.
BMT_XVFB_PID=""
start_display() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  BMT_XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || number=""
  rm -f "$fifo"
  if [ -z "$number" ]; then echo "Xvfb did not start" >&2; return 1; fi
  export DISPLAY=":$number"
}
stop_display() {
  [ -n "$BMT_XVFB_PID" ] && kill "$BMT_XVFB_PID" 2>/dev/null && wait "$BMT_XVFB_PID" 2>/dev/null
  BMT_XVFB_PID=""
}

# start_wine / stop_wine: a persistent Wine server for a batch of Windows programs, with Wine's
# own background programs (services, the desktop window) already running. Started here with
# no terminal or pipe attached, they cannot hold open the output pipe of the first test that
# would otherwise start them, which would keep ctest waiting for that test until its timeout.
start_wine() {
  "$BMT_WINESERVER" -p </dev/null >/dev/null 2>&1
  timeout 120 "$BMT_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}
stop_wine() {
  "$BMT_WINESERVER" -k </dev/null >/dev/null 2>&1 || true
}
