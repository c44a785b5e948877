#!/bin/bash
# ./run.sh on a display, on the emulated path: the emulator's window shows the
# grapher, a click on its 3D button switches the view, and closing the
# program ends the command with exit code 0 and no emulator left running.
# Boots an emulated machine of its own, so it runs apart from ./test.sh:
#   tests/tools/interactive_test.sh [SCREENSHOT-FOLDER]
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
shots=${1:-$repo/build/screenshots/interactive}
mkdir -p "$shots"
failures=0
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
ok() { echo "ok   $1"; }

# A private X server on this machine stands for the person's display.
fifo=$(mktemp -u) && mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display_number <"$fifo"
rm -f "$fifo"
export DISPLAY=:$display_number
log=$(mktemp)
run_pid=
cleanup() {
  [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null && wait "$run_pid"
  kill $xvfb_pid 2>/dev/null
  rm -f "$log"
}
trap cleanup EXIT

KX_RUNNER=vm "$repo/run.sh" grapher >"$log" 2>&1 &
run_pid=$!

# Pixels of the emulated machine's screen, the emulator's window being the
# only one on this display.
window=
screen_shot() { import -window root "$1" 2>/dev/null; }
pixel() { # pixel FILE X Y -> rrggbb
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | tr A-F a-f
}
# The grapher's main window is centered on the black screen: its top is the
# first row that is not black at the screen's middle column, its left the
# first column that is not black a hundred rows lower.
first_lit() { # first_lit FILE GEOMETRY x|y -> offset of the first pixel not black
  convert "$1" -crop "$2" -depth 8 txt:- |
    awk -F'[,:]' -v axis="$3" 'NR > 1 && $0 !~ /#000000/ { print (axis == "x" ? $1 : $2); exit }'
}
find_program() { # find_program FILE -> sets left and top
  local dy dx
  dy=$(first_lit "$1" "1x768+$((x0 + 512))+$y0" y)
  [ -n "$dy" ] || return 1
  top=$((y0 + dy))
  dx=$(first_lit "$1" "512x1+$x0+$((top + 100))" x)
  [ -n "$dx" ] || return 1
  left=$((x0 + dx))
}

# Up to 15 minutes for the machine to boot (or its image to be built) and
# the program to paint its main window.
for _ in $(seq 1 900); do
  window=$(xdotool search --name '^QEMU \(Plotvane v2.21' 2>/dev/null | head -n1)
  [ -n "$window" ] && break
  kill -0 $run_pid 2>/dev/null || break
  sleep 1
done
if [ -z "$window" ]; then
  fail "no emulator window appeared; run.sh said:"; cat "$log"
  exit 1
fi
ok "the emulator's window appeared"
found=0
previous=
for _ in $(seq 1 300); do
  # The window takes the size of the emulated screen once its X server runs.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  x0=$X y0=$Y
  screen_shot "$shots/start.png"
  if [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ] && find_program "$shots/start.png"; then
    sum=$(convert "$shots/start.png" -crop "1024x768+$x0+$y0" rgb:- | md5sum)
    [ "$sum" = "$previous" ] && { found=1; break; }
    previous=$sum
  fi
  kill -0 $run_pid 2>/dev/null || break
  sleep 3
done
if [ $found = 0 ]; then
  fail "the grapher's window did not appear on the emulated screen; run.sh said:"; cat "$log"
  exit 1
fi
ok "the grapher's window is at $((left - x0)),$((top - y0)) on the emulated screen"

# The title bar is the skin's blue, the 2D view's background black.
bar=$(pixel "$shots/start.png" $((left + 300)) $((top + 10)))
case $bar in
  000000|ffffff) fail "no title bar colour at the top of the window ($bar)" ;;
  *) ok "title bar drawn ($bar)" ;;
esac

# The 3D button (client 80,431, 65x57) switches the view.
before=$(convert "$shots/start.png" -crop "603x400+$((left + 4))+$((top + 25))" rgb:- | md5sum)
xdotool mousemove $((left + 112)) $((top + 459)) sleep 1 click 1
changed=0
for _ in $(seq 1 60); do
  sleep 2
  screen_shot "$shots/after-3d.png"
  after=$(convert "$shots/after-3d.png" -crop "603x400+$((left + 4))+$((top + 25))" rgb:- | md5sum)
  [ "$after" != "$before" ] && { changed=1; break; }
done
[ $changed = 1 ] && ok "the 3D button changed the view" || fail "the view did not change after a click on the 3D button"

# Closing the program (Alt+F4) ends the command.
xdotool mousemove $((left + 300)) $((top + 10)) sleep 1 click 1 sleep 1 key alt+F4
ended=0
for _ in $(seq 1 120); do
  kill -0 $run_pid 2>/dev/null || { ended=1; break; }
  sleep 1
done
if [ $ended = 1 ]; then
  wait $run_pid
  status=$?
  run_pid=
  [ $status = 0 ] && ok "closing the program ended run.sh with exit code 0" ||
    { fail "run.sh ended with exit code $status; it said:"; cat "$log"; }
else
  screen_shot "$shots/not-closed.png"
  fail "run.sh still runs two minutes after Alt+F4 (see $shots/not-closed.png)"
fi
left_over=
for pid in $(pgrep -x qemu-system-x86); do
  tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "DISPLAY=$DISPLAY" && left_over+=" $pid"
done
[ -z "$left_over" ] && ok "no emulator left running" || fail "emulator processes left:$left_over"

[ $failures = 0 ] && echo "all passed" || echo "$failures failed"
[ $failures = 0 ]
