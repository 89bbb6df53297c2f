#!/usr/bin/env bash
# Makes docs/district.png, the README's picture: the sample district loaded from the
# command line, all crime types chosen, June 2005, the columns at "10:1", the view tilted
# and turned, the panels in place. Needs a built program ($1, default build/zavro); runs its own X server.
# Usage (in the repository root): bash tools/make_screenshot.sh [PROGRAM]
set -eu
program=${1:-build/zavro}
if [ -z "${ZAVRO_SCREENSHOT_SCREEN:-}" ]; then
  ZAVRO_SCREENSHOT_SCREEN=1 exec bash "$(dirname "$0")/../tests/tools/with_xvfb.sh" 1280x1024 -- bash "$0" "$@"
fi
export XDG_RUNTIME_DIR=$(mktemp -d)
work=$(mktemp -d)
state="$work/state"
ZAVRO_TEST_STATE=$state "$program" data/district.csv &
pid=$!
tools=tests/tools
source "$tools/session.sh"
shots=$work
find_window
sleep 1
# the Timeline to the bottom right; every crime type; "Data Start", then June 2005
xdotool mousemove $(( X + 200 )) $(( Y + 8 )) mousedown 1 mousemove $(( X + 450 )) $(( Y + 400 )) \
    mousemove $(( X + 700 )) $(( Y + HEIGHT - 80 )) mouseup 1
sleep 0.3
crime_x=$(( $(ux 20) + 1 + $(ux 10) + 40 )); crime_y=$(( $(uy 20) + 18 + $(uy 20) + 2 + 6 ))
click "$crime_x" "$crime_y"
xdotool mousemove $(( X + crime_x )) $(( Y + crime_y + 13 * 6 )) keydown shift click 1 keyup shift
menu_item $MENU_TIME 2
tx=501; ty=$(( HEIGHT - 80 - 8 + 18 ))
for _ in 1 2 3 4 5 6; do click $(( tx + $(ux 135) )) $(( ty + $(uy 31) )); done
for _ in 1 2 3 4 5; do click $(( tx + $(ux 85) )) $(( ty + $(uy 31) )); done
# the height scale "10:1" in the GIS panel
click $(( $(ux 40) + 1 + $(ux 57) )) $(( $(uy 40) + 18 + $(uy 145) ))
xdotool key Up Return
sleep 0.3
# tilted by 55 degrees and turned by 20
xdotool mousemove $(( X + 900 )) $(( Y + 500 )) mousedown 3 mousemove $(( X + 910 )) $(( Y + 470 )) \
    mousemove $(( X + 920 )) $(( Y + 445 )) mouseup 3
sleep 0.6
import -window root -crop "${WIDTH}x$(( HEIGHT + MENU_HEIGHT ))+$X+$window_y" +repage docs/district.png
kill "$pid"
echo "wrote docs/district.png"
