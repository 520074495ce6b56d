# What the window suites share, sourced by each: the run under Xvfb, the app's log, reporting, waiting.
#   . "$(dirname "$0")/suite_common.sh"
#   in_xvfb NAME WxHxD "$@"    re-runs the calling script under xvfb-run (once), exits with its status
# Exit 77 (skipped) only when xvfb-run or xdotool is missing or no X server can start. XVFB_DISPLAY=N
# takes display :N (where several people share a machine); otherwise a free one.

in_xvfb() {
  [ -n "${JOX_IN_XVFB:-}" ] && return 0
  suite=$1 screen=$2
  shift 2
  for tool in xvfb-run xdotool; do
    if ! command -v $tool >/dev/null 2>&1; then
      echo "$suite: skipped, $tool is not installed (scripts/deps.sh installs it)"
      exit 77
    fi
  done
  display_arg="-a"
  [ -n "${XVFB_DISPLAY:-}" ] && display_arg="-n $XVFB_DISPLAY"
  JOX_IN_XVFB=1 xvfb-run $display_arg -s "-screen 0 $screen -nolisten tcp" sh "$0" "$@"
  rc=$?
  # xvfb-run fails before running anything when the server cannot start.
  if [ $rc -ne 0 ] && [ $rc -ne 1 ]; then
    echo "$suite: skipped, no X server could start (xvfb-run exit $rc)"
    exit 77
  fi
  exit $rc
}

# The app's stdout and stderr; pid is the app running now.
log=$(mktemp)
err=$(mktemp)
pid=
failures=0
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -f "$log" "$err"
}
trap cleanup EXIT

ok() { echo "ok   $*"; }
bad() {
  echo "FAIL $*"
  failures=$((failures + 1))
}
logged() { grep -qx "$1" "$log"; }
# poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; false once SECONDS have passed.
poll() {
  _polls=$(($1 * 10))
  shift
  while [ $_polls -gt 0 ]; do
    "$@" && return 0
    sleep 0.1
    _polls=$((_polls - 1))
  done
  return 1
}
wait_log() { poll "$2" logged "$1"; }  # wait_log LINE SECONDS
# wait_log_prefix TEXT SECONDS: a line starting with TEXT
wait_log_prefix() { poll "$2" grep -aq "^$1" "$log"; }
visible_window() {  # visible_window NAME: prints the id of the visible window named NAME
  id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1)
  [ -n "$id" ] && echo "$id"
}
find_window() { poll "$2" visible_window "$1"; }  # find_window NAME SECONDS: prints that window's id
# gone_window NAME SECONDS: true once no visible window is named NAME
gone_window() { poll "$2" no_window "$1"; }
no_window() { ! visible_window "$1" >/dev/null; }
# close_until WINDOW COMMAND...: asks the window to close, as its close button does, until COMMAND
# (which waits a little, as wait_log LINE 2 does) succeeds; false after 10 requests. On a loaded machine
# without a window manager a request sent as a window appears or a dialog closes is now and then never
# seen by the application (the same request a while later is).
close_until() {
  window=$1
  shift
  requests=0
  while [ $requests -lt 10 ]; do
    "$probe" close "$window" 2>/dev/null
    "$@" && return 0
    requests=$((requests + 1))
  done
  return 1
}
finish() {  # finish NAME: the summary and the exit status
  if [ $failures -ne 0 ]; then
    echo "$1: $failures failed"
    echo "--- stderr of the last run"
    cat "$err"
    exit 1
  fi
  echo "$1: all passed"
  exit 0
}
