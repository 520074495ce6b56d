#!/bin/sh
# The screens part of the window suite: one wide X screen split by JOX_MONITORS into two monitors side by
# side (and once with the second left of the primary, at negative coordinates). screens_app's form is put
# on a monitor, in its middle or at its edges, and there opens a combo box's list, a popup menu
# (Shift+F10), a message, a button's hint and a month calendar's holiday hint; each window must lie
# inside the work area of the form's monitor.
#   run_screens_suite.sh SCREENS_APP XPROBE
# Exit 0 when every check passed, 1 on a failure, 77 (skipped) only when no X server can start.
set -u
app=$1
probe=$2

. "$(dirname "$0")/suite_common.sh"
in_xvfb "screens suite" 2560x1024x24 "$@"

# new_window BEFORE SECONDS: prints "ID X Y W H" of the topmost window mapped since BEFORE (xprobe
# windows output) was taken.
new_window() { poll "$2" newer_window "$1"; }
newer_window() {
  line=$("$probe" windows | grep -vxF "$1" | tail -n 1)
  [ -n "$line" ] && echo "$line"
}
# inside WHAT "ID X Y W H": the window lies within the work area (host coordinates wx0 wy0 wx1 wy1).
inside() {
  set -- "$1" $2
  if [ $# -ne 6 ]; then
    bad "$where: $1 opened no window"
    return
  fi
  if [ "$3" -ge "$wx0" ] && [ "$4" -ge "$wy0" ] && [ $(($3 + $5)) -le "$wx1" ] && [ $(($4 + $6)) -le "$wy1" ]; then
    ok "$where: $1 at $3,$4 ${5}x$6 inside $wx0,$wy0-$wx1,$wy1"
  else
    bad "$where: $1 at $3,$4 ${5}x$6 not inside $wx0,$wy0-$wx1,$wy1"
  fi
}

# close_form WHERE: closes the form by its close button and waits for the app to end; kills it when it
# does not.
close_form() {
  if ! close_until "$main" wait_log end 2; then
    bad "$1: the form did not close; it said $(tr '\n' ' ' <"$log")"
    kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid"
  pid=
}

# scenario WHERE MONITORS ORIGIN_X FORM_X FORM_Y MONITOR WX0 WY0 WX1 WY1: the work area in screen
# coordinates of the framework; the host's are those less ORIGIN_X (the leftmost monitor's left).
scenario() {
  where=$1 monitors=$2 origin=$3 fx=$4 fy=$5 mon=$6
  wx0=$(($7 - origin)) wy0=$8 wx1=$(($9 - origin)) wy1=${10}
  hx=$((fx - origin)) hy=$fy
  : >"$log"
  JOX_MONITORS=$monitors "$app" "$fx" "$fy" >"$log" 2>"$err" &
  pid=$!
  if ! wait_log ready 10 || ! main=$(find_window "jox screens test" 10); then
    bad "$where: the window did not open"
    cat "$err"
    kill "$pid" 2>/dev/null
    pid=
    return
  fi
  sleep 0.3
  if logged "at $fx $fy" && logged "monitor $mon"; then ok "$where: the form is at $fx,$fy on monitor $mon"
  else bad "$where: the form says $(tr '\n' ' ' <"$log")"; fi
  geo=$(xdotool getwindowgeometry "$main" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p')
  [ "$geo" = "$hx $hy" ] && ok "$where: its window is at $hx,$hy of the host screen" ||
    bad "$where: its window is at '$geo', not $hx $hy"

  # The combo box's list, opened from the keyboard.
  xdotool mousemove $((hx + 60)) $((hy + 22)) click 1
  sleep 0.2
  before=$("$probe" windows)
  xdotool key F4
  inside "the combo box's list" "$(new_window "$before" 3)"
  xdotool key Escape
  sleep 0.3

  # The memo's popup menu.
  xdotool mousemove $((hx + 60)) $((hy + 70)) click 1
  sleep 0.2
  before=$("$probe" windows)
  xdotool key shift+F10
  wait_log "popup menu" 5 || bad "$where: Shift+F10 opened no menu"
  inside "the popup menu" "$(new_window "$before" 3)"
  xdotool key Escape
  sleep 0.3

  # The hint of the button under the pointer.
  before=$("$probe" windows)
  xdotool mousemove $((hx + 230)) $((hy + 60))
  sleep 0.1
  xdotool mousemove $((hx + 232)) $((hy + 62))
  wait_log "hint A hint long enough to reach past the edge of the monitor" 5 ||
    bad "$where: Application->Hint is not the button's long hint"
  inside "the hint" "$(new_window "$before" 3)"
  xdotool mousemove $((hx + 60)) $((hy + 22))
  sleep 0.5

  # The calendar's hint names the holiday of its day.
  before=$("$probe" windows)
  xdotool mousemove $((hx + 380)) $((hy + 60))
  sleep 0.1
  xdotool mousemove $((hx + 382)) $((hy + 62))
  wait_log "hint Christmas Day" 5 || bad "$where: the calendar's hint is not its holiday"
  inside "the calendar's hint" "$(new_window "$before" 3)"
  [ -n "${JOX_SHOT:-}" ] && import -window root "$JOX_SHOT"
  xdotool mousemove $((hx + 60)) $((hy + 22))
  sleep 0.5

  # A message.
  before=$("$probe" windows)
  xdotool mousemove $((hx + 230)) $((hy + 24)) click 1
  line=$(new_window "$before" 10)
  inside "the message" "$line"
  set -- $line
  [ $# -eq 5 ] && xdotool mousemove $(($2 + 20)) $(($3 + 20))
  sleep 0.2
  xdotool key Return
  wait_log answer 10 || bad "$where: the message was not answered"
  xdotool mousemove $((hx + 60)) $((hy + 22))
  sleep 0.2

  close_form "$where"
}

two="0,0,1280,1024;1280,0,1280,1024,1280,0,1280,994"  # the second right of the primary, a panel at its bottom
scenario "right monitor" "$two" 0 1600 400 1 1280 0 2560 994
scenario "right monitor, bottom-right corner" "$two" 0 2100 884 1 1280 0 2560 994
scenario "left monitor, at its right edge" "$two" 0 820 914 0 0 0 1280 1024
left="0,0,1280,1024;-1280,0,1280,1024,-1280,0,1280,994"  # the second left of the primary
scenario "monitor left of the primary, at its right edge" "$left" -1280 -460 884 1 -1280 0 0 994

# A list that is no list is ignored: the form opens on the screen as the desktop reports it.
: >"$log"
JOX_MONITORS="0,0,1280;junk" "$app" 100 100 >"$log" 2>"$err" &
pid=$!
if wait_log ready 10 && main=$(find_window "jox screens test" 10) && wait_log "monitor 0" 5; then
  # A message that meets a window already gone (BadWindow) leaves the application running.
  logged "survived BadWindow" && ok "an X BadWindow error does not end the application" ||
    bad "the application did not say it survived a BadWindow error"
  grep -q "JOX_MONITORS ignored" "$err" && ok "a malformed JOX_MONITORS is ignored and said so" ||
    bad "a malformed JOX_MONITORS is ignored without a word"
  close_form "with a malformed JOX_MONITORS"
else
  bad "with a malformed JOX_MONITORS: $(tr '\n' ' ' <"$log")"
  kill -9 "$pid" 2>/dev/null
  wait "$pid"
  pid=
fi

finish "screens suite"
