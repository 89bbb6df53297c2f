#!/usr/bin/env bash
# A new user's whole session, driven with the mouse and keys: started with the sample
# district on the command line; the Timeline's month "+"; "Load Data.." with the path typed
# in the dialog; two crime types chosen; playback for a second, then pause; "+" and the
# arrow keys; a beat chosen, the log cleared, a Ctrl + left click on its column writing its
# report; a right drag tilting the view; the log saved, the values exported, a snapshot
# saved and the view printed to a PDF file, each file checked for its content; every panel
# hidden by its close box and shown again from the menu; the About box; "Quit" with exit
# code 0. Runs under xvfb-run; $1 is the program. ZAVRO_SHOTS=FOLDER keeps the screenshots.
#
# Texts are read from the program's test hook ZAVRO_TEST_STATE (what the panels and a
# message box show, rewritten on every frame-timer tick and message box).
set -u
program=$1
tools="$(dirname "$0")/../tools"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=${ZAVRO_SHOTS:-$work}
mkdir -p "$shots"
state="$work/state"

ZAVRO_TEST_STATE=$state ZAVRO_PRINT_TO_PDF="$work/page.pdf" "$program" data/district.csv &
pid=$!
source "$tools/session.sh"
find_window
date_is() { expect_state "^  1044 $1\$" "the date is not $1"; }
current_date_text() {  # the Timeline's (panel 3) date text
    awk '/^panel / { panel = $2 } panel == 3 && /^  1044 / { sub(/^  1044 /, ""); print }' "$state"
}
count_colour() {  # pixels near a saturated side colour: red or green
    convert "$shots/$1.png" -fx "(r>0.75 && g<0.3 && b<0.3) || (g>0.75 && r<0.3 && b<0.3) ? 1 : 0" \
        -format '%[fx:round(mean*w*h)]' info:
}

# started with the district: its beats listed; the Timeline at the top left steps by month
sleep 0.8
expect_state "^  1048 ALDER;BIRCH;CEDAR;LINDEN;MAPLE;CITYWD;$" "the command line's beats are not listed"
date_is "January,1,1990"
click $(( 1 + $(ux 85) )) $(( 18 + $(uy 31) ))
date_is "February,1,1990"

# "Load Data.." with the path typed: "Load complete", the timeline back at its start
file_item 1
answer_dialog '^Open' "$(pwd)/data/district.csv"
message "Info: Load complete"
date_is "January,1,1990"

# the Timeline to the bottom right, off the Query panel
timeline_x=700; timeline_y=$(( HEIGHT - 80 ))
xdotool mousemove $(( X + 200 )) $(( Y + 8 )) mousedown 1 mousemove $(( X + 450 )) $(( Y + 400 )) \
    mousemove $(( X + timeline_x )) $(( Y + timeline_y )) mouseup 1
sleep 0.3
tx=$(( timeline_x - 200 + 1 )); ty=$(( timeline_y - 8 + 18 ))  # the Timeline's body
timeline_button() { click $(( tx + $(ux "$1") + $(ux "$3") / 2 )) $(( ty + $(uy "$2") + $(uy "$4") / 2 )); }

# two crime types: Robbery, then Theft with Ctrl
crime_x=$(( $(ux 20) + 1 + $(ux 10) + 40 )); crime_y=$(( $(uy 20) + 18 + $(uy 20) + 2 + 6 ))
click "$crime_x" $(( crime_y + 13 * 2 ))
xdotool mousemove $(( X + crime_x )) $(( Y + crime_y + 13 * 5 )) keydown ctrl click 1 keyup ctrl
expect_state "^  1047 Murder;Rape;\[Robbery\];Aggravated Assault;Burglary;\[Theft\];Auto Theft;$" \
    "Robbery and Theft are not the two types chosen" "  1047 "

# "Data Start", "Month" as the step, play for a second and pause
menu_item $MENU_TIME 2
date_is "January,1,1999"
timeline_button 246 7 40 12
xdotool key Up Return
expect_state "^  1029 Month$" "Month is not the step" "  1029 "
timeline_button 47 7 20 12
sleep 1
timeline_button 27 7 20 12
played=$(current_date_text)
sleep 0.5
[ "$(current_date_text)" = "$played" ] || fail "the timeline goes on after the pause"
[ "$played" != "January,1,1999" ] || fail "playing did not move the date"
echo "played to $played"

# "+" by a month, the Right arrow a month on, the Left arrow a month back, also when held
# (the view focused by a click beside the map)
menu_item $MENU_TIME 2
timeline_button 80 26 10 10
date_is "February,1,1999"
click $(( WIDTH - 40 )) $(( HEIGHT / 2 ))
xdotool key Right
date_is "March,1,1999"
xdotool key Left
date_is "February,1,1999"
# held for two seconds, the X server repeating it, Left steps back once, when let go
xdotool keydown Left; sleep 2; xdotool keyup Left
date_is "January,1,1999"
sleep 0.5
[ "$(current_date_text)" = "January,1,1999" ] || fail "a held Left stepped more than once: $(current_date_text)"
xdotool key Right
date_is "February,1,1999"

# CEDAR chosen in the beat list: the view centred on it and its report; the log cleared;
# a Ctrl + left click on CEDAR's column (now in the view's centre) writes its report again
beat_x=$(( $(ux 20) + 1 + $(ux 215) + 12 ))
click "$beat_x" $(( crime_y + 13 * 2 ))
expect_state "Crime total for beat CEDAR: " "choosing CEDAR wrote no report" "  1035 "
info_x=$(( $(ux 15) + 1 )); info_y=$(( $(uy 15) + 18 ))
click $(( info_x + $(ux 40) )) $(( info_y + $(uy 119) ))
expect_state "^  1035 $" "Clear did not empty the log" "  1035 "
xdotool mousemove $(( X + (WIDTH - 1) / 2 )) $(( Y + (HEIGHT - 1) / 2 )) keydown ctrl click 1 keyup ctrl
expect_state "^  1035 \*{59}\\\\r\\\\nDate: February,1,1999\\\\r\\\\n.*Crime total for beat CEDAR: " \
    "the Ctrl + left click wrote no CEDAR report" "  1035 "
cedar_total=$(sed -n 's/.*Crime total for beat CEDAR: \([0-9]*\),.*/\1/p' "$state" | head -n 1)

# a right drag upward tilts the view: the columns stand up with their coloured sides
shoot flat
xdotool mousemove $(( X + WIDTH - 60 )) $(( Y + 400 )) mousedown 3 mousemove $(( X + WIDTH - 60 )) $(( Y + 350 )) \
    mousemove $(( X + WIDTH - 60 )) $(( Y + 340 )) mouseup 3
shoot tilted
cmp -s "$shots/flat.png" "$shots/tilted.png" && fail "the right drag did not change the view"
[ "$(count_colour tilted)" -gt "$(count_colour flat)" ] || fail "no column sides show after tilting"

# the log saved: each line ends with a blank where its carriage return was
click $(( info_x + $(ux 152) )) $(( info_y + $(uy 119) ))
answer_dialog '^Save As' "$work/log"
message "Info: Save complete"
grep -q "^Crime total for beat CEDAR: $cedar_total, [0-9.]*% \$" "$work/log.txt" || fail "the saved log lacks CEDAR's line"
[ "$(grep -c ' $' "$work/log.txt")" -eq "$(wc -l <"$work/log.txt")" ] || fail "a saved line does not end with a blank"
grep -q $'\r' "$work/log.txt" && fail "the saved log holds carriage returns"

# the values exported: one line a beat, CEDAR's the report's total
file_item 2
answer_dialog '^Save As' "$work/values"
message "Info: Save complete"
[ "$(tr -d '\r' <"$work/values.csv" | cut -d, -f1 | tr '\n' ' ')" = "BEAT ALDER BIRCH CEDAR LINDEN MAPLE CITYWD " ] ||
    fail "values.csv does not list the beats: $(cat "$work/values.csv")"
grep -q $'^CEDAR,'"$cedar_total"$'\r$' "$work/values.csv" || fail "CEDAR's exported value is not $cedar_total"

# "Save Snapshot..": the BMP holds the view's pixels (compared where no panel covers it)
file_item 3
answer_dialog '^Save As' "$work/view"
message "Info: Save complete"
shoot after_snapshot
convert "$work/view.bmp" "$work/view.png"
[ "$(identify -format '%wx%h' "$work/view.png")" = "${WIDTH}x$HEIGHT" ] || fail "the snapshot is not ${WIDTH}x$HEIGHT"
differing=$(compare -metric AE -crop "300x200+$(( WIDTH - 320 ))+$(( HEIGHT / 4 ))" "$work/view.png" \
    "$shots/after_snapshot.png" null: 2>&1)
[ "$differing" = 0 ] || fail "the snapshot differs from the screen in $differing pixels"

# "Print..": one PDF page, the view centred between equal white bands, upright
file_item 4
message "Info: Print spooled"
pdftoppm -r 40 -png -singlefile "$work/page.pdf" "$work/page" || fail "no PDF page"
read -r left top w h page_w page_h <<<"$(convert "$work/page.png" -fuzz 2% -trim -format '%X %Y %w %h %W %H' info: | tr -d '+')"
right=$(( page_w - left - w )); bottom=$(( page_h - top - h ))
echo "page ${page_w}x$page_h: bands left $left right $right top $top bottom $bottom"
[ $(( top - bottom )) -le 2 ] && [ $(( bottom - top )) -le 2 ] || fail "unequal bands above and below"
[ $(( left - right )) -le 2 ] && [ $(( right - left )) -le 2 ] || fail "unequal bands left and right"
convert "$work/page.png" -crop "${w}x$h+$left+$top" +repage -resize 64x48! "$work/printed.png"
convert "$work/view.png" -resize 64x48! "$work/upright.png"
convert "$work/view.png" -flip -resize 64x48! "$work/flipped.png"
upright=$(compare -metric RMSE "$work/printed.png" "$work/upright.png" null: 2>&1 | cut -d' ' -f1)
flipped=$(compare -metric RMSE "$work/printed.png" "$work/flipped.png" null: 2>&1 | cut -d' ' -f1)
awk -v u="$upright" -v f="$flipped" 'BEGIN { exit !(u < f / 2) }' || fail "the printed page is not upright"

# every panel hidden by its close box, topmost first, then shown again from "Panel"
# (handle, width in dialog units, item of the "Panel" menu)
panels="4 192 4
2 257 2
1 109 1
3 291 3"
while read -r handle units item; do
    shoot panels
    bar=$(/usr/bin/python3 "$tools/find_captions.py" "$shots/panels.png" 58,86,128 |
          awk -v w="$(ux "$units")" '$3 == w { print $1, $2; exit }')
    [ -n "$bar" ] || fail "no caption bar $(ux "$units") pixels wide for panel $handle"
    read -r bx by <<<"$bar"
    click $(( bx + $(ux "$units") - 7 )) $(( by + 8 ))
    expect_state "^panel $handle hidden$" "the close box did not hide panel $handle" "^panel"
done <<<"$panels"
while read -r handle units item; do
    menu_item $MENU_PANEL "$item"
    expect_state "^panel $handle visible$" "the Panel menu did not show panel $handle" "^panel"
done <<<"$panels"

# the About box: shown from "Help", hidden by its default button
menu_item $MENU_HELP 1
expect_state "^panel 5 visible$" "the About box does not show" "^panel"
dialog '^About ZAVROView 1\.0b$'
xdotool key Return
expect_state "^panel 5 hidden$" "OK did not hide the About box" "^panel"

# "Quit" ends the program with 0
file_item 5
expect_exit_0
echo "PASS"
