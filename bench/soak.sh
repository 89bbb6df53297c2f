#!/usr/bin/env bash
# The whole program playing the sample district forward by day for an hour (SOAK_MINUTES),
# a beat chosen in the Query panel every 20 seconds so reports keep arriving in the Info
# log; prints the resident memory once a minute and the growth after the first minute.
# Fails unless the program is alive and answering at every sample, the last included.
# $1 is the build folder. Starts its own Xvfb when no display is set.
set -u
build=${1:-build}
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$(dirname "$0")/../tests/tools/with_xvfb.sh" 1280x1024 -- bash "$0" "$build"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
minutes=${SOAK_MINUTES:-60}
tools="$(dirname "$0")/../tests/tools"
state=$(mktemp)

ZAVRO_TEST_STATE=$state "$build/zavro" data/district.csv >/dev/null 2>&1 &
pid=$!
source "$tools/session.sh"
find_window
sleep 1
# the Timeline to the bottom right, "Day" as the step, then ">"
drag 200 8 700 $(( HEIGHT - 80 ))
tx=$(( 500 + 1 )); ty=$(( HEIGHT - 80 - 8 + 18 ))
click $(( tx + $(ux 266) )) $(( ty + $(uy 13) ))
sleep 0.2  # the step list opens
xdotool key Up Up Return
click $(( tx + $(ux 57) )) $(( ty + $(uy 13) ))
beat_x=$(( $(ux 20) + 1 + $(ux 215) + 12 )); beat_y=$(( $(uy 20) + 18 + $(uy 20) + 8 ))

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$pid/status"; }
first=0
echo "soak: $minutes minutes of playback by day, a report every 20 s (resident memory, KiB)"
for minute in $(seq 0 "$minutes"); do
  answering || fail "the program is not alive and answering at minute $minute"
  now=$(rss)
  [ "$minute" -eq 1 ] && first=$now
  echo "  minute $minute: $now"
  [ "$minute" -eq "$minutes" ] && break
  for row in 0 1 2; do
    click "$beat_x" $(( beat_y + 13 * ((minute * 3 + row) % 6) ))
    sleep 20
  done
done
# from the sample of minute 1 to the last one: a fresh reading might catch a report's
# short-lived buffers
echo "  growth after the first minute: $(( now - first )) KiB"
close_and_expect_exit_0
rm -f "$state"
