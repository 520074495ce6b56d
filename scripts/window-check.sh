#!/bin/sh
# Opens the gallery in a real X window under Xvfb, clicks the second page tab, and saves what the
# window shows. Skips (exit 77) when Xvfb is not installed.
#   scripts/window-check.sh [BUILD_DIR] [OUT_PNG]
set -eu
build=${1:-build}
out=${2:-/tmp/gallery-window.png}
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "window-check: no xvfb-run, skipped"
  exit 77
fi
gallery="$build/joxwidgets-gallery"
[ -x "$gallery" ] || { echo "window-check: $gallery not built"; exit 1; }
rm -f "$out"
# The second tab ("core") starts right after the first one, about 60 pixels in.
timeout 60 xvfb-run -a -s "-screen 0 1600x1200x24" \
  "$gallery" --window --frames 30 --click 85,12 --screenshot "$out"
[ -s "$out" ] || { echo "window-check: no screenshot"; exit 1; }
echo "window-check: window opened, took a click, screenshot in $out"
