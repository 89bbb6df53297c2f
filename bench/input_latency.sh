#!/usr/bin/env bash
# Input to frame in the running program: right-drag moves (the view tilts and turns) and
# Right key releases (a timeline step with six beats loaded), each timed from the event
# reaching the view to the frame on the screen. $1 is the build folder. Starts its own
# Xvfb when no display is set.
set -u
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$(dirname "$0")/../tests/tools/with_xvfb.sh" 1280x1024 -- bash "$0" "$build"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
source "$(dirname "$0")/../tests/tools/session.sh"
out=$(mktemp)
run() {  # $1: what to do in the window; ZAVRO_BENCH_READOUTS as set
  "$build/bench/zavro_input_frame" data/district.csv >"$out" 2>/dev/null &
  local pid=$!
  local window
  window=$(wait_for_window '^ZAVROView 1\.0b$' 20)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 1
  xdotool mousemove $(( X + 900 )) $(( Y + 600 ))
  xdotool mousedown 3 mousemove_relative -- 0 1 mouseup 3  # the first move loads the district
  sleep 0.5
  "$1"
  sleep 0.5
  /usr/bin/python3 "$(dirname "$0")/../tests/tools/close_window.py" "$window"
  wait "$pid"
}
drag() {
  xdotool mousedown 3
  for i in $(seq 100); do xdotool mousemove_relative -- 0 $(( i % 2 ? -3 : 3 )); sleep 0.05; done
  xdotool mouseup 3
}
keys() {
  xdotool click 1  # the view takes the focus
  for _ in $(seq 100); do xdotool key Right; sleep 0.05; done
}
echo "input to frame on the screen (microseconds): events median p90 max"
run drag; echo "  right-drag move:             $(cat "$out")"
run keys; echo "  Right key release, 6 beats:  $(cat "$out")"
ZAVRO_BENCH_READOUTS=off run keys; without=$(cat "$out")
ZAVRO_BENCH_READOUTS=on run keys; with=$(cat "$out")
echo "  the same, no legend, no chart: $without"
echo "  with the legend and the Chart panel: $with"
awk -v w="$with" -v o="$without" 'BEGIN { split(w, a, " "); split(o, b, " ");
  printf "  step with them / without, medians: %.2f\n", a[2] / b[2] }'
rm -f "$out"
