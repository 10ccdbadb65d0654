# Shell helpers for programs that need an X server of their own: sourced by
# the real-window tests and benchmarks.
#   start_xvfb WIDTHxHEIGHT [Xvfb options...]  starts Xvfb with a 24-bit
#       screen of that size on a display number it finds free itself
#       (-displayfd, so parallel tests never share one), waits until it
#       answers, exports DISPLAY and sets xvfb_pid; status 1 if it did not start.
#   stop_xvfb  ends it.
#   require_x_test_tools PROGRAM...  fails unless Xvfb, xdotool and xwininfo
#       are installed and each PROGRAM has been built.
#   fail MESSAGE  prints "FAIL: MESSAGE" and exits with status 1.

xvfb_pid=""

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

require_x_test_tools() {
  local tool program
  for tool in Xvfb xdotool xwininfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
  for program in "$@"; do
    [ -x "$program" ] || fail "$program has not been built"
  done
}

start_xvfb() {
  local size=$1 number_file display=""
  shift
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp "$@" 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    display=$(head -n 1 "$number_file")
    [ -n "$display" ] && DISPLAY=":$display" xwininfo -root >/dev/null 2>&1 && break
    display=""
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  if [ -z "$display" ]; then
    stop_xvfb
    return 1
  fi
  export DISPLAY=":$display"
}

stop_xvfb() {
  [ -n "$xvfb_pid" ] || return 0
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}
