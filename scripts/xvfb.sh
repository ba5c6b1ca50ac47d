# Sourced: start_xvfb starts Xvfb on a display it chooses itself, exports
# DISPLAY and adds the server's pid to the array `pids`, which the caller
# kills on exit.
start_xvfb() {
  local display_file
  display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" 2> /dev/null &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$display_file")"
  rm -f "$display_file"
}
