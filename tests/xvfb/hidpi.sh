#!/usr/bin/env bash
# A high-density screen (QT_SCALE_FACTOR=2): the view fills its whole widget, the panels
# and their texts come out twice as large, a Ctrl + left click on CEDAR's column picks
# CEDAR, and a snapshot holds the pixels shown on the screen; closing the window ends the
# program with 0 and no OpenGL error. Needs a screen of 2200 x 1700 for the doubled window; $1 is the program.
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
state="$work/state"
shots=$work
SCALE=2

QT_SCALE_FACTOR=$SCALE ZAVRO_TEST_STATE=$state "$program" data/district.csv 2>"$work/err" &
pid=$!
source "$tools/session.sh"
find_window

sleep 1
# the program's pixels are the screen's: the view as large as its part of the window
expect_state "^view $WIDTH $HEIGHT\$" "the view's size is not the client's ${WIDTH}x$HEIGHT in device pixels"
shoot start
[ "$(spread start "$(( WIDTH / 5 ))x$(( HEIGHT / 5 ))+$(( WIDTH * 3 / 5 ))+$(( HEIGHT / 5 ))")" -ge 5 ] || fail "the upper right of the view shows no basemap: the picture does not fill the view"
timeline_w=$(/usr/bin/python3 "$tools/find_captions.py" "$work/start.png" 58,86,128 | awk '$1 <= 4 { print $3; exit }')
[ $(( timeline_w - $(ux 291) )) -le 4 ] && [ $(( $(ux 291) - timeline_w )) -le 4 ] ||
    fail "the Timeline panel is $timeline_w pixels wide, not about $(ux 291)"

# the Timeline moved off the Query panel, "Murder" alone, then "Time" > "Data Start"
drag 400 16 1400 $(( HEIGHT - 160 ))
click $(( $(ux 20) + $(ux 10) + 80 )) $(( $(uy 20) + 36 + $(uy 20) + 12 ))
expect_state "^  1047 \[Murder\];" "Murder is not chosen"
menu_item 236 2
expect_state "^  1044 January,1,1999$" "Data Start did not go to 1 January 1999"

# Ctrl + left click where CEDAR stands (0.195 and 0.2 scene units west and south of the
# centre, seen from above at distance 20)
half=$(( (HEIGHT - 1) / 2 ))
cedar_x=$(awk -v c=$(( (WIDTH - 1) / 2 )) -v h=$half 'BEGIN { printf "%d", c - 0.195 * 0.2 * h + 0.5 }')
cedar_y=$(awk -v c=$(( (HEIGHT - 1) / 2 )) -v h=$half 'BEGIN { printf "%d", c + 0.2 * 0.2 * h + 0.5 }')
xdotool mousemove $(( X + cedar_x )) $(( Y + cedar_y )) keydown ctrl click 1 keyup ctrl
expect_state "Crime total for beat CEDAR: " "the click did not pick CEDAR"

# "Save Snapshot..": the picture has the screen's pixels, as many as the view shows
menu_item 36 3
answer_dialog '^Save As' "$work/view"
message "Info: Save complete"
shoot shown
convert "$work/view.bmp" "$work/view.png"
[ "$(identify -format '%wx%h' "$work/view.png")" = "${WIDTH}x$HEIGHT" ] || fail "the snapshot is not ${WIDTH}x$HEIGHT"
region="600x400+$(( WIDTH - 640 ))+$(( HEIGHT / 2 ))"  # below the Chart panel the click showed
differing=$(compare -metric AE -crop "$region" "$work/view.png" "$work/shown.png" null: 2>&1)
[ "$differing" = 0 ] || fail "the snapshot differs from the screen in $differing pixels"

close_and_expect_exit_0
! grep "OpenGL reported an error" "$work/err" || fail "an OpenGL error when the window closed"
echo "PASS"
