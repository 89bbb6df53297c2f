#!/usr/bin/env bash
# The program starts, shows its window: the grey background around the basemap, and
# exits with code 0 and no OpenGL error when the window is closed. Runs under xvfb-run;
# $1 is the program.
set -u
program=$1
source "$(dirname "$0")/../tools/wait_for_window.sh"
shot=$(mktemp --suffix=.png)
state=$(mktemp)
trap 'rm -f "$shot" "$state" "$state.err"' EXIT

ZAVRO_TEST_STATE=$state "$program" 2>"$state.err" &
pid=$!
window=$(wait_for_window '^ZAVROView 1\.0b$' 20)
[ -n "$window" ] || { echo "FAIL: no window named 'ZAVROView 1.0b'"; kill "$pid"; exit 1; }

sleep 0.5   # a few frame-timer ticks
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" -eq 1024 ] && [ "$HEIGHT" -eq 768 ] || { echo "FAIL: size ${WIDTH}x$HEIGHT"; kill "$pid"; exit 1; }
# the view is sized once: a later size (the menu bar arriving late) would leave a second
# framebuffer's worth of memory with the driver
sizes=$(awk '$1 == "view_sizes" { print $2 }' "$state")
[ "$sizes" = "1" ] || { echo "FAIL: the view was given ${sizes:-no} sizes at start-up, not 1"; kill "$pid"; exit 1; }
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shot"
mean() { convert "$shot" -crop "$1" -format '%[fx:round(255*mean.r)],%[fx:round(255*mean.g)],%[fx:round(255*mean.b)]' info:; }
spread() { convert "$shot" -crop "$1" -colorspace gray -format '%[fx:round(255*standard_deviation)]' info:; }
corner=$(mean 20x20+5+743)  # bottom left: the panels stand at the top left
centre_spread=$(spread 400x300+312+234)
echo "corner $corner, basemap detail (grey-level deviation) $centre_spread"

# beyond the map's edges the background is the grey clear colour
[ "$corner" = "127,127,127" ] || { echo "FAIL: background is $corner, not 127,127,127"; kill "$pid"; exit 1; }
# the middle shows the basemap: not the flat grey
[ "$centre_spread" -ge 5 ] || { echo "FAIL: no basemap in the middle"; kill "$pid"; exit 1; }

/usr/bin/python3 "$(dirname "$0")/../tools/close_window.py" "$window"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running after close"; kill -9 "$pid"; exit 1; fi
wait "$pid"
code=$?
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; exit 1; }
! grep "OpenGL reported an error" "$state.err" || { echo "FAIL: an OpenGL error when the window closed"; exit 1; }
echo "PASS"
