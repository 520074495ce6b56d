#!/bin/sh
# The accessibility suite: the gallery in a real window under Xvfb, with a private session bus and the
# AT-SPI registry, read and driven by walk_gallery.py through the same bus client a screen reader uses;
# then the CPU the idle gallery uses with the bridge on.
#   run_access_suite.sh GALLERY WALK_SCRIPT
# Exit 0 when every check passed, 1 on a failure, 77 (skipped) only when the bus or X cannot start.
# JOX_IDLE_CPU_MAX (percent of a core, default 1) sets the idle limit.
set -u
gallery=$1
script=$2
idle_max=${JOX_IDLE_CPU_MAX:-1}
launcher=/usr/libexec/at-spi-bus-launcher
py=/usr/bin/python3
[ -x $py ] || py=python3

skip() {
  echo "accessibility suite: skipped, $1"
  exit 77
}

if [ -z "${JOX_IN_BUS:-}" ]; then
  for tool in xvfb-run dbus-run-session xdotool; do
    command -v $tool >/dev/null 2>&1 || skip "$tool is not installed (scripts/deps.sh installs it)"
  done
  [ -x $launcher ] || skip "at-spi-bus-launcher is not installed (at-spi2-core)"
  $py -c "import pyatspi" 2>/dev/null || skip "python3-pyatspi is not installed"
  display_arg="-a"
  [ -n "${XVFB_DISPLAY:-}" ] && display_arg="-n $XVFB_DISPLAY"
  JOX_IN_BUS=1 xvfb-run $display_arg -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- sh "$0" "$@"
  rc=$?
  [ $rc -eq 0 ] || [ $rc -eq 1 ] || [ $rc -eq 77 ] || skip "no X server or session bus could start (exit $rc)"
  exit $rc
fi

# Inside Xvfb and the private session bus: the accessibility bus and its registry.
$launcher --launch-immediately >/dev/null 2>&1 &
launcher_pid=$!
up=0
for _ in $(seq 50); do
  if dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
      >/dev/null 2>&1; then
    up=1
    break
  fi
  sleep 0.1
done
if [ $up -eq 0 ]; then
  kill $launcher_pid 2>/dev/null
  skip "the accessibility bus did not start"
fi

log=$(mktemp)
"$gallery" --window >"$log" 2>&1 &
app=$!
$py "$script" $app
rc=$?

# Idle: nothing happens for three seconds; the bridge's sockets are polled, not spun.
ticks() { awk '{print $14 + $15}' /proc/$app/stat 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)
sleep 1
t0=$(ticks)
sleep 3
t1=$(ticks)
cpu=$(awk -v a="$t0" -v b="$t1" -v hz="$hz" 'BEGIN { printf "%.2f", (b - a) * 100 / hz / 3 }')
if awk -v c="$cpu" -v m="$idle_max" 'BEGIN { exit !(c <= m) }'; then
  echo "ok   idle CPU with the bridge on: $cpu% of a core (limit $idle_max%)"
else
  echo "FAIL idle CPU with the bridge on: $cpu% of a core (limit $idle_max%)"
  rc=1
fi
if ! kill -0 $app 2>/dev/null; then
  echo "FAIL the gallery ended during the suite:"
  cat "$log"
  rc=1
fi
kill $app 2>/dev/null
wait $app 2>/dev/null
kill $launcher_pid 2>/dev/null
rm -f "$log"
exit $rc
