#!/bin/bash
# ./run.sh with a display, on the emulated path: the program's screen shows in
# a viewer window on that display, a click there reaches the program, and
# closing the program (or the viewer's window) ends the command with exit
# code 0 and leaves no emulator running.
#   show_test.sh REPO SCREENSHOT-FOLDER
set -uo pipefail
repo=$1 shots=$2
failures=0
mkdir -p "$shots"
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

source "$repo/tools/wine-env"
start_private_display
work=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT

# The quiz tool's active title bar.
title_colour='srgb(50,150,250)'

# Starts ./run.sh PROGRAM on this display, forced onto the emulated path and
# with none of the suite's own machine in its environment.
start_run() {
  env -u KX_VM_SPOOL -u KX_VM_PID -u KX_RUNNER_CHOSEN -u KX_RUNNER_WHY KX_RUNNER=vm \
    "$repo/run.sh" "$1" >"$work/$1.log" 2>&1 &
  run=$! started=$SECONDS
}

# Waits (up to ten minutes: the machine boots first) for the viewer window
# titled TITLE; prints its id.
wait_for_viewer() {
  local window
  for _ in $(seq 1 3000); do
    window=$(xdotool search --onlyvisible --name "^$1" 2>/dev/null | head -n1)
    [ -n "$window" ] && { echo "$window"; return 0; }
    kill -0 $run 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# The box, as WxH+X+Y, around the pixels of the viewer window that have
# COLOUR, or without it around all that are not black (the screen's
# background), once the program has drawn them: the same box, at least
# MIN-WIDTH wide (wider than the pointer), twice in a row (up to five
# minutes).
box_of() { # WINDOW MIN-WIDTH [COLOUR]
  local box previous=
  local -a only=()
  [ -z "${3:-}" ] || only=(-fill black +opaque "$3")
  for _ in $(seq 1 150); do
    box=$(import -window "$1" png:- 2>/dev/null |
      convert png:- "${only[@]}" -format '%@' info: 2>/dev/null)
    if [ "${box%%x*}" -ge "$2" ] 2>/dev/null && [ "$box" = "$previous" ]; then
      echo "$box"
      return 0
    fi
    previous=$box
    sleep 2
  done
  return 1
}

# The colour of one pixel of the viewer window.
pixel() { # WINDOW X Y
  import -window "$1" png:- 2>/dev/null | convert png:- -format "%[pixel:p{$2,$3}]" info:
}

# Waits for run.sh to end; checks its exit code and that no emulator with a
# screen for a viewer is left.
expect_clean_end() { # NAME
  local status
  for _ in $(seq 1 600); do
    kill -0 $run 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 $run 2>/dev/null; then
    fail "$1: ./run.sh still running two minutes after closing"
    kill $run
  fi
  wait $run
  status=$?
  [ $status = 0 ] && echo "ok   $1: ./run.sh ended with exit code 0" ||
    { fail "$1: ./run.sh ended with exit code $status:"; tail -n 20 "$work/${1%% *}.log"; }
  pgrep -f 'hostfwd=tcp:127.0.0.1:' >/dev/null && fail "$1: an emulator is still running" || echo "ok   $1: no emulator left"
}

# The quiz tool: its main menu shows; a click on "Thoát chương trình" asks
# whether to quit (the question's title bar becomes the active one); Enter
# answers Yes and the program ends.
start_run quiz
if viewer=$(wait_for_viewer "Tessaro"); then
  echo "ok   quiz: the viewer window shows, $((SECONDS - started)) s after ./run.sh started"
  if box=$(box_of "$viewer" 100 "$title_colour"); then
    echo "ok   quiz: the main menu's title bar is at $box"
    import -window "$viewer" "$shots/run_emulated_quiz.png"
    # The button's middle, from the title bar's right end and top.
    [[ $box =~ ^([0-9]+)x[0-9]+\+([0-9]+)\+([0-9]+)$ ]]
    x=$((BASH_REMATCH[2] + BASH_REMATCH[1] - 197)) y=$((BASH_REMATCH[3] + 322))
    xdotool mousemove --window "$viewer" $x $y click 1
    question=
    for _ in $(seq 1 60); do
      question=$(box_of "$viewer" 100 "$title_colour")
      [ "$question" != "$box" ] && break
      sleep 2
    done
    import -window "$viewer" "$shots/run_emulated_quiz_question.png"
    if [ "$question" != "$box" ]; then
      echo "ok   quiz: the click on the quit button brought the question ($question)"
      xdotool windowfocus "$viewer" key Return
    else
      fail "quiz: the click on the quit button brought no question"
      kill $run
    fi
  else
    fail "quiz: no title bar drawn in the viewer"
    import -window "$viewer" "$shots/run_emulated_quiz.png"
    kill $run
  fi
else
  fail "quiz: no viewer window appeared:"
  tail -n 20 "$work/quiz.log"
fi
expect_clean_end "quiz (program closed)"

# The grapher: its main window shows; a click on "3D" turns the view black
# (the 3D scene's background); closing the viewer's window ends the run.
start_run grapher
if viewer=$(wait_for_viewer "Plotvane"); then
  echo "ok   grapher: the viewer window shows, $((SECONDS - started)) s after ./run.sh started"
  if box=$(box_of "$viewer" 200); then
    echo "ok   grapher: the main window is at $box"
    import -window "$viewer" "$shots/run_emulated_grapher.png"
    [[ $box =~ \+([0-9]+)\+([0-9]+)$ ]]
    x=${BASH_REMATCH[1]} y=${BASH_REMATCH[2]}
    xdotool mousemove --window "$viewer" $((x + 113)) $((y + 459)) click 1
    for _ in $(seq 1 60); do
      [ "$(pixel "$viewer" $((x + 40)) $((y + 40)))" = "srgb(0,0,0)" ] && break
      sleep 2
    done
    import -window "$viewer" "$shots/run_emulated_grapher_3d.png"
    [ "$(pixel "$viewer" $((x + 40)) $((y + 40)))" = "srgb(0,0,0)" ] &&
      echo "ok   grapher: the click on 3D turned the view black" ||
      fail "grapher: the click on 3D did not turn the view black"
  else
    fail "grapher: nothing drawn in the viewer"
  fi
  xdotool windowkill "$viewer"
else
  fail "grapher: no viewer window appeared:"
  tail -n 20 "$work/grapher.log"
fi
expect_clean_end "grapher (viewer closed)"

exit $((failures > 0))
