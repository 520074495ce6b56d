#!/bin/sh
# The real-window suite: starts Xvfb, runs window_app in it and drives it with xdotool as a user would,
# reading the screen with xprobe. Checks that what changes on a timer, on a click and from a worker
# thread is on screen at once; that an exception thrown by OnClick is shown in a message window and the
# program goes on; that a second form closed by its close button runs its close events and the program
# goes on; that the caret blinks; that Tab leaves a memo, a label's Alt mnemonic, a menu shortcut and
# Shift+F10 work from the keyboard, and AltGr types its character on a German layout; that a message is
# answered from the keyboard, CJK text draws with glyphs, Shift+wheel and the horizontal wheel scroll a
# grid sideways and the side mouse buttons click nothing; that the combo box's and the grid's drop-down lists
# of 100,000 items work from the keyboard and the mouse; that JOX_SCALE=2 doubles the form and 1.5 grows it
# by half; that closing the main window (and SIGTERM, SDL's quit) runs the close events and ends the
# program; and the CPU the idle window and a focused edit use.
#   run_window_suite.sh WINDOW_APP XPROBE [GALLERY]
# With the gallery, its controls page is also opened at scale 1, 1.5 and 2, and must fit the screen.
# Exit 0 when every check passed, 1 on a failure, 77 (skipped) only when no X server can start.
# JOX_IDLE_CPU_MAX and JOX_EDIT_CPU_MAX (percent of a core, default 1 and 2) set the CPU limits.
set -u
app=$1
probe=$2
gallery=${3:-}
idle_max=${JOX_IDLE_CPU_MAX:-1}    # percent of a core
edit_max=${JOX_EDIT_CPU_MAX:-2}

. "$(dirname "$0")/suite_common.sh"
in_xvfb "window suite" 1024x768x24 "$@"

check() {  # check NAME COMMAND...: the command's output is shown on failure
  name=$1
  shift
  if out=$("$@" 2>&1); then ok "$name ($out)"; else bad "$name: $out"; fi
}
alive() { kill -0 "$pid" 2>/dev/null; }
click() { xdotool mousemove "$1" "$2" click 1; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
cpu_percent() {  # cpu_percent SECONDS: the app's share of one core over that time
  t0=$(cpu_ticks)
  sleep "$1"
  t1=$(cpu_ticks)
  awk -v t="$((t1 - t0))" -v s="$1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", t * 100 / (s * hz) }'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
start() {  # start [VAR=VALUE...]: runs the app with those variables set
  : >"$log"
  env "$@" "$app" >"$log" 2>"$err" &
  pid=$!
  if ! wait_log ready 10 || ! main=$(find_window "jox window test" 10); then
    echo "FAIL the window did not open"
    cat "$err"
    exit 1
  fi
  xdotool mousemove 470 230  # inside the window: the keyboard follows the pointer without a window manager
  sleep 0.3
}

start
# Boxes: the timer's at (10,10), the click's at (120,10), the worker's at (230,10); buttons below them at
# y 60 (Throw, Change, Work, Second at x 10, 120, 230, 340); the edit at (10,110).
check "a timer's change is on screen" "$probe" wait 16 16 0000FF 3000
# CJK text drawn from a fallback font: three different glyphs, not three boxes alike.
set -- $(grep '^cjk ' "$log" | head -n 1)
if [ $# -eq 5 ]; then
  check "CJK text is drawn with glyphs, not boxes" "$probe" glyphs "$2" "$3" "$4" "$5" 3
else
  bad "the app did not say where its CJK label is"
fi
click 170 74
check "a click's change is on screen" "$probe" wait 126 16 00FF00 1000
click 280 74
check "a worker thread's queued call is on screen" "$probe" wait 236 16 FF00FF 2000

click 60 74
if box=$(find_window "Error" 5); then
  ok "an exception from OnClick is shown in a window"
  grep -q "Thrown from OnClick" "$err" && ok "and on stderr" || bad "the message is not on stderr"
  alive && ok "the program goes on" || bad "the program ended"
  xdotool mousemove --window "$box" 20 20
  sleep 0.2
  xdotool key Return
  gone_window "Error" 8 || bad "Enter did not close the message"
  xdotool mousemove 470 230
  click 170 74
  check "the program still answers a click" "$probe" wait 126 16 FFFF00 1000
else
  bad "no message window after an exception in OnClick"
fi

click 110 122
check "the caret blinks on screen" sh -c "n=\$('$probe' changes 11 112 100 20 1700); echo \"\$n changes\"; [ \$n -ge 2 ]"
xdotool type 42
sleep 0.3
edit_cpu=$(cpu_percent 6)
below "$edit_cpu" "$edit_max" && ok "a focused edit uses $edit_cpu% of a core" ||
  bad "a focused edit uses $edit_cpu% of a core (limit $edit_max%)"
# Keyboard access: Tab out of the memo, a mnemonic, a menu shortcut, Shift+F10, an AltGr character.
click 270 140
xdotool type x
xdotool key Tab
wait_log "enter name" 8 && ok "Tab leaves the memo for the next control" || bad "Tab stayed in the memo"
: >"$log"
click 270 140
xdotool key alt+n
wait_log "enter name" 8 && ok "Alt+N (a label's mnemonic) focuses its control" || bad "the mnemonic did nothing"
xdotool key ctrl+s
wait_log "shortcut save" 8 && ok "Ctrl+S runs the menu item it is the shortcut of" || bad "the menu shortcut did nothing"
click 270 140
xdotool key shift+F10
wait_log "popup memo" 8 && ok "Shift+F10 opens the focused memo's menu" || bad "Shift+F10 opened no menu"
xdotool key Escape
sleep 0.2
if setxkbmap de 2>/dev/null; then
  xdotool key alt+n
  sleep 0.2
  xdotool key ISO_Level3_Shift+q  # AltGr+Q is @ on a German layout
  wait_log "text @" 8 && ok "AltGr+Q types @ on a German layout" || bad "AltGr+Q typed no @: $(tail -n 3 "$log" | tr '\n' ' ')"
  setxkbmap us
else
  echo "skip the AltGr check: setxkbmap cannot switch the layout"
fi

# A message answered from the keyboard: Tab and Enter, Escape, a mnemonic.
for answer in "Tab Return:no" "Escape:cancel" "alt+y:yes"; do
  keys=${answer%%:*}
  want=${answer#*:}
  xdotool mousemove 470 230
  click 60 194
  if box=$(find_window "Confirm" 5); then
    xdotool mousemove --window "$box" 20 20
    sleep 0.2
    xdotool key $keys
    wait_log "answer $want" 8 && ok "a message answered by $keys says $want" ||
      bad "a message answered by $keys: $(tail -n 2 "$log" | tr '\n' ' ')"
    gone_window "Confirm" 8 || bad "the message stayed open after $keys"
  else
    bad "Ask opened no message window"
  fi
done
xdotool mousemove 470 230
sleep 0.2

# The wheel over the grid: Shift+wheel and the horizontal wheel scroll sideways, the plain one down.
xdotool mousemove 345 206
xdotool keydown shift click 5 keyup shift
wait_log "topleft 4 1" 5 && ok "Shift+wheel scrolls the grid sideways" ||
  bad "Shift+wheel: $(grep topleft "$log" | tail -n 1)"
xdotool click 7
wait_log "topleft 7 1" 5 && ok "the horizontal wheel scrolls the grid sideways" ||
  bad "the horizontal wheel: $(grep topleft "$log" | tail -n 1)"
xdotool click 5
wait_log "topleft 7 2" 5 && ok "the plain wheel scrolls the grid down" ||
  bad "the plain wheel: $(grep topleft "$log" | tail -n 1)"
# The side button (back) is no left click: the Change box stays as it is.
before=$("$probe" pixel 126 16)
xdotool mousemove 170 74 click 8
sleep 0.5
after=$("$probe" pixel 126 16)
[ "$before" = "$after" ] && ok "the side mouse button does not click" || bad "the side button clicked Change ($before -> $after)"
xdotool mousemove 470 230

# Drop-down lists of 100,000 items: the combo box and the grid's pick list, each opened and used with the
# keyboard and with the mouse; the pick list's thumb dragged to the end of its track.
click 410 29
if lists=$(find_window "jox lists" 5) && wait_log_prefix "lists " 5; then
  set -- $(grep -a '^lists ' "$log" | head -n 1)
  cx=$2 cy=$3 cw=$4 ch=$5 gx=$6 gy=$7 gw=$8 gh=$9 ih=${10} ph=${11}
  xdotool mousemove $((cx + cw + 40)) $((cy + 5))  # over the form: the keys go there
  sleep 0.3
  xdotool key alt+Down
  sleep 0.3
  xdotool key End Return
  wait_log "combo item 99999" 5 && ok "the combo box's list opens, goes to its end and picks from the keyboard" ||
    bad "the combo box from the keyboard: $(tail -n 2 "$log" | tr '\n' ' ')"
  click $((cx + cw - 8)) $((cy + ch / 2))
  sleep 0.3
  click $((cx + 20)) $((cy + ch + 1 + 2 * ih + ih / 2))  # the third row of the last page
  wait_log "combo item 99994" 5 && ok "the combo box's list opens and picks with the mouse" ||
    bad "the combo box with the mouse: $(tail -n 2 "$log" | tr '\n' ' ')"
  click $((gx + 20)) $((gy + gh / 2))
  xdotool key F2
  sleep 0.2
  xdotool key alt+Down
  sleep 0.3
  xdotool key Down Down Return Return
  wait_log "cell item 1" 5 && ok "the grid's pick list opens and picks from the keyboard" ||
    bad "the pick list from the keyboard: $(tail -n 2 "$log" | tr '\n' ' ')"
  xdotool key F2
  sleep 0.2
  click $((gx + gw - 8)) $((gy + gh / 2))  # the editor's button
  sleep 0.3
  top=$((gy + gh + 1))
  bar=$((gx + gw - 1 - 8))
  xdotool mousemove $bar $((top + 17 + 3)) mousedown 1
  sleep 0.2
  xdotool mousemove $bar $((top + 8 * ph / 2))
  sleep 0.2
  xdotool mousemove $bar $((top + 8 * ph + 10))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
  click $((gx + 20)) $((top + 7 * ph + ph / 2))  # the last row
  sleep 0.2
  xdotool key Return
  wait_log "cell item 99999" 5 && ok "the pick list's thumb drags to the end of 100,000 items and a click picks" ||
    bad "the pick list with the mouse: $(tail -n 2 "$log" | tr '\n' ' ')"
  close_until "$lists" gone_window "jox lists" 2 || bad "the lists form stayed open"
else
  bad "the lists form did not open"
fi
xdotool mousemove 470 230

click 390 74  # Second: the edit loses the focus, nothing blinks any more
if second=$(find_window "jox second form" 5); then
  ok "a second form opens"
  xdotool mousemove 470 230
  sleep 0.5
  idle_cpu=$(cpu_percent 6)
  below "$idle_cpu" "$idle_max" && ok "the idle window uses $idle_cpu% of a core" ||
    bad "the idle window uses $idle_cpu% of a core (limit $idle_max%)"
  # Generous waits: under the sanitizers on a busy machine a frame can take seconds.
  close_until "$second" wait_log "close second" 2 && logged "closequery second" &&
    ok "its close button runs OnCloseQuery and OnClose" ||
    bad "closing the second form by its close button ran no close events"
  gone_window "jox second form" 10 || bad "the second form is still shown"
  sleep 0.3
  alive && ok "the program goes on after the second form closed" || bad "the program ended with the second form"
  click 390 74
  if second=$(find_window "jox second form" 5); then
    "$probe" close "$second"
    sleep 0.5
    alive && ok "a second form opens and closes again" || bad "the program ended closing the second form again"
  else
    bad "the second form does not open again"
  fi
else
  bad "the second form does not open"
fi

close_until "$main" wait_log end 2 && logged "closequery main" && logged "close main" &&
  ok "closing the main window runs its close events and ends the program" ||
  bad "closing the main window: $(tr '\n' ' ' <"$log")"
logged end || kill -9 "$pid" 2>/dev/null
wait "$pid"
rc=$?
pid=
[ $rc -eq 0 ] && ok "the program ended with 0" || bad "the program ended with $rc"

# At scale 2 (JOX_SCALE) the form and its text are twice as large, at 1.5 half as large again (rounded),
# and the CJK glyphs are still glyphs.
scaled_form() {  # scaled_form SCALE WIDTHxHEIGHT MIN_CJK_HEIGHT
  start JOX_SCALE=$1
  if geo=$(xdotool getwindowgeometry "$main" 2>/dev/null | grep Geometry); then
    case "$geo" in
      *"$2"*) ok "JOX_SCALE=$1 scales the form ($geo)" ;;
      *) bad "JOX_SCALE=$1: $geo, not $2" ;;
    esac
  fi
  scale=$1 min=$3
  set -- $(grep '^cjk ' "$log" | head -n 1)
  [ $# -eq 5 ] && [ "$5" -ge "$min" ] &&
    check "at scale $scale the CJK text is drawn larger, with glyphs" "$probe" glyphs "$2" "$3" "$4" "$5" 3 ||
    bad "at scale $scale the CJK label is not $min pixels high: $*"
  close_until "$main" wait_log end 2 || { bad "the window at scale $scale did not close"; kill -9 "$pid" 2>/dev/null; }
  wait "$pid"
  pid=
}
scaled_form 2 960x480 50
scaled_form 1.5 720x360 37

# The gallery's controls page at scale 1, 1.5 and 2: as many times as large, or as large as the screen
# leaves room for (a title bar's 32 pixels at the scale kept free above it), never larger.
gallery_size() {  # gallery_size [VAR=VALUE...]: prints the window's WIDTHxHEIGHT
  env "$@" "$gallery" --window --page controls >/dev/null 2>"$err" &
  gpid=$!
  if gid=$(find_window "joxwidgets gallery - controls" 10); then
    sleep 0.5
    xdotool getwindowgeometry "$gid" | sed -n 's/.*Geometry: //p'
    close_until "$gid" gone_window "joxwidgets gallery - controls" 2 || kill -9 "$gpid" 2>/dev/null
  fi
  wait "$gpid"
}
gallery_scaled() {  # gallery_scaled SCALE TENTHS: the size at SCALE against the size at 1 ($one)
  got=$(gallery_size JOX_SCALE=$1)
  set -- "$1" "$2" $(xdotool getdisplaygeometry)
  w1=${one%x*} h1=${one#*x} w=${got%x*} h=${got#*x}
  want_w=$((w1 * $2 / 10)) want_h=$((h1 * $2 / 10)) room_h=$(($4 - 32 * $2 / 10))
  [ "$want_w" -gt "$3" ] && want_w=$3
  [ "$want_h" -gt "$room_h" ] && want_h=$room_h
  if [ -n "$one" ] && [ -n "$got" ] && [ "$w" -ge $((want_w - 2)) ] && [ "$h" -ge $((want_h - 2)) ] &&
    [ "$w" -le "$3" ] && [ "$h" -le "$4" ]; then
    ok "the gallery at JOX_SCALE=$1 grows and fits the $3x$4 screen ($one -> $got)"
  else
    bad "the gallery at JOX_SCALE=$1: '$one' -> '$got', wanted ${want_w}x$want_h within $3x$4"
  fi
}
if [ -n "$gallery" ]; then
  one=$(gallery_size)
  gallery_scaled 1.5 15
  gallery_scaled 2 20
fi

start
kill -TERM "$pid"
wait_log end 5 && logged "close main" && ok "SIGTERM (a quit request) closes the main form" ||
  bad "SIGTERM: $(tr '\n' ' ' <"$log")"
wait "$pid"
pid=

finish "window suite"
