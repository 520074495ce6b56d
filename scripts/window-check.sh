#!/bin/sh
# Opens the gallery in a real X window under Xvfb: clicks the second page tab and saves what the window
# shows; then, on the controls page, opens a combo box's list and a popup menu with xdotool, saves a
# screenshot of each, and measures the CPU time of the idle window over 5 seconds.
# Skips (exit 77) when Xvfb is not installed.
#   scripts/window-check.sh [BUILD_DIR] [OUT_PNG]
# XVFB_DISPLAY=N uses display :N (where several people share a machine); otherwise a free one.
set -eu
build=${1:-build}
out=${2:-$build/gallery-window.png}
display_arg="-a"
[ -n "${XVFB_DISPLAY:-}" ] && display_arg="-n $XVFB_DISPLAY"
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "window-check: no xvfb-run, skipped"
  exit 77
fi
gallery="$build/joxwidgets-gallery"
[ -x "$gallery" ] || { echo "window-check: $gallery not built"; exit 1; }
rm -f "$out"
# The second tab ("core") starts right after the first one, about 60 pixels in.
timeout 60 xvfb-run $display_arg -s "-screen 0 1600x1200x24" \
  "$gallery" --window --frames 30 --click 85,12 --screenshot "$out"
[ -s "$out" ] || { echo "window-check: no screenshot"; exit 1; }
echo "window-check: window opened, took a click, screenshot in $out"

if ! command -v xdotool >/dev/null 2>&1 || ! command -v import >/dev/null 2>&1; then
  echo "window-check: no xdotool or import, popups not checked"
  exit 0
fi
base=${out%.png}
timeout 60 xvfb-run $display_arg -s "-screen 0 1280x900x24" sh -c '
  "$1" --window --page controls & pid=$!
  sleep 2
  xdotool mousemove 400 94 click 1; sleep 0.5
  import -window root "$2-combo.png"
  xdotool key Escape; sleep 0.3
  xdotool mousemove 100 450 click 3; sleep 0.4
  xdotool mousemove 140 529; sleep 0.6
  import -window root "$2-menu.png"
  xdotool key Escape; sleep 0.2; xdotool key Escape; sleep 0.5
  t0=$(awk "{print \$14+\$15}" /proc/$pid/stat); sleep 5; t1=$(awk "{print \$14+\$15}" /proc/$pid/stat)
  echo "window-check: idle window used $((t1 - t0)) of $((5 * $(getconf CLK_TCK))) CPU ticks in 5 s"
  kill $pid' sh "$gallery" "$base"
echo "window-check: combo box list in $base-combo.png, popup menu in $base-menu.png"
