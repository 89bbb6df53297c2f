#!/usr/bin/env bash
# The program starts, shows its window with a grey client area, and exits with code 0
# when the window is closed. Runs under xvfb-run; $1 is the program.
set -u
program=$1
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

"$program" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^ZAVROView 1\.0b$' | head -n 1)
[ -n "$window" ] || { echo "FAIL: no window named 'ZAVROView 1.0b'"; kill "$pid"; exit 1; }

sleep 0.5   # a few frame-timer ticks
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop 64x64+$((X + WIDTH / 2 - 32))+$((Y + HEIGHT / 2 - 32)) "$shot"
colour=$(convert "$shot" -format '%[fx:int(255*mean.r)],%[fx:int(255*mean.g)],%[fx:int(255*mean.b)]' info:)
echo "window ${WIDTH}x${HEIGHT}, centre colour $colour"
[ "$WIDTH" -eq 1024 ] || { echo "FAIL: width $WIDTH"; kill "$pid"; exit 1; }

if [ "${EXPECT_CENTRE_COLOUR:-127,127,127}" != "any" ] && [ "$colour" != "127,127,127" ]; then
  echo "FAIL: client area is $colour, not grey 127,127,127"; kill "$pid"; exit 1
fi

/usr/bin/python3 "$(dirname "$0")/../tools/close_window.py" "$window"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running after close"; kill -9 "$pid"; exit 1; fi
wait "$pid"
code=$?
[ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; exit 1; }
echo "PASS"
