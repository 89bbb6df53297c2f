#!/usr/bin/env bash
# The panels over the view: at start the Timeline, Query and GIS panels stand at their
# places (one above the other, the Timeline on top), the Info panel and the About box are
# hidden; a panel dragged by its caption moves and stays inside the client area, leaving
# no trace where it stood; its close box hides it. Runs under xvfb-run; $1 is the program.
#
# Panels are found by their caption bars in screenshots (tests/tools/find_captions.py
# prints the top edge of each bar that shows: x y width). Places in pixels come from the
# panels' dialog units: DejaVu Sans 8 pt at 96 dpi gives base units of 7 x 13 pixels.
set -u
program=$1
tools="$(dirname "$0")/../tools"
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' EXIT

CAPTION_COLOUR=58,86,128
BASE_X=7
BASE_Y=13
CAPTION_HEIGHT=17   # the font's height and 4
ux() { echo $(( ($1 * BASE_X + 2) / 4 )); }
uy() { echo $(( ($1 * BASE_Y + 4) / 8 )); }
# top edge of a panel's caption bar for a frame at template place x, y (dialog units)
# and client width w: "x y width", inside the frame's 1-pixel outline
caption_at() { echo "$(( $1 + 1 )) $(( $2 + 1 )) $3"; }

"$program" &
pid=$!
source "$tools/session.sh"
find_window
client_w=$WIDTH
client_h=$HEIGHT
shoot() { sleep 0.3; import -window root -crop "${client_w}x${client_h}+$X+$Y" +repage "$shot"; }
captions() { /usr/bin/python3 "$tools/find_captions.py" "$shot" "$CAPTION_COLOUR" | sort; }
expect_captions() {  # what the screenshot shows, against the lines given, in any order
    local seen wanted
    seen=$(captions)
    wanted=$(printf '%s\n' "$@" | sort)
    [ "$seen" = "$wanted" ] || fail "$1 ...: caption bars seen:
$seen
expected:
$wanted"
}
# press on (x, y) in the client area, drag to (x2, y2) through a point between, release
drag() {
    xdotool mousemove $(( X + $1 )) $(( Y + $2 )) mousedown 1 \
        mousemove $(( X + ($1 + $3) / 2 )) $(( Y + ($2 + $4) / 2 )) \
        mousemove $(( X + $3 )) $(( Y + $4 )) mouseup 1
}

timeline_w=$(ux 291); query_w=$(ux 257); gis_w=$(ux 109)
query_x=$(ux 20); query_y=$(uy 20); gis_x=$(ux 40); gis_y=$(uy 40)
query_h=$(( $(uy 133) + CAPTION_HEIGHT + 2 ))

sleep 0.5
shoot

# at start: only the Timeline's caption shows (at 0, 0); the Query and GIS panels lie
# under it; a shown Info panel (created after the Timeline) would be on top
expect_captions "$(caption_at 0 0 "$timeline_w")"
xdotool search --onlyvisible --name '^About ' >/dev/null && fail "the About box shows at start"

# the Timeline dragged by its caption, 400 right and 300 down: the Query panel's caption
# shows at its place, and where the Timeline stood the grey background is clean again
drag 200 8 600 308
shoot
expect_captions "$(caption_at 400 300 "$timeline_w")" "$(caption_at "$query_x" "$query_y" "$query_w")"
corner=$(convert "$shot" -crop 20x20+5+5 -format '%[fx:round(255*mean.r)],%[fx:round(255*mean.g)],%[fx:round(255*mean.b)]' info:)
[ "$corner" = "127,127,127" ] || fail "the corner the Timeline left is $corner, not the background"

# the Query panel dragged far past the bottom-right corner stops at the client area's
# edges, above the Timeline; the GIS panel below it shows at its place
drag $(( query_x + 100 )) $(( query_y + 5 )) $(( client_w + 400 )) $(( client_h + 400 ))
shoot
query_stop_x=$(( client_w - query_w - 2 ))
query_stop_y=$(( client_h - query_h ))
expect_captions "$(caption_at 400 300 "$timeline_w")" "$(caption_at "$query_stop_x" "$query_stop_y" "$query_w")" \
                "$(caption_at "$gis_x" "$gis_y" "$gis_w")"

# the GIS panel's close box, at the right end of its caption, hides it
xdotool mousemove $(( X + gis_x + gis_w - 7 )) $(( Y + gis_y + 1 + CAPTION_HEIGHT / 2 )) click 1
shoot
expect_captions "$(caption_at 400 300 "$timeline_w")" "$(caption_at "$query_stop_x" "$query_stop_y" "$query_w")"

close_and_expect_exit_0
echo "PASS"
